// The editor's main window as a user reads it: no two items of a menu take the same letter
// (a letter that two share only moves the highlight), and with "Show Date & Time" on the
// time in its caption keeps moving.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/windows/menu_letters.h"
#include "tests/e2e/windows/editor_on_desktop.h"

namespace tessaro::testing {
namespace {

using EditorMainWindowMenus = OnASmallDesktop;

// Every menu of the bar and the bar itself (the macro-text editor, the script editor and the
// other windows with menus are looked at by the every-window walk). None of them has more
// items than letters: the wizards come in groups.
TEST_F(EditorMainWindowMenus, NoTwoItemsOfAMenuTakeOneLetter) {
    EditorOnDesktop shown(*desktop, "MENUS.QTM");
    ASSERT_TRUE(shown.Show());
    EXPECT_EQ(WindowMenuClashes(shown.editor(), true), std::vector<std::string>{});
    EXPECT_GE(shown.editor().menuBar()->actions().size(), 7);
}

TEST_F(EditorMainWindowMenus, TheCaptionsTimeMoves) {
    EditorOnDesktop shown(*desktop, "CLOCK.QTM");
    shown.config.ShowDate = false;
    ASSERT_TRUE(shown.Show());
    TMainWin& editor = shown.editor();
    editor.Run(ExplorerAction::ShowDate);  // as the user ticks it
    ASSERT_TRUE(shown.config.ShowDate);
    const QString first = editor.windowTitle();
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor.windowTitle() != first; }, 3000))
        << "the caption still reads " << first.toStdString();
}

}  // namespace
}  // namespace tessaro::testing
