#pragma once
// The typed-text stream of the "wait for text" command: the hook library sends every
// character typed while such a wait is armed; the buffer keeps the latest characters, as
// many as the awaited text has, so the wait only has to compare.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tessaro {

class WaitTextStream {
public:
    static constexpr std::size_t kCapacity = 255;

    // The length of the text being waited for (cut to the capacity).
    void SetTargetLength(std::size_t length);
    // WM_WAIT_TEXT_CHAR: wParam 1 empties; backspace removes the last character; any other
    // character is appended, oldest characters dropping out beyond the target length.
    void OnChar(std::uint32_t wParam, std::uint8_t ch);
    const std::string& text() const { return text_; }

private:
    std::size_t target_ = 0;
    std::string text_;
};

// What the hook library reports while a wait is armed (its window messages), read by the
// wait commands.
class WaitReports {
public:
    // WM_MOUSE_CLICKED, WM_KEY_PRESSED, WM_WAIT_TEXT_CHAR, WM_PLAYBACK_CAUGHT_UP; false
    // for any other message.
    bool Handle(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);

    std::array<bool, 3> clicked{};  // left, right, middle
    std::uint32_t lastKey = 0;
    WaitTextStream typed;
    bool caughtUp = false;
};

}  // namespace tessaro
