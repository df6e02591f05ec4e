// Macros on the paths a user starts them by, played by the real player on a private X
// server into a window of the test: a hot key on a shared macro file in network mode, a
// timed macro while Caps Lock is on, keypad keys with NumLock off and on, and the hook
// library's key-state reports.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>

#include "foundation/settings.h"
#include "foundation/sync_record.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/profile.h"
#include "player/schedule/schedule_table.h"
#include "tests/e2e/player_process.h"
#include "protocol/glob_data.h"
#include "protocol/window_messages.h"
#include "tests/e2e/typed_marker.h"
#include "tests/support/key_target.h"
#include "tests/support/macro_fixtures.h"
#include "tests/support/xvfb.h"

// Xlib last: its macros clash with names above.
#include <X11/XKBlib.h>

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltK = 154;
// How long a hand holds a key down.
constexpr auto kHold = 80ms;
// The macro begins while the hot key is still held; its text comes once the hand let go.
constexpr const char* kAfterRelease = "<DELAY:00.30>";

// Modifiers down, the key down, a hold, then all up in reverse order.
void HoldKey(Display* d, KeySym key, std::initializer_list<KeySym> modifiers = {}) {
    for (KeySym m : modifiers) XTestFakeKeyEvent(d, XKeysymToKeycode(d, m), True, CurrentTime);
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, key), True, CurrentTime);
    XFlush(d);
    std::this_thread::sleep_for(kHold);
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, key), False, CurrentTime);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        XTestFakeKeyEvent(d, XKeysymToKeycode(d, *it), False, CurrentTime);
    XFlush(d);
}

bool Locked(Display* d, unsigned mask) {
    XkbStateRec state{};
    XkbGetState(d, XkbUseCoreKbd, &state);
    return (state.locked_mods & mask) != 0;
}

// A window message as another program of the desktop posts it to the player, through the
// test's own connection (a process-wide one would outlive the X server of the test).
bool PostToPlayer(Display* d, std::uint64_t window, std::uint32_t msg, std::uint32_t wParam,
                  std::int32_t lParam) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window;
    ev.xclient.message_type = XInternAtom(d, "_TESSARO_WINDOW_MESSAGE", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(msg);
    ev.xclient.data.l[1] = static_cast<long>(wParam);
    ev.xclient.data.l[2] = static_cast<long>(lParam);
    const bool sent = XSendEvent(d, window, False, NoEventMask, &ev) != 0;
    XFlush(d);
    return sent;
}

TMacroRecord HotKeyMacro(const std::string& text) { return TypingMacro("Keys", kCtrlAltK, text); }

class PlayedPaths : public ::testing::Test {
protected:
    void SetUp() override {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        box_ = std::make_unique<PlayerSandbox>(xvfb_.name());
        keyboard_ = xvfb_.Open();
        ASSERT_NE(keyboard_, nullptr);
        file_ = box_->file("shared.QTM");
        ASSERT_TRUE(CreateEmptyMacroFile(file_).ok());
    }
    void TearDown() override {
        if (player_) {
            EXPECT_EQ(player_->Stop(SIGTERM), 0) << player_->Log();
        }
        if (keyboard_) XCloseDisplay(keyboard_);
    }
    void Start(std::vector<std::string> args) {
        args.insert(args.begin(), {"/F" + file_, "/EN"});
        player_ = std::make_unique<PlayerProcess>(*box_, args, "player.log");
        ASSERT_TRUE(player_->started());
        ASSERT_NE(playerWindow_ = WaitForPlayerWindow(), 0u) << player_->Log();
    }
    void WaitForHotKey() {
        ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }, 10s))
            << player_->Log();
    }
    void PressHotKey() { HoldKey(keyboard_, XK_k, {XK_Control_L, XK_Alt_L}); }
    static int Presses(KeyTarget& target, const std::string& keysym) {
        target.Drain();
        int n = 0;
        for (const KeyTarget::Key& k : target.keys) n += k.press && k.keysym == keysym;
        return n;
    }
    // The end-of-playback key and late keys are out before the next look or press: the
    // playback caught up and a key of the test's own came after it.
    void AfterPlayback(KeyTarget& target) { TypedWhenCaughtUp(keyboard_, target); }

    Xvfb xvfb_{"640x480x24"};
    std::unique_ptr<PlayerSandbox> box_;
    Display* keyboard_ = nullptr;
    std::string file_;
    std::unique_ptr<PlayerProcess> player_;
    std::uint64_t playerWindow_ = 0;
};

TEST_F(PlayedPaths, NetworkModeAnswersTheFirstPressAndThePressAfterAnotherUsersChange) {
    ASSERT_TRUE(WriteMacroRecordAt(file_, 1, HotKeyMacro(kAfterRelease + std::string("first"))).ok());
    // The shared file has been changed five times before this player opens it.
    const std::string lockFile = box_->file("shared.MAS");
    WriteSyncRecord(lockFile, TSyncRecord{5, kSyncReleased, 45000.5});
    KeyTarget target(xvfb_.Open(), "Shared Target");
    ASSERT_TRUE(target.ok());
    ASSERT_TRUE(target.Focus());
    Start({"/N"});
    WaitForHotKey();

    PressHotKey();
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed() == "first"; }, 10s)) << target.Typed() << "\n"
                                                                                  << player_->Log();
    AfterPlayback(target);

    // Another user rewrites the macro and releases the file counting the change.
    ASSERT_TRUE(WriteMacroRecordAt(file_, 1, HotKeyMacro(kAfterRelease + std::string("second"))).ok());
    WriteSyncRecord(lockFile, TSyncRecord{6, kSyncReleased, 45000.6});
    PressHotKey();
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed() == "firstsecond"; }, 10s))
        << target.Typed() << "\n"
        << player_->Log();
    AfterPlayback(target);
    EXPECT_EQ(target.Typed(), "firstsecond");
    // Only the hand's own modifiers reached the window: nothing was pressed again.
    EXPECT_EQ(Presses(target, "Control_L"), 2);
    EXPECT_EQ(Presses(target, "Alt_L"), 2);
    EXPECT_FALSE(target.Pressed("k"));
}

TEST_F(PlayedPaths, TimedMacroTypesAsWrittenWithCapsLockOnAndLeavesItOn) {
    win::WritePrivateProfileString("Scheduler", "Timer Seconds", "1", kSettingsFile);
    TMacroRecord rec = TestMacro("Every minute", acScheduled);
    rec.ScheduleType = stEveryMinutes;
    rec.IntervalMinutes = 1;
    SetMacroText(rec, "abc");
    ASSERT_TRUE(WriteMacroRecordAt(file_, 1, rec).ok());
    KeyTarget target(xvfb_.Open(), "Timed Target");
    ASSERT_TRUE(target.ok());
    ASSERT_TRUE(target.Focus());
    Start({});
    // Turned on once the player runs: only the hook library's report can tell it.
    ASSERT_FALSE(Locked(keyboard_, LockMask));
    HoldKey(keyboard_, XK_Caps_Lock);
    ASSERT_TRUE(WaitFor([&] { return Locked(keyboard_, LockMask); }, 2s));

    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed().size() >= 3; }, 80s)) << player_->Log();
    AfterPlayback(target);
    EXPECT_EQ(target.Typed(), "abc");
    EXPECT_TRUE(Locked(keyboard_, LockMask));
}

TEST_F(PlayedPaths, KeypadTokensTypeTheKeypadsDigitsWhateverNumLockAndLeaveIt) {
    ASSERT_TRUE(
        WriteMacroRecordAt(file_, 1, HotKeyMacro(kAfterRelease + std::string("<KEYP1><KEYP2><KEYP.><KEYP0>")))
            .ok());
    KeyTarget target(xvfb_.Open(), "Keypad Target");
    ASSERT_TRUE(target.ok());
    ASSERT_TRUE(target.Focus());
    Start({});
    WaitForHotKey();
    const unsigned numLock = XkbKeysymToModifiers(keyboard_, XK_Num_Lock);
    ASSERT_NE(numLock, 0u);

    // NumLock off, as the X server starts.
    ASSERT_FALSE(Locked(keyboard_, numLock));
    PressHotKey();
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed().size() >= 4; }, 10s)) << player_->Log();
    AfterPlayback(target);
    EXPECT_EQ(target.Typed(), "12.0");
    for (const char* sym : {"KP_1", "KP_2", "KP_Decimal", "KP_0"}) EXPECT_TRUE(target.Pressed(sym)) << sym;
    EXPECT_FALSE(target.Pressed("KP_End") || target.Pressed("KP_Down") || target.Pressed("KP_Delete") ||
                 target.Pressed("KP_Insert"));
    EXPECT_FALSE(Locked(keyboard_, numLock));

    HoldKey(keyboard_, XK_Num_Lock);
    ASSERT_TRUE(WaitFor([&] { return Locked(keyboard_, numLock); }, 2s));
    PressHotKey();
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed().size() >= 8; }, 10s)) << player_->Log();
    AfterPlayback(target);
    EXPECT_EQ(target.Typed(), "12.012.0");
    EXPECT_TRUE(Locked(keyboard_, numLock));
}

TEST_F(PlayedPaths, KeyStateReportsAreTracedLineByLineInTheProgramDirectory) {
    Start({});
    // As the hook library sends them: a key code, a modifier state, a kind without a
    // line, an empty line and a marker.
    for (auto [kind, value] : {std::pair{5, 65}, {17, -128}, {8, 1}, {32, 0}, {2, 0}, {92, 0}})
        ASSERT_TRUE(PostToPlayer(keyboard_, playerWindow_, WM_KEYSTATE_DUMP, static_cast<std::uint32_t>(kind),
                                 value));
    const std::string expected =
        "KeyCode: A  65\r\nVK_CONTROL: -128\r\n\r\nFIRST THING IN HOOK\r\nVK_RWIN: 0\r\n";
    std::string trace;
    EXPECT_TRUE(WaitFor(
        [&] {
            std::ifstream in(box_->file("test"), std::ios::binary);
            trace.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            return trace == expected;
        },
        10s))
        << trace << "\n"
        << player_->Log();
}

}  // namespace
}  // namespace tessaro::testing
