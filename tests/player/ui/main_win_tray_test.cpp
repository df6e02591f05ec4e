// The player's tray and popup chooser as the main window wires them, on the simulated
// desktop: icons from the macro file, the peer-update codes about them, the chooser of a
// popup-menu hot key and the refusals while a capture runs.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

#include "foundation/config_record.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "tests/support/sim_platform_test.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "player/engine/top_window_menu.h"
#include "player/schedule/scheduler.h"
#include "player/ui/do_a_menu.h"
#include "player/ui/main_win.h"
#include "player/ui/message_windows.h"
#include "protocol/glob_data.h"
#include "protocol/window_messages.h"
#include "tests/support/macro_fixtures.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

constexpr int kCtrlAltK = 154;

TMacroRecord Macro(const std::string& nickname, std::uint16_t scope, int code, const std::string& text) {
    TMacroRecord rec{};
    rec.Nickname = nickname;
    rec.Scope = scope;
    rec.ActivationCode = static_cast<std::uint16_t>(code);
    rec.Enabled = 1;
    SetMacroText(rec, text);
    return rec;
}

TMacroRecord Menu(const std::string& nickname, bool inTray, std::vector<std::uint16_t> items,
                  int code = acNone) {
    return testing::PopupMenuMacro(nickname, static_cast<std::uint16_t>(code), inTray, std::move(items));
}

class MainWinTray : public testing::SimPlatformTest {
protected:
    void SetUp() override {
        EnsureQtApplication();
        LoadAllSettings(*config, win::kDefaultScreenSize);
        config->RecentFiles[0] = dir.file("TESRO.QTM");
        ASSERT_TRUE(CreateEmptyMacroFile(path()).ok());
    }
    void TearDown() override { main.reset(); }
    std::string path() const { return config->RecentFiles[0].str(); }
    void Add(const TMacroRecord& rec) { ASSERT_TRUE(WriteMacroRecordAt(path(), -1, rec).ok()); }
    void Start() {
        main = TMainWin::Create(platform, *config, *glob, {"/EN"});
        ASSERT_NE(main, nullptr);
    }
    void Peer(std::uint32_t code, std::int32_t arg) {
        platform.messages().SendMessage(main->Handle(), WM_PEER_UPDATE, code, arg);
    }
    std::vector<int> IconIds() {
        std::vector<int> ids;
        for (const auto& icon : main->tray().menuIcons()) ids.push_back(icon->TaskIconID());
        return ids;
    }

    testing::TempDir dir;
    std::vector<std::string> boxes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        boxes.push_back(call.caption + ": " + call.text);
        return win::MbResult::Ok;
    }};
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    std::unique_ptr<TMainWin> main;
};

TEST_F(MainWinTray, SixteenPopupMacrosForTheTrayGiveFifteenIconsWithTheirNicknames) {
    Add(Macro("Plain", scGlobal, acNone, "x"));
    Add(Menu("Kept Out", false, {1}));
    for (int i = 1; i <= 16; ++i) Add(Menu("Menu " + std::to_string(i), true, {1}));
    Start();
    const std::vector<int> ids = IconIds();
    ASSERT_EQ(ids.size(), 15u);
    EXPECT_EQ(ids.front(), 3);
    EXPECT_EQ(ids.back(), 17);
    EXPECT_EQ(main->tray().menuIcons()[0]->ToolTip(), "Menu 1");
    for (const auto& icon : main->tray().menuIcons()) EXPECT_TRUE(icon->Active());
    EXPECT_EQ(main->mainIcon().TaskIconID(), 0);
}

TEST_F(MainWinTray, CodeFiveRebuildsTheIconsAndAReloadDoesToo) {
    Add(Macro("Plain", scGlobal, acNone, "x"));
    Add(Menu("Menu", true, {1}));
    Start();
    EXPECT_EQ(IconIds(), std::vector<int>{2});

    // The editor changes the menu to stay out of the tray, then announces both changes.
    TMacroRecord rec;
    ASSERT_TRUE(ReadMacroRecordAt(path(), 2, rec).ok());
    rec.Abbreviation = "N22";
    ASSERT_TRUE(WriteMacroRecordAt(path(), 2, rec).ok());
    Add(Menu("Second", true, {1}));
    Peer(puReloadAll, 0);  // a reload without the tray leaves the icons alone
    EXPECT_EQ(IconIds(), std::vector<int>{2});
    Peer(puTrayMenu, 0);
    EXPECT_EQ(IconIds(), std::vector<int>{8});  // after the five system macros

    rec.Abbreviation = "Y22";
    ASSERT_TRUE(WriteMacroRecordAt(path(), 2, rec).ok());
    Peer(puReloadAll, 1);
    EXPECT_EQ(IconIds(), (std::vector<int>{2, 8}));
}

TEST_F(MainWinTray, CodeNineShowsOrHidesTheMainIconAndIgnoresOtherValues) {
    config->UseTray = false;
    Start();
    EXPECT_FALSE(main->mainIcon().Active());
    Peer(puTrayIcon, 1);
    EXPECT_TRUE(main->mainIcon().Active());
    Peer(puTrayIcon, 2);
    EXPECT_TRUE(main->mainIcon().Active());
    Peer(puTrayIcon, 0);
    EXPECT_FALSE(main->mainIcon().Active());
    Peer(puTrayIcon, -1);
    EXPECT_FALSE(main->mainIcon().Active());
}

TEST_F(MainWinTray, CodeThreeRebuildsTheSchedules) {
    TMacroRecord timed = Macro("Every Minute", scGlobal, acScheduled, "x");
    timed.ScheduleType = 6;
    timed.IntervalMinutes = 1;
    Add(timed);
    Start();
    EXPECT_EQ(main->scheduler().table().entries.size(), 1u);
    // The editor disabled it (its trigger-table slot), then announces the schedules.
    glob->Enabled[1] = 0;
    EXPECT_EQ(main->scheduler().table().entries.size(), 1u);
    Peer(puSchedule, 0);
    EXPECT_TRUE(main->scheduler().table().entries.empty());
    EXPECT_FALSE(main->scheduler().timerActive());
}

TEST_F(MainWinTray, DuringACaptureTheTrayOpensNoMenuAndHotKeysWarn) {
    Add(Macro("Typing", scGlobal, kCtrlAltK, "x"));
    Start();
    glob->CaptureOn = 1;
    EXPECT_FALSE(main->CanDoMenu());
    main->tray().TaskIcon1RightClick(10, 10);
    EXPECT_EQ(main->tray().menusShown(), 0);
    glob->CaptureOn = 0;
    EXPECT_TRUE(main->CanDoMenu());
}

TEST_F(MainWinTray, APopupMenuHotKeyShowsTheChooserAndTheChosenMacroPlays) {
    Add(Macro("Waits For Me", scGlobal, acNone, "<PAUSE>"));
    Add(Macro("Other", scGlobal, acNone, "y"));
    Add(Menu("Chooser", false, {2, 1, 99}, kCtrlAltK));  // 99 is no macro: left out
    Start();

    int lines = -1;
    bool popupWhileShown = false;
    QString paused;
    QTimer::singleShot(50, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* chooser = qobject_cast<TDoAMenu*>(w);
            if (!chooser || !chooser->isVisible()) continue;
            lines = chooser->Script->rowCount();
            popupWhileShown = !main->CanDoMenu();
            QTimer::singleShot(50, [&] {
                for (QWidget* p : QApplication::topLevelWidgets())
                    if (auto* pause = qobject_cast<TPauseMacro*>(p); pause && pause->isVisible()) {
                        paused = pause->NicknameLabel->text();
                        pause->AbortButton->click();
                    }
            });
            chooser->FormKeyPress('1');
        }
    });
    platform.messages().SendMessage(main->Handle(), WM_HOTKEY_FIRED, kCtrlAltK, 0);
    EXPECT_EQ(lines, 2);
    EXPECT_TRUE(popupWhileShown);
    EXPECT_EQ(paused, "Waits For Me");
    EXPECT_TRUE(main->CanDoMenu());
}

TEST_F(MainWinTray, TheMenuOfTheTopWindowWarnsWhenNoMacroBelongsToIt) {
    TMacroRecord system = Macro("Menu of Macros for Top Most Window", scSystem, kCtrlAltK, "");
    system.ScopeText = "4";
    Add(system);
    TMacroRecord windowMacro = Macro("Scoped", scWindow, acNone, "x");
    windowMacro.ScopeText = "";  // belongs to no window
    Add(windowMacro);
    Start();
    QString warning;
    QTimer::singleShot(50, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<TOnTopMessage*>(w); box && box->isVisible()) {
                warning = box->MessageLabel->text();
                box->OkButton->click();
            }
    });
    platform.messages().SendMessage(main->Handle(), WM_HOTKEY_FIRED, kCtrlAltK, 0);
    EXPECT_EQ(warning.toStdString(), kNoTopWindowMacros);
}

}  // namespace
}  // namespace tessaro
