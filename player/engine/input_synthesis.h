#pragma once
// Playing keys, characters and mouse actions of a macro into the focused window, paced by
// the keystroke and mouse delays and the speed factor. Every wait runs on a monotonic clock,
// keeps the player's event loop turning and ends early when the macro is aborted.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/input.h"
#include "macro/macro_language.h"

namespace tessaro {

// Pacing state of the running macro; reset by BeginMacro().
struct PacingState {
    uint8_t key_delay_on = 0;
    uint32_t key_delay_ms = 0;
    uint8_t mouse_delay_on = 0;
    uint32_t mouse_delay_ms = 0;
    double speed = 1.0;  // multiplies every scaled wait; 0 turns them off
    bool held_shift = false, held_ctrl = false, held_alt = false;
};

// What the synthesis needs from the player around it. Unset members get defaults: pump
// the Qt event loop, never aborted, win::MessageBox, the steady clock and a short sleep.
struct SynthesisHooks {
    using Clock = std::chrono::steady_clock;
    std::function<void()> pump;
    std::function<bool()> aborted;
    std::function<void(const std::string& caption, const std::string& text)> message;
    std::function<Clock::time_point()> now;
    std::function<void(Clock::duration)> idle;  // pause between turns of a wait
};

class InputSynthesis {
public:
    explicit InputSynthesis(win::InputBackend& backend, SynthesisHooks hooks = {});

    PacingState& pacing() { return pacing_; }
    win::InputBackend& backend() { return backend_; }

    // Around one macro: reset the pacing state; afterwards release every key and button
    // the macro still holds and undo temporary keyboard changes.
    void BeginMacro();
    void EndMacro();

    void PostVKey(unsigned char vk, bool up) { backend_.KeyEvent(vk, up); }
    void PostAltVKey(unsigned char vk, bool up) { backend_.KeyEvent(vk, up); }
    void ReleaseHeldModifiers();
    // Lets go of every key and button the macro holds (an aborted macro does so before
    // its message shows).
    void ReleaseHeldInput();

    // One character of macro text (a Windows-1252 byte).
    void TypeChar(unsigned char ch);
    void TypeAltCode(std::string_view digits) { backend_.TypeAltCode(digits); }
    void TextAhead(std::string_view text) { backend_.TextAhead(text); }

    // Plays a key, Alt-code, mouse or pacing token; false for any other kind.
    bool PlayToken(const Token& token);

    // The pieces PlayToken is made of, each with its keystroke or mouse delay.
    void KeyToken(unsigned char vk);  // delay, down, up, release held modifiers
    void TapKey(unsigned char vk);    // down and up, no delay
    void AltCode(std::string_view digits);
    void MouseButtons(unsigned down_flag, unsigned up_flag, int clicks, bool down_only, bool up_only);
    void Wheel(int delta);  // WHEEL_DELTA per notch, negative backwards
    enum class MoveKind { Screen, Relative, Window };
    void MoveMouse(MoveKind kind, double x, double y);  // pixels
    bool MoveMouseToCaret();                            // false, and no move, when the caret cannot be found

    // Waits. The scaled ones do nothing when the speed factor is 0. All return false when
    // the macro was aborted before the time was up.
    bool KeyDelayWait(int64_t ms);
    bool PauseFor(double seconds);
    bool PauseForNoSpeed(double seconds);
    bool TimedPauseFor(double seconds);
    bool WaitForTimer(int64_t ms);

private:
    bool WaitSeconds(double seconds);
    void MouseDelay();
    void MoveAbsolute(double x, double y);

    win::InputBackend& backend_;
    SynthesisHooks hooks_;
    PacingState pacing_;
};

}  // namespace tessaro
