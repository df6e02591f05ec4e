// The forms under test work on the tests' simulated desktop whatever DISPLAY says: a
// display that does not exist or a live X server, neither is asked for its printers or
// display modes.
#include <QListWidget>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "editor/commands/display_dialogs.h"
#include "platform/sim/sim_system_settings.h"
#include "tests/editor/commands/dialog_harness.h"
#include "tests/support/sim_platform_test.h"
#include "tests/support/xvfb.h"

namespace tessaro {
namespace {

// DISPLAY set to `value` for as long as this lives.
class ScopedDisplay {
public:
    explicit ScopedDisplay(const std::string& value) {
        if (const char* old = std::getenv("DISPLAY")) old_ = old;
        ::setenv("DISPLAY", value.c_str(), 1);
    }
    ~ScopedDisplay() {
        if (old_)
            ::setenv("DISPLAY", old_->c_str(), 1);
        else
            ::unsetenv("DISPLAY");
    }

private:
    std::optional<std::string> old_;
};

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::string AbsentDisplay() {
    for (int n = 4711;; ++n)
        if (!Exists("/tmp/.X11-unix/X" + std::to_string(n)) &&
            !Exists("/tmp/.X" + std::to_string(n) + "-lock"))
            return ":" + std::to_string(n);
}

QStringList Rows(QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    return rows;
}

// The printer and display-mode forms, opened on the platform the test hands them, list what
// the simulated desktop was given.
void FormsListTheSimulatedDesktop(win::Platform& platform) {
    EnsureQtApplication();
    win::sim::TheSimPrinters().names = {"Simulated Office"};
    win::sim::TheSimSystemSettings().modes = {{640, 480, 65536, 60}};
    TDoDefPrint printers(nullptr, platform.printers());
    printers.NewCommand = 1;
    printers.show();
    EXPECT_EQ(Rows(printers.SettingBox), QStringList{"Simulated Office"});
    TDoScreen screen(nullptr, platform.systemSettings());
    screen.NewCommand = 1;
    screen.show();
    EXPECT_EQ(Rows(screen.SettingBox), QStringList{" 640 x  480  65536 Colors  60 hertz"});
}

using FormsOnTheSimulatedDesktop = testing::SimPlatformTest;

TEST_F(FormsOnTheSimulatedDesktop, ADisplayThatDoesNotExistIsNeverAsked) {
    const ScopedDisplay display(AbsentDisplay());
    FormsListTheSimulatedDesktop(platform);
}

TEST_F(FormsOnTheSimulatedDesktop, ALiveXServerIsNeverAsked) {
    testing::Xvfb server("320x240x24");
    if (server.name().empty()) GTEST_SKIP() << "Xvfb could not start";
    const ScopedDisplay display(server.name());
    FormsListTheSimulatedDesktop(platform);
}

}  // namespace
}  // namespace tessaro
