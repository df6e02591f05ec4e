// The quick wizard from the main window: its buttons, its menu and the first-use set-up
// open the real wizard under the macro file's rules.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "editor/explorer/main_win.h"
#include "editor/model/macro_forms/build_menu.h"
#include "editor/wizard/t_quick_wiz.h"
#include "foundation/ras.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "protocol/window_messages.h"
#include "tests/support/qt_app.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

// Runs `act` on the wizard once it is up.
void WhenWizard(std::function<void(TQuickWiz&)> act) {
    QTimer::singleShot(10, [act] {
        if (auto* w = qobject_cast<TQuickWiz*>(QApplication::activeModalWidget())) {
            act(*w);
            return;
        }
        WhenWizard(act);
    });
}

class MainWinWizard : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        std::string tmpl = (fs::temp_directory_path() / "tessaro-mww-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        ::setenv("TESSARO_HOME", dir.c_str(), 1);
        ::setenv("TESSARO_WINDIR", dir.c_str(), 1);
        ::setenv("TESSARO_NS", ("mww" + fs::path(dir).filename().string().substr(12)).c_str(), 1);
        ::setenv("XDG_DATA_HOME", (dir + "/xdg").c_str(), 1);
        ::setenv("XDG_DATA_DIRS", (dir + "/xdg-sys").c_str(), 1);
        LoadAllSettings(config);
        config.FirstUse = false;
        file = dir + "/work.qtm";
        ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
        config.RecentFiles[0] = file;
        boxes = std::make_unique<win::ScopedMessageBoxHandler>([this](const win::MessageBoxCall& c) {
            texts.push_back(c.text);
            return win::FirstButton(c.buttons);
        });
        Open();
    }
    void Open() {
        window.reset();
        window = std::make_unique<TMainWin>(config, glob, std::vector<std::string>{});
    }
    void TearDown() override {
        window.reset();
        boxes.reset();
        fs::remove_all(dir);
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

    std::string dir, file;
    TConfigRecord config;
    TGlobData glob{};
    std::unique_ptr<win::ScopedMessageBoxHandler> boxes;
    std::unique_ptr<TMainWin> window;
    std::vector<std::string> texts;
};

TEST_F(MainWinWizard, EachButtonOpensItsWizardAndCancelAddsNothing) {
    const size_t before = Records();
    for (QAbstractButton* button : window->WizardButtons()) {
        if (button->objectName() == "WizPause" && !RasAvailable()) {
            button->click();  // no dial-up here: its warning, no wizard
            EXPECT_EQ(texts.back(), kRasMissingText);
            continue;
        }
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
    EXPECT_EQ(added.ActivationCode, 300);
    EXPECT_EQ(added.Scope, scGlobal);
    EXPECT_EQ(GetMacroText(added), "Hello there");
    EXPECT_EQ(glob.MacroCount, count + 1);
    EXPECT_EQ(window->Logic().SelectedMacro(), count + 1);
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
    EXPECT_EQ(glob.MacroCount, added + 1);  // the macro is saved all the same
    EXPECT_EQ(texts.back(), "This macro could not be added to the menu as the menu is already full.");
    menu = ReadPopupMenu(All()[static_cast<size_t>(full - 1)], glob.MacroCount);
    EXPECT_EQ(menu.items.size(), static_cast<size_t>(kMaxMenuItems));
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
