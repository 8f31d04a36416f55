#include "metadata/stream_name.h"

#include "metadata/file_listing.h"

#include <algorithm>

namespace {

std::optional<std::string> findName(const std::string& name,
                                    const std::vector<std::string>& entryNames) {
    if (std::find(entryNames.begin(), entryNames.end(), name) != entryNames.end()) {
        return name;
    }
    std::optional<std::string> first;
    for (const std::string& entry : entryNames) {
        if (sameNameIgnoringCase(entry, name) && (!first || entry < *first)) {
            first = entry;
        }
    }
    return first;
}

} // namespace

std::optional<std::string> streamNameOnCard(const std::string& playlistName,
                                            const std::vector<std::string>& entryNames,
                                            const std::string& streamExtension) {
    if (std::optional<std::string> found = findName(playlistName, entryNames)) {
        return found;
    }
    const std::string stem = playlistName.substr(0, playlistName.rfind('.'));
    return findName(stem + streamExtension, entryNames);
}
