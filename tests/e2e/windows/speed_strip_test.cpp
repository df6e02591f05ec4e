// The speed-button strip on a screen 800 pixels wide: at the window's default width every
// button shows, a picture with its hint; in a narrower window the buttons that do not fit
// are behind its overflow button, and a hand that clicks it and then one of them runs that
// command.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "editor/explorer/main_win.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "tests/editor/explorer/forms/main_win_fixture.h"
#include "tests/e2e/windows/windows_desktop.h"

namespace tessaro::testing {
namespace {

// The editor with the speed strip, at `width`, on a file of one hot-key macro.
struct StripEditor {
    StripEditor(WindowsDesktop& desktop, const char* name, int width) : file(desktop.box().file(name)) {
        LoadAllSettings(config, desktop.SettingsScreen());
        config.FirstUse = false;
        config.UseSpeed = true;
        config.ShowCategory = false;
        EXPECT_TRUE(CreateEmptyMacroFile(file).ok());
        EXPECT_EQ(AppendHotKeyMacro(file, "Greeting", 5), 1);
        config.RecentFiles[0] = file;
        config.MainWidth = width;
        window = std::make_unique<TMainWin>(desktop.platform(), config, *glob, std::vector<std::string>{});
        window->show();
    }
    TMainWin& editor() { return *window; }

    TConfigRecord config;
    std::string file;
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    std::unique_ptr<TMainWin> window;
};

TEST(SpeedStripOnADesktop, AtTheDefaultWidthEveryCommandShowsAsAPicture) {
    WindowsDesktop* desktop = WindowsDesktop::Get("800x600");
    if (!desktop) GTEST_SKIP() << "no 800 x 600 desktop with a window manager";
    StripEditor shown(*desktop, "DEFAULT.QTM", 620);  // the width a new settings file gives
    TMainWin& editor = shown.editor();
    ASSERT_TRUE(desktop->SettledFrame(editor));
    EXPECT_EQ(editor.width(), 620);
    using A = ExplorerAction;
    const std::pair<A, const char*> commands[] = {
        {A::AddMacro, "Add Macro"},           {A::ModifyDirectly, "Modify Macro Directly"},
        {A::Recapture, "Recapture Macro"},    {A::RemoveMacro, "Delete Macro"},
        {A::CopyMacro, "Copy Macro"},         {A::ChangeActivation, "Change Macro Activation"},
        {A::ActivateMacro, "Activate Macro"}, {A::ScriptingEditor, "Modify Macro Using Scripting Editor"},
    };
    const QRect strip = editor.SpeedStrip()->rect();
    for (const auto& [action, hint] : commands) {
        SCOPED_TRACE(hint);
        QAbstractButton* b = editor.SpeedButton(action);
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(b->isVisible()) << "behind the overflow button";
        EXPECT_TRUE(strip.contains(b->geometry())) << "outside the strip";
        EXPECT_FALSE(b->icon().isNull()) << "no picture";
        // The activate button names what it will do for the selected macro.
        const std::string tip = b->toolTip().toStdString();
        if (action == A::ActivateMacro)
            EXPECT_TRUE(tip == hint || tip == "Deactivate Macro") << tip;
        else
            EXPECT_EQ(tip, hint);
        EXPECT_LT(b->width(), 2 * b->iconSize().width()) << "the hint is shown as text";
    }
    auto* more = editor.SpeedStrip()->findChild<QToolButton*>("qt_toolbar_ext_button");
    EXPECT_TRUE(!more || !more->isVisible());
}

TEST(SpeedStripOnADesktop, AHiddenButtonWorksFromTheOverflowMenu) {
    WindowsDesktop* desktop = WindowsDesktop::Get("800x600");
    if (!desktop) GTEST_SKIP() << "no 800 x 600 desktop with a window manager";
    StripEditor shown(*desktop, "STRIP.QTM", 560);
    TMainWin& editor = shown.editor();
    ASSERT_TRUE(desktop->SettledFrame(editor));
    const std::string& file = shown.file;
    // The macro's row (the system macros the file gets at its first load are listed too).
    const std::vector<int>& rows = editor.Logic().rowMacro();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i] == 1) editor.Logic().SelectRow(int(i) + 1);
    ASSERT_EQ(editor.Logic().SelectedMacro(), 1);
    // Pictures large enough that the strip is wider than the window (which is no narrower
    // than its menus).
    editor.SpeedStrip()->setIconSize(QSize(64, 64));
    QAbstractButton* activate = editor.SpeedButton(ExplorerAction::ActivateMacro);
    ASSERT_NE(activate, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !activate->isVisible(); }, 5000));
    ASSERT_NE(activate, nullptr);
    EXPECT_FALSE(activate->isVisible())
        << "the window, " << editor.width() << " wide, is too narrow for every button";
    auto* more = editor.SpeedStrip()->findChild<QToolButton*>("qt_toolbar_ext_button");
    ASSERT_NE(more, nullptr);
    ASSERT_TRUE(more->isVisible());

    // The hidden button's item, once the menu is up, is clicked by the same hand.
    std::jthread second;
    QStringList listed;
    QElapsedTimer clock;
    clock.start();
    std::optional<qint64> shownAt;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        if (clock.elapsed() > 8000) {
            menu->close();  // never left open: the menu's loop holds the test
            return;
        }
        if (second.joinable()) return;
        // The hand reaches for the item once the menu is on the screen.
        if (!menu->windowHandle() || !menu->windowHandle()->isExposed()) return;
        if (!shownAt) shownAt = clock.elapsed();
        if (clock.elapsed() - *shownAt < 200) return;
        listed.clear();
        for (QAction* a : menu->actions()) {
            listed << a->text();
            if (a->text() == "Activate Macro")
                second = desktop->ClickAt(menu->mapToGlobal(menu->actionGeometry(a).center()));
        }
    });
    watch.start(20);
    std::jthread first = desktop->ClickAt(more->mapToGlobal(more->rect().center()));
    const auto enabled = [&] {
        TMacroRecord now{};
        return ReadMacroRecordAt(file, 1, now).ok() ? int(now.Enabled) : -1;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return enabled() == 0; }, 10000)) << "the macro was not deactivated";
    EXPECT_TRUE(second.joinable()) << "the overflow menu did not open or did not list the button: "
                                   << listed.join(", ").toStdString();
    EXPECT_EQ(activate->toolTip().toStdString(), "Activate Macro");
}

}  // namespace
}  // namespace tessaro::testing
