// The quick wizard from the main window: its buttons, its menu and the first-use set-up
// open the real wizard under the macro file's rules.
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "editor/explorer/main_win.h"
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
        window = std::make_unique<TMainWin>(config, glob, std::vector<std::string>{});
    }
    void TearDown() override {
        window.reset();
        boxes.reset();
        fs::remove_all(dir);
    }
    size_t Records() {
        std::vector<TMacroRecord> out;
        ReadMacroRecords(file, kMaxMacros, out);
        return out.size();
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
