#pragma once
// A hot key pressed by its code as a hand presses it: the modifiers the code names down,
// the key or mouse button down, held, then everything up again in one of the orders a
// hand lets go.
#include <X11/Xlib.h>

#include <memory>
#include <vector>

#include "platform/virtual_keys.h"
#include "protocol/hotkey_names.h"
#include "tests/support/key_target.h"

namespace tessaro::testing {

// The hot key of `code` held down until Release() or the end of the object.
class HeldHotKey {
public:
    HeldHotKey(Display* d, int code) : d_(d), key_(DecipherKey(code)) {
        if (key_.ctrl) modifiers_.push_back(XK_Control_L);
        if (key_.alt) modifiers_.push_back(XK_Alt_L);
        if (key_.shift) modifiers_.push_back(XK_Shift_L);
        if (key_.win) modifiers_.push_back(XK_Super_L);
        std::vector<KeySym> keys = modifiers_;
        if (!key_.mouse) keys.push_back(win::VkToKeysym(key_.vk));
        held_ = std::make_unique<HeldKeys>(d_, std::move(keys));
        if (key_.mouse) {
            XTestFakeButtonEvent(d_, Button(), True, CurrentTime);
            XFlush(d_);
        }
    }
    ~HeldHotKey() { Release(); }
    HeldHotKey(const HeldHotKey&) = delete;
    HeldHotKey& operator=(const HeldHotKey&) = delete;

    // The key (or button) and its modifiers are let go in `order`.
    void Release(LetGo order = LetGo::KeyFirst) {
        if (!held_) return;
        if (key_.mouse) {
            XTestFakeButtonEvent(d_, Button(), False, CurrentTime);
            XFlush(d_);
        } else {
            LetGoOf(*held_, win::VkToKeysym(key_.vk), modifiers_, order);
        }
        held_.reset();
    }

private:
    // X numbers the middle button 2 and the right one 3.
    unsigned Button() const { return key_.mouse == 2 ? 3 : key_.mouse == 3 ? 2 : 1; }

    Display* d_;
    DecipheredKey key_;
    std::vector<KeySym> modifiers_;
    std::unique_ptr<HeldKeys> held_;
};

inline void PressHotKey(Display* d, int code, std::chrono::milliseconds hold = kHold,
                        LetGo order = LetGo::KeyFirst) {
    HeldHotKey key(d, code);
    std::this_thread::sleep_for(hold);
    key.Release(order);
}

}  // namespace tessaro::testing
