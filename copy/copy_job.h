#pragma once

#include "copy/copy_job_host.h"

#include <chrono>

namespace tandrel {

// Copies every clip of the card named by the host's saved source folder into
// the target folder under the names the masks give, reporting to `reporter`
// and asking `host` what to do about clashes and failures. Ends in exactly
// one of: "Done!" at 100 (followed by `donePause` on the calling thread),
// a stop ("Terminating..", no message: the user's Cancel, the stop flag, or
// Cancel at a skip prompt), or a failure ("Terminating.." and one fatal
// message through the host). Cancel is disabled at every end. Copies made
// before a stop or failure stay; no half-copied file is ever left behind.
//
// Runs on a worker thread; everything it needs of the user interface goes
// through `reporter` and `host`.
void runCopyJob(ProgressReporter& reporter, CopyJobHost& host,
                std::chrono::milliseconds donePause = std::chrono::milliseconds(500));

} // namespace tandrel
