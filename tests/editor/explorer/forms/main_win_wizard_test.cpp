// The quick wizard from the main window: its buttons, its menu and the first-use set-up
// open the real wizard under the macro file's rules.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "tests/editor/explorer/forms/main_win_fixture.h"
#include "editor/explorer/main_win.h"
#include "editor/model/macro_forms/build_menu.h"
#include "editor/wizard/t_quick_wiz.h"
#include "foundation/ras.h"
#include "foundation/settings.h"
#include "foundation/sync_record.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "protocol/window_messages.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

// Runs `act` on the wizard once it is up.
void WhenWizard(std::function<void(TQuickWiz&)> act) { testing::WhenModal<TQuickWiz>(std::move(act)); }

class MainWinWizard : public testing::MainWinFixture {
protected:
    void SetUp() override {
        SetUpSandbox("mww");
        Open();
    }
    void Open() {
        window.reset();
        window = std::make_unique<TMainWin>(platform, config, glob, std::vector<std::string>{});
    }
    size_t Records() { return All().size(); }
    std::vector<TMacroRecord> All() {
        std::vector<TMacroRecord> out;
        ReadMacroRecords(file, kMaxMacros, out);
        return out;
    }
    // Answers a typing wizard (bypassing page 1): text, a free hot key, global, the nickname;
    // `menu` ticks the popup menu of that nickname on page 9.
    static void TypeTextWizard(TQuickWiz& w, const char* menu, int hotKey = 300) {
        auto* memo = new QPlainTextEdit(w.Panel(14));  // the text page's own group is not linked here
        memo->setObjectName("P14MyMemo");
        memo->setPlainText("Hello there");
        w.NextButtonClick();
        w.NextButtonClick();
        w.Control<QListWidget>("P3KeyList")->setCurrentRow(hotKey);
        w.NextButtonClick();
        w.NextButtonClick();
        if (menu) {
            EXPECT_EQ(w.CurrentPage(), 9);
            w.Control<QRadioButton>("P9AddYes")->setChecked(true);
            auto* list = w.Control<QListWidget>("P9PopupList");
            list->setCurrentItem(list->findItems(menu, Qt::MatchExactly).value(0));
            w.NextButtonClick();
        }
        EXPECT_EQ(w.CurrentPage(), 10);
        w.Control<QLineEdit>("P10Nick")->setText("Greeting");
        w.NextButtonClick();  // Finish
    }
    // A popup menu of `items` macros (the system macros) at the end of the file.
    int AddMenu(const char* nickname, int items) {
        const int n = static_cast<int>(Records()) + 1;
        TMacroRecord menu{};
        menu.Nickname = nickname;
        menu.Scope = scPopupMenu;
        menu.ActivationCode = 200;
        menu.Enabled = 1;
        PopupMenu m;
        for (int i = 0; i < items; ++i) m.items.push_back(static_cast<std::uint16_t>(1 + i % 5));
        WritePopupMenu(menu, m);
        EXPECT_TRUE(WriteMacroRecordAt(file, n, menu).ok());
        return n;
    }
};

// The dial-up wizard too opens without the dial-up service: it may build a hang-up.
TEST_F(MainWinWizard, EachButtonOpensItsWizardAndCancelAddsNothing) {
    RasLoadLibrary("/nonexistent/libnm.so.0");
    const size_t before = Records();
    for (QAbstractButton* button : window->WizardButtons()) {
        QString caption;
        WhenWizard([&caption](TQuickWiz& wizard) {
            caption = wizard.windowTitle();
            wizard.CancelButton->click();
        });
        button->click();
        EXPECT_TRUE(caption.startsWith("Quick Wizard: ")) << button->objectName().toStdString();
    }
    EXPECT_EQ(Records(), before);
    for (const std::string& t : texts) EXPECT_NE(t, "This command is not available yet.");
}

TEST_F(MainWinWizard, AFinishedWizardAppendsItsMacroAndCountsItOnce) {
    config.BypassWizardScreen = true;
    const size_t before = Records();
    const int count = glob.MacroCount;
    WhenWizard([](TQuickWiz& w) { TypeTextWizard(w, nullptr); });
    window->DoQuickWiz(1);
    ASSERT_EQ(Records(), before + 1);
    const TMacroRecord added = All().back();
    EXPECT_EQ(added.Nickname.str(), "Greeting");
    EXPECT_EQ(Unpacked(added.ActivationCode), 300);
    EXPECT_EQ(Unpacked(added.Scope), scGlobal);
    EXPECT_EQ(GetMacroText(added), "Hello there");
    EXPECT_EQ(Unpacked(glob.MacroCount), count + 1);
    EXPECT_EQ(window->Logic().SelectedMacro(), count + 1);
}

// The capture wizard's recording holds the network lock until it ends; the end gives it
// back once, so the change counts once and no lock taken meanwhile by another user is dropped.
TEST_F(MainWinWizard, ACaptureWizardGivesTheLockBackOnceAtTheRecordingsEnd) {
    config.BypassWizardScreen = true;
    config.NetworkMode = true;
    config.AutoSync = false;
    Open();
    const std::string lockFile = file.substr(0, file.size() - 3) + "MAS";
    TSyncRecord before{};
    ReadSyncRecord(lockFile, before);
    WhenWizard([](TQuickWiz& w) {
        for (int i = 0; i < 40 && w.isVisible(); ++i) {
            if (w.CurrentPage() == 3) w.Control<QListWidget>("P3KeyList")->setCurrentRow(302);
            if (w.CurrentPage() == 10) w.Control<QLineEdit>("P10Nick")->setText("Recorded");
            if (w.CurrentPage() == 62 && w.Control<QListWidget>("P62ProgList")->count() == 0) {
                w.Control<QListWidget>("P62ProgList")->addItem("Somewhere");  // no windows offscreen
                w.Control<QListWidget>("P62ProgList")->setCurrentRow(0);
            }
            w.NextButtonClick();
        }
        if (w.isVisible()) w.CancelButton->click();
    });
    window->DoQuickWiz(7);
    ASSERT_EQ(glob.CaptureOn, 1) << "the recording runs";
    TSyncRecord recording{};
    ReadSyncRecord(lockFile, recording);
    EXPECT_EQ(Unpacked(recording.State), kSyncInUse) << "held while the macro is recorded";
    EXPECT_EQ(Unpacked(recording.ChangeCount), Unpacked(before.ChangeCount));

    const auto self = static_cast<win::HWND>(window->winId());
    const std::uint32_t macro = glob.CaptureMacro;
    for (unsigned char c : std::string("keys"))
        platform.messages().SendMessage(self, WM_CAPTURE_CHAR, macro, c);
    platform.messages().SendMessage(self, WM_CAPTURE_DONE, macro, 0);
    EXPECT_NE(GetMacroText(All().back()).find("keys"), std::string::npos) << "the recording is the macro";
    TSyncRecord after{};
    ReadSyncRecord(lockFile, after);
    EXPECT_EQ(Unpacked(after.State), kSyncReleased);
    EXPECT_EQ(Unpacked(after.ChangeCount), Unpacked(before.ChangeCount) + 1) << "one change, counted once";
}

TEST_F(MainWinWizard, TheNewMacroJoinsThePopupMenuUnlessItIsFull) {
    config.BypassWizardScreen = true;
    const int letters = AddMenu("Letters", 3);
    const int full = AddMenu("Full", kMaxMenuItems);
    Open();
    WhenWizard([](TQuickWiz& w) { TypeTextWizard(w, "Letters"); });
    window->DoQuickWiz(1);
    const int added = glob.MacroCount;
    PopupMenu menu = ReadPopupMenu(All()[static_cast<size_t>(letters - 1)], glob.MacroCount);
    ASSERT_EQ(menu.items.size(), 4u);
    EXPECT_EQ(menu.items.back(), added);

    WhenWizard([](TQuickWiz& w) { TypeTextWizard(w, "Full", 301); });
    window->DoQuickWiz(1);
    EXPECT_EQ(Unpacked(glob.MacroCount), added + 1);  // the macro is saved all the same
    EXPECT_EQ(texts.back(), "This macro could not be added to the menu as the menu is already full.");
    menu = ReadPopupMenu(All()[static_cast<size_t>(full - 1)], glob.MacroCount);
    EXPECT_EQ(menu.items.size(), static_cast<size_t>(kMaxMenuItems));
}

// Cancels each further wizard as it comes up, keeping its caption.
// Each run's wizard lives on the stack, so a new one may reuse the old one's address: the
// guarded pointer tells them apart.
void CancelFollowUps(std::vector<QString>& captions, size_t expected, QPointer<TQuickWiz> previous,
                     int polls = 500) {
    QTimer::singleShot(10, [&captions, expected, previous, polls] {
        auto* w = qobject_cast<TQuickWiz*>(QApplication::activeModalWidget());
        if (w && w != previous) {
            captions.push_back(w->windowTitle());
            w->CancelButton->click();
        }
        if (w && w == previous && polls == 0) w->CancelButton->click();  // stuck: give up, the test fails
        if (captions.size() < expected && polls > 0)
            CancelFollowUps(captions, expected, w ? QPointer<TQuickWiz>(w) : previous, polls - 1);
    });
}

TEST_F(MainWinWizard, FirstTimeSetupShowsEachChosenNoticeAndItsWizardInOrder) {
    std::vector<QString> captions;
    WhenWizard([&captions](TQuickWiz& w) {
        for (const char* chosen : {"P69Print", "P69Date"}) {
            auto* box = new QCheckBox(w.Panel(69));  // the first-use pages' own group is not linked here
            box->setObjectName(chosen);
            box->setChecked(true);
        }
        auto* port = new QLineEdit("25", w.Panel(74));
        port->setObjectName("P74Port");
        for (int i = 0; i < 10 && w.CurrentPage() != 69; ++i) w.NextButtonClick();
        EXPECT_EQ(w.CurrentPage(), 69);
        CancelFollowUps(captions, 2, QPointer<TQuickWiz>(&w));
        w.NextButtonClick();  // Finish
    });
    window->DoFirstTime();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2],
              "This next wizard will allow you to type a date and/or time into a program.");
    EXPECT_EQ(texts.back(), "This next wizard will allow you to choose a default Windows printer.");
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_EQ(captions[0], "Quick Wizard: Type Date or Time");
    EXPECT_EQ(captions[1], "Quick Wizard: Set Default Printer");
}

TEST_F(MainWinWizard, FiveHundredMacrosAreRefusedBeforeTheWizardOpens) {
    glob.MacroCount = kMaxMacros;
    bool opened = false, checked = false;
    QTimer::singleShot(300, [&] {
        checked = true;
        if (auto* w = QApplication::activeModalWidget()) {
            opened = true;
            w->close();
        }
    });
    window->DoQuickWiz(1);
    while (!checked) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_FALSE(opened);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), "Maximum number of hot keys has been reached.  A macro cannot be added.");
}

TEST_F(MainWinWizard, FirstTimeSetupRunsTheFirstUseWizardAndNothingMoreWhenCancelled) {
    QString caption;
    int page = 0;
    WhenWizard([&](TQuickWiz& wizard) {
        caption = wizard.windowTitle();
        page = wizard.CurrentPage();
        wizard.CancelButton->click();
    });
    window->Run(ExplorerAction::FirstTimeSetup);
    EXPECT_EQ(caption, "Quick Wizard: Set Up The Program For The First Time");
    EXPECT_EQ(page, 65);
    for (const std::string& t : texts) EXPECT_EQ(t.find("This next wizard"), std::string::npos) << t;
}

}  // namespace
}  // namespace tessaro
