#include "platform/sim/sim_input.h"

#include <cmath>

#include "platform/virtual_keys.h"

namespace win::sim {

short SimInput::KeyScan(unsigned char ch) { return VkKeyScanUs(ch); }

void SimInput::AwaitRelease(unsigned char vk, const std::function<void()>& pump) {
    awaited.push_back(vk);
    // A simulated user who never lets go would hang the test: give up after a while.
    for (int turn = 0; held.count(vk) && turn < 10000; ++turn) pump();
}

void SimInput::LetGoOfUserModifiers() {
    for (unsigned char vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN}) {
        if (!held.count(vk) || !let_go.insert(vk).second) continue;
        log.push_back({InputEvent::Key, vk, true});
    }
}

void SimInput::EndPlayback() {
    for (unsigned char vk : let_go)
        if (held.count(vk)) log.push_back({InputEvent::Key, vk, false});
    let_go.clear();
}

void SimInput::SendKey(unsigned char vk, bool up) { log.push_back({InputEvent::Key, vk, up}); }

void SimInput::SendMouse(unsigned flags, int dx, int dy, int data) {
    log.push_back({InputEvent::Mouse, 0, false, flags, dx, dy, data});
    if ((flags & MOUSEEVENTF_MOVE) && (flags & MOUSEEVENTF_ABSOLUTE)) {
        cursor.x = static_cast<int>(std::lround(dx * static_cast<double>(screen.x) / 65535.0));
        cursor.y = static_cast<int>(std::lround(dy * static_cast<double>(screen.y) / 65535.0));
    }
}

}  // namespace win::sim
