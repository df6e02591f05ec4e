// The main window on small screens and with damaged bounds: it never opens larger than the
// screen's work area, its button rows never widen it, and the show command the editor was
// started with is applied once. Pictures at 800 x 600 and 1280 x 800 under build/screens/.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "editor/explorer/main_win.h"
#include "foundation/settings.h"
#include "platform/window_control.h"
#include "tests/editor/explorer/forms/main_win_fixture.h"
#include "widgets/page_control.h"
#include "widgets/screen_fit.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

class MainWinScreen : public testing::MainWinFixture {
protected:
    void SetUp() override { SetUpSandbox("mws"); }
    void Open() {
        window = std::make_unique<TMainWin>(platform, config, glob, std::vector<std::string>{"-PWV"});
        window->show();
        QApplication::processEvents();
    }
    static QRect WorkArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

TEST_F(MainWinScreen, ADamagedSettingsFileStillOpensAWindowInsideTheScreen) {
    std::ofstream(dir + "/TESRO.INI") << "[Main Window]\r\nWidth=999999999\r\nHeight=1000\r\nLeft=-999999\r\n"
                                         "Top=-20\r\nCategory Width=99999999\r\nCol 1 Width=99999999\r\n"
                                         "Show Category=Yes\r\nUse Speed=Yes\r\n";
    const win::ScreenSize screen = platform.windowControl().Screen();
    LoadAllSettings(config, screen);
    config.FirstUse = false;
    config.RecentFiles[0] = file;
    EXPECT_LE(config.MainWidth, std::max(screen.width, 150));
    EXPECT_LE(config.CategoryWidth, std::max(screen.width / 2, 150));
    EXPECT_LE(config.Col1Width, screen.width);
    ScreenFit fit;  // as the editor places its windows
    Open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return WorkArea().contains(window->frameGeometry()); }, 3000))
        << window->frameGeometry().x() << "," << window->frameGeometry().y() << " "
        << window->frameGeometry().width() << "x" << window->frameGeometry().height();
    EXPECT_LT(window->CategoryPanel()->width(), window->width());
    // What the next start reads back is as usable.
    window->close();
    TConfigRecord again;
    LoadAllSettings(again, screen);
    EXPECT_TRUE(WorkArea().contains(QRect(again.MainLeft, again.MainTop, again.MainWidth, again.MainHeight)));
}

TEST_F(MainWinScreen, ButtonRowsNeverWidenTheWindowAndPicturesAreTaken) {
    const fs::path screens = fs::path(TESSARO_TEST_BIN_DIR) / ".." / "screens";
    fs::create_directories(screens);
    TMacroRecord r{};
    r.Nickname = "Open the mail";
    r.ActivationCode = 5;
    r.Scope = scGlobal;
    r.Enabled = 1;
    ASSERT_TRUE(WriteMacroRecordAt(file, -1, r).ok());
    for (bool speed : {true, false}) {
        for (bool category : {false, true}) {
            config.UseSpeed = speed;
            config.ShowCategory = category;
            Open();
            for (const QSize size : {QSize(800, 600), QSize(1280, 800)}) {
                window->resize(size);
                QApplication::processEvents();
                EXPECT_EQ(window->size(), size) << speed << category;
                for (int page : {1, 0}) {
                    window->Pages()->setCurrentIndex(page);
                    QApplication::processEvents();
                    EXPECT_LE(window->minimumSizeHint().width(), 800) << speed << category << page;
                    EXPECT_LE(window->minimumSizeHint().height(), 600) << speed << category << page;
                }
                if (speed) {
                    // Pictures, not texts: every button fits the strip, none is behind its
                    // overflow button.
                    auto* more = window->SpeedStrip()->findChild<QToolButton*>("qt_toolbar_ext_button");
                    EXPECT_TRUE(more == nullptr || !more->isVisible()) << size.width() << category;
                }
                if (category) continue;
                const std::string name = std::string("TMainWin-") + (speed ? "speed-" : "buttons-") +
                                         std::to_string(size.width()) + "x" + std::to_string(size.height()) +
                                         ".png";
                EXPECT_TRUE(window->grab().save(QString::fromStdString((screens / name).string())));
            }
        }
    }
}

TEST_F(MainWinScreen, TheStartsShowCommandIsAppliedAtTheFirstActivationOnly) {
    struct Case {
        const char* show;
        Qt::WindowState state;
    } cases[] = {{"minimized", Qt::WindowMinimized}, {"3", Qt::WindowMaximized}, {"", Qt::WindowNoState}};
    for (const Case& c : cases) {
        ::setenv("TESSARO_SHOW", c.show, 1);
        window = std::make_unique<TMainWin>(platform, config, glob, std::vector<std::string>{"-PWV"});
        ::unsetenv("TESSARO_SHOW");
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())) << c.show;
        // The activation applies the command on the loop's next turn.
        QApplication::processEvents();
        EXPECT_EQ(window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), c.state) << c.show;
        // Restored by the user, it stays so when it is active again.
        window->showNormal();
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QApplication::processEvents();
        EXPECT_EQ(window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), Qt::WindowNoState)
            << c.show;
    }
}

}  // namespace
}  // namespace tessaro
