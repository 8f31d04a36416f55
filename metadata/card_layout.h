#pragma once

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <string>

namespace tandrel {

// The extensions of the long names that the camera makers' PC software
// writes; cards taken straight from a camera carry the 8.3 names instead
// (".MPL", ".MTS"), which findCardLayout picks when a folder holds only those.
inline constexpr const char* playlistExtension = ".MPLS";
inline constexpr const char* streamExtension = ".M2TS";

// Where a card keeps its playlists and streams, and what their files are
// called. Cameras write their tree in one of several places below the card's
// root, in any letter case, with long or 8.3 names.
struct CardLayout {
    // The layout found, spelled as the layout names it ("PRIVATE/AVCHDL/BDMV",
    // "PRIVATE/AVCHD/BDMV", "AVCHD/BDMV" or "BDMV"); empty when the source
    // holds none of them.
    std::string name;
    boost::filesystem::path root;
    // The folders as they are spelled on the card. Without a layout they name
    // the PRIVATE/AVCHDL/BDMV tree, so messages read as they always did.
    boost::filesystem::path bdmvFolder;
    boost::filesystem::path playlistFolder;
    boost::filesystem::path streamFolder;
    // ".MPLS", or ".MPL" when the playlist folder holds only those; ".M2TS",
    // or ".MTS" when the stream folder holds only those.
    std::string playlistExtension = tandrel::playlistExtension;
    std::string streamExtension = tandrel::streamExtension;
};

// The first layout, in the order PRIVATE/AVCHDL/BDMV, PRIVATE/AVCHD/BDMV,
// AVCHD/BDMV, BDMV, whose BDMV folder exists below `source`, each folder
// looked up without regard to case. PRIVATE/AVCHDL comes first so that every
// tree read before reads exactly as before. Never throws: a folder that
// cannot be read counts as missing, and a folder that cannot be listed keeps
// the long-name extension.
CardLayout findCardLayout(const boost::filesystem::path& source);

// The result of checking a source folder; the first failing row wins.
enum class SourceValidity : std::int32_t {
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

// The playlist and stream folders of the card's layout below `source`
// (findCardLayout).
boost::filesystem::path playlistFolderOf(const boost::filesystem::path& source);
boost::filesystem::path streamFolderOf(const boost::filesystem::path& source);

// The first row of the table that applies, judging the folders and
// extensions of the card's layout. Never throws: a path whose state cannot be
// read counts as missing, and a layout folder that is a file or cannot be
// listed counts as holding none of the expected files.
SourceValidity checkSourceFolder(const boost::filesystem::path& source);

// The regular files directly in `folder` whose extension equals `extension`
// without regard to case (".MPL" does not match ".MPLS"). Throw
// std::runtime_error "Not a directory." when `folder` is not a folder;
// file-system failures pass on as boost::filesystem::filesystem_error.
std::int32_t countFiles(const boost::filesystem::path& folder, const std::string& extension);
std::uint64_t sumFileSizes(const boost::filesystem::path& folder, const std::string& extension);

} // namespace tandrel
