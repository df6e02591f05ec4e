#pragma once
// What the library makes of one input event, given the master table: pure, so that every
// rule can be tested without a desktop.
#include <cstdint>
#include <vector>

#include "hook/input_event.h"
#include "protocol/glob_data.h"

namespace tessaro::hook {

// Which hooks are installed in this process.
struct HookMask {
    bool keyboard = false;
    bool mouse = false;
    bool activation = false;
};

struct Decision {
    std::vector<Post> posts;
    bool userActivity = false;  // resets the idle counter
    bool swallow = false;       // a hot key the focused window must not see
};

// Window that receives WM_WINDOW_ACTIVATED (+0 of the activation block).
struct ActivationTarget {
    std::uint32_t window = 0;
};

class HookLogic {
public:
    Decision OnEvent(const InputEvent& e, const TGlobData& g, HookMask hooks,
                     ActivationTarget activation = {});

    // The hot-key code of a key or button event with its modifiers, or -1.
    static int CodeOf(const InputEvent& e);

private:
    void OnKeyDown(const InputEvent& e, const TGlobData& g, Decision& d);
    void OnButtonDown(const InputEvent& e, const TGlobData& g, Decision& d);
    bool capsKnown_ = false;
    bool capsLock_ = false;
};

}  // namespace tessaro::hook
