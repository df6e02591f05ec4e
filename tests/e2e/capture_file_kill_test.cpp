// The capture file (TempCap.Txt) of the real player: killed at any moment of a capture it
// holds the recording from its start with nothing left out, until the macro holds it; when
// the disk is full the recording goes on and the macro gets all of it.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "kill_rig.h"
#include "macro/macro_file.h"
#include "platform/messages.h"
#include "protocol/glob_data.h"
#include "protocol/window_messages.h"
#include "shared_glob.h"
#include "tests/support/key_target.h"
#include "tests/support/unpacked.h"
#include "tray_host.h"
// Xlib's macros last.
#include "editor_desk.h"
#include "hot_key_grab.h"
#include "hot_key_press.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

bool Recording() {
    const TGlobData g = CurrentGlob();
    return g.CaptureOn == 1 && g.CapStarting == 0;
}

class CaptureFileTest : public PlayerWritesTest {
protected:
    void SetUp() override {
        PlayerWritesTest::SetUp();
        if (IsSkipped()) return;
        d_ = xvfb_.Open();
        ASSERT_NE(d_, nullptr);
        // The macro file from the start, so that none is made in the program folder.
        WriteFileBytes(box_->file("TESRO.INI"), "[Misc]\nFirst Use=No\nCurrent File=" + macros_ +
                                                    "\n[Capture]\nKeys=Yes\nMouse=No\nTime=No\n"
                                                    "Prompt=No\nGlobal=Yes\nDouble Alt=No\n");
        WriteRunMacro("");
    }
    void TearDown() override {
        if (d_) XCloseDisplay(d_);
    }
    // The player, up with its hooks, and a capture started by its hot key; the key in `hotKey`.
    std::unique_ptr<PlayerProcess> StartCapture(int& hotKey) {
        auto player = std::make_unique<PlayerProcess>(*box_, std::vector<std::string>{"/F" + macros_, "/EN"},
                                                      "player.log");
        const bool up =
            WaitForPlayerWindow() != 0 && WaitFor(
                                              [&] {
                                                  const TGlobData g = CurrentGlob();
                                                  return g.KeyboardHook != 0 && CaptureHotKey(g) >= 0;
                                              },
                                              10s);
        hotKey = up ? CaptureHotKey(CurrentGlob()) : -1;
        if (hotKey < 0 || !WaitFor([&] { return HotKeyCodeGrabbed(d_, hotKey); }, 10s)) {
            ADD_FAILURE() << "the player's capture key is not there" << player->Log();
            return player;
        }
        PressHotKey(d_, hotKey);
        if (!WaitFor(Recording, 10s)) ADD_FAILURE() << "no capture started" << player->Log();
        return player;
    }

    Display* d_ = nullptr;
};

// Characters as the hook library reports them, fast: each kill leaves in the capture file
// the first of them in their order, none missing.
TEST_F(CaptureFileTest, KilledWhileRecordingLeavesTheRecordingFromItsStart) {
    std::string sent;
    for (int i = 0; sent.size() < 3000; ++i) sent += "key " + std::to_string(i) + " ";
    const std::string capture = box_->file("TempCap.Txt");
    const std::string macros = ReadFileBytes(macros_);
    RandomKills kills(
        [&] {
            WriteFileBytes(macros_, macros);
            std::filesystem::remove(capture);
        },
        [&] {
            int hotKey = -1;
            auto player = StartCapture(hotKey);
            const TGlobData g = CurrentGlob();
            for (unsigned char c : sent)
                box_->platform().messages().PostMessage(WaitForPlayerWindow(), WM_CAPTURE_CHAR,
                                                        Unpacked(g.CaptureMacro), c);
            return player;
        },
        capture);
    kills.RunToTheEnd([&] { return ReadFileBytes(capture) == sent; });
    kills.KillAtRandomMoments(
        [&]() -> std::string {
            const std::string left = ReadFileBytes(capture);
            return sent.compare(0, left.size(), left) == 0
                       ? std::string()
                       : "the capture file holds \"" + left.substr(0, 80) + "\"";
        },
        6, 200);
}

// The program folder on a full disk while the user types: the file cannot follow, but the
// recording goes on, and the macro gets every character typed, also those typed before
// the disk had room again; the file never skips a character.
TEST_F(CaptureFileTest, OnAFullDiskTheMacroGetsEveryCharacterTyped) {
    SmallFileSystem& small = Small();
    if (!small.mounted()) GTEST_SKIP() << "no small file system here (needs root): " << small.error();
    ::setenv("TESSARO_HOME", small.path().c_str(), 1);
    ASSERT_TRUE(small.Fill());
    int hotKey = -1;
    const auto player = StartCapture(hotKey);
    if (HasFailure()) return;
    const std::string capture = small.file("TempCap.Txt");
    // The first character finds the disk full; the player notices (and says so).
    TypeAscii(d_, "f", 20ms);
    ASSERT_TRUE(WaitFor(
        [&] {
            return player->Log().find("capture file") != std::string::npos || FindTitled(d_, "Error") != 0;
        },
        10s))
        << player->Log();
    small.Free();
    TypeAscii(d_, "ullroom", 20ms);
    const std::string left = ReadFileBytes(capture);
    EXPECT_EQ(std::string("fullroom").compare(0, left.size(), left), 0) << left;
    PressHotKey(d_, hotKey);
    Window dialog = 0;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindTitled(d_, "Capture Complete")) != 0; }, 10s))
        << player->Log();
    CloseWindow(d_, dialog);
    TMacroRecord rec;
    ASSERT_TRUE(
        WaitFor([&] { return ReadMacroRecordAt(macros_, 7, rec).ok() && !GetMacroText(rec).empty(); }, 10s))
        << player->Log();
    EXPECT_EQ(GetMacroText(rec), "fullroom") << player->Log();
    EXPECT_FALSE(std::filesystem::exists(capture));
}

// Killed while the user answers "Capture Complete": the macro does not hold the recording
// yet, so the capture file still does.
TEST_F(CaptureFileTest, KilledWhileCaptureCompleteIsAskedLeavesTheRecordingInItsFile) {
    int hotKey = -1;
    const auto player = StartCapture(hotKey);
    if (HasFailure()) return;
    const std::string capture = box_->file("TempCap.Txt");
    TypeAscii(d_, "kept", 20ms);
    ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(capture) == "kept"; }, 10s)) << ReadFileBytes(capture);
    PressHotKey(d_, hotKey);
    ASSERT_TRUE(WaitFor([&] { return FindTitled(d_, "Capture Complete") != 0; }, 10s)) << player->Log();
    player->Stop(SIGKILL);
    EXPECT_EQ(ReadFileBytes(capture), "kept");
}

}  // namespace
}  // namespace tessaro::testing
