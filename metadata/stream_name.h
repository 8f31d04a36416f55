#pragma once

#include <optional>
#include <string>
#include <vector>

// The name on the card of the stream file a PlayItem names. A PlayItem always
// says its clip's codec ("00001.M2TS"), while cameras name the file after the
// 8.3 rules of FAT media ("00001.MTS") and copies of card trees differ in
// letter case. Tried in this order among `entryNames` (the names in the
// stream folder): `playlistName` exactly, then without regard to case; then
// the name with `streamExtension` (the layout's) in place of its own
// extension, exactly, then without regard to case. Among several matches
// without regard to case the first in byte-wise order wins. Nothing when
// none matches.
std::optional<std::string> streamNameOnCard(const std::string& playlistName,
                                            const std::vector<std::string>& entryNames,
                                            const std::string& streamExtension);
