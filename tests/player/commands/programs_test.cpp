#include "player/commands/programs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_window_control.h"
#include "tests/player/engine/interpreter_doubles.h"

namespace tessaro::testing {
namespace {

LaunchRequest Read(std::string_view text) {
    const Token token = Recognise(text, 0);
    EXPECT_NE(token.kind, TokenKind::None) << text;
    return ReadLaunch(token);
}

TEST(LaunchTokens, ArgumentsWaitsAndTitlesOfEveryForm) {
    auto r = Read("<LAUNCH:notepad.exe<PARAM>c:\\a.txt>");
    EXPECT_EQ(r.file, "notepad.exe");
    EXPECT_EQ(r.parameters, "c:\\a.txt");
    EXPECT_EQ(r.windowState, 0);
    EXPECT_TRUE(r.title.empty());

    r = Read("<LAUNCHDEL:07viewer2\x01>");
    EXPECT_EQ(r.file, "viewer");
    EXPECT_EQ(r.windowState, 2);
    EXPECT_EQ(r.afterSeconds, 7);

    r = Read("<LAUNCHYES:05Untitled<LAUNCH:notepad.exe>");
    EXPECT_EQ(r.title, "Untitled");
    EXPECT_TRUE(r.activateFirst);
    EXPECT_EQ(r.windowSeconds, kDefaultWindowSeconds);
    EXPECT_EQ(r.file, "notepad.exe");

    r = Read("<LAUNCHNO2:0120A title that runs past thirty characters<LAUNCH:app<PARAM>-v>");
    EXPECT_EQ(r.afterSeconds, 1);
    EXPECT_EQ(r.windowSeconds, 20);
    EXPECT_EQ(r.title, "A title that runs past thirty ");
    EXPECT_FALSE(r.activateFirst);
    EXPECT_EQ(r.file, "app");
    EXPECT_EQ(r.parameters, "-v");
}

TEST(LaunchTokens, FailureTextsByResultCode) {
    struct Row {
        int code;
        std::string reason;
    };
    for (const Row& r :
         {Row{0, "the operating system is out of memory or resources."},
          Row{2, "the specified file was not found."}, Row{3, "the specified path was not found."},
          Row{5, "the operating system denied access to the specified file."},
          Row{8, "there was not enough memory to complete the operation."},
          Row{11, "the .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
          Row{26, "a sharing violation occurred."},
          Row{27, "the filename association is incomplete or invalid."},
          Row{31, "there is no application associated with the given filename extension."},
          Row{1040, "of an unknown Error #1040."}})
        EXPECT_EQ(LaunchErrorText("x.exe", r.code),
                  "\"x.exe\" failed to launch because " + r.reason + " Macro will abort.");
}

TEST(LaunchPlatform, ParametersSplitAtBlanksWithQuotesGrouping) {
    using V = std::vector<std::string>;
    EXPECT_EQ(win::SplitParameters(""), V{});
    EXPECT_EQ(win::SplitParameters("  a  b "), (V{"a", "b"}));
    EXPECT_EQ(win::SplitParameters("\"c:\\my files\\a.txt\" -x"), (V{"c:\\my files\\a.txt", "-x"}));
    EXPECT_EQ(win::SplitParameters("a\"b c\"d \"\""), (V{"ab cd", ""}));
    EXPECT_EQ(win::SplitParameters("\"unbalanced to the end"), (V{"unbalanced to the end"}));
    EXPECT_EQ(win::SplitParameters("$(reboot); `x` | y"), (V{"$(reboot);", "`x`", "|", "y"}));
}

TEST(LaunchPlatform, ErrorsAndOpenerStatusesMapToResultCodes) {
    EXPECT_EQ(win::LaunchCodeOfErrno(ENOENT), 2);
    EXPECT_EQ(win::LaunchCodeOfErrno(ENOTDIR), 3);
    EXPECT_EQ(win::LaunchCodeOfErrno(EACCES), 5);
    EXPECT_EQ(win::LaunchCodeOfErrno(ENOMEM), 8);
    EXPECT_EQ(win::LaunchCodeOfErrno(ENOEXEC), 11);
    EXPECT_EQ(win::LaunchCodeOfErrno(ETXTBSY), 26);
    EXPECT_GT(win::LaunchCodeOfErrno(EIO), 32 + 1000 - 32);
    EXPECT_EQ(win::LaunchCodeOfOpenerStatus(0), win::kLaunchSucceeded);
    EXPECT_EQ(win::LaunchCodeOfOpenerStatus(2), 2);
    EXPECT_EQ(win::LaunchCodeOfOpenerStatus(3), 31);
    EXPECT_EQ(win::LaunchCodeOfOpenerStatus(4), 31);
}

class RealLaunch : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("launch-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Script(const std::string& name, const std::string& body, bool executable = true) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path) << body;
        ::chmod(path.c_str(), executable ? 0700 : 0600);
        return path;
    }
    std::string Wait(const std::string& path) {
        for (int i = 0; i < 200 && !std::filesystem::exists(path); ++i) ::usleep(10'000);
        ::usleep(20'000);
        std::ifstream in(path);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::filesystem::path dir_;
    win::Launcher launcher_;
};

TEST_F(RealLaunch, ProgramsGetTheirWordsAndNothingReachesAShell) {
    const std::string out = (dir_ / "args").string();
    const std::string prog = Script("-x", "#!/bin/sh\nprintf '%s|' \"$@\" > " + out + "\n");
    const auto r = launcher_.Open(prog, "\"two words\" $(touch " + (dir_ / "pwned").string() + ") ;");
    ASSERT_EQ(r.code, win::kLaunchSucceeded);
    EXPECT_FALSE(r.opener);
    EXPECT_EQ(Wait(out), "two words|$(touch|" + (dir_ / "pwned").string() + ")|;|");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "pwned"));
}

TEST_F(RealLaunch, MissingFilesPathsAndBadProgramsGiveTheirCodes) {
    EXPECT_EQ(launcher_.Open((dir_ / "missing").string(), "").code, 2);
    EXPECT_EQ(launcher_.Open((dir_ / "missing" / "deeper").string(), "").code, 2);
    const std::string file = Script("plain", "x");
    EXPECT_EQ(launcher_.Open(file + "/below", "").code, 3);
    EXPECT_EQ(launcher_.Open("no-such-program-anywhere-here", "").code, 2);
    const std::string junk = Script("junk", "neither a program nor a script\n");
    EXPECT_EQ(launcher_.Open(junk, "").code, 11);
    EXPECT_EQ(launcher_.Open("", "").code, 2);
}

TEST(WindowStates, TheFirstNewWindowOfTheProcessOrAChildTakesTheState) {
    auto& sim = win::sim::TheSimDesktop();
    auto& control = win::sim::TheSimWindowControl();
    sim.Clear();
    control.Clear();
    const auto before = sim.AddWindow("Old", ::getpid(), "test");
    WindowStateWatch watch(sim, control);
    watch.Watch(::getppid(), 2, 0);  // this test is a descendant of its parent
    EXPECT_TRUE(watch.Poll(10));
    const auto stranger = sim.AddWindow("Stranger", 1, "init");
    const auto fresh = sim.AddWindow("New", ::getpid(), "test");
    EXPECT_FALSE(watch.Poll(20));
    EXPECT_TRUE(control.IsMaximised(fresh));
    EXPECT_FALSE(control.IsMaximised(before));
    EXPECT_FALSE(control.IsMaximised(stranger));

    watch.Watch(::getppid(), 1, 0);
    EXPECT_TRUE(watch.Poll(WindowStateWatch::kWatchMs));
    EXPECT_FALSE(watch.Poll(WindowStateWatch::kWatchMs + 1));  // gave up
    watch.Watch(::getpid(), 0, 0);                             // normal: nothing to watch
    EXPECT_FALSE(watch.Poll(1));
}

TEST(LaunchCommand, ActivateFirstLaunchesNothingAndAFailureEndsTheMacro) {
    auto& sim = win::sim::TheSimDesktop();
    sim.Clear();
    Rig rig;
    Launches launches(sim, win::sim::TheSimWindowControl());
    rig.desktop.windows = {"Untitled - Notepad"};
    auto run = [&](std::string_view text) { return launches.Run(rig.player, Recognise(text, 0)); };
    EXPECT_EQ(run("<LAUNCHYES:05Untitled<LAUNCH:/nonexistent/notepad>"), CommandOutcome::Done);
    EXPECT_TRUE(rig.windows.messages.empty());
    EXPECT_EQ(launches.launchTitle(), "Untitled");

    EXPECT_EQ(run("<LAUNCH:/nonexistent/notepad>"), CommandOutcome::EndMacro);
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Launch Error");
    EXPECT_EQ(
        rig.windows.messages[0].text,
        "\"/nonexistent/notepad\" failed to launch because the specified file was not found. Macro will "
        "abort.");
}

TEST(LaunchCommand, WindowThatNeverComesFailsAfterItsTimeOut) {
    Rig rig;
    auto& sim = win::sim::TheSimDesktop();
    Launches launches(sim, win::sim::TheSimWindowControl());
    const auto outcome = launches.Run(rig.player, Recognise("<LAUNCHNO2:0003Nowhere<LAUNCH:/bin/true>", 0));
    EXPECT_EQ(outcome, CommandOutcome::EndMacro);
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Launch Failed");
    EXPECT_EQ(rig.windows.messages[0].text,
              "Specified window title of \"Nowhere\" could not be found on your computer. Macro will abort.");
    EXPECT_GE(rig.clock.now - 1'000'000, 3000);

    rig.windows.messages.clear();
    rig.desktop.windows = {"Somewhere"};
    const std::int64_t before = rig.clock.now;
    EXPECT_EQ(launches.Run(rig.player, Recognise("<LAUNCHNO2:0203Somewhere<LAUNCH:/bin/true>", 0)),
              CommandOutcome::Done);
    EXPECT_TRUE(rig.windows.messages.empty());
    EXPECT_GE(rig.clock.now - before, 2000);  // the after-launch wait
}

}  // namespace
}  // namespace tessaro::testing
