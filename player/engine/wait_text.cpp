#include "player/engine/wait_text.h"

#include <algorithm>

#include "protocol/window_messages.h"

namespace tessaro {

void WaitTextStream::SetTargetLength(std::size_t length) { target_ = std::min(length, kCapacity); }

void WaitTextStream::OnChar(std::uint32_t wParam, std::uint8_t ch) {
    if (wParam == 1) {
        text_.clear();
        return;
    }
    if (ch == 8) {
        if (!text_.empty()) text_.pop_back();
        return;
    }
    text_.push_back(static_cast<char>(ch));
    if (text_.size() > target_) text_.erase(0, text_.size() - target_);
}

bool WaitReports::Handle(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    switch (msg) {
        case WM_MOUSE_CLICKED:
            if (wParam >= 1 && wParam <= 3) clicked[wParam - 1] = true;
            return true;
        case WM_KEY_PRESSED: lastKey = wParam; return true;
        case WM_WAIT_TEXT_CHAR: typed.OnChar(wParam, static_cast<std::uint8_t>(lParam)); return true;
        case WM_PLAYBACK_CAUGHT_UP: caughtUp = true; return true;
        default: return false;
    }
}

}  // namespace tessaro
