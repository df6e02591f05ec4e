// The editor's main window where the settings put it, under a real window manager on small
// and wide screens: its frame, title bar included, comes inside the work area, and what it
// saves on closing opens inside again.
#include <gtest/gtest.h>

#include <memory>

#include "editor/explorer/main_win.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "tests/e2e/windows/windows_desktop.h"

namespace tessaro::testing {
namespace {

void StoredBoundsComeInside(const std::string& size) {
    WindowsDesktop* desktop = WindowsDesktop::Get(size);
    if (!desktop) GTEST_SKIP() << "no desktop of " << size;
    const QRect screen = desktop->Screen();
    const std::string file = desktop->box().file("PLACE.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    struct Case {
        const char* what;
        QRect stored;
    } cases[] = {
        {"at the corner", {0, 0, 620, 460}},
        {"above the screen", {-40, -60, 620, 460}},
        {"at the bottom right", {screen.width() - 300, screen.height() - 200, 620, 460}},
        {"as large as the screen", {0, 0, screen.width(), screen.height()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TConfigRecord config;
        LoadAllSettings(config, desktop->SettingsScreen());
        config.FirstUse = false;
        config.RecentFiles[0] = file;
        config.MainLeft = c.stored.x();
        config.MainTop = c.stored.y();
        config.MainWidth = c.stored.width();
        config.MainHeight = c.stored.height();
        SaveAllSettings(config);
        for (int start = 0; start < 2; ++start) {
            TConfigRecord loaded;
            LoadAllSettings(loaded, desktop->SettingsScreen());
            auto glob = std::make_unique<TGlobData>();
            TMainWin editor(desktop->platform(), loaded, *glob, {});
            editor.show();
            EXPECT_EQ(desktop->FrameFault(editor), "") << "start " << start;
            editor.close();  // saves its bounds for the next start
        }
    }
}

TEST(EditorMainWindow, StoredBoundsComeInsideASmallScreen) { StoredBoundsComeInside("800x600"); }
TEST(EditorMainWindow, StoredBoundsComeInsideAWideScreen) { StoredBoundsComeInside("1280x800"); }

}  // namespace
}  // namespace tessaro::testing
