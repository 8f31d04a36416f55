#pragma once

#include "metadata/playlist_reader.h"
#include "tests/support/recorded_time.h"

#include <string>

namespace tandrel {

// Saturday 5 December 2026, 18:45:03.
inline ClipRecord clipOf(const std::string& streamFile) {
    ClipRecord clip;
    clip.streamFile = streamFile;
    clip.recordingTime = recordedAt(2026, 12, 5, 18, 45, 3);
    return clip;
}

} // namespace tandrel
