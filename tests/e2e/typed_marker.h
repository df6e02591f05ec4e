#pragma once
// Seeing that nothing more comes: what a player typed has all reached the server once its
// hook saw the mark the player puts after each playback, and a key of the test's own
// pressed after that is read after everything the player typed.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "shared_glob.h"
#include "tests/support/key_target.h"

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

}  // namespace tessaro::testing
