#pragma once

#include <atomic>

#include <signal.h>

namespace tandrel {

// The flag the stop signals set: Ctrl+C (SIGINT), SIGTERM, SIGQUIT, and
// SIGHUP from a closed terminal or a dropped SSH session. A copy stops
// cleanly on any of them, so no temporary file is left behind.
const std::atomic<bool>& stopRequestedBySignal();

// Clears the flag and lets the stop signals set it. A file-size limit then
// fails the write with EFBIG, which the job reports, instead of killing the
// process with a temporary file left.
void installStopSignals();

// The set of the stop signals, for blocking them around a wait.
sigset_t stopSignalSet();

} // namespace tandrel
