#include "copy/copy_plan.h"

#include "metadata/errors.h"
#include "metadata/path_text.h"
#include "naming/path_validity.h"

#include <boost/filesystem/operations.hpp>

#include <optional>
#include <utility>

#include <sys/stat.h>

namespace fs = boost::filesystem;

namespace {

std::optional<StreamFolder::FileIdentity> identityOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return StreamFolder::FileIdentity{status.st_dev, status.st_ino};
}

// True when `target`, or the nearest folder above it that exists, is
// `folder` or lies inside it, through links and bind mounts alike.
bool liesInside(const fs::path& target, const fs::path& folder) {
    const std::optional<StreamFolder::FileIdentity> folderIdentity = identityOf(folder);
    if (!folderIdentity || !target.is_absolute()) {
        return false;
    }
    fs::path existing = target;
    boost::system::error_code error;
    while (!existing.empty() && !fs::exists(existing, error)) {
        existing = existing.parent_path();
    }
    const fs::path resolved = fs::canonical(existing, error);
    for (fs::path above = error ? existing : resolved; !above.empty();
         above = above.parent_path()) {
        if (identityOf(above) == folderIdentity) {
            return true;
        }
        if (above == above.root_path()) {
            break;
        }
    }
    return false;
}

} // namespace

CopyPlanner::CopyPlanner(const CardSource& card, std::string targetText, bool generateFolder,
                         NameMask folderMask, bool renameFiles, NameMask fileMask)
    : card_(card), targetText_(std::move(targetText)), generateFolder_(generateFolder),
      folderMask_(std::move(folderMask)), renameFiles_(renameFiles),
      fileMask_(std::move(fileMask)) {
    const fs::path target = lexicallyNormal(pathFromText(targetText_));
    if (liesInside(target, card_.contentFolder())) {
        throw FileTransferException("The target folder \"" + nativeText(target) +
                                    "\" lies inside the card's folder \"" +
                                    nativeText(card_.contentFolder()) +
                                    "\", where copies could overwrite the card's own files.");
    }
}

PlannedClip CopyPlanner::plan(const ClipRecord& clip) const {
    const std::string playlistName = clip.streamFile.filename().string();
    const std::optional<fs::path> source = card_.streams.find(playlistName);
    if (!source) {
        throw InputDataMissingException(
            "The file \"" + nativeText(card_.streamFolder() / playlistName) + "\" does not exist.");
    }
    // The copy carries the name the file has on the card.
    ClipRecord onCard = clip;
    onCard.streamFile = source->filename();
    const fs::path destination = buildDestinationPath(targetText_, generateFolder_, folderMask_,
                                                      renameFiles_, fileMask_, onCard);
    if (checkPathValidity(destination) != Valid) {
        throw FileTransferException("The following filename is not valid:\n" +
                                    nativeText(destination));
    }
    if (card_.holdsFile(destination)) {
        throw FileTransferException("The file \"" + nativeText(destination) +
                                    "\" is one of the card's own files.");
    }
    return PlannedClip{onCard.streamFile.string(), *source, destination};
}
