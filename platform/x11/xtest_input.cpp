#include "platform/x11/xtest_input.h"

// Qt before X: X defines macros (None, Bool, Status) that Qt's headers use as names.
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <poll.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

#include "platform/synthetic_input.h"
#include "platform/x11/error_trap.h"
#include "platform/virtual_keys.h"

namespace win::x11 {
namespace {

using Clock = std::chrono::steady_clock;

// How long a remapped keycode is left alone after its key went out, so that clients
// have read the mapping it was typed with before it changes again.
constexpr auto kSettle = std::chrono::milliseconds(150);
constexpr auto kRemapPause = std::chrono::milliseconds(15);
// A release normally wakes the wait; this bounds it when the event went elsewhere.
constexpr int kReleasePollMs = 2;
constexpr auto kClickThaw = std::chrono::milliseconds(250);

// X numbers the middle button 2 and the right one 3.
unsigned ButtonOfVk(unsigned char vk) {
    return vk == VK_LBUTTON ? 1 : vk == VK_RBUTTON ? 3 : vk == VK_MBUTTON ? 2 : 0;
}

constexpr unsigned long kModifierKeysyms[] = {XK_Shift_L, XK_Shift_R, XK_Control_L,        XK_Control_R,
                                              XK_Alt_L,   XK_Alt_R,   XK_Meta_L,           XK_Meta_R,
                                              XK_Super_L, XK_Super_R, XK_ISO_Level3_Shift, XK_Mode_switch};

}  // namespace

XTestInput::XTestInput(Display* display) : display_(display) {
    int event_base, error_base, major, minor;
    if (!display_ || !XTestQueryExtension(display_, &event_base, &error_base, &major, &minor)) return;
    XDisplayKeycodes(display_, &min_code_, &max_code_);
    held_.display = DisplayString(display_);
    HeldInput leftover;
    record_ = HeldInputRecord::Claim(leftover);
    if (!leftover.empty()) UndoHeldInput(leftover);
    if (record_) record_->Write(held_);
    LoadKeyboardMap();
    ok_ = true;
    if (QCoreApplication::instance()) {
        // Nothing else reads this connection: unread notices would pile up in its queue.
        events_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
        QObject::connect(events_.get(), &QSocketNotifier::activated, [this] { DropEvents(); });
        free_spares_ = std::make_unique<QTimer>();
        free_spares_->setSingleShot(true);
        QObject::connect(free_spares_.get(), &QTimer::timeout, [this] { FreeSettledSpares(); });
    }
}

XTestInput::~XTestInput() {
    if (!ok_) return;
    ReleaseAll();
    free_spares_.reset();
    playing_ = false;
    FreeSettledSpares();
    DropEvents();
}

void XTestInput::LoadKeyboardMap() {
    map_stale_ = false;
    const int count = max_code_ - min_code_ + 1;
    // Fake events go through the XTEST keyboard; its map is the one that counts.
    if (!device_) {
        device_ = XkbUseCoreKbd;
        int ndevices = 0;
        if (XDeviceInfo* devices = XListInputDevices(display_, &ndevices)) {
            for (int i = 0; i < ndevices; ++i)
                if (std::strcmp(devices[i].name, "Virtual core XTEST keyboard") == 0)
                    device_ = static_cast<unsigned>(devices[i].id);
            XFreeDeviceList(devices);
        }
    }
    const unsigned device = *device_;
    XkbDescPtr xkb = XkbGetMap(display_, XkbKeyTypesMask | XkbKeySymsMask, device);
    if (!xkb && device != XkbUseCoreKbd)
        xkb = XkbGetMap(display_, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    map_.assign(static_cast<size_t>(count) * per_code_, NoSymbol);
    // Only keycodes with no keysym in any group or level may serve as spares.
    std::vector<bool> empty(static_cast<size_t>(count), !xkb);
    if (xkb) {
        for (int code = min_code_; code <= max_code_; ++code) {
            bool none = true;
            for (int i = 0; i < XkbKeyNumSyms(xkb, code); ++i)
                none = none && XkbKeySymsPtr(xkb, code)[i] == NoSymbol;
            empty[code - min_code_] = none;
            if (XkbKeyNumGroups(xkb, code) < 1) continue;
            const int width = XkbKeyGroupWidth(xkb, code, 0);
            for (int l = 0; l < std::min(width, per_code_); ++l)
                map_[static_cast<size_t>(code - min_code_) * per_code_ + l] = XkbKeySymEntry(xkb, code, l, 0);
        }
        XkbFreeKeyboard(xkb, 0, True);
    }

    places_.clear();
    // Spares stay ours across reloads; others may have taken a free keycode meanwhile.
    std::vector<Spare> kept;
    for (int code = min_code_; code <= max_code_; ++code) {
        const unsigned long* row = &map_[static_cast<size_t>(code - min_code_) * per_code_];
        auto mine =
            std::find_if(spares_.begin(), spares_.end(), [&](const Spare& s) { return s.code == code; });
        const bool free = empty[code - min_code_];
        if (mine != spares_.end() && (free || row[0] == mine->keysym))
            kept.push_back(*mine);
        else if (free)
            kept.push_back({static_cast<KeyCode>(code)});
        for (int l = 0; l < per_code_; ++l)
            if (row[l] != NoSymbol) places_.try_emplace(row[l], KeyPlace{static_cast<KeyCode>(code), l});
    }
    spares_ = std::move(kept);
    shift_code_ = XKeysymToKeycode(display_, XK_Shift_L);
    if (auto p = Find(XK_Shift_L)) shift_code_ = p->code;
}

std::optional<XTestInput::KeyPlace> XTestInput::Find(unsigned long keysym) const {
    auto it = places_.find(keysym);
    if (it == places_.end()) return std::nullopt;
    // A spare keycode is only ever typed through TypeCharacter.
    for (const Spare& s : spares_)
        if (s.code == it->second.code) return std::nullopt;
    return it->second;
}

void XTestInput::BeginPlayback() {
    playing_ = true;
    if (free_spares_) free_spares_->stop();
    DropEvents();
    // Unchanged since the last playback: a hot key does not wait for the whole map again.
    if (map_stale_) LoadKeyboardMap();
    char keys[32];
    XQueryKeymap(display_, keys);
    for (unsigned long sym : kModifierKeysyms) {
        auto p = Find(sym);
        if (!p || !(keys[p->code / 8] & (1 << (p->code % 8)))) continue;
        bool ours = false;
        for (const auto& [vk, code] : pressed_) ours = ours || code == p->code;
        // Released once and never pressed again: the user may have let go meanwhile.
        if (ours) continue;
        FakeKey(p->code, false, VkFromKeysym(sym));
    }
    Flush();
}

short XTestInput::KeyScan(unsigned char ch) {
    if (ch < 0x20 || ch == 0x7F) return VkKeyScanUs(ch);
    char32_t cp = ch;  // callers pass ASCII; higher bytes go through Alt codes
    auto place = Find(KeysymForChar(cp));
    if (!place) return -1;
    unsigned vk = VkFromKeysym(map_[static_cast<size_t>(place->code - min_code_) * per_code_]);
    if (vk == 0 || vk > 0xFF) return -1;
    // The key the virtual key names must be this one, or SendKey would hit another.
    auto back = Find(VkToKeysym(vk));
    if (!back || back->code != place->code) return -1;
    return static_cast<short>((place->level ? kScanShift : 0) << 8 | vk);
}

void XTestInput::TypeAltCode(std::string_view digits) {
    // X has no keypad codes: enter the character the code stands for.
    if (char32_t cp = AltCodeToChar(digits)) TypeCharacter(cp);
}

void XTestInput::Tap(KeyCode code, bool shifted) {
    if (shifted) FakeKey(shift_code_, true, VK_SHIFT);
    FakeKey(code, true, 0);
    FakeKey(code, false, 0);
    if (shifted) FakeKey(shift_code_, false, VK_SHIFT);
    Flush();
}

// Every injected event is noted right before it goes out: the hook library must not
// take playback for the user. A press is recorded before it is sent, a release only once
// it has been sent (Flush): the record never misses a key that may be down.
void XTestInput::FakeKey(KeyCode code, bool press, unsigned vk) {
    if (press && held_.keys.insert(code).second) Record();
    if (!press && held_.keys.erase(code)) held_dirty_ = true;
    NoteSyntheticInput(press ? SyntheticKind::KeyDown : SyntheticKind::KeyUp, code, vk);
    XTestFakeKeyEvent(display_, code, press, CurrentTime);
}

void XTestInput::FakeButton(unsigned button, bool press) {
    if (press && held_.buttons.insert(button).second) Record();
    if (!press && held_.buttons.erase(button)) held_dirty_ = true;
    NoteSyntheticInput(press ? SyntheticKind::ButtonDown : SyntheticKind::ButtonUp, button);
    XTestFakeButtonEvent(display_, button, press, CurrentTime);
    if (!press) AwaitButtonDelivered(button);
}

// A window manager that looks at a click first holds the pointer frozen until it lets the
// click through. What comes next (keys, another click) waits for that, or the click can
// land after the keys it was meant to precede, or not at all.
void XTestInput::AwaitButtonDelivered(unsigned button) {
    if (button < 1 || button > 5) return;
    const auto until = Clock::now() + kClickThaw;
    for (;;) {
        Window root = 0, child = 0;
        int x, y, wx, wy;
        unsigned mask = 0;
        XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &wx, &wy, &mask);
        if (!(mask & (Button1Mask << (button - 1))) || Clock::now() >= until) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(kReleasePollMs));
    }
}

void XTestInput::Flush() {
    XFlush(display_);
    if (held_dirty_) Record();
}

void XTestInput::Record() {
    held_dirty_ = false;
    if (record_) record_->Write(held_);
}

void XTestInput::TypeCharacter(char32_t cp) {
    unsigned long sym = KeysymForChar(cp);
    if (sym == 0) return;
    if (auto place = Find(sym)) {
        Tap(place->code, place->level == 1);
        return;
    }
    if (KeyCode code = SpareFor(sym)) Tap(code, false);
    if (!playing_) FreeSettledSpares();
}

KeyCode XTestInput::SpareFor(unsigned long keysym) {
    if (spares_.empty()) return 0;
    auto now = Clock::now();
    for (Spare& s : spares_)
        if (s.keysym == keysym) {
            s.last_use = now;
            return s.code;
        }
    Spare* oldest = &spares_.front();
    for (Spare& s : spares_)
        if (s.last_use < oldest->last_use) oldest = &s;
    if (oldest->keysym != 0) {
        // Make sure the key typed with the old mapping is out before the mapping changes.
        XSync(display_, False);
        auto since = Clock::now() - oldest->last_use;
        if (since < kSettle) std::this_thread::sleep_for(kSettle - since);
    }
    Remap(oldest->code, keysym);
    // Clients re-read the map when they see the change, which may be after the key has
    // arrived: give them a moment first.
    std::this_thread::sleep_for(kRemapPause);
    oldest->keysym = keysym;
    oldest->last_use = Clock::now();
    return oldest->code;
}

void XTestInput::Remap(KeyCode code, unsigned long keysym) {
    auto [it, fresh] = held_.remaps.try_emplace(code);
    if (fresh) {
        // What the keycode has now is what it gets back (its keysyms in every column).
        int perCode = 0;
        if (KeySym* syms = XGetKeyboardMapping(display_, code, 1, &perCode)) {
            it->second.before.assign(syms, syms + perCode);
            XFree(syms);
        }
        if (it->second.before.empty()) it->second.before.assign(per_code_, NoSymbol);
    }
    it->second.now = keysym;
    Record();
    // Both shift levels carry the keysym, so a held Shift cannot change it (a single
    // letter keysym would be read as its lower-case and upper-case pair).
    SetMapping(code, std::vector<unsigned long>(per_code_, keysym));
    places_.try_emplace(keysym, KeyPlace{code, 0});
}

void XTestInput::Unmap(KeyCode code) {
    auto it = held_.remaps.find(code);
    if (it == held_.remaps.end()) return;
    if (auto place = places_.find(it->second.now); place != places_.end() && place->second.code == code)
        places_.erase(place);
    SetMapping(code, it->second.before);
    held_.remaps.erase(it);
    Record();
}

void XTestInput::SetMapping(KeyCode code, const std::vector<unsigned long>& keysyms) {
    std::vector<KeySym> row(keysyms.begin(), keysyms.end());
    XChangeKeyboardMapping(display_, code, static_cast<int>(row.size()), row.data(), 1);
    // The change must have reached the server before the key that uses it.
    XSync(display_, False);
    DropEvents();
    for (int l = 0; l < per_code_; ++l)
        map_[static_cast<size_t>(code - min_code_) * per_code_ + l] =
            l < static_cast<int>(row.size()) ? row[l] : NoSymbol;
}

void XTestInput::EndPlayback() {
    playing_ = false;
    FreeSettledSpares();
}

void XTestInput::FreeSettledSpares() {
    if (playing_) return;
    auto next = Clock::time_point::max();
    for (Spare& s : spares_) {
        if (s.keysym == 0) continue;
        const auto settled = s.last_use + kSettle;
        if (Clock::now() < settled && free_spares_) {
            next = std::min(next, settled);
            continue;
        }
        // No event loop to come back from: wait here.
        std::this_thread::sleep_until(settled);
        Unmap(s.code);
        s.keysym = 0;
    }
    if (next == Clock::time_point::max()) return;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now());
    free_spares_->start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(wait.count(), 0)));
}

int XTestInput::DropEvents() {
    int dropped = 0;
    while (XPending(display_) > 0) {
        XEvent e;
        XNextEvent(display_, &e);
        if (e.type == GenericEvent && e.xcookie.extension == xi_opcode_) {
            ++releases_seen_;
            continue;
        }
        // Xlib's own key look-ups follow the new mapping.
        if (e.type == MappingNotify) XRefreshKeyboardMapping(&e.xmapping);
        ++dropped;
    }
    // Almost all that arrives here are keyboard-map notices: read the map again.
    map_stale_ = map_stale_ || dropped > 0;
    return dropped;
}

bool XTestInput::Held(unsigned char vk) {
    if (const unsigned button = ButtonOfVk(vk)) {
        Window root = 0, child = 0;
        int x, y, wx, wy;
        unsigned mask = 0;
        XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &wx, &wy, &mask);
        return mask & (Button1Mask << (button - 1));
    }
    // The hook grabs a hot key on the keycode the core map gives its keysym.
    const KeySym sym = VkToKeysym(vk);
    const KeyCode code = sym ? XKeysymToKeycode(display_, sym) : 0;
    if (!code) return false;
    char keys[32];
    XQueryKeymap(display_, keys);
    return keys[code / 8] & (1 << (code % 8));
}

bool XTestInput::WatchReleases(bool on) {
    if (xi_opcode_ < 0) {
        int event = 0, error = 0, major = 2, minor = 2;
        xi_opcode_ = 0;
        // 2.2: raw events arrive whoever holds a grab.
        if (XQueryExtension(display_, "XInputExtension", &xi_opcode_, &event, &error) &&
            XIQueryVersion(display_, &major, &minor) != Success)
            xi_opcode_ = 0;
    }
    if (xi_opcode_ <= 0) return false;
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
        XISetMask(mask, XI_RawKeyRelease);
        XISetMask(mask, XI_RawButtonRelease);
    }
    XIEventMask em{XIAllMasterDevices, sizeof mask, mask};
    XISelectEvents(display_, DefaultRootWindow(display_), &em, 1);
    XFlush(display_);
    return true;
}

void XTestInput::AwaitRelease(unsigned char vk, const std::function<void()>& pump) {
    if (!Held(vk)) return;
    const bool watching = WatchReleases(true);
    // Asked again after each release or short poll: a release may be of another key.
    while (Held(vk)) {
        const int before = releases_seen_;
        pump();
        if (releases_seen_ != before) continue;
        if (XPending(display_) == 0) {
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            ::poll(&fd, 1, watching ? kReleasePollMs * 10 : kReleasePollMs);
        }
        DropEvents();
    }
    if (watching) WatchReleases(false);
    DropEvents();
}

void XTestInput::SendKey(unsigned char vk, bool up) {
    unsigned button = ButtonOfVk(vk);
    if (button) {
        FakeButton(button, !up);
        Flush();
        return;
    }
    KeyCode code = 0;
    if (up) {
        auto it = pressed_.find(vk);
        if (it != pressed_.end()) {
            code = it->second;
            pressed_.erase(it);
        }
    }
    if (!code) {
        unsigned long sym = VkToKeysym(vk);
        if (sym == 0) return;  // a virtual key no X key stands for
        // The keypad's digits and point sit behind NumLock on their keys; without it
        // those keys move the caret and delete. They go through a spare keycode, which
        // types them whatever the lock state and leaves NumLock alone.
        const auto place = Find(sym);
        if (place && !(place->level != 0 && IsKeypadKey(sym)))
            code = place->code;
        else
            code = SpareFor(sym);
        if (!code) return;
        if (!up) pressed_[vk] = code;
    }
    FakeKey(code, !up, vk);
    Flush();
    if (!playing_) FreeSettledSpares();
}

void XTestInput::SendMouse(unsigned flags, int dx, int dy, int data) {
    if (flags & MOUSEEVENTF_MOVE) {
        NoteSyntheticInput(SyntheticKind::Motion);
        if (flags & MOUSEEVENTF_ABSOLUTE) {
            Point size = ScreenSize();
            int x = static_cast<int>(std::lround(dx * static_cast<double>(size.x) / 65535.0));
            int y = static_cast<int>(std::lround(dy * static_cast<double>(size.y) / 65535.0));
            XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
        } else {
            XTestFakeRelativeMotionEvent(display_, dx, dy, CurrentTime);
        }
    }
    constexpr struct {
        unsigned flag;
        unsigned button;
        bool press;
    } kButtons[] = {{MOUSEEVENTF_LEFTDOWN, 1, true},   {MOUSEEVENTF_LEFTUP, 1, false},
                    {MOUSEEVENTF_RIGHTDOWN, 3, true},  {MOUSEEVENTF_RIGHTUP, 3, false},
                    {MOUSEEVENTF_MIDDLEDOWN, 2, true}, {MOUSEEVENTF_MIDDLEUP, 2, false}};
    for (const auto& b : kButtons)
        if (flags & b.flag) FakeButton(b.button, b.press);
    if (flags & MOUSEEVENTF_WHEEL) {
        // One click of button 4 (away from the user) or 5 per notch.
        unsigned button = data >= 0 ? 4 : 5;
        for (int n = std::abs(data) / WHEEL_DELTA; n > 0; --n) {
            FakeButton(button, true);
            FakeButton(button, false);
        }
    }
    Flush();
}

Point XTestInput::CursorPos() {
    Window root = DefaultRootWindow(display_), child;
    int x = 0, y = 0, wx, wy;
    unsigned mask;
    XQueryPointer(display_, root, &root, &child, &x, &y, &wx, &wy, &mask);
    return {x, y};
}

Point XTestInput::ScreenSize() {
    int screen = DefaultScreen(display_);
    return {DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
}

std::optional<Rect> XTestInput::ForegroundWindowRect() {
    Window root = DefaultRootWindow(display_);
    Window active = None;
    Atom net_active = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, root, net_active, 0, 1, False, XA_WINDOW, &type, &format, &items, &after,
                           &data) == Success &&
        data) {
        if (items == 1 && format == 32) active = *reinterpret_cast<Window*>(data);
        XFree(data);
    }
    if (active == None) {
        int revert;
        XGetInputFocus(display_, &active, &revert);
        if (active == PointerRoot) active = None;
    }
    if (active == None) return std::nullopt;
    XWindowAttributes attrs;
    if (!XGetWindowAttributes(display_, active, &attrs)) return std::nullopt;
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display_, active, root, 0, 0, &x, &y, &child);
    return Rect{x, y, x + attrs.width, y + attrs.height};
}

std::optional<Point> XTestInput::CaretPos() { return std::nullopt; }

bool UndoHeldInput(const HeldInput& held) {
    Display* d = XOpenDisplay(held.display.empty() ? nullptr : held.display.c_str());
    if (!d) return false;
    {
        ErrorTrap trap(d);
        char keys[32];
        XQueryKeymap(d, keys);
        for (unsigned code : held.keys)
            if (keys[code / 8] & (1 << (code % 8))) XTestFakeKeyEvent(d, code, False, CurrentTime);
        Window root, child;
        int x, y, wx, wy;
        unsigned mask = 0;
        XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &wx, &wy, &mask);
        for (unsigned button : held.buttons)
            if (button >= 1 && button <= 5 && (mask & (Button1Mask << (button - 1))))
                XTestFakeButtonEvent(d, button, False, CurrentTime);
        for (const auto& [code, remap] : held.remaps) {
            // A keycode someone else has changed since is theirs now.
            int perCode = 0;
            KeySym* syms = XGetKeyboardMapping(d, static_cast<KeyCode>(code), 1, &perCode);
            const bool ours = syms && perCode > 0 && syms[0] == remap.now;
            if (syms) XFree(syms);
            if (!ours) continue;
            std::vector<KeySym> row(remap.before.begin(), remap.before.end());
            XChangeKeyboardMapping(d, static_cast<int>(code), static_cast<int>(row.size()), row.data(), 1);
        }
        XSync(d, False);
    }
    XCloseDisplay(d);
    return true;
}

}  // namespace win::x11
