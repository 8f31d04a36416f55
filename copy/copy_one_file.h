#pragma once

#include "copy/copy_job_host.h"
#include "copy/file_transfer.h"
#include "copy/source_file.h"
#include "copy/target_folders.h"

#include <boost/filesystem/path.hpp>

namespace tandrel {

// How copyOneFile left one clip, for the job's report to its host.
struct CopySettlement {
    ClipOutcome outcome = ClipOutcome::Copied;
    std::optional<boost::filesystem::path> holder;
    // The user cancelled at the clash: nothing was copied and the job stops.
    bool cancelled = false;
};

// Copies one clip of a job (its stream file, or the parts of a recording) to
// `destination`, read back and compared when the host's options ask so. A
// name clash is settled by the host's content rule, by the choice remembered in the host's job
// state, or else by asking the host; the outcome is the copy, a copy under
// the keep-both name, a replaced file, nothing (the user's or the remembered
// choice, or the same bytes already there), or abortRequested set. Missing
// destination folders are made through `folders`, and nowhere else.
//
// File-system failures are boost::filesystem::filesystem_error (CopyFailure
// for the copy itself); a write-protected existing file is never replaced
// (permission denied, also for root) and stays as it was. Throws
// GeneralException "Invalid return value." for an answer that is no
// ConflictChoice, and OperationStopped when `progress` asks to stop, also
// before a question would be asked.
CopySettlement copyOneFile(const boost::filesystem::path& destination, CopyJobHost& host,
                           const ClipSource& source, TransferProgress& progress,
                           TargetFolders& folders);

} // namespace tandrel
