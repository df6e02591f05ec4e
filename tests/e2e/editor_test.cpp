// The editor opened by the player on a real X server with a window manager: its menu
// deactivates, activates and removes a hot-key macro, and the running player follows
// before the next key press.
#include <gtest/gtest.h>

#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "platform/profile.h"
#include "tests/support/macro_fixtures.h"
// Xlib's macros last: they clash with names above.
#include "editor_session.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltK = 154;

class Editor : public EditorSession {
protected:
    void SetUp() override {
        SetUpSession();
        if (IsSkipped() || HasFatalFailure()) return;
        // Sorted by nickname: the macro is the first row.
        ASSERT_TRUE(WriteMacroRecordAt(file_, 1, TypingMacro("AAA hello", kCtrlAltK, "hello")).ok());
        ASSERT_TRUE(win::WritePrivateProfileString("Misc", "Primary Sort", "213", kSettingsFile));
        StartPlayer();
    }

    bool Grabbed() { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }
    bool Enabled1() {
        TMacroRecord r{};
        return ReadMacroRecordAt(file_, 1, r).ok() && r.Enabled == 1;
    }
};

TEST_F(Editor, PlayerStartsTheEditorWhoseMenuDeactivatesActivatesAndRemovesAHotKeyMacro) {
    KeyTarget& target = *target_;
    ASSERT_TRUE(WaitFor([&] { return Grabbed(); }, 10s)) << player_->Log();

    // Deactivate: the file says so, the key is let go, the next press reaches the target.
    MacrosMenu(XK_v);
    ASSERT_TRUE(WaitFor([&] { return !Enabled1(); }, 10s)) << player_->Log();
    ASSERT_TRUE(WaitFor([&] { return !Grabbed(); }, 10s)) << player_->Log();
    ASSERT_TRUE(target.Focus());
    EXPECT_EQ(TypedForHotKey(keyboard_, target, playerWindow_, XK_k, {XK_Control_L, XK_Alt_L}).find("hello"),
              std::string::npos);
    EXPECT_TRUE(target.Pressed("k"));

    // Activate: it plays again.
    MacrosMenu(XK_v);
    ASSERT_TRUE(WaitFor([&] { return Enabled1(); }, 10s)) << player_->Log();
    ASSERT_TRUE(WaitFor([&] { return Grabbed(); }, 10s)) << player_->Log();
    ASSERT_TRUE(target.Focus());
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed().find("hello") != std::string::npos; }, 10s))
        << player_->Log();
    ASSERT_TRUE(target.WaitUntil(PlaybackCaughtUp, 10s)) << player_->Log();

    // Remove, answering the question with its default Yes: gone from the file and the player.
    const int before = CountMacroRecords(file_);
    MacrosMenu(XK_r);
    ASSERT_TRUE(WindowShown("Delete")) << player_->Log();
    Press(keyboard_, XK_Return);
    ASSERT_TRUE(WaitFor([&] { return CountMacroRecords(file_) == before - 1; }, 10s)) << player_->Log();
    ASSERT_TRUE(WaitFor([&] { return !Grabbed(); }, 10s)) << player_->Log();
    std::vector<TMacroRecord> left;
    ASSERT_TRUE(ReadMacroRecords(file_, 500, left).ok());
    for (const TMacroRecord& r : left) EXPECT_NE(r.Nickname.str(), "AAA hello");

    // Terminating the player closes the editor as its user would.
    EXPECT_EQ(player_->Stop(SIGTERM), 0) << player_->Log();
    EXPECT_TRUE(WaitFor([&] { return !win::InstanceRunning(kEditorInstanceName); }, 10s));
}

}  // namespace
}  // namespace tessaro::testing
