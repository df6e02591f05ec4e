// The explorer's main window offscreen: start-up arguments, caption, layout by the
// settings, companion files, hook repair, the notices to the player, the script editor, close.
#include "editor/explorer/main_win.h"
#include "editor/explorer/editor_player_link.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "editor/explorer/quick_wizard_table.h"
#include "editor/explorer/tools/appearance_dialog.h"
#include "editor/commands/address_dialogs.h"
#include "editor/commands/reboot_dialogs.h"
#include "editor/script/ui/do_scripting.h"
#include "foundation/helper_programs.h"
#include "tests/editor/explorer/forms/main_win_fixture.h"
#include "tests/support/held_press.h"
#include "foundation/settings.h"
#include "hook/master_block.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/sim/sim_screen_saver.h"
#include "protocol/window_messages.h"
#include "tests/support/modal_window.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"
#include "tests/support/visible_form.h"
#include "widgets/page_control.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using testing::WhenModal;
using Notices = testing::PlayerNotices;

TEST(ProcessParam, TakesThePlayerWindowFromTheSwitchInAnyCase) {
    struct Case {
        const char* arg;
        win::HWND before;
        win::HWND after;
    } cases[] = {
        {"/rh1234", 7, 1234}, {"/RH77", 0, 77}, {"/Rh4294967295", 0, 4294967295u},
        {"/RH", 7, 7},        {"/RHabc", 7, 0}, {"/RH12x", 7, 0},
        {"-PWV", 7, 7},       {"RH55", 7, 7},   {"/RH99999999999", 7, 0},
    };
    for (const Case& c : cases) {
        win::HWND w = c.before;
        ProcessParam(c.arg, w);
        EXPECT_EQ(w, c.after) << c.arg;
    }
}

TEST(EditorCaption, NamesTheFileAndShowsDateAndTimeOnlyWhenAsked) {
    const QDateTime at(QDate(2026, 3, 4), QTime(15, 6));
    EXPECT_EQ(EditorCaption("WORK", false, at), "Tessaro Editor (WORK)");
    const QLocale l = QLocale::system();
    EXPECT_EQ(EditorCaption("WORK", true, at), "Tessaro Editor (WORK)     " +
                                                   l.toString(at.date(), QLocale::ShortFormat) + "  " +
                                                   l.toString(at.time(), QLocale::ShortFormat));
    EXPECT_EQ(FileLabelOf("/home/u/My Macros.QTM"), "My Macros");
    EXPECT_EQ(FileLabelOf("x"), "");
}

class MainWindow : public testing::MainWinWithPlayer {
protected:
    void SetUp() override {
        hook::DetachMaster();
        SetUpFolder("mw");
    }
    void TearDown() override {
        for (const std::string& text : boxTexts_) ADD_FAILURE() << text;
        scriptBoxes_.reset();
        hook::DetachMaster();
        sandbox_.reset();
    }
    std::unique_ptr<TMainWin> Open() {
        auto w = std::make_unique<TMainWin>(
            platform, config_, glob_,
            std::vector<std::string>{"-PWV", "/RH" + std::to_string(player_->hwnd())});
        return w;
    }
    void AddMacro(const char* nickname, int code, bool enabled = true) {
        AddScriptMacro(nickname, code, 1, "", enabled);
    }
    Notices Received() {
        QApplication::processEvents();
        QApplication::processEvents();
        return notices_;
    }

    // Script editor tests: a macro with its text, the window opened on it, the modal window.
    int AddScriptMacro(const char* nickname, int code, int scope, const char* text, bool enabled = true) {
        TMacroRecord r{};
        r.Nickname = nickname;
        r.ActivationCode = static_cast<std::uint16_t>(code);
        r.Scope = static_cast<std::uint16_t>(scope);
        r.Enabled = enabled ? 1 : 0;
        std::strncpy(r.MacroText, text, kMacroTextCapacity);
        EXPECT_TRUE(WriteMacroRecordAt(file_, -1, r).ok());
        return CountMacroRecords(file_);
    }
    std::unique_ptr<TMainWin> OpenOn(int select) {
        auto w = Open();
        w->show();
        QApplication::processEvents();
        w->Logic().SelectRow(w->Logic().ReverseSort(select));
        return w;
    }
    std::string StoredText(int n) {
        TMacroRecord r{};
        EXPECT_TRUE(ReadMacroRecordAt(file_, n, r).ok());
        return r.MacroText;
    }
    // Boxes answered with their first button; any shown fails the test at its end.
    void RecordScriptBoxes() {
        scriptBoxes_.emplace([this](const win::MessageBoxCall& c) {
            boxTexts_.push_back(c.text);
            return win::FirstButton(c.buttons);
        });
    }
    std::optional<win::ScopedMessageBoxHandler> scriptBoxes_;
    std::vector<std::string> boxTexts_;
};

TEST_F(MainWindow, EveryMenuCaptionAndTheTwoPagesAreThere) {
    auto w = Open();
    QStringList captions;
    for (QAction* top : w->menuBar()->actions()) {
        captions << top->text();
        if (!top->menu()) continue;
        std::vector<QMenu*> menus{top->menu()};
        while (!menus.empty()) {
            QMenu* m = menus.back();
            menus.pop_back();
            for (QAction* a : m->actions()) {
                if (a->menu()) menus.push_back(a->menu());
                if (!a->text().isEmpty()) captions << a->text();
            }
        }
    }
    for (const char* c : {"&File",
                          "&Macros",
                          "&Wizards",
                          "&Remap",
                          "&Options",
                          "&Tools",
                          "&Help",
                          "&New File",
                          "&Open File",
                          "&Import Text File",
                          "O&utput Macro Information",
                          "&Print Macro List",
                          "Printer &Font",
                          "Printer &Setup",
                          "&Terminate Tessaro Editor",
                          "&Add Macro",
                          "Modify &Directly",
                          "Re&capture Macro",
                          "&Remove Macro",
                          "Cop&y Macro",
                          "Change &Macro Activation",
                          "&Scripting Editor",
                          "&Place On Desktop",
                          "Add &To Category",
                          "&Quick Info",
                          "&Import Macros",
                          "E&xport Macros",
                          "S&ort Macros",
                          "&Appearance",
                          "&Capture",
                          "&E-Mail Defaults",
                          "E-Mail &Recipients",
                          "&Network",
                          "&Scheduler",
                          "&Show Date && Time",
                          "&Alarm",
                          "&Timer Interval",
                          "Screen Sa&ver",
                          "&Disable if using Timed Macros",
                          "Se&ttings",
                          "Mouse &Locator",
                          "Restore &Keyboard Hooks",
                          "Restore &Mouse Hooks",
                          "&Internet Explorer 5.0 Fix",
                          "&Apply Fix To Windows Registry",
                          "&Restore Windows Registry Prior To Fix",
                          "&Contents",
                          "&Tutorial / User Guide",
                          "&First Time Setup",
                          "&About",
                          "&Type Text and Keystrokes",
                          "&Send E-Mail"})
        EXPECT_TRUE(captions.contains(c)) << c;
    ASSERT_EQ(w->Pages()->count(), 2);
    EXPECT_EQ(w->Pages()->tabText(0), "M&acros");
    EXPECT_EQ(w->Pages()->tabText(1), "&Quick Wizards");
    ASSERT_EQ(w->WizardButtons().size(), 28u);
    EXPECT_EQ(w->WizardButtons()[0]->text(), "Type Text\nand\nKeystrokes");
    EXPECT_EQ(w->WizardButtons()[4]->text(), "Send\nE-Mail");
    EXPECT_EQ(w->WizardButtons()[27]->text(), "Single\nMacro\nCommand");
    // Every wizard function 1..29 but the first-time set-up has a button; 28 is in Help.
    std::vector<int> functions;
    for (const auto& b : QuickWizardButtons()) functions.push_back(b.function);
    std::sort(functions.begin(), functions.end());
    for (int f = 1, i = 0; f <= 29; ++f) {
        if (f == kFirstTimeWizard) continue;
        EXPECT_EQ(functions[i++], f);
    }
}

TEST_F(MainWindow, SpeedStripOrButtonPanelAndCategoryPanelFollowTheSettings) {
    for (bool speed : {false, true}) {
        for (bool category : {false, true}) {
            config_.UseSpeed = speed;
            config_.ShowCategory = category;
            auto w = Open();
            w->show();
            QApplication::processEvents();
            EXPECT_EQ(w->SpeedStrip()->isVisible(), speed);
            EXPECT_EQ(w->ButtonPanel()->isVisible(), !speed);
            EXPECT_EQ(w->CategoryPanel()->isVisible(), category);
        }
    }
}

// A new file gets the five system macros; a system macro allows none of the commands, a
// hot-key macro all of them, and the activate caption says what a click will do.
TEST_F(MainWindow, MacroCommandsFollowTheSelectedMacro) {
    AddMacro("one", 1);
    AddMacro("two", 2, false);
    auto w = Open();
    w->show();
    QApplication::processEvents();
    Explorer& logic = w->Logic();
    ASSERT_EQ(logic.rowMacro().size(), 7u);
    auto select = [&](int n) {
        const int row = logic.ReverseSort(n);
        ASSERT_GE(row, 1);
        w->Grid()->SetRow(row);  // as a click or an arrow key would
        QApplication::processEvents();
        ASSERT_EQ(logic.SelectedMacro(), n);
    };
    const int system = CountMacroRecords(file_);
    select(system);
    EXPECT_FALSE(w->MenuItem(ExplorerAction::RemoveMacro)->isEnabled());
    EXPECT_FALSE(w->LargeButton(ExplorerAction::ActivateMacro)->isEnabled());
    EXPECT_FALSE(w->SpeedButton(ExplorerAction::CopyMacro)->isEnabled());
    EXPECT_FALSE(w->MenuItem(ExplorerAction::Recapture)->isEnabled());
    EXPECT_TRUE(w->MenuItem(ExplorerAction::AddMacro)->isEnabled());
    // A system macro's keys are changed through its activation.
    EXPECT_TRUE(w->MenuItem(ExplorerAction::ChangeActivation)->isEnabled());
    select(1);
    EXPECT_TRUE(w->MenuItem(ExplorerAction::RemoveMacro)->isEnabled());
    EXPECT_TRUE(w->LargeButton(ExplorerAction::Recapture)->isEnabled());
    EXPECT_EQ(w->MenuItem(ExplorerAction::ActivateMacro)->text(), "Deacti&vate Macro");
    EXPECT_EQ(w->SpeedButton(ExplorerAction::ActivateMacro)->toolTip(), "Deactivate Macro");
    select(2);
    EXPECT_EQ(w->LargeButton(ExplorerAction::ActivateMacro)->text(), "Acti&vate Macro");
    w->SetButtons(false);
    EXPECT_FALSE(w->MenuItem(ExplorerAction::ScriptingEditor)->isEnabled());
    EXPECT_FALSE(w->MenuItem(ExplorerAction::QuickInfo)->isEnabled());
}

TEST_F(MainWindow, CompanionFilesAreMadeWithUpperCaseExtensions) {
    auto w = Open();
    EXPECT_EQ(w->CategoryFileName(), dir_ + "/work.QTC");
    EXPECT_EQ(w->SwapFileName(), dir_ + "/work.QTS");
    EXPECT_TRUE(fs::exists(dir_ + "/work.QTC"));
    EXPECT_EQ(fs::file_size(dir_ + "/work.QTS"), 93u);
    // An existing category file is read, not replaced.
    w.reset();
    { std::ofstream(dir_ + "/work.QTC", std::ios::binary) << "Mail\r\n3\r\n"; }
    w = Open();
    EXPECT_EQ(fs::file_size(dir_ + "/work.QTC"), 9u);
}

TEST_F(MainWindow, HookRepairAsksFirstAndPostsRemoveThenInstall) {
    win::MbResult answer = win::MbResult::No;
    std::vector<std::string> captions;
    win::ScopedMessageBoxHandler script([&](const win::MessageBoxCall& c) {
        captions.push_back(c.caption);
        return answer;
    });
    auto w = Open();
    Received();
    notices_.clear();
    w->Run(ExplorerAction::RestoreKeyboardHooks);
    w->Run(ExplorerAction::RestoreMouseHooks);
    EXPECT_TRUE(Received().empty());
    answer = win::MbResult::Yes;
    w->Run(ExplorerAction::RestoreKeyboardHooks);
    w->Run(ExplorerAction::RestoreMouseHooks);
    w->HookTheKeyboard();
    w->UnHookTheKeyboard();
    EXPECT_EQ(Received(),
              (Notices{{puHooks, 2}, {puHooks, 1}, {puHooks, 4}, {puHooks, 3}, {puHooks, 1}, {puHooks, 2}}));
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Keyboard Hooks", "Mouse Hooks", "Keyboard Hooks", "Mouse Hooks"}));
}

TEST_F(MainWindow, PlayerCloseRequestSavesTheBoundsAndTellsThePlayerOnce) {
    auto w = Open();
    w->show();
    w->setGeometry(40, 50, 700, 420);
    const QRect bounds = w->geometry();
    Received();
    notices_.clear();
    platform.messages().PostMessage(static_cast<win::HWND>(w->winId()), WM_CLOSE, kQuitFromPlayer, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->isVisible(); }, 5000));
    w.reset();
    EXPECT_EQ(Received(), (Notices{{puEditorClosed, 0}}));
    TConfigRecord saved;
    LoadAllSettings(saved, win::kDefaultScreenSize);
    EXPECT_EQ(saved.MainWidth, bounds.width());
    EXPECT_EQ(saved.MainHeight, bounds.height());
    EXPECT_EQ(saved.MainLeft, bounds.x());
    EXPECT_EQ(saved.MainTop, bounds.y());
}

TEST_F(MainWindow, UnderlinedLettersActOnlyWithAlt) {
    AddMacro("one", 1);
    config_.UseSpeed = false;
    auto w = Open();
    w->show();
    QApplication::setActiveWindow(w.get());
    w->activateWindow();
    QApplication::processEvents();
    // Each dialog the keys open is counted and closed.
    int opened = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++opened;
            modal->close();
        }
    });
    closer.start(20);
    // "Add Ma&cro": "c" alone types into the list, Alt+C presses the button. A button pressed
    // by its letter is down at once and clicks after a short animation.
    const auto buttons = w->findChildren<QAbstractButton*>();
    const auto anyDown = [&] {
        return std::any_of(buttons.begin(), buttons.end(), [](QAbstractButton* b) { return b->isDown(); });
    };
    QTest::keyClick(w->Grid(), Qt::Key_C);
    EXPECT_FALSE(anyDown());
    EXPECT_EQ(opened, 0);
    QTest::keyClick(w->Grid(), Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(anyDown());
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened == 1 && !anyDown(); }, 5000)) << opened;
    EXPECT_EQ(opened, 1);
    closer.stop();
    QApplication::setActiveWindow(w.get());
    QApplication::processEvents();
    // Alt+Q turns to the quick wizards.
    QTest::keyClick(w->Grid(), Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(w->Pages()->currentIndex(), 1);
}

// The player's notices arrive through the window's own X window id: a macro changed on
// disk shows its new nickname; an unknown code or a macro number out of range changes nothing.
TEST_F(MainWindow, PlayerNoticesReachTheListThroughTheWindow) {
    AddMacro("before", 1);
    auto w = Open();
    w->show();
    QApplication::processEvents();
    TMacroRecord r{};
    ASSERT_TRUE(ReadMacroRecordAt(file_, 1, r).ok());
    r.Nickname = "after";
    ASSERT_TRUE(WriteMacroRecordAt(file_, 1, r).ok());
    const auto self = static_cast<win::HWND>(w->winId());
    for (auto [code, arg] : {std::pair{19, 1}, std::pair{22, 1}, std::pair{5, 0}, std::pair{20, 0},
                             std::pair{20, -1}, std::pair{20, 501}})
        platform.messages().PostMessage(self, WM_PEER_UPDATE, static_cast<std::uint32_t>(code), arg);
    QApplication::processEvents();
    EXPECT_EQ(config_.MacroNicknames[1].str(), "before");
    platform.messages().PostMessage(self, WM_PEER_UPDATE, puMacroChanged, 1);
    QApplication::processEvents();
    EXPECT_EQ(config_.MacroNicknames[1].str(), "after");
}

TEST_F(MainWindow, ShowDateMenuTogglesTheCaptionAndTellsThePlayer) {
    config_.ShowDate = false;
    auto w = Open();
    w->show();
    Received();
    notices_.clear();
    EXPECT_EQ(w->windowTitle(), "Tessaro Editor (work)");
    w->MenuItem(ExplorerAction::ShowDate)->trigger();
    EXPECT_TRUE(w->MenuItem(ExplorerAction::ShowDate)->isChecked());
    EXPECT_TRUE(w->windowTitle().startsWith("Tessaro Editor (work)     "));
    EXPECT_EQ(Received(), (Notices{{puSettingsMisc, 0}}));
    TConfigRecord saved;
    LoadAllSettings(saved, win::kDefaultScreenSize);
    EXPECT_TRUE(saved.ShowDate);
}

// The simulated desktop's screen saver follows the setting and the enabled timed macros.
TEST_F(MainWindow, TheScreenSaverIsHeldWhileTheSettingIsOnAndATimedMacroIsEnabled) {
    config_.DisableScreenSaver = false;
    AddMacro("timed", acScheduled, false);
    {
        auto w = Open();
        w->show();
        Received();
        notices_.clear();
        EXPECT_FALSE(win::sim::ScreenSaverInhibited());
        w->MenuItem(ExplorerAction::DisableScreenSaver)->trigger();
        EXPECT_TRUE(w->MenuItem(ExplorerAction::DisableScreenSaver)->isChecked());
        EXPECT_EQ(Received(), (Notices{{puSettingsMisc, 0}}));
        TConfigRecord saved;
        LoadAllSettings(saved, win::kDefaultScreenSize);
        EXPECT_TRUE(saved.DisableScreenSaver);
        // Only a disabled timed macro: the screen saver may still start.
        EXPECT_FALSE(win::sim::ScreenSaverInhibited());
        const std::vector<int>& rows = w->Logic().rowMacro();
        const auto timed = std::find_if(rows.begin(), rows.end(),
                                        [this](int n) { return glob_.ActivationCode[n] == acScheduled; });
        ASSERT_NE(timed, rows.end());
        w->Logic().SelectRow(static_cast<int>(timed - rows.begin()) + 1);
        w->Run(ExplorerAction::ActivateMacro);
        EXPECT_TRUE(win::sim::ScreenSaverInhibited());
        w->Run(ExplorerAction::DisableScreenSaver);
        EXPECT_FALSE(w->MenuItem(ExplorerAction::DisableScreenSaver)->isChecked());
        EXPECT_FALSE(win::sim::ScreenSaverInhibited());
        LoadAllSettings(saved, win::kDefaultScreenSize);
        EXPECT_FALSE(saved.DisableScreenSaver);
        w->Run(ExplorerAction::DisableScreenSaver);
        EXPECT_TRUE(win::sim::ScreenSaverInhibited());
    }
    // The hold ends with the window.
    EXPECT_FALSE(win::sim::ScreenSaverInhibited());
}

// Drives the appearance dialog of the main window: `edit`, then Ok.
void OnAppearance(std::function<void(TDoAppear&)> edit) {
    WhenModal<TDoAppear>([edit](TDoAppear& d) {
        edit(d);
        d.OkButtonClick();
    });
}

TEST_F(MainWindow, AppearanceAppliesAtOnceAndTellsThePlayer) {
    config_.ShowCategory = true;
    config_.CategoryWidth = 200;
    config_.ShowIcons = true;
    config_.UseSpeed = true;
    AddMacro("one", 1);
    auto w = Open();
    w->show();
    Received();
    notices_.clear();
    EXPECT_TRUE(w->CategoryPanel()->isVisible());
    EXPECT_GT(w->Grid()->ColWidths(1), 0);
    OnAppearance([](TDoAppear& d) {
        EXPECT_EQ(d.CatWid->text(), "200");
        d.Col2Wid->setText("77");
        d.ShowIcons->setChecked(false);
        d.ShowCats->setChecked(false);
        d.LetteredButtons->setChecked(true);
    });
    w->Run(ExplorerAction::Appearance);
    EXPECT_EQ(w->Grid()->ColWidths(1), 0);
    EXPECT_EQ(w->Grid()->ColWidths(3), 77);
    EXPECT_FALSE(w->CategoryPanel()->isVisible());
    EXPECT_FALSE(w->MenuItem(ExplorerAction::AddToCategory)->isEnabled());
    EXPECT_FALSE(w->SpeedStrip()->isVisible());
    EXPECT_TRUE(w->ButtonPanel()->isVisible());
    EXPECT_EQ(w->Logic().currentCategory(), 0);
    EXPECT_EQ(Received(), (Notices{{puSettingsMainWindow, 0}}));
    TConfigRecord saved;
    LoadAllSettings(saved, win::kDefaultScreenSize);
    EXPECT_EQ(saved.Col2Width, 77);
    EXPECT_FALSE(saved.ShowIcons);
    OnAppearance([](TDoAppear& d) {
        d.ShowIcons->setChecked(true);
        d.ShowCats->setChecked(true);
        d.CatWid->setText("150");
        d.SpeedButtons->setChecked(true);
    });
    w->Run(ExplorerAction::Appearance);
    EXPECT_EQ(w->Grid()->ColWidths(1), w->Grid()->DefaultRowHeight());
    EXPECT_TRUE(w->CategoryPanel()->isVisible());
    EXPECT_EQ(w->CategoryPanel()->width(), 150);
    EXPECT_TRUE(w->SpeedStrip()->isVisible());
    EXPECT_FALSE(w->ButtonPanel()->isVisible());

    // The narrowest width the dialog takes comes back as saved after a restart.
    OnAppearance([](TDoAppear& d) { d.CatWid->setText("120"); });
    w->Run(ExplorerAction::Appearance);
    EXPECT_EQ(w->CategoryPanel()->width(), 120);
    w.reset();
    LoadAllSettings(config_, win::kDefaultScreenSize);
    ASSERT_EQ(config_.CategoryWidth, 120);
    auto again = Open();
    again->show();
    EXPECT_EQ(again->CategoryPanel()->width(), 120);
}

// The editor looks beside the programs, where the player looks: one install serves both,
// and a missing locator is said in the same words.
TEST_F(MainWindow, MouseLocatorIsLookedForBesideTheProgramsAsThePlayerDoes) {
    std::vector<win::MessageBoxCall> boxes;
    win::ScopedMessageBoxHandler script([&](const win::MessageBoxCall& c) {
        boxes.push_back(c);
        return win::MbResult::Ok;
    });
    // One in the data folder, where the editor used to look, is not the one.
    std::ofstream(dir_ + "/PTRFIND") << "#!/bin/sh\nexit 0\n";
    fs::permissions(dir_ + "/PTRFIND", fs::perms::owner_all);
    auto w = Open();
    w->MenuItem(ExplorerAction::MouseLocator)->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text,
              "The mouse locator " + MouseLocatorPath(win::ExecutableDirectory()) + " could not be found.");
    EXPECT_EQ(MouseLocatorPath(win::ExecutableDirectory()), std::string(TESSARO_TEST_BIN_DIR) + "/ptrfind");
}

// At the size a first start gives it: a person sees every caption whole (the category
// panel's buttons, the quick-wizard buttons with their pictures) and every control inside.
TEST_F(MainWindow, ScreensOfTheMainWindow) {
    AddMacro("Open the mail", 1);
    AddMacro("Sign letters", 2, false);
    const fs::path screens = fs::path(TESSARO_TEST_BIN_DIR) / ".." / "screens";
    fs::create_directories(screens);
    auto picture = [&](QWidget& w, const std::string& name) {
        EXPECT_TRUE(w.grab().save(QString::fromStdString((screens / (name + ".png")).string())));
        for (const std::string& fault : testing::VisibleFaults(w)) ADD_FAILURE() << name << ": " << fault;
    };
    for (bool speed : {false, true}) {
        config_.UseSpeed = speed;
        config_.ShowCategory = !speed;
        auto w = Open();
        w->show();
        QApplication::processEvents();
        picture(*w, speed ? "TMainWin-speed" : "TMainWin-buttons");
        if (speed) continue;
        w->Pages()->setCurrentIndex(1);
        QApplication::processEvents();
        picture(*w, "TMainWin-wizards");
        for (QAbstractButton* b : w->WizardButtons()) {
            EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
            EXPECT_GE(b->height(), b->fontMetrics().height() * 3 + b->iconSize().height())
                << b->text().toStdString();
        }
    }
}

TEST_F(MainWindow, SavedScriptIsWrittenAndCancelLeavesTheFile) {
    RecordScriptBoxes();
    const int n = AddScriptMacro("greet", 1, 1, "hello");
    auto w = OpenOn(n);
    ASSERT_EQ(w->Logic().SelectedMacro(), n);

    // Cancel: the file keeps its bytes.
    const auto before = fs::file_size(file_);
    std::string shownLine;
    WhenModal([&](QWidget* modal) {
        auto* editor = qobject_cast<TDoScripting*>(modal);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->ScriptMode, 1);
        ASSERT_EQ(editor->Lines().Lines.size(), 1u);
        shownLine = editor->Lines().Lines[0].Text;
        editor->CancelButton->click();
    });
    w->Run(ExplorerAction::ScriptingEditor);
    EXPECT_FALSE(shownLine.empty());
    EXPECT_EQ(StoredText(n), "hello");
    EXPECT_EQ(fs::file_size(file_), before);

    // The line copied and saved: the macro types its text twice.
    WhenModal([&](QWidget* modal) {
        auto* editor = qobject_cast<TDoScripting*>(modal);
        ASSERT_NE(editor, nullptr);
        editor->Script->setCurrentIndex(editor->Script->model()->index(0, 0));
        editor->DoCopyClick();
        editor->OkButtonClick();
    });
    w->Run(ExplorerAction::ScriptingEditor);
    EXPECT_EQ(StoredText(n), "hellohello");
    EXPECT_EQ(w->Logic().SelectedMacro(), n);
}

// Acts on the modal window of class T once it is up (windows nest: an outer one may be up first).
template <class T>
void WhenUp(std::function<void(T*)> act) {
    WhenModal<T>([act](T& modal) { act(&modal); });
}

// A user edits a text box line of a macro in the script editor and confirms it as shown:
// the dialog shows the box's title and text, and the macro keeps them.
TEST_F(MainWindow, EditingATextBoxLineShowsItAndKeepsIt) {
    RecordScriptBoxes();
    const char* text = "<TBOX:<HEAD:Greeting>Hello there\r\nsecond line>";
    const int n = AddScriptMacro("box", 1, 1, text);
    auto w = OpenOn(n);
    QString header, contents;
    WhenUp<TDoScripting>([&](TDoScripting* editor) {
        ASSERT_EQ(editor->Lines().Lines.size(), 1u);
        editor->Script->setCurrentIndex(editor->Script->model()->index(0, 0));
        WhenUp<TDoTBox>([&](TDoTBox* dlg) {
            header = dlg->Header->text();
            contents = dlg->Contents->toPlainText();
            testing::HeldClick(dlg->OkButton);
        });
        testing::HeldClick(editor->DoEdit);
        testing::HeldClick(editor->OkButton);
    });
    w->Run(ExplorerAction::ScriptingEditor);
    EXPECT_EQ(header, "Greeting");
    EXPECT_EQ(contents, "Hello there\nsecond line");
    EXPECT_EQ(StoredText(n), text);
}

// Exit writes the recipient list and tells the player, which reads it for prompted
// recipients; the close box writes nothing and tells nothing.
TEST_F(MainWindow, SavingTheRecipientListTellsThePlayer) {
    config_.EMailPath = dir_ + "/TESMAIL.TXT";
    std::ofstream(dir_ + "/TESMAIL.TXT") << "Ann|ann@x.org\r\n";
    auto w = Open();
    w->show();
    Received();
    notices_.clear();
    WhenModal([&](QWidget* modal) {
        auto* list = qobject_cast<TMyAddress*>(modal);
        ASSERT_NE(list, nullptr) << modal->metaObject()->className();
        list->close();
    });
    w->Run(ExplorerAction::EMailRecipients);
    EXPECT_TRUE(Received().empty());

    WhenModal([&](QWidget* modal) {
        auto* list = qobject_cast<TMyAddress*>(modal);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->AddList->count(), 1);
        testing::HeldClick(list->OkButton);
    });
    w->Run(ExplorerAction::EMailRecipients);
    EXPECT_EQ(Received(), (Notices{{puSettingsMisc, 0}}));
}

TEST_F(MainWindow, PopupMenusOpenTheirOwnEditor) {
    RecordScriptBoxes();
    const int n = AddScriptMacro("menu", 2, 4, "");
    auto w = OpenOn(n);
    std::string opened;
    WhenModal([&](QWidget* modal) {
        opened = modal->metaObject()->className();
        modal->close();
    });
    w->Run(ExplorerAction::ScriptingEditor);
    EXPECT_NE(opened, "tessaro::TDoScripting");
    EXPECT_FALSE(opened.empty());
}

}  // namespace
}  // namespace tessaro
