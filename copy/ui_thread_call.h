#pragma once

#include <functional>

class QObject;

// Runs `call` on the thread of `context` and returns when it has run: the
// worker thread's way of asking the UI thread to do something and waiting
// for the answer. An exception thrown by `call` is rethrown here, on the
// caller's thread, instead of unwinding through the UI thread's event loop.
// Called on that thread itself, it runs `call` at once. The hand-over is
// waited for with a standard mutex and condition variable rather than Qt's
// blocking connection, so thread checkers see the synchronisation.
// `context` must outlive the call and its thread must keep processing events.
void callOnThreadOf(QObject* context, const std::function<void()>& call);
