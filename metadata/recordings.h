#pragma once

#include "metadata/playlist_reader.h"

#include <cstddef>
#include <vector>

namespace tandrel {

// One recording as the camera made it: a clip, and the clips that continue
// it. Cameras split a long recording into several stream files at the FAT
// size limit; each part is a PlayItem of its own that continues the one
// before it in the same playlist.
struct Recording {
    // The index of its first clip among all clips of the card, counted from
    // 0 in copy order (playlist by playlist, PlayItem by PlayItem).
    std::size_t firstClip = 0;
    // Its clips in playlist order; the first is the recording's own.
    std::vector<const ClipRecord*> parts;
};

// The recordings of the card, in copy order. With `joinParts` false every
// clip is a recording of its own. A part at the start of a playlist starts a
// recording of its own; a part that names the same stream file as another is
// kept as the playlist says.
std::vector<Recording> recordingsOf(const PlaylistSet& playlists, bool joinParts = true);

} // namespace tandrel
