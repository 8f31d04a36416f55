#include "copy/copy_one_file.h"

#include "copy/keep_both_name.h"
#include "metadata/errors.h"
#include "naming/path_validity.h"

#include <boost/filesystem/exception.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/system/error_code.hpp>

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

} // namespace

void copyOneFile(const fs::path& destination, CopyJobHost& host, const fs::path& source,
                 TransferProgress& progress) {
    CopyJobState& state = host.jobState();
    fs::path target = destination;
    TransferMode mode = TransferMode::NoReplace;

    if (nameTaken(destination)) {
        const std::string existingText = nativeText(destination);
        const fs::path keepBoth = makeKeepBothName(existingText);
        bool repeat = false;
        std::int32_t choice = 0;
        if (!state.rememberReplace && !state.rememberDontCopy && !state.rememberKeepBoth &&
            !state.rememberSkip) {
            choice = host.askConflict(existingText, keepBoth.filename().string(), repeat);
        } else {
            repeat = true;
        }

        if (choice == CopyAndReplace || state.rememberReplace) {
            state.rememberReplace = state.rememberReplace || repeat;
            requireReplaceable(destination);
            mode = TransferMode::Replace;
        } else if (choice == DontCopy || state.rememberDontCopy) {
            state.rememberDontCopy = state.rememberDontCopy || repeat;
            return;
        } else if (choice == KeepBoth || state.rememberKeepBoth) {
            state.rememberKeepBoth = state.rememberKeepBoth || repeat;
            target = keepBoth;
        } else if (choice == Skip || state.rememberSkip) {
            state.rememberSkip = state.rememberSkip || repeat;
            return;
        } else if (choice == ConflictCancel) {
            state.abortRequested = true;
            return;
        } else {
            throw GeneralException("Invalid return value.");
        }
    }

    const fs::path folder = target.parent_path();
    if (!folder.empty() && !fs::exists(folder)) {
        fs::create_directories(folder);
    }
    transferFile(source, target, mode, progress);
    host.clipCopied(target.string());
}
