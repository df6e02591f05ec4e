// The player's main window as the player builds it, on the simulated desktop: what its
// tray icon shows and what the pause window is told about the macro that runs.
#include "player/ui/main_win.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

#include "foundation/config_record.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "tests/support/sim_platform_test.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "player/ui/message_windows.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

constexpr int kCtrlAltK = 154;

class MainWin : public testing::SimPlatformTest {
protected:
    void SetUp() override {
        EnsureQtApplication();
        LoadAllSettings(*config, win::kDefaultScreenSize);
        config->RecentFiles[0] = dir.file("TESRO.QTM");
    }
    void TearDown() override { main.reset(); }
    void Start() {
        main = TMainWin::Create(platform, *config, *glob, {"/EN"});
        ASSERT_NE(main, nullptr);
    }

    testing::TempDir dir;
    win::ScopedMessageBoxHandler boxes{[](const win::MessageBoxCall&) { return win::MbResult::Ok; }};
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    std::unique_ptr<TMainWin> main;
};

TEST_F(MainWin, TrayTipIsTheProductNameFromTheStartAndWhileNoMacroRuns) {
    Start();
    EXPECT_EQ(main->mainIcon().ToolTip(), "Tessaro 99");
}

TEST_F(MainWin, PauseWindowOfAHotKeyMacroNamesItAndItsKeyAndTheTipSaysItRuns) {
    TMacroRecord rec{};
    rec.Nickname = "Waits For Me";
    rec.Scope = scGlobal;
    rec.ActivationCode = kCtrlAltK;
    rec.Enabled = 1;
    SetMacroText(rec, "<PAUSE>");
    ASSERT_TRUE(CreateEmptyMacroFile(config->RecentFiles[0].str()).ok());
    ASSERT_TRUE(WriteMacroRecordAt(config->RecentFiles[0].str(), 1, rec).ok());
    Start();

    QString caption, nickname;
    std::string tip;
    QTimer::singleShot(50, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* pause = qobject_cast<TPauseMacro*>(w);
            if (!pause || !pause->isVisible()) continue;
            caption = pause->windowTitle();
            nickname = pause->NicknameLabel->text();
            tip = main->mainIcon().ToolTip();
            pause->AbortButton->click();
        }
    });
    platform.messages().SendMessage(main->Handle(), WM_HOTKEY_FIRED, kCtrlAltK, 0);
    EXPECT_EQ(caption.toStdString(), "Pause (" + HotKeyNames(kCtrlAltK) + ")");
    EXPECT_EQ(nickname, "Waits For Me");
    EXPECT_EQ(tip, "Macro Is Running - Right Click to Abort");
    EXPECT_EQ(main->mainIcon().ToolTip(), "Tessaro 99");
}

}  // namespace
}  // namespace tessaro
