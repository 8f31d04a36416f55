#pragma once

#include <QObject>

#include <csignal>
#include <memory>

class QSocketNotifier;

namespace tandrel {

// How the program meets the signals its session sends. SIGTERM and SIGHUP
// (log-out, a closed terminal) close every window as Cancel and the close
// box would: a running copy stops as after Cancel, removing its temporary
// file, the main dialog ends without saving, and the program exits
// normally. SIGXFSZ is ignored, so a copy that meets the file-size limit
// fails that file ("File too large") instead of killing the program.
//
// The handlers only write to a socket; the windows are closed on the UI
// thread when it reads it. One object at a time; it restores the previous
// handling when destroyed.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    TerminationSignals();
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void closeAllWindows();

    int sockets_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previousTerm_ {};
    struct sigaction previousHangUp_ {};
    struct sigaction previousFileSize_ {};
};

} // namespace tandrel
