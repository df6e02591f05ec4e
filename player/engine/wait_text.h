#pragma once
// The typed-text stream of the "wait for text" command: the hook library sends every
// character typed while such a wait is armed; the buffer keeps the latest characters, as
// many as the awaited text has, so the wait only has to compare.
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

}  // namespace tessaro
