#include "metadata/card_layout.h"

#include "metadata/file_listing.h"
#include "metadata/path_text.h"

#include <boost/filesystem/operations.hpp>

#include <array>
#include <optional>
#include <stdexcept>

namespace tandrel {

namespace fs = boost::filesystem;
using boost::system::error_code;

namespace {

// Tried in this order; the first is what the program always read.
constexpr std::array<const char*, 4> layoutNames{"PRIVATE/AVCHDL/BDMV", "PRIVATE/AVCHD/BDMV",
                                                 "AVCHD/BDMV", "BDMV"};
constexpr const char* playlistFolderName = "PLAYLIST";
constexpr const char* streamFolderName = "STREAM";
constexpr const char* shortPlaylistExtension = ".MPL";
constexpr const char* shortStreamExtension = ".MTS";

bool pathExists(const fs::path& path) {
    // A path whose state cannot be read (an unreadable parent, a drive
    // without a medium) is reported like a missing one.
    error_code error;
    return fs::exists(fs::status(path, error));
}

bool holdsMatchingFiles(const fs::path& folder, const std::string& extension) {
    try {
        return countFiles(folder, extension) > 0;
    } catch (const std::runtime_error&) {
        // A layout folder that is a file or cannot be listed holds none of the
        // expected files as far as the status line is concerned.
        return false;
    }
}

// The long names stay the rule: a folder is taken to hold 8.3 names only when
// it holds some and no long one.
std::string extensionInUse(const fs::path& folder, const char* longExtension,
                           const char* shortExtension) {
    const bool onlyShort =
        !holdsMatchingFiles(folder, longExtension) && holdsMatchingFiles(folder, shortExtension);
    return onlyShort ? shortExtension : longExtension;
}

void setFolders(CardLayout& layout, const fs::path& bdmvFolder) {
    layout.bdmvFolder = bdmvFolder;
    layout.playlistFolder = followIgnoringCase(bdmvFolder, playlistFolderName);
    layout.streamFolder = followIgnoringCase(bdmvFolder, streamFolderName);
}

} // namespace

CardLayout findCardLayout(const fs::path& source) {
    CardLayout layout;
    layout.root = source;
    if (source.empty()) {
        // No folder to look in: the first layout appended as its text stands
        // (beginning with a separator), as the path always read.
        setFolders(layout, appendText(source, std::string("/") + layoutNames.front()));
        return layout;
    }
    for (const char* name : layoutNames) {
        const fs::path bdmvFolder = followIgnoringCase(source, name);
        if (isFolder(bdmvFolder)) {
            layout.name = name;
            setFolders(layout, bdmvFolder);
            layout.playlistExtension =
                extensionInUse(layout.playlistFolder, playlistExtension, shortPlaylistExtension);
            layout.streamExtension =
                extensionInUse(layout.streamFolder, streamExtension, shortStreamExtension);
            return layout;
        }
    }
    // None: the first layout's folders, as far as they exist in any case.
    setFolders(layout, followIgnoringCase(source, layoutNames.front()));
    return layout;
}

const char* sourceStatusText(SourceValidity validity) {
    switch (validity) {
    case SourceValidity::Ok:
        return "Source folder: Ok!";
    case SourceValidity::FolderMissing:
        return "Source folder: Folder does not exist.";
    case SourceValidity::NotAFolder:
        return "Source folder: Folder is not a directory.";
    case SourceValidity::PlaylistFolderMissing:
        return "Source folder: PlayList folder is missing.";
    case SourceValidity::PlaylistFilesMissing:
        return "Source folder: PlayList folder does not contain the expected files.";
    case SourceValidity::StreamFolderMissing:
        return "Source folder: Stream folder is missing.";
    case SourceValidity::StreamFilesMissing:
        return "Source folder: Stream folder does not contain the expected files.";
    }
    throw std::invalid_argument("Unknown validity.");
}

fs::path playlistFolderOf(const fs::path& source) {
    return findCardLayout(source).playlistFolder;
}

fs::path streamFolderOf(const fs::path& source) {
    return findCardLayout(source).streamFolder;
}

SourceValidity checkSourceFolder(const fs::path& source) {
    error_code error;
    const fs::file_status sourceStatus = fs::status(source, error);
    if (!fs::exists(sourceStatus)) {
        return SourceValidity::FolderMissing;
    }
    if (!fs::is_directory(sourceStatus)) {
        return SourceValidity::NotAFolder;
    }
    const CardLayout layout = findCardLayout(source);
    if (!pathExists(layout.playlistFolder)) {
        return SourceValidity::PlaylistFolderMissing;
    }
    if (!holdsMatchingFiles(layout.playlistFolder, layout.playlistExtension)) {
        return SourceValidity::PlaylistFilesMissing;
    }
    if (!pathExists(layout.streamFolder)) {
        return SourceValidity::StreamFolderMissing;
    }
    if (!holdsMatchingFiles(layout.streamFolder, layout.streamExtension)) {
        return SourceValidity::StreamFilesMissing;
    }
    return SourceValidity::Ok;
}

std::int32_t countFiles(const fs::path& folder, const std::string& extension) {
    if (!fs::is_directory(folder)) {
        throw std::runtime_error("Not a directory.");
    }
    return static_cast<std::int32_t>(matchingFiles(folder, extension).size());
}

std::uint64_t sumFileSizes(const fs::path& folder, const std::string& extension) {
    if (!fs::is_directory(folder)) {
        throw std::runtime_error("Not a directory.");
    }
    std::uint64_t total = 0;
    for (const fs::path& file : matchingFiles(folder, extension)) {
        total += fs::file_size(file);
    }
    return total;
}

} // namespace tandrel
