// The main window as a user meets it, offscreen with the real forms: the list answers
// clicks, double clicks, right clicks, typed letters and dragged column borders; the
// caption follows every switch of the macro file; an empty list or category leaves
// nothing to act on; the window fits the screen; and the start's show command.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

#include "foundation/helper_programs.h"
#include "platform/paths.h"
#include "editor/explorer/forms/t_capture_keys.h"
#include "editor/explorer/main_win.h"
#include "editor/explorer/tools/small_dialogs.h"
#include "editor/explorer/tools/sort_order_dialog.h"
#include "editor/script/ui/do_scripting.h"
#include "foundation/settings.h"
#include "foundation/sync_record.h"
#include "macro/macro_file.h"
#include "platform/messages.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/editor/explorer/forms/main_win_fixture.h"
#include "widgets/draw_grid.h"
#include "widgets/page_control.h"
#include "tests/support/held_press.h"
#include "tests/support/scripted_file_chooser.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedFileChooser;
using testing::WhenModal;
using namespace std::chrono_literals;
using Notices = std::vector<std::pair<std::uint32_t, std::int32_t>>;

constexpr auto kHold = 80;  // ms a hand keeps a key or button down

void Click(QWidget* on, const QPoint& at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(on, button, {}, at);
    QTest::qWait(kHold);
    QTest::mouseRelease(on, button, {}, at);
}

void Type(QWidget* on, Qt::Key key, const QString& text = {}) {
    QTest::sendKeyEvent(QTest::KeyAction::Press, on, key, text, {});
    QTest::qWait(kHold);
    QTest::sendKeyEvent(QTest::KeyAction::Release, on, key, text, {});
}

class MainWinInput : public testing::MainWinFixture {
protected:
    void SetUp() override {
        SetUpSandbox("mwi");
        player = std::make_unique<win::MessageWindow>(
            platform.messages(), [this](std::uint32_t msg, std::uint32_t w, std::int32_t l) {
                if (msg == WM_PEER_UPDATE) notices.emplace_back(w, l);
                return 0;
            });
    }
    int Add(const char* nickname, int code) { return testing::AppendHotKeyMacro(file, nickname, code); }
    void Open() {
        window = std::make_unique<TMainWin>(
            platform, config, glob, std::vector<std::string>{"-PWV", "/RH" + std::to_string(player->hwnd())});
        window->show();
        QApplication::processEvents();
        notices.clear();
    }
    TMyDrawGrid* Grid() { return window->Grid(); }
    QPoint RowPoint(int row, int col = 3) {
        return Grid()->visualRect(Grid()->model()->index(row - Grid()->FixedRows(), col)).center();
    }
    QWidget* Title() { return Grid()->horizontalHeader()->viewport(); }
    QPoint TitlePoint(int col) {
        QHeaderView* h = Grid()->horizontalHeader();
        return {h->sectionViewportPosition(col) + h->sectionSize(col) / 2, h->height() / 2};
    }
    int RowOf(int n) { return window->Logic().ReverseSort(n); }
    Notices Received() {
        QApplication::processEvents();
        QApplication::processEvents();
        return notices;
    }
    QAction* MenuAction(const QString& prefix) {
        for (QAction* top : window->menuBar()->actions())
            if (top->menu())
                for (QAction* a : top->menu()->actions())
                    if (a->text().startsWith(prefix) && a->isVisible()) return a;
        return nullptr;
    }

    std::unique_ptr<win::MessageWindow> player;
    Notices notices;
};

TEST_F(MainWinInput, ClicksOnTheListSelectEnableAndOpenTheRowsMacro) {
    const int one = Add("First macro", 5);
    const int two = Add("Second macro", 6);
    Open();
    // A click on the selected row turns the commands on again and sets them for its macro.
    Click(Grid()->viewport(), RowPoint(RowOf(two)));
    EXPECT_EQ(window->Logic().SelectedMacro(), two);
    window->SetButtons(false);
    Click(Grid()->viewport(), RowPoint(RowOf(two)));
    EXPECT_TRUE(window->MenuItem(ExplorerAction::RemoveMacro)->isEnabled());
    EXPECT_TRUE(window->MenuItem(ExplorerAction::PlaceOnDesktop)->isEnabled());
    EXPECT_TRUE(window->SpeedButton(ExplorerAction::Recapture)->isEnabled());
    const int system = RowOf(CountMacroRecords(file) - 2);  // one of the five system macros
    ASSERT_GE(system, 1);
    Click(Grid()->viewport(), RowPoint(system));
    EXPECT_FALSE(window->MenuItem(ExplorerAction::RemoveMacro)->isEnabled());

    // A double click opens the scripting editor on the row's macro.
    std::string scripted;
    WhenModal<TDoScripting>([&](TDoScripting& d) {
        scripted = d.NickName->text().toStdString();
        d.CancelButton->click();
    });
    testing::HeldDoubleClick(Grid()->viewport(), RowPoint(RowOf(one)));
    EXPECT_EQ(scripted, "First macro");

    // A right click shows the row's quick information.
    std::string info;
    WhenModal<TQuickInfo>([&](TQuickInfo& d) {
        info = d.NickName->text().toStdString();
        d.reject();
    });
    Click(Grid()->viewport(), RowPoint(RowOf(two)), Qt::RightButton);
    EXPECT_EQ(info, "Second macro");
}

TEST_F(MainWinInput, RightClickOnTheTitleRowSortsByThatColumnKeepingTheSelection) {
    Add("zz last by name", 3);
    const int picked = Add("aa first by name", 90);
    config.PrimarySort = "123";
    config.SortHeader = false;
    Open();
    window->Logic().SelectRow(RowOf(picked));
    const std::vector<int> before = window->Logic().rowMacro();
    Click(Title(), TitlePoint(3), Qt::RightButton);
    EXPECT_EQ(window->Logic().rowMacro(), before) << "the header does not sort when the setting is off";
    EXPECT_TRUE(Received().empty());

    config.SortHeader = true;
    Click(Title(), TitlePoint(3), Qt::RightButton);
    EXPECT_EQ(config.PrimarySort.str(), "213");
    EXPECT_EQ(window->Logic().rowMacro().front(), picked);  // "AA FIRST BY NAME" leads
    EXPECT_EQ(window->Logic().SelectedMacro(), picked);
    EXPECT_EQ(Grid()->Row(), RowOf(picked));
    EXPECT_EQ(Received(), (Notices{{puSettingsMisc, 0}}));
    TConfigRecord saved;
    LoadAllSettings(saved, win::kDefaultScreenSize);
    EXPECT_EQ(saved.PrimarySort.str(), "213");
    // The same column again changes nothing and tells nobody.
    notices.clear();
    Click(Title(), TitlePoint(3), Qt::RightButton);
    EXPECT_TRUE(Received().empty());
}

TEST_F(MainWinInput, TypedLettersFindTheFirstMatchingActivationAndNavigationKeysStartOver) {
    // Codes of two Ctrl hot keys and one Alt hot key.
    int ctrl = -1, alt = -1;
    for (int code = 0; code <= kMaxHotKeyCode && (ctrl < 0 || alt < 0); ++code) {
        const std::string& name = HotKeyNames(code);
        if (ctrl < 0 && name.rfind("Ctrl+", 0) == 0 && name.find("Alt") == std::string::npos) ctrl = code;
        if (alt < 0 && name.rfind("Alt+", 0) == 0) alt = code;
    }
    ASSERT_GE(ctrl, 0);
    ASSERT_GE(alt, 0);
    const int altMacro = Add("alt", alt);
    const int ctrlMacro = Add("ctrl", ctrl);
    Open();
    Grid()->setFocus();
    window->Logic().SelectRow(RowOf(altMacro));
    Type(Grid(), Qt::Key_C, "c");
    Type(Grid(), Qt::Key_T, "t");
    EXPECT_EQ(window->SearchText(), "CT");
    EXPECT_EQ(window->Logic().SelectedMacro(), ctrlMacro);
    EXPECT_EQ(Grid()->Row(), RowOf(ctrlMacro));
    Type(Grid(), Qt::Key_Backspace, "\b");
    EXPECT_EQ(window->SearchText(), "C");
    Type(Grid(), Qt::Key_Escape, "\x1b");
    EXPECT_EQ(window->SearchText(), "");
    Type(Grid(), Qt::Key_A, "a");
    EXPECT_EQ(window->Logic().SelectedMacro(), altMacro);
    Type(Grid(), Qt::Key_Home);
    EXPECT_EQ(window->SearchText(), "");
    // Text that no row begins with moves nothing.
    Type(Grid(), Qt::Key_Q, "q");
    Type(Grid(), Qt::Key_Z, "z");
    EXPECT_EQ(window->Logic().SelectedMacro(), altMacro);
}

TEST_F(MainWinInput, ADraggedColumnBorderIsStoredAndThePlayerTold) {
    Open();
    QHeaderView* h = Grid()->horizontalHeader();
    const int from = h->sectionSize(3);
    const int edge = h->sectionViewportPosition(3) + from - 1;
    const int y = h->height() / 2;
    QTest::mousePress(Title(), Qt::LeftButton, {}, {edge, y});
    QTest::qWait(kHold);
    QTest::mouseMove(Title(), {edge + 20, y});
    QTest::mouseMove(Title(), {edge + 40, y});
    QTest::mouseRelease(Title(), Qt::LeftButton, {}, {edge + 40, y});
    EXPECT_EQ(h->sectionSize(3), from + 40);
    EXPECT_EQ(config.Col2Width, from + 40);
    EXPECT_EQ(Received(), (Notices{{puSettingsMainWindow, 0}}));
    TConfigRecord saved;
    LoadAllSettings(saved, win::kDefaultScreenSize);
    EXPECT_EQ(saved.Col2Width, from + 40);
}

TEST_F(MainWinInput, TheWizardPageTurnsTheMacroMenuItemsOffAndTheListPageBack) {
    const int mine = Add("mine", 5);
    Open();
    window->Logic().SelectRow(RowOf(mine));
    QTabBar* tabs = window->Pages()->tabBar();
    Click(tabs, tabs->tabRect(1).center());
    ASSERT_EQ(window->Pages()->currentIndex(), 1);
    for (ExplorerAction a :
         {ExplorerAction::Appearance, ExplorerAction::CopyMacro, ExplorerAction::QuickInfo,
          ExplorerAction::PlaceOnDesktop, ExplorerAction::SortMacros, ExplorerAction::ExportMacros})
        EXPECT_FALSE(window->MenuItem(a)->isEnabled()) << int(a);
    EXPECT_TRUE(window->MenuItem(ExplorerAction::AddMacro)->isEnabled());
    Click(tabs, tabs->tabRect(0).center());
    for (ExplorerAction a :
         {ExplorerAction::Appearance, ExplorerAction::CopyMacro, ExplorerAction::QuickInfo,
          ExplorerAction::PlaceOnDesktop, ExplorerAction::SortMacros, ExplorerAction::ExportMacros})
        EXPECT_TRUE(window->MenuItem(a)->isEnabled()) << int(a);
}

TEST_F(MainWinInput, TheCaptionNamesTheFileAfterNewOpenARecentFileAndThePlayersSwitch) {
    const std::string other = dir + "/Other.qtm";
    ASSERT_TRUE(CreateEmptyMacroFile(other).ok());
    Open();
    EXPECT_EQ(window->windowTitle(), "Tessaro Editor (work)");

    ScriptedFileChooser chooser({dir + "/Fresh.qtm", other});
    window->Run(ExplorerAction::NewFile);
    EXPECT_EQ(window->windowTitle(), "Tessaro Editor (Fresh)");
    window->Run(ExplorerAction::OpenFile);
    EXPECT_EQ(window->windowTitle(), "Tessaro Editor (Other)");
    ASSERT_EQ(chooser.asked.size(), 2u);
    EXPECT_EQ(chooser.asked[0].title, "New Tessaro File");
    EXPECT_TRUE(chooser.asked[0].save);
    EXPECT_EQ(chooser.asked[1].title, "Open Tessaro File");
    EXPECT_TRUE(chooser.asked[1].mustExist);
    EXPECT_EQ(chooser.asked[1].defaultSuffix, "QTM");

    QAction* recent = MenuAction("&1   ");
    ASSERT_NE(recent, nullptr);
    recent->trigger();
    EXPECT_EQ(window->windowTitle(), "Tessaro Editor (Fresh)");

    // The player switched files: the settings name the new current file.
    TConfigRecord player;
    LoadAllSettings(player, win::kDefaultScreenSize);
    player.RecentFiles[0] = file;
    SaveCurrentFileSetting(player);
    platform.messages().PostMessage(static_cast<win::HWND>(window->winId()), WM_PEER_UPDATE, puSchedule, 0);
    QApplication::processEvents();
    EXPECT_EQ(window->windowTitle(), "Tessaro Editor (work)");
}

TEST_F(MainWinInput, AnEmptyCategoryOrListLeavesNothingToActOn) {
    const int mine = Add("filed nowhere", 5);
    std::ofstream(dir + "/work.QTC") << "Empty one\r\n3\r\n";
    config.ShowCategory = true;
    Open();
    window->Logic().SelectRow(RowOf(mine));
    ASSERT_TRUE(window->MenuItem(ExplorerAction::RemoveMacro)->isEnabled());
    QListWidget* categories = window->CategoryList();
    ASSERT_EQ(categories->count(), 2);
    Click(categories->viewport(), categories->visualItemRect(categories->item(1)).center());
    ASSERT_TRUE(window->Logic().listEmpty());
    for (ExplorerAction a : {ExplorerAction::RemoveMacro, ExplorerAction::CopyMacro,
                             ExplorerAction::ScriptingEditor, ExplorerAction::QuickInfo})
        EXPECT_FALSE(window->MenuItem(a)->isEnabled()) << int(a);
    EXPECT_FALSE(window->SpeedButton(ExplorerAction::ActivateMacro)->isEnabled());
    EXPECT_FALSE(window->LargeButton(ExplorerAction::ModifyDirectly)->isEnabled());
    // Clicks on the empty list do nothing.
    Click(Grid()->viewport(), RowPoint(1), Qt::RightButton);
    testing::HeldDoubleClick(Grid()->viewport(), RowPoint(1));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    texts.clear();
    window->Run(ExplorerAction::OutputMacroInfo);
    EXPECT_EQ(texts, std::vector<std::string>{"No hot keys have been added yet.  Please add one first."});

    Click(categories->viewport(), categories->visualItemRect(categories->item(0)).center());
    EXPECT_FALSE(window->Logic().listEmpty());
    Click(Grid()->viewport(), RowPoint(RowOf(mine)));
    EXPECT_TRUE(window->MenuItem(ExplorerAction::RemoveMacro)->isEnabled());
}

TEST_F(MainWinInput, TheSortSpeedButtonKeepsTheSelectedMacro) {
    Add("zz", 3);
    const int picked = Add("aa", 90);
    config.PrimarySort = "123";
    Open();
    window->Logic().SelectRow(RowOf(picked));
    QAbstractButton* sort = window->SpeedButton(ExplorerAction::SortSpeed);
    ASSERT_NE(sort, nullptr);
    WhenModal<TSortOrder>([](TSortOrder& d) {
        d.Primary->setCurrentRow(1);  // the nickname first
        d.Move(d.Primary, -1);
        d.OkButtonClick();
    });
    Click(sort, sort->rect().center());
    EXPECT_EQ(config.PrimarySort.str().substr(0, 1), "2");
    EXPECT_EQ(window->Logic().SelectedMacro(), picked);
    EXPECT_EQ(Grid()->Row(), RowOf(picked));
}

TEST_F(MainWinInput, TheHomePageOpensThroughTheDesktopsOpener) {
    const std::string bin = dir + "/bin";
    fs::create_directories(bin);
    std::ofstream(bin + "/xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << dir << "/opened'\n";
    fs::permissions(bin + "/xdg-open", fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (bin + ":" + oldPath).c_str(), 1);
    Open();
    QAction* home = MenuAction("Tessaro &Home Page");
    ASSERT_NE(home, nullptr);
    home->trigger();
    std::string opened;
    for (int i = 0; i < 100 && opened.empty(); ++i) {
        std::this_thread::sleep_for(50ms);
        std::ifstream in(dir + "/opened");
        std::getline(in, opened);
    }
    ::setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(opened, HomePageAddress(win::ExecutableDirectory()));
}

// A cancelled recapture gives the network lock back once: by then another editor may hold it.
TEST_F(MainWinInput, ACancelledRecaptureReleasesTheLockOnce) {
    const int n = Add("recaptured", 5);
    config.NetworkMode = true;
    config.AutoSync = false;
    Open();
    window->Logic().SelectRow(RowOf(n));
    const std::string lockFile = file.substr(0, file.size() - 3) + "MAS";
    WhenModal<TCaptureKeys>([&](TCaptureKeys& d) {
        d.CancelButton->click();
        TSyncRecord other{};
        other.ChangeCount = 41;
        other.State = kSyncInUse;
        WriteSyncRecord(lockFile, other);  // the other editor takes the lock at once
    });
    window->Run(ExplorerAction::Recapture);
    TSyncRecord now{};
    ReadSyncRecord(lockFile, now);
    EXPECT_EQ(Unpacked(now.State), kSyncInUse);
    EXPECT_EQ(Unpacked(now.ChangeCount), 41);
}

}  // namespace
}  // namespace tessaro
