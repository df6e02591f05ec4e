#pragma once
// One observed piece of user input, as the sources hand it to the library's logic.
#include <cstdint>

namespace tessaro::hook {

struct InputEvent {
    // WindowsChanged: the list of top-level windows changed (a program may have started).
    // Wheel: one notch, button 4 forward, 5 backward, 6 and 7 sideways.
    // PlaybackMark: the player's mark after its playback (WM_PLAYBACK_MARK) came in
    // behind the input it had sent.
    enum Kind : std::uint8_t {
        KeyDown,
        KeyUp,
        ButtonDown,
        ButtonUp,
        Motion,
        Activated,
        WindowsChanged,
        Wheel,
        PlaybackMark
    };
    Kind kind = KeyDown;
    std::uint16_t vk = 0;      // Windows virtual key of a key event
    std::uint8_t button = 0;   // 1 left, 2 right, 3 middle
    std::uint8_t mods = 0;     // kMod* bits held when the event happened
    bool capsLock = false;     // CapsLock on after the event
    bool synthetic = false;    // injected by a program (the player's playback)
    std::uint8_t typed = 0;    // Windows-1252 byte the key typed, 0 for none
    std::uint32_t window = 0;  // window with the focus (Activated: the new active one)
    std::uint32_t time = 0;    // milliseconds, as the server stamps its events
    // Pointer on the screen at button, wheel and (some) motion events.
    bool hasPosition = false;
    std::int32_t x = 0, y = 0;
    // The active window's frame at button and wheel events, when there is one.
    bool hasFrame = false;
    std::int32_t frameLeft = 0, frameTop = 0, frameWidth = 0, frameHeight = 0;
};

// A window message the library sends.
struct Post {
    std::uint32_t hwnd = 0;
    std::uint32_t msg = 0;
    std::uint32_t wParam = 0;
    std::int32_t lParam = 0;
    friend bool operator==(const Post&, const Post&) = default;
};

}  // namespace tessaro::hook
