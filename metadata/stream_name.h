#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tandrel {

// The names in a card's stream folder, indexed once so that each PlayItem's
// stream is found without searching the folder again (a card may hold ten
// thousand clips).
class StreamNames {
public:
    // `entryNames`: the stream folder's entries, in any order.
    // `streamExtension`: the layout's (CardLayout::streamExtension).
    StreamNames(const std::vector<std::string>& entryNames, std::string streamExtension);

    // The name on the card of the stream file a PlayItem names. A PlayItem
    // always says its clip's codec ("00001.M2TS"), while cameras name the
    // file after the 8.3 rules of FAT media ("00001.MTS") and copies of card
    // trees differ in letter case. Tried in this order: `playlistName`
    // exactly, then without regard to case; then the name with the layout's
    // stream extension in place of its own, exactly, then without regard to
    // case. Among several matches without regard to case the first in
    // byte-wise order wins. Nothing when none matches.
    std::optional<std::string> find(const std::string& playlistName) const;

private:
    std::optional<std::string> findSpelling(const std::string& name) const;

    std::string streamExtension_;
    std::unordered_set<std::string> names_;
    std::unordered_map<std::string, std::string> firstByUpperName_;
};

} // namespace tandrel
