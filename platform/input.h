#pragma once
// Synthesised keyboard and mouse input: the two calls the player plays macros with
// (a key event by virtual key, a mouse event with button/move/wheel flags) and the few
// look-ups around them. Backends: x11/ (XTest into the real desktop) and sim/ (an
// ordered event log for tests).
#include <functional>
#include <optional>
#include <set>
#include <string_view>

namespace win {

// Mouse-event flags, as the player composes them.
inline constexpr unsigned MOUSEEVENTF_MOVE = 0x0001, MOUSEEVENTF_LEFTDOWN = 0x0002,
                          MOUSEEVENTF_LEFTUP = 0x0004, MOUSEEVENTF_RIGHTDOWN = 0x0008,
                          MOUSEEVENTF_RIGHTUP = 0x0010, MOUSEEVENTF_MIDDLEDOWN = 0x0020,
                          MOUSEEVENTF_MIDDLEUP = 0x0040, MOUSEEVENTF_WHEEL = 0x0800,
                          MOUSEEVENTF_ABSOLUTE = 0x8000;
inline constexpr int WHEEL_DELTA = 120;

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class InputBackend {
public:
    virtual ~InputBackend();

    // One key event. Keys pressed and not yet released are remembered for ReleaseAll().
    void KeyEvent(unsigned char vk, bool up);
    // One mouse event; with MOUSEEVENTF_ABSOLUTE the position is 0..65535 across the screen.
    // `data` is the wheel amount (WHEEL_DELTA per notch, negative backwards).
    void MouseEvent(unsigned flags, int dx, int dy, int data);

    // The key and shift state (kScan* bits of virtual_keys.h) that type a character on the
    // current layout, as low and high byte; -1 when no key types it.
    virtual short KeyScan(unsigned char ch) = 0;
    // Enter an Alt keypad code ("0233", "065"). The default is what the keypad does on the
    // other system: Alt down, each digit on the numeric keypad, Alt up.
    virtual void TypeAltCode(std::string_view digits);
    // The Windows-1252 text to be typed after the next character, as far as it is known; a
    // backend may plan its keyboard changes by it. The view is only read until the next
    // call, which may be an empty view.
    virtual void TextAhead(std::string_view text) { (void)text; }

    virtual Point CursorPos() = 0;
    virtual Point ScreenSize() = 0;  // x = width, y = height in pixels
    virtual std::optional<Rect> ForegroundWindowRect() = 0;
    // The text caret of the focused window in screen pixels; nullopt when it cannot be found.
    virtual std::optional<Point> CaretPos() = 0;

    // Around one macro: a backend may refresh its keyboard view before and undo its
    // temporary keyboard changes after (without making the caller wait for them).
    virtual void BeginPlayback() {}
    // Lets go of the modifiers the user holds now (after a wait that ended on the user's
    // keys, say), so they cannot change what is typed next; those still held when
    // playback ends are pressed back then.
    virtual void LetGoOfUserModifiers() = 0;
    // Release every key and button still held by the playback.
    void ReleaseAll();
    // Returns once the key or button `vk` (VK_LBUTTON, VK_RBUTTON, VK_MBUTTON) is up,
    // running `pump` meanwhile. A hot key held down keeps the keyboard (or the pointer)
    // grabbed for the hook until it is let go: nothing typed before then would arrive.
    virtual void AwaitRelease(unsigned char vk, const std::function<void()>& pump) = 0;
    virtual void EndPlayback() {}

protected:
    virtual void SendKey(unsigned char vk, bool up) = 0;
    virtual void SendMouse(unsigned flags, int dx, int dy, int data) = 0;

private:
    std::set<unsigned char> held_keys_;
    unsigned held_buttons_ = 0;  // MOUSEEVENTF_*DOWN bits
};

// The character an Alt keypad code enters: a leading zero picks the Windows-1252 table,
// none the old OEM (code page 437) table; the value counts modulo 256. 0 for no digits.
char32_t AltCodeToChar(std::string_view digits);

}  // namespace win
