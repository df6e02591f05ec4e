#pragma once
// A plain X window of the test's own that records the keys it receives: the target of
// hot-key tests and benchmarks. It publishes its title and process id as applications do.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/window_manager.h"

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
    KeyTarget(Display* display, const std::string& title) : d_(display) {
        if (!d_) return;
        // The keyboard map is read now, as a toolkit does at start, so that later changes
        // to it (the player's spare keys) reach this connection before the keys using them.
        XKeysymToKeycode(d_, XK_space);
        XSetWindowAttributes attrs{};
        attrs.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                           FocusChangeMask | StructureNotifyMask;
        window_ = XCreateWindow(d_, DefaultRootWindow(d_), 10, 10, 200, 60, 0, CopyFromParent, InputOutput,
                                CopyFromParent, CWEventMask, &attrs);
        XStoreName(d_, window_, title.c_str());
        XChangeProperty(d_, window_, XInternAtom(d_, "_NET_WM_NAME", False),
                        XInternAtom(d_, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()), int(title.size()));
        const long pid = ::getpid();
        XChangeProperty(d_, window_, XInternAtom(d_, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pid), 1);
        XWMHints hints{};
        hints.flags = InputHint;
        hints.input = True;
        XSetWMHints(d_, window_, &hints);
        // A window manager that is just starting may drop the first request: ask again.
        for (int attempt = 0; attempt < 10 && !mapped_; ++attempt) {
            XMapRaised(d_, window_);
            XSync(d_, False);
            mapped_ = WaitUntil([&] { return Viewable(); }, std::chrono::milliseconds(500));
        }
    }
    ~KeyTarget() {
        if (d_) XCloseDisplay(d_);
    }
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
    void AnswerPings() {
        const Atom ping = XInternAtom(d_, "_NET_WM_PING", False);
        XChangeProperty(d_, window_, XInternAtom(d_, "WM_PROTOCOLS", False), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&ping), 1);
        XSync(d_, False);
    }

    // Gives the window the keyboard focus (through the window manager when one runs).
    bool Focus() {
        if (WindowManager::Running(d_)) {
            XEvent e{};
            e.xclient.type = ClientMessage;
            e.xclient.window = window_;
            e.xclient.message_type = XInternAtom(d_, "_NET_ACTIVE_WINDOW", False);
            e.xclient.format = 32;
            e.xclient.data.l[0] = 2;
            e.xclient.data.l[1] = CurrentTime;
            XSendEvent(d_, DefaultRootWindow(d_), False, SubstructureRedirectMask | SubstructureNotifyMask,
                       &e);
        } else {
            XRaiseWindow(d_, window_);
            XSetInputFocus(d_, window_, RevertToParent, CurrentTime);
        }
        XSync(d_, False);
        return WaitUntil([&] { return HasFocus(); }, std::chrono::seconds(5));
    }

    // Asks for the window to be minimised; true once it is no longer viewable.
    bool Minimise() {
        XIconifyWindow(d_, window_, DefaultScreen(d_));
        XSync(d_, False);
        return WaitUntil([&] { return !Viewable(); }, std::chrono::seconds(5));
    }

    bool HasFocus() {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(d_, &focus, &revert);
        return focus == window_;
    }

    bool Viewable() {
        XWindowAttributes a;
        return XGetWindowAttributes(d_, window_, &a) && a.map_state == IsViewable;
    }

    // Reads what has arrived.
    void Drain() {
        while (XPending(d_)) {
            XEvent e;
            XNextEvent(d_, &e);
            const auto now = Clock::now();
            // The player maps characters the keyboard lacks onto spare keys: read keys
            // through the map as it is now, as every toolkit does.
            if (e.type == MappingNotify) {
                XRefreshKeyboardMapping(&e.xmapping);
                continue;
            }
            if (e.type == ClientMessage && e.xclient.message_type == XInternAtom(d_, "WM_PROTOCOLS", False) &&
                static_cast<Atom>(e.xclient.data.l[0]) == XInternAtom(d_, "_NET_WM_PING", False)) {
                e.xclient.window = DefaultRootWindow(d_);
                XSendEvent(d_, DefaultRootWindow(d_), False,
                           SubstructureNotifyMask | SubstructureRedirectMask, &e);
                XFlush(d_);
                ++pings_answered;
                continue;
            }
            // A click is kept as the key "Button1" (2, 3, ...) that types nothing.
            if (e.type == ButtonPress || e.type == ButtonRelease) {
                keys.push_back({e.type == ButtonPress, "Button" + std::to_string(e.xbutton.button), "", now});
                continue;
            }
            if (e.type != KeyPress && e.type != KeyRelease) continue;
            if (e.type == KeyPress) {
                if (stall_.count() > 0 && presses_read_ % stall_every_ == 0)
                    std::this_thread::sleep_for(stall_);
                if (presses_read_ == long_stall_at_) std::this_thread::sleep_for(long_stall_);
                ++presses_read_;
            }
            char buf[16] = {};
            KeySym sym = 0;
            const int len = XLookupString(&e.xkey, buf, sizeof buf, &sym, nullptr);
            const char* name = XKeysymToString(sym);
            keys.push_back({e.type == KeyPress, name ? name : "?",
                            std::string(buf, std::size_t(std::max(len, 0))), now});
        }
    }

    // The text of every key press so far.
    std::string Typed() {
        Drain();
        std::string out;
        for (const Key& k : keys)
            if (k.press) out += k.text;
        return out;
    }
    bool Pressed(const std::string& keysym) {
        Drain();
        for (const Key& k : keys)
            if (k.press && k.keysym == keysym) return true;
        return false;
    }

    bool WaitUntil(const std::function<bool()>& done, Clock::duration limit) {
        const auto end = Clock::now() + limit;
        while (Clock::now() < end) {
            Drain();
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        Drain();
        return done();
    }

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

namespace key_target_detail {
inline int grabError = 0;
inline int CatchGrabError(Display*, XErrorEvent* e) {
    grabError = e->error_code;
    return 0;
}
}  // namespace key_target_detail

// True when `grab` fails with BadAccess: another client holds that grab. A grab that
// succeeded is given back with `ungrab`. The server is held meanwhile, so the player never
// asks for the same grab while this probe holds it (it would be refused as taken).
inline bool GrabTaken(Display* d, const std::function<void()>& grab, const std::function<void()>& ungrab) {
    using namespace key_target_detail;
    grabError = 0;
    XSync(d, False);
    auto* previous = XSetErrorHandler(CatchGrabError);
    XGrabServer(d);
    grab();
    XSync(d, False);
    const bool taken = grabError == BadAccess;
    if (!taken) ungrab();
    XUngrabServer(d);
    XSync(d, False);
    XSetErrorHandler(previous);
    return taken;
}

// True once another client (the player) holds the grab of the key with these modifiers.
inline bool HotKeyGrabbed(Display* d, KeySym key, unsigned modifiers) {
    const int code = XKeysymToKeycode(d, key);
    return GrabTaken(
        d, [&] { XGrabKey(d, code, modifiers, DefaultRootWindow(d), False, GrabModeAsync, GrabModeAsync); },
        [&] { XUngrabKey(d, code, modifiers, DefaultRootWindow(d)); });
}

// How long a hand holds a key or a mouse button down.
inline constexpr std::chrono::milliseconds kHold{80};
// Between two keys a hand lets go of one after the other.
inline constexpr std::chrono::milliseconds kLetGoGap{20};

// Keys (keysyms) pressed in order through XTEST and held until they are let go, one by one
// or all at once (Release(), or the end of the object), the last pressed first.
class HeldKeys {
public:
    HeldKeys(Display* d, std::initializer_list<KeySym> keys) : HeldKeys(d, std::vector<KeySym>(keys)) {}
    HeldKeys(Display* d, std::vector<KeySym> keys) : d_(d), keys_(std::move(keys)) {
        for (KeySym k : keys_) XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, k), True, CurrentTime);
        XFlush(d_);
    }
    ~HeldKeys() { Release(); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

    void Release() {
        while (!keys_.empty()) Release(keys_.back());
    }
    // Lets go of one of the keys; the others stay down.
    void Release(KeySym key) {
        const auto it = std::find(keys_.begin(), keys_.end(), key);
        if (it == keys_.end()) return;
        XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, key), False, CurrentTime);
        XFlush(d_);
        keys_.erase(it);
    }

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
inline void LetGoOf(HeldKeys& held, KeySym key, const std::vector<KeySym>& modifiers, LetGo order) {
    std::vector<KeySym> sequence(modifiers.rbegin(), modifiers.rend());
    if (order == LetGo::KeyFirst) sequence.insert(sequence.begin(), key);
    if (order == LetGo::ModifiersFirst) sequence.push_back(key);
    if (order == LetGo::AltFirst) {
        const auto alt = std::find(sequence.begin(), sequence.end(), static_cast<KeySym>(XK_Alt_L));
        const bool hasAlt = alt != sequence.end();
        if (hasAlt) sequence.erase(alt);
        sequence.insert(sequence.begin(), key);
        if (hasAlt) sequence.insert(sequence.begin(), XK_Alt_L);
    }
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        if (i > 0) std::this_thread::sleep_for(kLetGoGap);
        held.Release(sequence[i]);
    }
}

// A keycode pressed as a hand does: down, held for `hold`, up.
inline void PressKeycode(Display* d, KeyCode code, std::chrono::milliseconds hold = kHold) {
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XFlush(d);
    std::this_thread::sleep_for(hold);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    XFlush(d);
}

// A key pressed as a hand does with modifiers held around it: the modifiers down, the key
// down, held for `hold`, then everything let go in `order`.
inline void PressWithModifiers(Display* d, KeySym key, std::initializer_list<KeySym> modifiers,
                               std::chrono::milliseconds hold = kHold, LetGo order = LetGo::KeyFirst) {
    std::vector<KeySym> keys(modifiers);
    keys.push_back(key);
    HeldKeys held(d, keys);
    std::this_thread::sleep_for(hold);
    LetGoOf(held, key, std::vector<KeySym>(modifiers), order);
}

// Lower-case letters and digits typed as a quick hand types them: each key goes down
// while the one before is still held, and that one is let go `overlap` later.
inline void TypeRolledOver(Display* d, const std::string& text, std::chrono::milliseconds overlap = kLetGoGap,
                           std::chrono::milliseconds hold = kHold) {
    std::unique_ptr<HeldKeys> previous;
    for (char c : text) {
        auto next = std::make_unique<HeldKeys>(d, std::vector<KeySym>{static_cast<KeySym>(c)});
        if (previous) {
            std::this_thread::sleep_for(overlap);
            previous.reset();
        }
        previous = std::move(next);
        std::this_thread::sleep_for(hold - overlap);
    }
}

// Plain ASCII typed key by key as a hand types it (Shift held around the characters that
// need it), `gap` after each key; '\r' is Return.
inline void TypeAscii(Display* d, const std::string& text, std::chrono::milliseconds gap,
                      std::chrono::milliseconds hold = kHold) {
    for (char c : text) {
        const KeySym sym = c == '\r' ? XK_Return : static_cast<KeySym>(static_cast<unsigned char>(c));
        const KeyCode code = XKeysymToKeycode(d, sym);
        KeySym plain = NoSymbol;
        int per = 0;
        if (KeySym* syms = XGetKeyboardMapping(d, code, 1, &per)) {
            plain = per > 0 ? syms[0] : NoSymbol;
            XFree(syms);
        }
        // A letter's plain keysym is its lower case.
        const bool shift = plain != sym && plain != NoSymbol;
        if (shift) {
            HeldKeys held(d, {XK_Shift_L});
            PressKeycode(d, code, hold);
        } else {
            PressKeycode(d, code, hold);
        }
        std::this_thread::sleep_for(gap);
    }
}

// A mouse button pressed as a hand does: down, held for `hold`, up.
inline void PressButton(Display* d, unsigned button, std::chrono::milliseconds hold = kHold) {
    XTestFakeButtonEvent(d, button, True, CurrentTime);
    XFlush(d);
    std::this_thread::sleep_for(hold);
    XTestFakeButtonEvent(d, button, False, CurrentTime);
    XFlush(d);
}

}  // namespace tessaro::testing
