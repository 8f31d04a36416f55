#include "app/termination_signals.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace tandrel {

namespace {

// Written by the signal handler, read on the UI thread.
int signalWriteEnd = -1;

void onTerminationSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    // A full socket already holds a wake-up; nothing more is needed.
    [[maybe_unused]] const ssize_t written = write(signalWriteEnd, &byte, 1);
    errno = savedErrno;
}

void install(int signal, void (*handler)(int), struct sigaction& previous) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, &previous);
}

} // namespace

TerminationSignals::TerminationSignals() {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets_) != 0) {
        throw std::system_error(errno, std::generic_category(), "socketpair");
    }
    signalWriteEnd = sockets_[0];
    notifier_ = std::make_unique<QSocketNotifier>(sockets_[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (read(sockets_[1], bytes, sizeof bytes) > 0) {
        }
        closeAllWindows();
    });
    install(SIGTERM, onTerminationSignal, previousTerm_);
    install(SIGHUP, onTerminationSignal, previousHangUp_);
    install(SIGXFSZ, SIG_IGN, previousFileSize_);
}

TerminationSignals::~TerminationSignals() {
    sigaction(SIGTERM, &previousTerm_, nullptr);
    sigaction(SIGHUP, &previousHangUp_, nullptr);
    sigaction(SIGXFSZ, &previousFileSize_, nullptr);
    notifier_.reset();
    signalWriteEnd = -1;
    close(sockets_[0]);
    close(sockets_[1]);
}

void TerminationSignals::closeAllWindows() {
    // Innermost first: a modal dialog runs its loop above its owner's. One
    // that refuses (a progress dialog whose job is already ending) is left
    // to end by itself.
    QWidget* tried = nullptr;
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == tried) {
            break;
        }
        tried = modal;
        modal->close();
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            window->close();
        }
    }
}

} // namespace tandrel
