#pragma once

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <string>

// Where a camera card keeps its playlists and streams, relative to the card's
// root, as the layout names them (a leading separator, so nothing is inserted
// when they are appended to the source folder).
inline constexpr const char* playlistFolderText = "\\PRIVATE\\AVCHDL\\BDMV\\PLAYLIST";
inline constexpr const char* streamFolderText = "\\PRIVATE\\AVCHDL\\BDMV\\STREAM";
inline constexpr const char* playlistExtension = ".MPLS";
inline constexpr const char* streamExtension = ".M2TS";

// The result of checking a source folder; the first failing row wins.
enum SourceValidity : std::int32_t {
    Ok = 0,
    FolderMissing = 1,
    NotAFolder = 2,
    PlaylistFolderMissing = 3,
    PlaylistFilesMissing = 4,
    StreamFolderMissing = 5,
    StreamFilesMissing = 6,
};

// The status line shown for a result ("Source folder: Ok!" and the others);
// std::invalid_argument "Unknown validity." for a value outside the enumeration.
const char* sourceStatusText(SourceValidity validity);

// The playlist and stream folders of a card below `source`. Cameras and
// copies of card trees differ in letter case, so each layout folder is looked
// up without regard to case; where none exists, the path names the folder as
// the layout spells it.
boost::filesystem::path playlistFolderOf(const boost::filesystem::path& source);
boost::filesystem::path streamFolderOf(const boost::filesystem::path& source);

// The first row of the table that applies. Never throws: a path whose state
// cannot be read counts as missing, and a layout folder that is a file or
// cannot be listed counts as holding none of the expected files.
SourceValidity checkSourceFolder(const boost::filesystem::path& source);

// The regular files directly in `folder` whose extension equals `extension`
// without regard to case. Throw std::runtime_error "Not a directory." when
// `folder` is not a folder; file-system failures pass on as
// boost::filesystem::filesystem_error.
std::int32_t countFiles(const boost::filesystem::path& folder, const std::string& extension);
std::uint64_t sumFileSizes(const boost::filesystem::path& folder, const std::string& extension);
