#pragma once
// Seeing that nothing more comes: what a player typed has all reached the server once its
// hook saw the mark the player puts after each playback, and a key of the test's own
// pressed after that is read after everything the player typed.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "shared_glob.h"
#include "tests/support/key_target.h"
#include "tests/support/wait_for.h"
#include "tests/support/x_windows.h"

namespace tessaro::testing {

// The player's hook saw the mark after the last playback (the player is no longer in use).
inline bool PlaybackCaughtUp() { return CurrentGlob().InUse == 0; }

// Presses Right Shift (which types nothing and is part of no hot key) through `keyboard`
// and waits until `target` has read it: everything sent to it before has been read.
inline bool ReadUpToNow(Display* keyboard, KeyTarget& target) {
    const auto marks = [&] {
        int n = 0;
        for (const KeyTarget::Key& k : target.keys) n += k.press && k.keysym == "Shift_R";
        return n;
    };
    target.Drain();
    const int before = marks();
    PressKeycode(keyboard, XKeysymToKeycode(keyboard, XK_Shift_R));
    const bool read = target.WaitUntil([&] { return marks() > before; }, std::chrono::seconds(10));
    EXPECT_TRUE(read) << "the marker key did not arrive";
    return read;
}

// What `target` has read once the playback caught up and a marker key came after it.
inline std::string TypedWhenCaughtUp(Display* keyboard, KeyTarget& target) {
    EXPECT_TRUE(target.WaitUntil(PlaybackCaughtUp, std::chrono::seconds(10)))
        << "the playback did not catch up";
    ReadUpToNow(keyboard, target);
    return target.Typed();
}

// Presses a key with modifiers as a hand does; true once the player's hook took in the whole
// press. The hook counts each key of the user's only after it sent what the key before made
// it report (a chosen hot key to the box that routes them, a fired one to the player).
inline bool PressTakenInByTheHook(Display* keyboard, KeySym key, std::initializer_list<KeySym> modifiers) {
    const std::uint32_t before = CurrentGlob().UserActivities;
    PressWithModifiers(keyboard, key, modifiers);
    const auto events = static_cast<std::uint32_t>(2 * (modifiers.size() + 1));
    return WaitFor([&] { return CurrentGlob().UserActivities - before >= events; }, std::chrono::seconds(10));
}

// What `target`, which has the focus, has read once a hot key was pressed in it and the player
// dealt with it: its hook took in the press, the player (its window `player`) handled what it
// was told, and a playback that began has ended with a marker key after it.
inline std::string TypedForHotKey(Display* keyboard, KeyTarget& target, Window player, KeySym key,
                                  std::initializer_list<KeySym> modifiers) {
    EXPECT_TRUE(PressTakenInByTheHook(keyboard, key, modifiers)) << "the hook did not take in the press";
    EXPECT_TRUE(WindowOwnerCaughtUp(keyboard, player)) << "the player did not catch up";
    return TypedWhenCaughtUp(keyboard, target);
}

}  // namespace tessaro::testing
