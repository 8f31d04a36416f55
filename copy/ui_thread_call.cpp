#include "copy/ui_thread_call.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <condition_variable>
#include <exception>
#include <mutex>

namespace {

struct PendingCall {
    const std::function<void()>* call = nullptr;
    std::exception_ptr failure;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
};

void runPending(PendingCall* pending) {
    const std::function<void()>* call = nullptr;
    {
        std::lock_guard lock(pending->mutex);
        call = pending->call;
    }
    std::exception_ptr failure;
    try {
        (*call)();
    } catch (...) {
        failure = std::current_exception();
    }
    {
        std::lock_guard lock(pending->mutex);
        pending->failure = failure;
        pending->done = true;
        // Notified under the lock: the caller may return and destroy the
        // block as soon as it sees `done`.
        pending->finished.notify_one();
    }
}

} // namespace

void callOnThreadOf(QObject* context, const std::function<void()>& call) {
    if (context->thread() == QThread::currentThread()) {
        call();
        return;
    }
    PendingCall pending;
    {
        std::lock_guard lock(pending.mutex);
        pending.call = &call;
    }
    PendingCall* target = &pending;
    const bool queued = QMetaObject::invokeMethod(
        context, [target] { runPending(target); }, Qt::QueuedConnection);
    if (!queued) {
        return;
    }
    std::unique_lock lock(pending.mutex);
    pending.finished.wait(lock, [&pending] { return pending.done; });
    if (pending.failure) {
        std::rethrow_exception(pending.failure);
    }
}
