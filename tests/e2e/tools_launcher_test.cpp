// A launcher placed on the desktop for a macro, started the way a desktop starts it
// (`gio launch`), asks the running player to play that macro into the focused window.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

#include "editor/model/tools/desktop_launcher.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "player_process.h"
#include "tests/support/child_process.h"
#include "tests/support/key_target.h"
#include "typed_marker.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

// Runs a program to its end, its output added to `log`; its exit status, or -1.
int RunLogged(const std::vector<std::string>& args, const std::string& log) {
    return RunToEnd(args, ChildOptions().Out(log).ErrToOut().Appending());
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(DesktopLauncher, GioLaunchOfAPlacedLauncherPlaysItsMacro) {
    Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    const std::string file = box.file("LAUNCH.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    TMacroRecord rec{};
    rec.Nickname = "Greet 100%";  // a blank to quote and a "%" to double
    rec.Scope = scGlobal;
    rec.ActivationCode = acNone;
    rec.Enabled = 1;
    rec.IconName = "MAIN";
    SetMacroText(rec, "launched");
    ASSERT_TRUE(WriteMacroRecordAt(file, 1, rec).ok());

    KeyTarget target(xvfb.Open(), "Launch Target");
    ASSERT_TRUE(target.ok());
    const std::unique_ptr<Display, int (*)(Display*)> keyboard(xvfb.Open(), XCloseDisplay);
    ASSERT_NE(keyboard, nullptr);
    ASSERT_TRUE(target.Focus());
    PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    ASSERT_TRUE(player.started());
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();

    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(Qt::darkBlue);
    const LauncherPlace place{box.file("Desktop"), box.file("Launchers"), BuiltPlayer()};
    std::filesystem::create_directories(place.DesktopDir);
    ASSERT_EQ(PlaceLauncher(place, std::string(rec.Nickname.view()), {"TESRUN", picture}), "");
    const std::string launcher = place.DesktopDir + "/" + LauncherFileName(std::string(rec.Nickname.view()));
    struct stat st {};
    ASSERT_EQ(::stat(launcher.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755u);

    const std::string log = box.file("tools.log");
    EXPECT_EQ(RunLogged({"desktop-file-validate", launcher}, log), 0) << Slurp(log) << Slurp(launcher);
    ASSERT_EQ(RunLogged({"gio", "launch", launcher}, log), 0) << Slurp(log);
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed().size() >= 8; }, 15s))
        << player.Log() << Slurp(log);
    EXPECT_EQ(TypedWhenCaughtUp(keyboard.get(), target), "launched");
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
}

}  // namespace
}  // namespace tessaro::testing
