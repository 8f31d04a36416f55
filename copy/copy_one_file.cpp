#include "copy/copy_one_file.h"

#include "copy/keep_both_name.h"
#include "copy/same_content.h"
#include "metadata/errors.h"
#include "naming/path_validity.h"

#include <boost/filesystem/exception.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/system/error_code.hpp>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

// Replacing removes the old file only by renaming the finished copy over it,
// so what would make a removal fail has to be checked first: a file without
// any write permission bit counts as read-only and a folder cannot be
// replaced by a file.
void requireReplaceable(const fs::path& existing) {
    namespace errc = boost::system::errc;
    const fs::file_status status = fs::symlink_status(existing);
    if (fs::is_directory(status)) {
        throw fs::filesystem_error("tandrel: replace file", existing,
                                   errc::make_error_code(errc::is_a_directory));
    }
    const fs::perms writeBits = fs::owner_write | fs::group_write | fs::others_write;
    if (fs::is_regular_file(status) && (status.permissions() & writeBits) == fs::no_perms) {
        throw fs::filesystem_error("tandrel: replace file", existing,
                                   errc::make_error_code(errc::permission_denied));
    }
}

// Where a clash is settled.
struct ClashDecision {
    fs::path target;
    TransferMode mode = TransferMode::NoReplace;
    ClipOutcome outcome = ClipOutcome::Copied;
    bool copy = true;
    std::optional<fs::path> holder;
    bool cancelled = false;
};

ClashDecision settleByContent(const fs::path& destination, const ClipSource& source) {
    if (std::optional<fs::path> same = findSameContent(source, destination)) {
        ClashDecision decision;
        decision.target = *same;
        decision.outcome = ClipOutcome::AlreadyThere;
        decision.copy = false;
        decision.holder = same;
        return decision;
    }
    ClashDecision decision;
    decision.target = makeKeepBothName(destination.string());
    decision.outcome = ClipOutcome::KeptBoth;
    return decision;
}

ClashDecision settleByChoice(const fs::path& destination, CopyJobHost& host,
                             const ClipSource& source, const TransferProgress& progress,
                             const JobOptions& options) {
    CopyJobState& state = host.jobState();
    const std::string existingText = nativeText(destination);
    const fs::path keepBoth = makeKeepBothName(existingText);
    bool repeat = false;
    ConflictChoice choice{};
    if (!state.rememberReplace && !state.rememberDontCopy && !state.rememberKeepBoth &&
        !state.rememberSkip) {
        // A stop is final: no question after it.
        if (progress.stopRequested()) {
            throw OperationStopped();
        }
        choice = host.askConflict(existingText, keepBoth.filename().string(), repeat);
    } else {
        repeat = true;
    }

    ClashDecision decision;
    decision.target = destination;
    // Don't Copy and Skip leave the file alike; they differ only in the
    // choice they remember.
    const auto leaveOut = [&] {
        decision.copy = false;
        decision.outcome = ClipOutcome::LeftOut;
        if (options.compareLeftOutClips) {
            decision.holder = findSameContent(source, destination);
        }
    };
    if (choice == ConflictChoice::CopyAndReplace || state.rememberReplace) {
        state.rememberReplace = state.rememberReplace || repeat;
        requireReplaceable(destination);
        decision.mode = TransferMode::Replace;
        decision.outcome = ClipOutcome::Replaced;
    } else if (choice == ConflictChoice::DontCopy || state.rememberDontCopy) {
        state.rememberDontCopy = state.rememberDontCopy || repeat;
        leaveOut();
    } else if (choice == ConflictChoice::KeepBoth || state.rememberKeepBoth) {
        state.rememberKeepBoth = state.rememberKeepBoth || repeat;
        decision.target = keepBoth;
        decision.outcome = ClipOutcome::KeptBoth;
    } else if (choice == ConflictChoice::Skip || state.rememberSkip) {
        state.rememberSkip = state.rememberSkip || repeat;
        leaveOut();
    } else if (choice == ConflictChoice::Cancel) {
        state.abortRequested = true;
        decision.copy = false;
        decision.cancelled = true;
    } else {
        throw GeneralException("Invalid return value.");
    }
    return decision;
}

} // namespace

CopySettlement copyOneFile(const fs::path& destination, CopyJobHost& host, const ClipSource& source,
                           TransferProgress& progress, TargetFolders& folders) {
    const JobOptions options = host.jobOptions();
    ClashDecision decision;
    decision.target = destination;
    if (nameTaken(destination)) {
        decision = options.settleClashesByContent
                       ? settleByContent(destination, source)
                       : settleByChoice(destination, host, source, progress, options);
    }
    if (decision.copy) {
        const fs::path folder = decision.target.parent_path();
        folders.prepare(folder);
        transferFile(source, decision.target, decision.mode, progress, options.verifyCopies);
        folders.received(folder, source.path());
        decision.holder = decision.target;
    }
    return {decision.outcome, decision.holder, decision.cancelled};
}

} // namespace tandrel
