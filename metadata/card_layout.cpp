#include "metadata/card_layout.h"

#include "metadata/file_listing.h"
#include "metadata/path_text.h"

#include <boost/filesystem/operations.hpp>

#include <optional>
#include <stdexcept>
#include <vector>

namespace fs = boost::filesystem;
using boost::system::error_code;

namespace {

// The entry of `folder` named `name` without regard to case: the first folder
// among the matches in byte-wise name order, else the first match of any kind.
// A folder that cannot be listed has no match; the caller then names the
// layout spelling, which the check reports as missing.
std::optional<fs::path> findIgnoringCase(const fs::path& folder, const std::string& name) {
    std::optional<std::string> firstFolder;
    std::optional<std::string> firstAny;
    error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string entryName = entry->path().filename().string();
        if (!sameNameIgnoringCase(entryName, name)) {
            continue;
        }
        if (!firstAny || entryName < *firstAny) {
            firstAny = entryName;
        }
        error_code statusError;
        if (fs::is_directory(entry->status(statusError)) &&
            (!firstFolder || entryName < *firstFolder)) {
            firstFolder = entryName;
        }
    }
    if (firstFolder) {
        return folder / *firstFolder;
    }
    if (firstAny) {
        return folder / *firstAny;
    }
    return std::nullopt;
}

std::vector<std::string> layoutComponents(const char* layoutText) {
    std::vector<std::string> components;
    const fs::path relative = pathFromText(layoutText);
    for (const fs::path& component : relative.relative_path()) {
        components.push_back(component.string());
    }
    return components;
}

fs::path layoutFolderOf(const fs::path& source, const char* layoutText) {
    if (source.empty()) {
        return appendText(source, layoutText);
    }
    fs::path folder = source;
    bool searching = true;
    for (const std::string& component : layoutComponents(layoutText)) {
        const fs::path exact = folder / component;
        error_code error;
        if (searching && !fs::is_directory(exact, error)) {
            const std::optional<fs::path> found = findIgnoringCase(folder, component);
            if (found) {
                folder = *found;
                continue;
            }
            // Below a missing folder nothing can be found.
            searching = false;
        }
        folder = exact;
    }
    return folder;
}

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

} // namespace

const char* sourceStatusText(SourceValidity validity) {
    switch (validity) {
    case Ok:
        return "Source folder: Ok!";
    case FolderMissing:
        return "Source folder: Folder does not exist.";
    case NotAFolder:
        return "Source folder: Folder is not a directory.";
    case PlaylistFolderMissing:
        return "Source folder: PlayList folder is missing.";
    case PlaylistFilesMissing:
        return "Source folder: PlayList folder does not contain the expected files.";
    case StreamFolderMissing:
        return "Source folder: Stream folder is missing.";
    case StreamFilesMissing:
        return "Source folder: Stream folder does not contain the expected files.";
    }
    throw std::invalid_argument("Unknown validity.");
}

fs::path playlistFolderOf(const fs::path& source) {
    return layoutFolderOf(source, playlistFolderText);
}

fs::path streamFolderOf(const fs::path& source) {
    return layoutFolderOf(source, streamFolderText);
}

SourceValidity checkSourceFolder(const fs::path& source) {
    error_code error;
    const fs::file_status sourceStatus = fs::status(source, error);
    if (!fs::exists(sourceStatus)) {
        return FolderMissing;
    }
    if (!fs::is_directory(sourceStatus)) {
        return NotAFolder;
    }
    const fs::path playlistFolder = playlistFolderOf(source);
    if (!pathExists(playlistFolder)) {
        return PlaylistFolderMissing;
    }
    if (!holdsMatchingFiles(playlistFolder, playlistExtension)) {
        return PlaylistFilesMissing;
    }
    const fs::path streamFolder = streamFolderOf(source);
    if (!pathExists(streamFolder)) {
        return StreamFolderMissing;
    }
    if (!holdsMatchingFiles(streamFolder, streamExtension)) {
        return StreamFilesMissing;
    }
    return Ok;
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
