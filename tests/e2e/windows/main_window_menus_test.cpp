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

#include "editor/explorer/main_win.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "tests/e2e/windows/menu_letters.h"
#include "tests/e2e/windows/windows_desktop.h"

namespace tessaro::testing {
namespace {

std::unique_ptr<TMainWin> ShowEditor(WindowsDesktop& desktop, TConfigRecord& config, TGlobData& glob,
                                     const char* name) {
    LoadAllSettings(config, desktop.SettingsScreen());
    config.FirstUse = false;
    const std::string file = desktop.box().file(name);
    EXPECT_TRUE(CreateEmptyMacroFile(file).ok());
    config.RecentFiles[0] = file;
    auto editor = std::make_unique<TMainWin>(desktop.platform(), config, glob, std::vector<std::string>{});
    editor->show();
    EXPECT_TRUE(desktop.SettledFrame(*editor));
    return editor;
}

// Every menu of the bar and the bar itself (the macro-text editor, the script editor and the
// other windows with menus are looked at by the every-window walk).
TEST(EditorMainWindowMenus, NoTwoItemsOfAMenuTakeOneLetter) {
    WindowsDesktop* desktop = WindowsDesktop::Get("800x600");
    if (!desktop) GTEST_SKIP() << "no 800 x 600 desktop with a window manager";
    TConfigRecord config;
    TGlobData glob{};
    auto editor = ShowEditor(*desktop, config, glob, "MENUS.QTM");
    EXPECT_EQ(WindowMenuClashes(*editor), std::vector<std::string>{});
    EXPECT_GE(editor->menuBar()->actions().size(), 7);
}

TEST(EditorMainWindowMenus, TheCaptionsTimeMoves) {
    WindowsDesktop* desktop = WindowsDesktop::Get("800x600");
    if (!desktop) GTEST_SKIP() << "no 800 x 600 desktop with a window manager";
    TConfigRecord config;
    TGlobData glob{};
    auto editor = ShowEditor(*desktop, config, glob, "CLOCK.QTM");
    if (!config.ShowDate) editor->Run(ExplorerAction::ShowDate);  // as the user ticks it
    ASSERT_TRUE(config.ShowDate);
    const QString first = editor->windowTitle();
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor->windowTitle() != first; }, 3000))
        << "the caption still reads " << first.toStdString();
}

}  // namespace
}  // namespace tessaro::testing
