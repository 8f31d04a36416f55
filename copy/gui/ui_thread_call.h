#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QSocketNotifier;

namespace tandrel {

// Lets a worker thread run calls on the thread that constructed this object
// (the UI thread) and wait for them: a worker's "send". A call made on that
// thread itself runs at once. An exception thrown by the call is rethrown
// on the caller's thread instead of unwinding through the event loop.
//
// Requests are handed over under a standard mutex and the UI thread is woken
// through an event descriptor, not through Qt's queued calls: no object is
// allocated on one thread and freed on the other, and thread checkers, which
// cannot see into Qt's own synchronisation, see every hand-over.
//
// The UI thread must keep processing events while a worker waits, and the
// object must outlive every call made through it.
class UiThreadCaller {
public:
    UiThreadCaller();
    ~UiThreadCaller();
    UiThreadCaller(const UiThreadCaller&) = delete;
    UiThreadCaller& operator=(const UiThreadCaller&) = delete;

    void call(const std::function<void()>& function);
    // Queues `function` to run on the UI thread and returns at once: a
    // worker's "post". Posted and sent calls run in the order they came.
    void post(std::function<void()> function);

private:
    struct Request {
        // A posted request owns its function and is freed once it has run;
        // a sent one points to the caller's and is waited for.
        std::function<void()> owned;
        const std::function<void()>* function = nullptr;
        std::exception_ptr failure;
        bool done = false;
    };

    void queue(Request* request);

    void runRequests();

    std::thread::id uiThread_;
    int wakeDescriptor_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::mutex mutex_;
    std::condition_variable finished_;
    std::deque<Request*> requests_;
};

} // namespace tandrel
