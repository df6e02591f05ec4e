// The editor's message boxes on an 800 x 600 screen under a real window manager: the longest
// question (the browser repair's, of thirteen lines) and a box with a long caption show their
// whole caption and every line whole, centred, with a dialog's frame.
#include <QAction>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "tests/e2e/windows/editor_on_desktop.h"
#include "tests/e2e/windows/window_walk.h"

namespace tessaro::testing {
namespace {

using EditorMessageBoxes = OnASmallDesktop;

TEST_F(EditorMessageBoxes, TheLongestCaptionAndTextAreWhole) {
    EditorOnDesktop shown(*desktop, "BOXES.QTM");
    shown.config.IE5Server = "";  // the fix not applied yet: it is offered
    ASSERT_TRUE(shown.Show());
    TMainWin& editor = shown.editor();

    WindowWalk walk(*desktop);
    std::vector<std::string> faults;
    int boxes = 0;
    const WindowWalk::Inside check = [&](QWidget& box, const std::string& path) {
        ++boxes;
        for (const std::string& f : BoxFaults(*desktop, box)) faults.push_back(path + ": " + f);
    };
    QAction* fix = editor.MenuItem(ExplorerAction::IE5Fix);
    ASSERT_NE(fix, nullptr);
    ASSERT_TRUE(fix->isEnabled());
    walk.Open(
        "Tools > Internet Explorer 5.0 Fix > Apply Fix", [fix] { fix->trigger(); }, check);
    // The caption the issue saw cut, on the editor's box of its own.
    walk.Open(
        "a long caption",
        [] {
            win::MessageBox("No recipients specified or no return address specified.",
                            "Macro Execution Error", win::MbButtons::Ok, win::MbIcon::Error);
        },
        check);
    EXPECT_EQ(boxes, 2);
    for (const std::string& f : faults) ADD_FAILURE() << f;
    for (const std::string& f : walk.Faults()) ADD_FAILURE() << f;
}

}  // namespace
}  // namespace tessaro::testing
