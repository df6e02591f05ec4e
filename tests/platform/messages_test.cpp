#include "platform/messages.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/sim_messages.h"

namespace win {
namespace {

struct Got {
    std::uint32_t msg, w;
    std::int32_t l;
    bool operator==(const Got&) const = default;
};

class SimMessages : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "messages_test";
            static char* argv[] = {name, nullptr};
            static QCoreApplication app(argc, argv);
        }
    }
    sim::SimMessages messages;
};

TEST_F(SimMessages, PostedMessagesArriveInOrderFromTheEventLoop) {
    std::vector<Got> got;
    MessageWindow window(messages, [&](std::uint32_t m, std::uint32_t w, std::int32_t l) {
        got.push_back({m, w, l});
        return 0;
    });
    EXPECT_TRUE(messages.PostMessage(window.hwnd(), 1026, 7, -5));
    EXPECT_TRUE(messages.PostMessage(window.hwnd(), 1027, 8, 65));
    EXPECT_TRUE(got.empty());  // queued, not called on the spot
    QCoreApplication::processEvents();
    EXPECT_EQ(got, (std::vector<Got>{{1026, 7, -5}, {1027, 8, 65}}));
}

TEST_F(SimMessages, SendRunsTheHandlerAndReturnsItsResult) {
    MessageWindow window(messages, [](std::uint32_t m, std::uint32_t w, std::int32_t) {
        return static_cast<std::int32_t>(m + w);
    });
    EXPECT_EQ(messages.SendMessage(window.hwnd(), 1000, 35, 0), 1035);
}

TEST_F(SimMessages, GoneOrUnknownWindowsGetNothing) {
    int calls = 0;
    HWND hwnd;
    {
        MessageWindow window(messages, [&](std::uint32_t, std::uint32_t, std::int32_t) { return ++calls; });
        hwnd = window.hwnd();
        EXPECT_TRUE(messages.PostMessage(hwnd, 1, 0, 0));
    }  // destroyed with a message still queued
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(messages.PostMessage(hwnd, 1, 0, 0));
    EXPECT_FALSE(messages.PostMessage(0, 1, 0, 0));
    EXPECT_EQ(messages.SendMessage(hwnd, 1, 0, 0), 0);
}

TEST_F(SimMessages, RegisteredMessagesAreStablePerName) {
    const std::uint32_t a = messages.RegisterWindowMessage("tesrun");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(messages.RegisterWindowMessage("tesrun"), a);
    EXPECT_NE(messages.RegisterWindowMessage("other"), a);
    EXPECT_EQ(messages.RegisterWindowMessage(""), 0u);
}

}  // namespace
}  // namespace win
