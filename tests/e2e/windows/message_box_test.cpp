// The editor's message boxes on an 800 x 600 screen under a real window manager: the longest
// question (the browser repair's, of thirteen lines) and a box with a long caption show their
// whole caption and every line whole, centred, with a dialog's frame.
#include <QAction>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/explorer/main_win.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "tests/e2e/windows/window_walk.h"

namespace tessaro::testing {
namespace {

TEST(EditorMessageBoxes, TheLongestCaptionAndTextAreWhole) {
    WindowsDesktop* desktop = WindowsDesktop::Get("800x600");
    if (!desktop) GTEST_SKIP() << "no 800 x 600 desktop with a window manager";
    TConfigRecord config;
    LoadAllSettings(config, desktop->SettingsScreen());
    config.FirstUse = false;
    config.IE5Server = "";
    const std::string file = desktop->box().file("BOXES.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    config.RecentFiles[0] = file;
    auto glob = std::make_unique<TGlobData>();
    TMainWin editor(desktop->platform(), config, *glob, {});
    editor.show();
    ASSERT_TRUE(desktop->SettledFrame(editor));

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
