// Both programs need an X desktop. Started where there is none (no DISPLAY, or one that
// names no server, whatever Qt platform the environment asks for), or on a desktop but asked
// for another Qt platform, each says why in one line on its error output and ends with a
// failure status: no abort, and no run on a desktop that exists only in memory. The editor
// started by hand shows its start gate's box, and a SIGTERM ends it there.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wait_for.h"
// Xlib's macros last.
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

std::string Program(const std::string& name) {
    const char* bin = std::getenv("TESSARO_BIN");
    return std::string(bin ? bin : TESSARO_TEST_BIN_DIR) + "/" + name;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// A display number that no server of this machine serves.
std::string AbsentDisplay() {
    for (int n = 4711;; ++n) {
        const std::string number = std::to_string(n);
        if (!Exists("/tmp/.X11-unix/X" + number) && !Exists("/tmp/.X" + number + "-lock"))
            return ":" + number;
    }
}

// An X server for the starts that have one; empty without Xvfb.
const std::string& Desktop() {
    static Xvfb xvfb;
    return xvfb.name();
}
// In a start's environment: the display of Desktop().
constexpr char kOnTheDesktop[] = "DISPLAY=@";

struct Start {
    std::string program;
    std::vector<std::string> env;  // the display part of the environment
    std::string expected;          // the one line on stderr
};

void PrintTo(const Start& start, std::ostream* os) {
    *os << start.program;
    for (const std::string& e : start.env) *os << " " << e;
}

class NoDisplay : public ::testing::TestWithParam<Start> {};

TEST_P(NoDisplay, TheProgramSaysSoInOneLineAndFails) {
    const Start& start = GetParam();
    TempDir dir("nodisplay");
    std::vector<std::string> env = start.env;
    for (std::string& e : env)
        if (e == kOnTheDesktop) {
            if (Desktop().empty()) GTEST_SKIP() << "no Xvfb";
            e = "DISPLAY=" + Desktop();
        }
    // Should it start after all, it keeps to this folder.
    for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "HOME"})
        env.push_back(std::string(name) + "=" + dir.path());
    const std::string out = dir.file("out"), err = dir.file("err");
    ChildProcess child({Program(start.program)},
                       ChildOptions().Out(out).Err(err).Env(env).EndSignal(SIGKILL));
    ASSERT_TRUE(child.started());
    // A program that runs on anyway is the fault: it is not waited for without end.
    const int status = child.WaitExit(std::chrono::seconds(20));
    EXPECT_NE(status, -1) << start.program << " is still running";
    EXPECT_NE(status, 0);
    EXPECT_LT(status, 128) << "ended by a signal (an abort)";
    EXPECT_EQ(ReadAll(err), start.expected + "\n");
    EXPECT_EQ(ReadAll(out), "");
}

std::vector<Start> Starts() {
    const std::string absent = AbsentDisplay();
    std::vector<Start> starts;
    for (const std::string program : {"tesrun", "tesdesk"}) {
        const std::string unset = program + " needs an X11 display: DISPLAY is not set";
        const std::string closed = program + " needs an X11 display: display " + absent + " cannot be opened";
        starts.push_back({program, {"DISPLAY", "QT_QPA_PLATFORM"}, unset});
        starts.push_back({program, {"DISPLAY", "QT_QPA_PLATFORM=offscreen"}, unset});
        starts.push_back({program, {"DISPLAY=", "QT_QPA_PLATFORM"}, unset});
        starts.push_back({program, {"DISPLAY=" + absent, "QT_QPA_PLATFORM"}, closed});
        starts.push_back({program, {"DISPLAY=" + absent, "QT_QPA_PLATFORM=offscreen"}, closed});
        const std::string other =
            program + " runs only on an X11 display, not on the Qt platform \"offscreen\"";
        starts.push_back({program, {kOnTheDesktop, "QT_QPA_PLATFORM=offscreen"}, other});
        starts.push_back({program, {kOnTheDesktop, "QT_QPA_PLATFORM=offscreen;xcb"}, other});
    }
    return starts;
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, NoDisplay, ::testing::ValuesIn(Starts()),
                         [](const ::testing::TestParamInfo<Start>& info) {
                             return info.param.program + "_" + std::to_string(info.index);
                         });

// Started by hand, the editor shows its gate's box; a SIGTERM closes it and the editor ends.
TEST(StartGate, ASigtermEndsTheEditorAtItsBox) {
    if (Desktop().empty()) GTEST_SKIP() << "no Xvfb";
    TempDir dir("gate");
    std::vector<std::string> env = {"DISPLAY=" + Desktop(), "QT_QPA_PLATFORM=xcb"};
    for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "HOME"})
        env.push_back(std::string(name) + "=" + dir.path());
    Display* d = XOpenDisplay(Desktop().c_str());
    ASSERT_NE(d, nullptr);
    ChildProcess editor({Program("tesdesk")},
                        ChildOptions().Out(dir.file("out")).Err(dir.file("err")).Env(env).EndSignal(SIGKILL));
    ASSERT_TRUE(editor.started());
    // The box: a window of the editor's on the screen.
    const auto boxShown = [d] {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int n = 0;
        bool shown = false;
        if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n))
            for (unsigned int i = 0; i < n && !shown; ++i) {
                XWindowAttributes a{};
                shown = XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable;
            }
        if (children) XFree(children);
        return shown;
    };
    ASSERT_TRUE(WaitFor(boxShown, std::chrono::seconds(20))) << "the gate's box never came";
    ::kill(editor.pid(), SIGTERM);
    const int status = editor.WaitExit(std::chrono::seconds(20));
    XCloseDisplay(d);
    EXPECT_NE(status, -1) << "the editor is still at its box";
    EXPECT_LT(status, 128) << "ended by the signal itself, not by its own end";
}

}  // namespace
}  // namespace tessaro::testing
