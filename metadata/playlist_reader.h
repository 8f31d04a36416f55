#pragma once

#include "metadata/stop_check.h"

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace tandrel {

// One clip of a playlist: the stream file it plays and when it was recorded.
struct ClipRecord {
    boost::filesystem::path streamFile;
    std::string streamText;
    bool markFlag = false;
    std::tm recordingTime{};
    std::string entryText;
    // The PlayItem's connection condition (1 a new recording, 5 a new one
    // joined seamlessly, 6 the next part of the same recording).
    std::uint8_t connectionCondition = 0;
    // True when the clip is the next part of the recording of the clip
    // before it in the same playlist.
    bool continuesPrevious = false;
};

// One playlist file as read.
struct PlaylistRecord {
    std::string typeIndicator;
    std::string versionNumber;
    std::uint32_t clipCount = 0;
    std::tm recordingTime{};
    std::string playlistText;
    std::vector<ClipRecord> clips;
};

// What the reader fills. The counters belong to the reader; the caller sets
// them to 0 before the call.
struct PlaylistSet {
    std::vector<PlaylistRecord> playlists;
    std::int32_t clipTotal = 0;
    std::int32_t markIndex = 0;
    std::int32_t entryIndex = 0;
};

class CardTree;

// How the reader reaches the playlist files. Files are opened beneath `card`
// (or, without one, beneath the playlist folder itself), so no symbolic link
// leads the reader out of the card; `stopRequested` is asked between files
// and during long scans of a file.
struct PlaylistAccess {
    const CardTree* card = nullptr;
    StopCheck stopRequested;
};

// Reads every file of `playlistFolder` whose extension equals `extension`
// (without regard to case), in byte-wise name order, into `result`. Throws
// MetaDataException for a missing folder or a file that does not fit the
// layout, including a PlayItem whose stream name is not a plain file name
// (the name is later joined to the stream folder); file-system failures of
// the folder walk pass on as boost::filesystem::filesystem_error, and a stop
// ends the reading with OperationStopped.
void readPlaylists(const boost::filesystem::path& playlistFolder, PlaylistSet& result,
                   const std::string& extension, const PlaylistAccess& access = {});

} // namespace tandrel
