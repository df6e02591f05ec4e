#include "tests/support/key_target.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "tests/support/window_manager.h"

namespace tessaro::testing {
namespace {

int grabError = 0;
int CatchGrabError(Display*, XErrorEvent* e) {
    grabError = e->error_code;
    return 0;
}

// A key or button down, held for `hold`, up; `fake` makes the event.
void DownHeldUp(Display* d, const std::function<void(Bool)>& fake, std::chrono::milliseconds hold) {
    fake(True);
    XFlush(d);
    std::this_thread::sleep_for(hold);
    fake(False);
    XFlush(d);
}

}  // namespace

KeyTarget::KeyTarget(Display* display, const std::string& title) : d_(display) {
    if (!d_) return;
    // The keyboard map is read now, as a toolkit does at start, so that later changes
    // to it (the player's spare keys) reach this connection before the keys using them.
    XKeysymToKeycode(d_, XK_space);
    XSetWindowAttributes attrs{};
    attrs.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | FocusChangeMask |
                       StructureNotifyMask;
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

KeyTarget::~KeyTarget() {
    if (d_) XCloseDisplay(d_);
}

void KeyTarget::AnswerPings() {
    const Atom ping = XInternAtom(d_, "_NET_WM_PING", False);
    XChangeProperty(d_, window_, XInternAtom(d_, "WM_PROTOCOLS", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&ping), 1);
    XSync(d_, False);
}

bool KeyTarget::Focus() {
    if (WindowManager::Running(d_)) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = window_;
        e.xclient.message_type = XInternAtom(d_, "_NET_ACTIVE_WINDOW", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = 2;
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(d_, DefaultRootWindow(d_), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    } else {
        XRaiseWindow(d_, window_);
        XSetInputFocus(d_, window_, RevertToParent, CurrentTime);
    }
    XSync(d_, False);
    // A manager names the window active a moment after it gave it the focus; the player
    // reads the name, so the window counts as focused once both hold.
    const bool managed = WindowManager::Running(d_);
    return WaitUntil([&] { return HasFocus() && (!managed || ActiveWindow() == window_); },
                     std::chrono::seconds(5));
}

Window KeyTarget::ActiveWindow() {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    Window active = 0;
    if (XGetWindowProperty(d_, DefaultRootWindow(d_), XInternAtom(d_, "_NET_ACTIVE_WINDOW", False), 0, 1,
                           False, XA_WINDOW, &type, &format, &n, &after, &data) == Success &&
        data && n == 1 && format == 32)
        active = *reinterpret_cast<const Window*>(data);
    if (data) XFree(data);
    return active;
}

bool KeyTarget::Minimise() {
    XIconifyWindow(d_, window_, DefaultScreen(d_));
    XSync(d_, False);
    return WaitUntil([&] { return !Viewable(); }, std::chrono::seconds(5));
}

bool KeyTarget::HasFocus() {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d_, &focus, &revert);
    return focus == window_;
}

bool KeyTarget::Viewable() {
    XWindowAttributes a;
    return XGetWindowAttributes(d_, window_, &a) && a.map_state == IsViewable;
}

void KeyTarget::Drain() {
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
            XSendEvent(d_, DefaultRootWindow(d_), False, SubstructureNotifyMask | SubstructureRedirectMask,
                       &e);
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
            if (stall_.count() > 0 && presses_read_ % stall_every_ == 0) std::this_thread::sleep_for(stall_);
            if (presses_read_ == long_stall_at_) std::this_thread::sleep_for(long_stall_);
            ++presses_read_;
        }
        char buf[16] = {};
        KeySym sym = 0;
        const int len = XLookupString(&e.xkey, buf, sizeof buf, &sym, nullptr);
        const char* name = XKeysymToString(sym);
        keys.push_back(
            {e.type == KeyPress, name ? name : "?", std::string(buf, std::size_t(std::max(len, 0))), now});
    }
}

std::string KeyTarget::Typed() {
    Drain();
    std::string out;
    for (const Key& k : keys)
        if (k.press) out += k.text;
    return out;
}

bool KeyTarget::Pressed(const std::string& keysym) {
    Drain();
    for (const Key& k : keys)
        if (k.press && k.keysym == keysym) return true;
    return false;
}

bool KeyTarget::WaitUntil(const std::function<bool()>& done, Clock::duration limit) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        Drain();
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    Drain();
    return done();
}

bool GrabTaken(Display* d, const std::function<void()>& grab, const std::function<void()>& ungrab) {
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

bool HotKeyGrabbed(Display* d, KeySym key, unsigned modifiers) {
    const int code = XKeysymToKeycode(d, key);
    return GrabTaken(
        d, [&] { XGrabKey(d, code, modifiers, DefaultRootWindow(d), False, GrabModeAsync, GrabModeAsync); },
        [&] { XUngrabKey(d, code, modifiers, DefaultRootWindow(d)); });
}

HeldKeys::HeldKeys(Display* d, std::vector<KeySym> keys) : d_(d), keys_(std::move(keys)) {
    for (KeySym k : keys_) XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, k), True, CurrentTime);
    XFlush(d_);
}

void HeldKeys::Release(KeySym key) {
    const auto it = std::find(keys_.begin(), keys_.end(), key);
    if (it == keys_.end()) return;
    XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, key), False, CurrentTime);
    XFlush(d_);
    keys_.erase(it);
}

void LetGoOf(HeldKeys& held, KeySym key, const std::vector<KeySym>& modifiers, LetGo order) {
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

void PressKeycode(Display* d, KeyCode code, std::chrono::milliseconds hold) {
    DownHeldUp(
        d, [&](Bool down) { XTestFakeKeyEvent(d, code, down, CurrentTime); }, hold);
}

void PressWithModifiers(Display* d, KeySym key, std::initializer_list<KeySym> modifiers,
                        std::chrono::milliseconds hold, LetGo order) {
    std::vector<KeySym> keys(modifiers);
    keys.push_back(key);
    HeldKeys held(d, keys);
    std::this_thread::sleep_for(hold);
    LetGoOf(held, key, std::vector<KeySym>(modifiers), order);
}

void TypeRolledOver(Display* d, const std::string& text, std::chrono::milliseconds overlap,
                    std::chrono::milliseconds hold) {
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

void TypeAscii(Display* d, const std::string& text, std::chrono::milliseconds gap,
               std::chrono::milliseconds hold) {
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

void PressButton(Display* d, unsigned button, std::chrono::milliseconds hold) {
    DownHeldUp(
        d, [&](Bool down) { XTestFakeButtonEvent(d, button, down, CurrentTime); }, hold);
}

}  // namespace tessaro::testing
