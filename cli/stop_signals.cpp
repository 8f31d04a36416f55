#include "cli/stop_signals.h"

#include <array>
#include <csignal>

namespace tandrel {

namespace {

constexpr std::array<int, 4> stopSignals{SIGINT, SIGTERM, SIGHUP, SIGQUIT};

std::atomic<bool> stopFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the stop flag is set in a signal handler");

extern "C" void requestStop(int) {
    stopFlag.store(true);
}

} // namespace

const std::atomic<bool>& stopRequestedBySignal() {
    return stopFlag;
}

void installStopSignals() {
    stopFlag.store(false);
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a question waiting for an answer returns at once.
    action.sa_flags = 0;
    for (const int signal : stopSignals) {
        sigaction(signal, &action, nullptr);
    }
    std::signal(SIGXFSZ, SIG_IGN);
}

sigset_t stopSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : stopSignals) {
        sigaddset(&set, signal);
    }
    return set;
}

} // namespace tandrel
