// The capture file (TempCap.Txt) of a capture recorded into the real editor from its
// "Capture Macro" dialog, typed into another window: the file follows the recording, a full
// disk while the user types loses nothing of the macro, and a recording kept from an earlier
// capture outlives a cancelled dialog.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "foundation/settings.h"
#include "foundation/start_gate.h"
#include "kill_rig.h"
#include "macro/macro_file.h"
#include "platform/profile.h"
#include "platform/single_instance.h"
#include "protocol/glob_data.h"
#include "shared_glob.h"
#include "tests/support/key_target.h"
// Xlib's macros last.
#include "editor_keys.h"
#include "hot_key_press.h"
#include "managed_desktop.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltK = 154;

class EditorCaptureFile : public ManagedDesktop {
protected:
    EditorCaptureFile() : ManagedDesktop("800x600x24") {}

    void SetUp() override {
        SetUpDesktop();
        if (IsSkipped() || HasFatalFailure()) return;
        macros_ = box_->file("CAPTURE.QTM");
        ASSERT_TRUE(CreateEmptyMacroFile(macros_).ok());
        ASSERT_TRUE(WriteMacroRecordAt(macros_, 1, TypingMacro("AAA recapture", kCtrlAltK, "old")).ok());
        ASSERT_TRUE(win::WritePrivateProfileString("Misc", "Primary Sort", "213", kSettingsFile));
        for (const auto& [key, value] :
             {std::pair{"Keys", "Yes"}, {"Mouse", "No"}, {"Time", "No"}, {"Global", "Yes"}})
            ASSERT_TRUE(win::WritePrivateProfileString("Capture", key, value, kSettingsFile));
        target_ = std::make_unique<KeyTarget>(xvfb_.Open(), "Capture Target");
        ASSERT_TRUE(target_->ok());
    }
    void TearDown() override {
        if (player_) {
            player_->Stop(SIGTERM);
            WaitFor([] { return !win::InstanceRunning(kEditorInstanceName); }, 10s);
        }
        player_.reset();
        target_.reset();
        ManagedDesktop::TearDown();
    }

    // The player with its editor, up with the macro's hot key taken.
    void StartEditor() {
        player_ = std::make_unique<PlayerProcess>(*box_, std::vector<std::string>{"/F" + macros_, "/EY"},
                                                  "player.log");
        ASSERT_NE(WaitForPlayerWindow(), 0u) << player_->Log();
        ASSERT_TRUE(
            WaitFor([&] { return (editor_ = win::RunningInstanceWindow(kEditorInstanceName)) != 0; }, 20s))
            << player_->Log();
        ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }, 10s));
    }
    // "Recapture Macro" from the editor's Macro menu, up with the focus.
    void OpenCaptureDialog() {
        ASSERT_TRUE(PickFromMenu(keyboard_, editor_, XK_m, XK_c)) << player_->Log();
        ASSERT_NE(FocusedBox(keyboard_, "Capture Macro"), 0u)
            << "no capture dialog with the focus" << player_->Log();
    }
    // "&Start Capture", then the target window takes the typing.
    void StartCapture() {
        OpenCaptureDialog();
        if (HasFatalFailure()) return;
        PressWithModifiers(keyboard_, XK_Return, {});
        ASSERT_TRUE(WaitFor([] { return CurrentGlob().CaptureOn == 1; }, 10s)) << player_->Log();
        ASSERT_TRUE(target_->Focus());
    }
    // Each key of `text` typed into the target, as far as the target has it.
    void Type(const std::string& text) {
        const std::string before = target_->Typed();
        TypeAscii(keyboard_, text, 20ms);
        ASSERT_TRUE(target_->WaitUntil([&] { return target_->Typed() == before + text; }, 10s))
            << target_->Typed();
    }
    // The stop key, and the macro's text once the editor stored it; the box that says so
    // answered.
    std::string StopCapture(const std::string& expected) {
        PressHotKey(keyboard_, CaptureHotKey(CurrentGlob()));
        TMacroRecord rec;
        WaitFor([&] { return ReadMacroRecordAt(macros_, 1, rec).ok() && GetMacroText(rec) == expected; },
                10s);
        EXPECT_TRUE(AnswerBox(keyboard_, "Capture", XK_Return)) << player_->Log();
        return GetMacroText(rec);
    }

    std::unique_ptr<KeyTarget> target_;
    std::unique_ptr<PlayerProcess> player_;
    std::string macros_;
};

// The program folder fills up while the user types: the capture file cannot follow, but
// the recording goes on, and the macro gets every character typed, those typed before the
// disk had room again too; the file never skips a character.
TEST_F(EditorCaptureFile, OnAFullDiskTheMacroGetsEveryCharacterTyped) {
    SmallFileSystem small(box_->file("small"), "200k");
    if (!small.mounted()) GTEST_SKIP() << "no small file system here (needs root): " << small.error();
    ::setenv("TESSARO_HOME", small.path().c_str(), 1);
    ASSERT_NO_FATAL_FAILURE(StartEditor());
    ASSERT_NO_FATAL_FAILURE(StartCapture());
    const std::string capture = small.file("TempCap.Txt");
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(capture); }, 10s));
    ASSERT_TRUE(small.Fill());

    // The first character finds the disk full; the editor notices (and says so).
    ASSERT_NO_FATAL_FAILURE(Type("f"));
    ASSERT_TRUE(
        WaitFor([&] { return player_->Log().find("tesdesk: the capture file") != std::string::npos; }, 10s))
        << "the editor did not notice the full disk" << player_->Log();
    small.Free();
    ASSERT_NO_FATAL_FAILURE(Type("ullroom"));
    const std::string left = ReadFileBytes(capture);
    EXPECT_EQ(std::string("fullroom").compare(0, left.size(), left), 0) << left;

    EXPECT_EQ(StopCapture("fullroom"), "fullroom") << player_->Log();
    EXPECT_FALSE(std::filesystem::exists(capture));
}

// A recording kept in the capture file (from a capture that could not be stored) outlives
// the capture dialog cancelled; the next capture's file follows what is typed, so that a
// kill would leave it, and goes once the macro has it.
TEST_F(EditorCaptureFile, ACancelledDialogLeavesAKeptRecordingAndTheNextCaptureFileFollowsTheTyping) {
    const std::string capture = box_->file("TempCap.Txt");
    WriteFileBytes(capture, "kept recording");
    ASSERT_NO_FATAL_FAILURE(StartEditor());
    ASSERT_NO_FATAL_FAILURE(OpenCaptureDialog());
    ASSERT_TRUE(AnswerBox(keyboard_, "Capture Macro", XK_Escape)) << player_->Log();
    EXPECT_EQ(ReadFileBytes(capture), "kept recording");

    ASSERT_NO_FATAL_FAILURE(StartCapture());
    ASSERT_NO_FATAL_FAILURE(Type("xyz"));
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(capture) == "xyz"; }, 10s)) << ReadFileBytes(capture);
    EXPECT_EQ(StopCapture("xyz"), "xyz") << player_->Log();
    EXPECT_FALSE(std::filesystem::exists(capture));
}

}  // namespace
}  // namespace tessaro::testing
