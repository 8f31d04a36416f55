#include "metadata/stream_name.h"

#include "metadata/path_text.h"

#include <algorithm>
#include <utility>

namespace tandrel {

StreamNames::StreamNames(const std::vector<std::string>& entryNames, std::string streamExtension)
    : streamExtension_(std::move(streamExtension)), names_(entryNames.begin(), entryNames.end()) {
    for (const std::string& name : entryNames) {
        auto [first, added] = firstByUpperName_.emplace(caseFolded(name), name);
        // std::string compares its bytes as unsigned values, like memcmp.
        if (!added && name < first->second) {
            first->second = name;
        }
    }
}

std::optional<std::string> StreamNames::find(const std::string& playlistName) const {
    if (std::optional<std::string> found = findSpelling(playlistName)) {
        return found;
    }
    const std::string stem = playlistName.substr(0, playlistName.rfind('.'));
    return findSpelling(stem + streamExtension_);
}

std::optional<std::string> StreamNames::findSpelling(const std::string& name) const {
    if (names_.count(name) != 0) {
        return name;
    }
    const auto match = firstByUpperName_.find(caseFolded(name));
    if (match != firstByUpperName_.end()) {
        return match->second;
    }
    return std::nullopt;
}

} // namespace tandrel
