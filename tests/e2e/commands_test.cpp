// A macro run by the real player makes a folder, copies a file into it, plays a sound to
// the end on the sound server, turns the volume one step up and types today's date into
// the focused window.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "player_process.h"
#include "tests/player/commands/pulse_server.h"
#include "tests/support/key_target.h"
#include "typed_marker.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

// A macro file holding one macro that runs by its nickname.
std::string MacroFileWith(const PlayerSandbox& box, const std::string& nickname, const std::string& text) {
    const std::string file = box.file(nickname + ".QTM");
    TMacroRecord rec{};
    rec.Nickname = nickname;
    rec.Scope = scGlobal;
    rec.ActivationCode = 30000;
    rec.Enabled = 1;
    SetMacroText(rec, text);
    EXPECT_TRUE(CreateEmptyMacroFile(file).ok());
    EXPECT_TRUE(WriteMacroRecordAt(file, 1, rec).ok());
    return file;
}

TEST(Commands, FilesSoundVolumeAndDateFromOneMacro) {
    Xvfb xvfb;
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PulseServer pulse;
    if (!pulse.ready()) GTEST_SKIP() << "no PulseAudio";
    PulseServer::Pactl(std::string("set-sink-volume ") + PulseServer::kSink + " 32768");
    PlayerSandbox box(xvfb.name());

    const std::string d = box.dir();
    std::vector<char> data(5 << 20);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = char(i % 251);
    WriteBytes(d + "/source.bin", data);
    WriteToneWav(d + "/tone.wav", 1500);
    const std::string file =
        MacroFileWith(box, "Media",
                      "<MKDIR:" + d + "/made/deeper><COPYFILE:" + d + "/source.bin;" + d +
                          "/made/deeper/copy.bin><WAV1:" + d + "/tone.wav><AUDUP><YYYY-MM-DD{Y}>");

    KeyTarget target(xvfb.Open(), "Date Target");
    ASSERT_TRUE(target.ok());
    const std::unique_ptr<Display, int (*)(Display*)> keyboard(xvfb.Open(), XCloseDisplay);
    ASSERT_NE(keyboard, nullptr);
    ASSERT_TRUE(target.Focus());
    const std::string today = Today();
    PlayerProcess player(box, {"/F" + file, "/EN", "/AMedia"}, "player.log");
    ASSERT_TRUE(player.started());

    // The sound plays on the null sink before anything is typed.
    EXPECT_TRUE(WaitFor([] { return PulseServer::SinkInputs() > 0; }, 15s)) << player.Log();
    EXPECT_TRUE(target.Typed().empty());
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed().size() >= 10; }, 15s)) << player.Log();
    const std::string typed = TypedWhenCaughtUp(keyboard.get(), target);
    if (typed != today) {
        EXPECT_EQ(typed, Today());  // unless midnight passed meanwhile
    }
    EXPECT_EQ(ReadBytes(d + "/made/deeper/copy.bin"), data);
    EXPECT_EQ(PulseServer::SinkVolume(), 32768 + 3276);
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
}

// Whether a top-level window (or a child of the root's children, as some toolkits nest
// them) carries `title` as its name.
bool WindowTitled(Display* d, Window parent, const std::string& title, int depth = 0) {
    Window root = 0, up = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, parent, &root, &up, &children, &count)) return false;
    bool found = false;
    const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    for (unsigned i = 0; i < count && !found; ++i) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, left = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(d, children[i], netName, 0, 256, False, utf8, &type, &format, &items, &left,
                               &data) == Success &&
            data) {
            found = title == reinterpret_cast<const char*>(data);
            XFree(data);
        }
        if (!found && depth < 1) found = WindowTitled(d, children[i], title, depth + 1);
    }
    if (children) XFree(children);
    return found;
}

TEST(Commands, AClipTheMediaFrameworkCannotPlayIsAMessageNotACrash) {
    Xvfb xvfb;
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    const std::string d = box.dir();
    WriteToneWav(d + "/clip.wav", 500);
    // A plug-in registry with nothing in it, for the player only.
    std::filesystem::create_directory(d + "/no-plugins");
    ::setenv("GST_PLUGIN_SYSTEM_PATH_1_0", (d + "/no-plugins").c_str(), 1);
    ::setenv("GST_PLUGIN_PATH_1_0", (d + "/no-plugins").c_str(), 1);
    ::setenv("GST_REGISTRY_1_0", (d + "/registry.bin").c_str(), 1);
    const std::string file = MacroFileWith(box, "Clip", "<AVIE:" + d + "/clip.wav>");
    PlayerProcess player(box, {"/F" + file, "/EN", "/AClip"}, "player.log");
    for (const char* name : {"GST_PLUGIN_SYSTEM_PATH_1_0", "GST_PLUGIN_PATH_1_0", "GST_REGISTRY_1_0"})
        ::unsetenv(name);
    ASSERT_TRUE(player.started());
    Display* display = xvfb.Open();
    ASSERT_NE(display, nullptr);
    EXPECT_TRUE(
        WaitFor([&] { return WindowTitled(display, DefaultRootWindow(display), "Multimedia Error"); }, 20s))
        << player.Log();
    EXPECT_EQ(player.WaitExit(500ms), -1) << "the player ended\n" << player.Log();
    XCloseDisplay(display);
}

}  // namespace
}  // namespace tessaro::testing
