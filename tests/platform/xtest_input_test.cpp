// The XTest backend on a private X server: the keyboard map left alone, the
// held-input record, undoing what a killed owner left, and the connection's event queue.
#include "platform/x11/xtest_input.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/virtual_keys.h"

// Last: Xlib's macros would clash with names above.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include "xtest_backend_fixture.h"

namespace win::x11 {
namespace {

using tessaro::testing::FirstKeycode;
using tessaro::testing::KeyboardMap;
using tessaro::testing::KeycodeCount;
using tessaro::testing::KeyIsDown;

TEST_F(XTestBackend, PlaybacksOfKeysTheLayoutHasLeaveTheKeyboardMapAlone) {
    {
        XTestInput input(display_);
        ASSERT_TRUE(input.ok());
        for (int play = 0; play < 20; ++play) {
            input.BeginPlayback();
            input.KeyEvent('X', false);
            input.KeyEvent('X', true);
            input.EndPlayback();
        }
        XSync(display_, False);
        EXPECT_EQ(MappingNotices(), 0);
        const auto recorded = Recorded();
        ASSERT_TRUE(recorded);
        EXPECT_TRUE(recorded->keys.empty());
        EXPECT_TRUE(recorded->remaps.empty());
        EXPECT_EQ(KeyboardMap(watcher_), original_);
    }
    EXPECT_EQ(KeyboardMap(watcher_), original_);
    EXPECT_FALSE(std::filesystem::exists(HeldInputRecordPath()));
}

TEST_F(XTestBackend, RecordHoldsEveryKeyDownAndRemapUntilItIsUndone) {
    XTestInput input(display_);
    ASSERT_TRUE(input.ok());
    input.BeginPlayback();
    input.KeyEvent(VK_SHIFT, false);
    auto recorded = Recorded();
    ASSERT_TRUE(recorded);
    EXPECT_EQ(recorded->keys, std::set<unsigned>{shift_});
    EXPECT_EQ(recorded->display, server_.name());

    input.TypeCharacter(U'\u00e9');
    recorded = Recorded();
    ASSERT_TRUE(recorded);
    EXPECT_EQ(recorded->remaps.size(), 1u);  // the accented letter's
    bool accent = false;
    for (const auto& [code, remap] : recorded->remaps) {
        const std::size_t at = (code - FirstKeycode(watcher_)) * (original_.size() / KeycodeCount(watcher_));
        EXPECT_EQ(remap.before.front(), original_[at]);
        accent = accent || remap.now == XK_eacute;
    }
    EXPECT_TRUE(accent);

    input.KeyEvent(VK_SHIFT, true);
    // The accent's keycode keeps it after the playback: a busy program may read it later.
    input.EndPlayback();
    recorded = Recorded();
    ASSERT_TRUE(recorded);
    EXPECT_TRUE(recorded->keys.empty());
    EXPECT_EQ(recorded->remaps.size(), 1u);

    // NumLock locked for a keypad digit is in the record until it is let go again.
    ASSERT_FALSE(NumLockOn(watcher_));
    input.BeginPlayback();
    input.KeyEvent(VK_NUMPAD5, false);
    recorded = Recorded();
    ASSERT_TRUE(recorded);
    EXPECT_EQ(recorded->locks.on, static_cast<unsigned>(Mod2Mask));
    XSync(display_, False);
    EXPECT_TRUE(NumLockOn(watcher_));
    input.KeyEvent(VK_NUMPAD5, true);
    input.EndPlayback();
    recorded = Recorded();
    ASSERT_TRUE(recorded);
    EXPECT_TRUE(recorded->locks.empty());
    XSync(display_, False);
    EXPECT_FALSE(NumLockOn(watcher_));
}

TEST_F(XTestBackend, NoticesOfKeyboardChangesDoNotPileUpOnTheConnection) {
    XTestInput input(display_);
    ASSERT_TRUE(input.ok());
    const std::u32string accents = U"\u00e9\u00e8\u00ea\u00eb\u00e0\u00e2\u00f4\u00fb\u00e7\u00ef";
    for (int play = 0; play < 3; ++play) {
        input.BeginPlayback();
        for (char32_t c : accents) input.TypeCharacter(c);
        input.EndPlayback();
    }
    // Someone else changes the map too (here: to what it was): that notice is dropped at
    // the next playback.
    const KeyCode a = CodeOf(watcher_, XK_a);
    int per = 0;
    KeySym* row = XGetKeyboardMapping(watcher_, a, 1, &per);
    XChangeKeyboardMapping(watcher_, a, per, row, 1);
    XFree(row);
    XSync(watcher_, False);
    XSync(display_, False);
    input.BeginPlayback();
    input.EndPlayback();
    EXPECT_EQ(XQLength(display_), 0);
}

TEST_F(XTestBackend, ALayoutChangedByAnotherClientIsReadBeforeTheNextPlayback) {
    XTestInput input(display_);
    ASSERT_TRUE(input.ok());
    input.BeginPlayback();
    input.EndPlayback();

    // Another client gives an empty keycode a letter: playback types it there.
    const std::size_t width = original_.size() / KeycodeCount(watcher_);
    std::vector<KeyCode> empty;
    for (std::size_t at = 0; at < original_.size(); at += width)
        if (std::all_of(original_.begin() + at, original_.begin() + at + width,
                        [](KeySym k) { return k == 0; }))
            empty.push_back(static_cast<KeyCode>(FirstKeycode(watcher_) + at / width));
    ASSERT_GE(empty.size(), 3u);
    const KeyCode theirs = empty[empty.size() / 2];
    KeySym oslash[2] = {XK_oslash, XK_Ooblique};
    XChangeKeyboardMapping(watcher_, theirs, 2, oslash, 1);
    XSync(watcher_, False);

    input.BeginPlayback();
    input.TypeCharacter(U'\u00f8');
    const auto recorded = Recorded();
    ASSERT_TRUE(recorded);
    for (const auto& [code, remap] : recorded->remaps)
        EXPECT_NE(remap.now, static_cast<unsigned long>(XK_oslash));
    input.EndPlayback();

    KeySym none[2] = {NoSymbol, NoSymbol};
    XChangeKeyboardMapping(watcher_, theirs, 2, none, 1);
    XSync(watcher_, False);
}

TEST_F(XTestBackend, KeysAndKeycodesAKilledOwnerLeftAreUndoneByTheNextOne) {
    const pid_t child = ::fork();
    if (child == 0) {
        Display* d = XOpenDisplay(server_.name().c_str());
        if (!d) ::_exit(2);
        auto* input = new XTestInput(d);  // never freed: the process dies holding it
        input->BeginPlayback();
        input->KeyEvent(VK_NUMPAD1, false);  // NumLock locked for the key
        input->KeyEvent(VK_SHIFT, false);
        input->KeyEvent(VK_CONTROL, false);
        input->TypeCharacter(U'\u00e9');
        input->MouseEvent(MOUSEEVENTF_LEFTDOWN, 0, 0, 0);
        XSync(d, False);
        ::kill(::getpid(), SIGKILL);
        ::_exit(3);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(KeyIsDown(watcher_, shift_));
    EXPECT_NE(KeyboardMap(watcher_), original_);
    EXPECT_TRUE(NumLockOn(watcher_));

    {
        XTestInput next(display_);
        ASSERT_TRUE(next.ok());
        XSync(display_, False);
        EXPECT_FALSE(KeyIsDown(watcher_, shift_));
        EXPECT_FALSE(KeyIsDown(watcher_, CodeOf(watcher_, XK_Control_L)));
        Window root, child_window;
        int x, y, wx, wy;
        unsigned mask = 0;
        XQueryPointer(watcher_, DefaultRootWindow(watcher_), &root, &child_window, &x, &y, &wx, &wy, &mask);
        EXPECT_FALSE(mask & Button1Mask);
        EXPECT_FALSE(NumLockOn(watcher_));
        // The map is the one before the first start.
        EXPECT_EQ(KeyboardMap(watcher_), original_);
    }
    EXPECT_EQ(KeyboardMap(watcher_), original_);
}

}  // namespace
}  // namespace win::x11
