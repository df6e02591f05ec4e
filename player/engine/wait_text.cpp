#include "player/engine/wait_text.h"

#include <algorithm>

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

}  // namespace tessaro
