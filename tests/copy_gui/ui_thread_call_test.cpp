#include "copy/gui/ui_thread_call.h"

#include <gtest/gtest.h>

#include <QEventLoop>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tandrel {

namespace {

TEST(UiThreadCaller, RunsSentAndPostedCallsOnTheUiThreadInOrder) {
    UiThreadCaller caller;
    const std::thread::id uiThread = std::this_thread::get_id();
    std::vector<std::string> order;
    bool allOnUiThread = true;
    auto note = [&](const std::string& what) {
        allOnUiThread = allOnUiThread && std::this_thread::get_id() == uiThread;
        order.push_back(what);
    };

    QEventLoop loop;
    std::string caught;
    std::thread worker([&] {
        caller.post([&] { note("posted first"); });
        caller.call([&] { note("sent"); });
        try {
            caller.call([] { throw std::runtime_error("failed on the UI thread"); });
        } catch (const std::runtime_error& error) {
            caught = error.what();
        }
        caller.post([&] { note("posted last"); });
        caller.post([&loop] { loop.quit(); });
    });
    loop.exec();
    worker.join();

    EXPECT_TRUE(allOnUiThread);
    EXPECT_EQ(order, (std::vector<std::string>{"posted first", "sent", "posted last"}));
    EXPECT_EQ(caught, "failed on the UI thread");

    // On the UI thread itself a call runs at once.
    bool ran = false;
    caller.call([&ran] { ran = true; });
    EXPECT_TRUE(ran);
}

} // namespace

} // namespace tandrel
