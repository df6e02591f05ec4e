#pragma once
// The typing desktop of the tests that press keys as hands do: the hot keys their macros
// use, the player stopped cleanly at the end, and what the target received read once it is
// all there.
#include <chrono>
#include <string>
#include <thread>

#include "typing_desktop.h"

namespace tessaro::testing {

class KeysDesktop : public TypingDesktop {
protected:
    // Hot-key codes: Ctrl+Q, Ctrl+F2, F2, Ctrl+Alt+J, Ctrl+Alt+K.
    static constexpr int kCtrlQ = 16;
    static constexpr int kCtrlF2 = 37;
    static constexpr int kF2 = 289;
    static constexpr int kCtrlAltJ = 153;
    static constexpr int kCtrlAltK = 154;

    void TearDown() override {
        if (player_ && player_->started()) {
            EXPECT_EQ(player_->Stop(SIGTERM), 0) << player_->Log();
        }
        TypingDesktop::TearDown();
    }
    // What the target has once it has `size` characters and a while longer (for anything
    // typed twice or late); the keys it saw are forgotten.
    std::string Next(std::size_t size) {
        target_->WaitUntil([&] { return target_->Typed().size() >= size; }, std::chrono::seconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        const std::string typed = target_->Typed();
        target_->keys.clear();
        return typed;
    }
    // A key pressed by its keysym as a hand does.
    void Tap(KeySym key) { PressKeycode(keyboard_, XKeysymToKeycode(keyboard_, key)); }
};

}  // namespace tessaro::testing
