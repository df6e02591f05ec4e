// Windows of the programs under a real window manager open with their whole frame, title bar
// included, inside the work area, however their own code placed them: at the corner, beyond
// the screen, larger than it, shown again, or left to the manager.
#include <QDialog>
#include <QMainWindow>
#include <QVBoxLayout>
#include <QLabel>
#include <gtest/gtest.h>

#include "tests/e2e/windows/windows_desktop.h"

namespace tessaro::testing {
namespace {

void OpensInside(const std::string& size) {
    WindowsDesktop* desktop = WindowsDesktop::Get(size);
    if (!desktop) GTEST_SKIP() << "no desktop of " << size;
    const QRect screen = desktop->Screen();

    struct Case {
        const char* what;
        QRect placed;  // the window's inside, as its code put it; empty: never placed
    } cases[] = {
        {"inside at the corner", {0, 0, 400, 300}},
        {"beyond the bottom right", {screen.width() - 100, screen.height() - 50, 400, 300}},
        {"above and left of the screen", {-500, -300, 400, 300}},
        {"larger than the screen", {-20, -20, screen.width() + 300, screen.height() + 200}},
        {"left to the manager but larger than the screen", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QMainWindow window;
        window.setWindowTitle(c.what);
        window.setCentralWidget(new QLabel("The whole window"));
        if (c.placed.isEmpty())
            window.resize(screen.width() + 100, screen.height() + 100);
        else
            window.setGeometry(c.placed);
        window.show();
        EXPECT_EQ(desktop->FrameFault(window), "");
        // Shown again where the user cannot reach its title bar: inside again.
        window.hide();
        QApplication::processEvents();
        window.move(-200, -200);
        window.show();
        EXPECT_EQ(desktop->FrameFault(window), "");
    }

    // A dialog centred on a screen it does not fit (its top above the screen), as the command
    // dialogs centre themselves.
    QDialog dialog;
    dialog.setWindowTitle("Centred dialog");
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel("A tall dialog"));
    dialog.resize(300, screen.height() + 100);
    dialog.move((screen.width() - dialog.width()) / 2, (screen.height() - dialog.height()) / 2);
    dialog.show();
    EXPECT_EQ(desktop->FrameFault(dialog), "");

    // A maximised window is the manager's to place.
    QMainWindow maximised;
    maximised.setWindowTitle("Maximised");
    maximised.setGeometry(-300, -300, 200, 200);
    maximised.showMaximized();
    ASSERT_TRUE(desktop->SettledFrame(maximised));
    EXPECT_TRUE(maximised.isMaximized());
}

TEST(ScreenFitOnADesktop, WindowsOpenWithTheirFrameInsideASmallScreen) { OpensInside("800x600"); }

TEST(ScreenFitOnADesktop, WindowsOpenWithTheirFrameInsideAWideScreen) { OpensInside("1280x800"); }

}  // namespace
}  // namespace tessaro::testing
