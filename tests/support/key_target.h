#pragma once
// A plain X window of the test's own that records the keys it receives: the target of
// hot-key tests and benchmarks. It publishes its title and process id as applications do.
// And the keys and buttons the tests press through XTEST, as a hand does.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

namespace tessaro::testing {

class KeyTarget {
public:
    using Clock = std::chrono::steady_clock;
    struct Key {
        bool press = false;
        std::string keysym;
        std::string text;  // what the key types (empty for modifiers and function keys)
        Clock::time_point when;
    };

    // `display` is the target's own connection, owned.
    KeyTarget(Display* display, const std::string& title);
    ~KeyTarget();
    KeyTarget(const KeyTarget&) = delete;
    KeyTarget& operator=(const KeyTarget&) = delete;

    bool ok() const { return d_ && mapped_; }
    Window window() const { return window_; }

    // Reads as a busy program does (a browser, an editor, a program just started): its
    // loop stops for a while at the first key and again every so many keys, and reads on
    // from there, each key through the keyboard map it holds then.
    void ReadLate(std::chrono::milliseconds stall = std::chrono::milliseconds(300), int every = 150) {
        stall_ = stall;
        stall_every_ = every;
    }
    // Stops once for `stall` before it reads the key press numbered `at` (a program busy
    // saving, say).
    void StopOnce(std::chrono::milliseconds stall, int at) {
        long_stall_ = stall;
        long_stall_at_ = at;
    }
    // Takes part in the window manager's ping, as toolkit windows do: answers once it has
    // read what came before.
    void AnswerPings();

    // Gives the window the keyboard focus (through the window manager when one runs).
    bool Focus();
    // Asks for the window to be minimised; true once it is no longer viewable.
    bool Minimise();
    bool HasFocus();
    // The window the manager names active (_NET_ACTIVE_WINDOW), or 0.
    Window ActiveWindow();
    bool Viewable();

    // Reads what has arrived.
    void Drain();
    // The text of every key press so far.
    std::string Typed();
    bool Pressed(const std::string& keysym);
    bool WaitUntil(const std::function<bool()>& done, Clock::duration limit);

    std::vector<Key> keys;
    int pings_answered = 0;

private:
    Display* d_;
    Window window_ = 0;
    bool mapped_ = false;
    std::chrono::milliseconds stall_{0};
    int stall_every_ = 1;
    int presses_read_ = 0;
    std::chrono::milliseconds long_stall_{0};
    int long_stall_at_ = -1;
};

// True when `grab` fails with BadAccess: another client holds that grab. A grab that
// succeeded is given back with `ungrab`. The server is held meanwhile, so the player never
// asks for the same grab while this probe holds it (it would be refused as taken).
bool GrabTaken(Display* d, const std::function<void()>& grab, const std::function<void()>& ungrab);
// True once another client (the player) holds the grab of the key with these modifiers.
bool HotKeyGrabbed(Display* d, KeySym key, unsigned modifiers);

// How long a hand holds a key or a mouse button down.
inline constexpr std::chrono::milliseconds kHold{80};
// Between two keys a hand lets go of one after the other.
inline constexpr std::chrono::milliseconds kLetGoGap{20};

// Keys (keysyms) pressed in order through XTEST and held until they are let go, one by one
// or all at once (Release(), or the end of the object), the last pressed first.
class HeldKeys {
public:
    HeldKeys(Display* d, std::initializer_list<KeySym> keys) : HeldKeys(d, std::vector<KeySym>(keys)) {}
    HeldKeys(Display* d, std::vector<KeySym> keys);
    ~HeldKeys() { Release(); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

    void Release() {
        while (!keys_.empty()) Release(keys_.back());
    }
    // Lets go of one of the keys; the others stay down.
    void Release(KeySym key);

private:
    Display* d_;
    std::vector<KeySym> keys_;
};

// The orders in which a hand lets go of a key held with modifiers.
enum class LetGo {
    KeyFirst,        // the key, then the modifiers, the last pressed first
    ModifiersFirst,  // the modifiers, the last pressed first, then the key
    AltFirst,        // Alt, then the key, then the other modifiers
};

// Lets go of `key` and `modifiers`, all held in `held`, in `order`, kLetGoGap apart.
void LetGoOf(HeldKeys& held, KeySym key, const std::vector<KeySym>& modifiers, LetGo order);

// A keycode pressed as a hand does: down, held for `hold`, up.
void PressKeycode(Display* d, KeyCode code, std::chrono::milliseconds hold = kHold);

// A key pressed as a hand does with modifiers held around it: the modifiers down, the key
// down, held for `hold`, then everything let go in `order`.
void PressWithModifiers(Display* d, KeySym key, std::initializer_list<KeySym> modifiers,
                        std::chrono::milliseconds hold = kHold, LetGo order = LetGo::KeyFirst);

// Lower-case letters and digits typed as a quick hand types them: each key goes down
// while the one before is still held, and that one is let go `overlap` later.
void TypeRolledOver(Display* d, const std::string& text, std::chrono::milliseconds overlap = kLetGoGap,
                    std::chrono::milliseconds hold = kHold);

// Plain ASCII typed key by key as a hand types it (Shift held around the characters that
// need it), `gap` after each key; '\r' is Return.
void TypeAscii(Display* d, const std::string& text, std::chrono::milliseconds gap,
               std::chrono::milliseconds hold = kHold);

// A mouse button pressed as a hand does: down, held for `hold`, up.
void PressButton(Display* d, unsigned button, std::chrono::milliseconds hold = kHold);

}  // namespace tessaro::testing
