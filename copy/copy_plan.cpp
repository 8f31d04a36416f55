#include "copy/copy_plan.h"

#include "metadata/errors.h"
#include "metadata/path_text.h"
#include "naming/path_validity.h"

#include <boost/filesystem/operations.hpp>

#include <optional>
#include <utility>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

// True when `target`, or the nearest folder above it that exists, is
// `folder` or lies inside it, through links and bind mounts alike.
bool liesInside(const fs::path& target, const fs::path& folder) {
    const std::optional<FileIdentity> folderIdentity = identityOf(folder);
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

PlannedCopy CopyPlanner::plan(const Recording& recording) const {
    PlannedCopy planned;
    for (const ClipRecord* part : recording.parts) {
        const std::string playlistName = part->streamFile.filename().string();
        const std::optional<fs::path> source = card_.streams.find(playlistName);
        if (!source && recording.parts.size() == 1) {
            throw InputDataMissingException("The file \"" +
                                            nativeText(card_.streamFolder() / playlistName) +
                                            "\" does not exist.");
        }
        // A missing part keeps the playlist's name; opening it fails the copy.
        planned.sources.push_back(source ? *source : card_.streamFolder() / playlistName);
    }
    // The copy carries the name the (first) file has on the card.
    ClipRecord onCard = *recording.parts.front();
    onCard.streamFile = planned.sources.front().filename();
    planned.streamName = onCard.streamFile.string();
    planned.destination = buildDestinationPath(targetText_, generateFolder_, folderMask_,
                                               renameFiles_, fileMask_, onCard);
    if (checkPathValidity(planned.destination) != PathValidity::Valid) {
        throw FileTransferException("The following filename is not valid:\n" +
                                    nativeText(planned.destination));
    }
    if (card_.holdsFile(planned.destination)) {
        throw FileTransferException("The file \"" + nativeText(planned.destination) +
                                    "\" is one of the card's own files.");
    }
    return planned;
}

} // namespace tandrel
