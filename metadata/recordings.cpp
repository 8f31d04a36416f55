#include "metadata/recordings.h"

namespace tandrel {

std::vector<Recording> recordingsOf(const PlaylistSet& playlists, bool joinParts) {
    std::vector<Recording> recordings;
    std::size_t index = 0;
    for (const PlaylistRecord& playlist : playlists.playlists) {
        for (const ClipRecord& clip : playlist.clips) {
            if (joinParts && clip.continuesPrevious && !recordings.empty()) {
                recordings.back().parts.push_back(&clip);
            } else {
                recordings.push_back(Recording{index, {&clip}});
            }
            ++index;
        }
    }
    return recordings;
}

} // namespace tandrel
