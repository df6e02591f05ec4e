// A hot key pressed on a real X server runs the macro that fits the focused window, which
// types into that window, and the hot key itself never reaches it.
#include <gtest/gtest.h>

#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "player_process.h"
#include "tests/support/key_target.h"
#include "typed_marker.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltK = 154;

TMacroRecord Macro(const std::string& nickname, std::uint16_t scope, const std::string& scopeText,
                   const std::string& text) {
    TMacroRecord rec{};
    rec.Nickname = nickname;
    rec.Scope = scope;
    rec.ScopeText = scopeText;
    rec.ActivationCode = kCtrlAltK;
    rec.Enabled = 1;
    SetMacroText(rec, text);
    return rec;
}

// Let late keys arrive and the player finish the macro (its end-of-playback key through a
// spare keycode) before checking the text and pressing again: the playback caught up and
// a key of the test's own reached the focused window after it.
void AfterPlayback(Display* keyboard, KeyTarget& focused) { TypedWhenCaughtUp(keyboard, focused); }

class HotKeys : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        box_ = std::make_unique<PlayerSandbox>(xvfb_.name());
        keyboard_ = xvfb_.Open();
        ASSERT_NE(keyboard_, nullptr);
        if (GetParam()) {
            wm_ = std::make_unique<WindowManager>(xvfb_.name());
            if (!WaitFor([&] { return WindowManager::Running(keyboard_); }, 10s))
                GTEST_SKIP() << "no window manager";
        }
        file_ = box_->file("HOTKEYS.QTM");
        ASSERT_TRUE(CreateEmptyMacroFile(file_).ok());
        ASSERT_TRUE(WriteMacroRecordAt(file_, 1, Macro("Hello", scGlobal, "", "hello world<ENTER>")).ok());
        ASSERT_TRUE(WriteMacroRecordAt(file_, 2, Macro("Scoped", scWindow, "Scoped Target", "scoped")).ok());
    }
    void TearDown() override {
        if (keyboard_) XCloseDisplay(keyboard_);
    }

    Xvfb xvfb_{"640x480x24"};
    std::unique_ptr<PlayerSandbox> box_;
    std::unique_ptr<WindowManager> wm_;
    Display* keyboard_ = nullptr;
    std::string file_;
};

TEST_P(HotKeys, GlobalAndWindowMacrosTypeIntoTheirWindowAndSwallowTheKey) {
    KeyTarget plain(xvfb_.Open(), "Plain Target");
    ASSERT_TRUE(plain.ok());
    ASSERT_TRUE(plain.Focus());

    PlayerProcess player(*box_, {"/F" + file_, "/EN"}, "player.log");
    ASSERT_TRUE(player.started());
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }, 10s))
        << player.Log();

    // The scoped window does not exist yet: the global macro runs.
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    EXPECT_TRUE(plain.WaitUntil([&] { return plain.Typed().size() >= 12; }, 10s)) << player.Log();
    AfterPlayback(keyboard_, plain);
    EXPECT_EQ(plain.Typed(), "hello world\r");
    EXPECT_FALSE(plain.Pressed("k") || plain.Pressed("K"));

    // The window of the scoped macro in front: it wins.
    KeyTarget scoped(xvfb_.Open(), "Scoped Target");
    ASSERT_TRUE(scoped.ok());
    ASSERT_TRUE(scoped.Focus());
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    EXPECT_TRUE(scoped.WaitUntil([&] { return scoped.Typed().size() >= 6; }, 10s)) << player.Log();
    AfterPlayback(keyboard_, scoped);
    EXPECT_EQ(scoped.Typed(), "scoped");
    EXPECT_FALSE(scoped.Pressed("k") || scoped.Pressed("K"));

    // The scoped window behind the focused one (minimised, where a window manager runs):
    // it is brought to the front and gets the text.
    if (GetParam()) {
        ASSERT_TRUE(scoped.Minimise());
    }
    ASSERT_TRUE(plain.Focus());
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    EXPECT_TRUE(scoped.WaitUntil([&] { return scoped.Typed().size() >= 12; }, 10s)) << player.Log();
    AfterPlayback(keyboard_, scoped);
    EXPECT_EQ(scoped.Typed(), "scopedscoped");
    EXPECT_EQ(plain.Typed(), "hello world\r");

    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
}

TEST_P(HotKeys, NicknameAtStartAndFromASecondStartRunsTheMacro) {
    if (GetParam()) GTEST_SKIP() << "the window manager changes nothing here";
    KeyTarget plain(xvfb_.Open(), "Plain Target");
    ASSERT_TRUE(plain.ok());
    ASSERT_TRUE(plain.Focus());
    // A path holding "/a" before the switch must not be taken for it.
    PlayerProcess player(*box_, {"/F" + file_, "/EN", "/aHELLO"}, "player.log");
    ASSERT_TRUE(player.started());
    EXPECT_TRUE(plain.WaitUntil([&] { return plain.Typed().size() >= 12; }, 15s)) << player.Log();
    AfterPlayback(keyboard_, plain);
    EXPECT_EQ(plain.Typed(), "hello world\r");

    PlayerProcess second(*box_, {"/F/tmp/a/b", "/Ahello"}, "second.log");
    EXPECT_EQ(second.WaitExit(10s), 0);
    EXPECT_TRUE(plain.WaitUntil([&] { return plain.Typed().size() >= 24; }, 10s)) << player.Log();
    AfterPlayback(keyboard_, plain);
    EXPECT_EQ(plain.Typed(), "hello world\rhello world\r");
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
}

INSTANTIATE_TEST_SUITE_P(Desktop, HotKeys, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "WindowManager" : "PlainX"; });

}  // namespace
}  // namespace tessaro::testing
