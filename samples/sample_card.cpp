#include "samples/sample_card.h"

namespace tandrel {

namespace {

CardClip clip(const char* name, const DateBytes& recorded, std::uint64_t streamSize) {
    CardClip result;
    result.clipName = name;
    result.recorded = recorded;
    result.streamSize = streamSize;
    return result;
}

CardPlaylist playlist(const char* fileName, std::vector<CardClip> clips) {
    CardPlaylist result;
    result.fileName = fileName;
    result.recorded = clips.front().recorded;
    result.clips = std::move(clips);
    return result;
}

} // namespace

CardSpec sampleCard() {
    CardSpec card;
    card.playlists = {
        playlist("00000.MPLS", {clip("00000", bcdDateTime(2026, 12, 5, 18, 45, 3), 3008),
                                clip("00001", bcdDateTime(2026, 12, 5, 19, 2, 41), 4512)}),
        playlist("00001.MPLS", {clip("00002", bcdDateTime(2026, 12, 6, 9, 15, 0), 2256),
                                clip("00003", bcdDateTime(2026, 12, 6, 9, 20, 12), 5640),
                                clip("00004", bcdDateTime(2026, 12, 6, 14, 3, 59), 3760)}),
        playlist("00002.MPLS", {clip("00005", bcdDateTime(2026, 12, 24, 20, 0, 5), 6016)}),
    };
    return card;
}

} // namespace tandrel
