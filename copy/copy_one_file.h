#pragma once

#include "copy/copy_job_host.h"
#include "copy/file_transfer.h"

#include <boost/filesystem/path.hpp>

// Copies one stream file of a job to `destination`. A name clash is settled
// by the choice remembered in the host's job state or else by asking the
// host; the outcome is the copy, a copy under the keep-both name, a replaced
// file, nothing (the user's or the remembered choice), or abortRequested set.
// Missing destination folders are created here and nowhere else.
//
// File-system failures are boost::filesystem::filesystem_error; a
// write-protected existing file is never replaced (permission denied, also
// for root) and stays as it was. Throws GeneralException "Invalid return
// value." for an answer that is no ConflictChoice, and TransferStopped when
// `progress` asks to stop.
void copyOneFile(const boost::filesystem::path& destination, CopyJobHost& host,
                 const boost::filesystem::path& source, TransferProgress& progress);
