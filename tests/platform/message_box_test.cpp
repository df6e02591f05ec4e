#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <vector>

TEST(MessageBox, ScopedHandlerAnswersRecordsAndRestores) {
    std::vector<win::MessageBoxCall> seen;
    {
        win::ScopedMessageBoxHandler outer([&](const win::MessageBoxCall& c) {
            seen.push_back(c);
            return win::MbResult::No;
        });
        {
            win::ScopedMessageBoxHandler inner([](const win::MessageBoxCall&) { return win::MbResult::Yes; });
            EXPECT_EQ(win::MessageBox("q", "Confirm", win::MbButtons::YesNo), win::MbResult::Yes);
        }
        EXPECT_EQ(win::MessageBox("Cannot write", "Error", win::MbButtons::YesNo, win::MbIcon::Error),
                  win::MbResult::No);
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Error");
    EXPECT_EQ(seen[0].text, "Cannot write");
    EXPECT_EQ(seen[0].icon, win::MbIcon::Error);
    // Without a GUI application the default handler answers with the first button.
    EXPECT_EQ(win::MessageBox("x", "y", win::MbButtons::YesNo), win::MbResult::Yes);
}
