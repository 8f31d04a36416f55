#include "copy/gui/ui_thread_call.h"

#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace tandrel {

UiThreadCaller::UiThreadCaller()
    : uiThread_(std::this_thread::get_id()),
      wakeDescriptor_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (wakeDescriptor_ < 0) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
    notifier_ = std::make_unique<QSocketNotifier>(wakeDescriptor_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { runRequests(); });
}

UiThreadCaller::~UiThreadCaller() {
    notifier_.reset();
    close(wakeDescriptor_);
    for (Request* request : requests_) {
        if (request->function == &request->owned) {
            delete request;
        }
    }
}

void UiThreadCaller::call(const std::function<void()>& function) {
    if (std::this_thread::get_id() == uiThread_) {
        function();
        return;
    }
    Request request;
    request.function = &function;
    std::unique_lock lock(mutex_);
    queue(&request);
    finished_.wait(lock, [&request] { return request.done; });
    if (request.failure) {
        std::rethrow_exception(request.failure);
    }
}

void UiThreadCaller::post(std::function<void()> function) {
    auto request = std::make_unique<Request>();
    request->owned = std::move(function);
    request->function = &request->owned;
    std::lock_guard lock(mutex_);
    queue(request.release());
}

void UiThreadCaller::queue(Request* request) {
    requests_.push_back(request);
    const std::uint64_t one = 1;
    // The counter only wakes the UI thread; it stays readable however many
    // requests are waiting, so the result needs no check.
    [[maybe_unused]] const ssize_t written = write(wakeDescriptor_, &one, sizeof one);
}

void UiThreadCaller::runRequests() {
    std::uint64_t count = 0;
    // Emptied first: a call may open a modal dialog whose event loop has to
    // be woken by the next request.
    [[maybe_unused]] const ssize_t drained = read(wakeDescriptor_, &count, sizeof count);
    for (;;) {
        Request* request = nullptr;
        {
            std::lock_guard lock(mutex_);
            if (requests_.empty()) {
                return;
            }
            request = requests_.front();
            requests_.pop_front();
        }
        std::exception_ptr failure;
        try {
            (*request->function)();
        } catch (...) {
            failure = std::current_exception();
        }
        if (request->function == &request->owned) {
            // Nobody waits for a posted call, so a failure of one has no
            // one to go to; the program's posted calls do not throw.
            delete request;
            continue;
        }
        std::lock_guard lock(mutex_);
        // Moved, not copied: the worker alone then holds the exception and
        // frees it, so nothing of it is touched here after the hand-over.
        request->failure = std::move(failure);
        request->done = true;
        finished_.notify_all();
    }
}

} // namespace tandrel
