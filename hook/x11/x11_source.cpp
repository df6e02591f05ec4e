#include "hook/x11/x11_source.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>
#include <xcb/xcb.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <memory>
#include <set>
#include <tuple>

#include "protocol/hotkey_codes.h"
#include "hook/key_remap.h"
#include "hook/x11/hot_key_keysym.h"
#include "hook/x11/keyboard_text.h"
#include "platform/x11/x11_messages.h"
#include "platform/synthetic_input.h"
#include "platform/x11/client_message.h"
#include "platform/x11/error_trap.h"
#include "platform/x11/properties.h"
#include "platform/x11/x11_desktop.h"
#include "protocol/window_messages.h"
#include "platform/virtual_keys.h"

namespace tessaro::hook {

namespace {

// An event from an XTEST device is the player's own when it injected one like it this
// long before the event reached the server (after which this client may read it late).
constexpr int kSyntheticWindowMs = 300;
// How often a pointer move asks the server where the pointer is.
constexpr int kMotionQueryMs = 30;
// How often a hot key another program holds is asked for again: the server tells no one
// when that program lets go of it.
constexpr int kRetryGrabMs = 1000;

using Clock = std::chrono::steady_clock;

using win::x11::ErrorTrap;

// Xlib's replies, freed however the function that asked for them ends.
struct XFreeDeleter {
    void operator()(void* p) const {
        if (p) XFree(p);
    }
};
template <class T>
using XOwned = std::unique_ptr<T, XFreeDeleter>;
struct ModifierMapDeleter {
    void operator()(XModifierKeymap* map) const {
        if (map) XFreeModifiermap(map);
    }
};
using ModifierMap = std::unique_ptr<XModifierKeymap, ModifierMapDeleter>;
struct DeviceInfoDeleter {
    void operator()(XIDeviceInfo* info) const {
        if (info) XIFreeDeviceInfo(info);
    }
};
struct KeyboardDescDeleter {
    void operator()(XkbDescPtr xkb) const {
        if (xkb) XkbFreeKeyboard(xkb, 0, True);
    }
};

class X11Source : public InputSource {
public:
    explicit X11Source(Display* d) : d_(d), root_(DefaultRootWindow(d)) {}
    ~X11Source() override {
        Stop();
        if (markWindow_) XDestroyWindow(d_, markWindow_);
        XCloseDisplay(d_);
    }

    bool Start(Sink sink, std::string* error) override {
        int event, err;
        int major = 2, minor = 2;
        if (!XQueryExtension(d_, "XInputExtension", &xiOpcode_, &event, &err) ||
            XIQueryVersion(d_, &major, &minor) != Success) {
            if (error) *error = "the X server has no XInput 2.2";
            return false;
        }
        sink_ = std::move(sink);
        FindDevices();
        win::SyntheticNotesAvailable();  // attach to the playback notes before any input
        caughtUp_ = Clock::now();
        // The raw events of the devices themselves: those of the master keyboard and
        // pointer stop reaching this client while one of its own grabs is active, so the
        // release of a modifier let go before the hot key would never be seen.
        unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
        XISetMask(mask, XI_RawKeyPress);
        XISetMask(mask, XI_RawKeyRelease);
        XISetMask(mask, XI_RawButtonPress);
        XISetMask(mask, XI_RawButtonRelease);
        XISetMask(mask, XI_RawMotion);
        XISetMask(mask, XI_HierarchyChanged);
        XIEventMask em{XIAllDevices, sizeof mask, mask};
        XISelectEvents(d_, root_, &em, 1);
        // Keys already held when watching begins.
        char keys[32];
        XQueryKeymap(d_, keys);
        for (int kc = 0; kc < 256; ++kc)
            if (keys[kc / 8] & (1 << (kc % 8))) down_.insert(static_cast<KeyCode>(kc));
        // A window no program sees, for the player's marks.
        markWindow_ =
            XCreateWindow(d_, root_, -1, -1, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent, 0, nullptr);
        messageAtom_ = XInternAtom(d_, win::x11::kMessageAtomName, False);
        XSelectInput(d_, root_, PropertyChangeMask);
        activeAtom_ = XInternAtom(d_, "_NET_ACTIVE_WINDOW", False);
        clientListAtom_ = XInternAtom(d_, "_NET_CLIENT_LIST", False);
        active_ = ReadActiveWindow();
        int opcode = 0, xkbError = 0, maj = XkbMajorVersion, min = XkbMinorVersion;
        if (XkbQueryExtension(d_, &opcode, &xkbEvent_, &xkbError, &maj, &min))
            XkbSelectEvents(d_, XkbUseCoreKbd, XkbMapNotifyMask, XkbMapNotifyMask);
        else
            xkbEvent_ = -1;
        LoadKeyboard();
        XFlush(d_);
        notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(d_), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Drain(); });
        retryGrabs_ = std::make_unique<QTimer>();
        retryGrabs_->setInterval(kRetryGrabMs);
        QObject::connect(retryGrabs_.get(), &QTimer::timeout, [this] {
            if (!grabs_.empty()) Regrab();
            DrainSoon();
        });
        DrainSoon();
        return true;
    }

    void Stop() override {
        retryGrabs_.reset();
        notifier_.reset();
        for (const Grab& g : active_grabs_) Ungrab(g);
        active_grabs_.clear();
        grabs_.clear();
        XFlush(d_);
    }

    std::vector<int> HeldElsewhere() const override { return heldElsewhere_; }

    std::vector<std::string> SetGrabs(const std::vector<int>& codes) override {
        grabs_ = codes;
        auto problems = Regrab();
        DrainSoon();
        return problems;
    }

    void EndHotKeyGrab() override {
        XUngrabKeyboard(d_, CurrentTime);
        XUngrabPointer(d_, CurrentTime);
        // In force before the window asks for the keyboard.
        XSync(d_, False);
        DrainSoon();
    }

    void CatchUp() override {
        if (!notifier_) return;
        XSync(d_, False);
        Drain();
    }

    // A window of this process (the player's, when the library runs in it) gets the message
    // through the event loop's own queue, as the process's own messages do, not by a trip
    // through the server to the toolkit's connection, which reads it on a thread of its
    // own: a report posted before the caller's catch-up is then handled in that catch-up
    // (the next hot key pressed in the instant the last one came up), never some time later.
    bool Send(const Post& p) override {
        if (!OwnWindow(p.hwnd)) return messages_.PostMessage(p.hwnd, p.msg, p.wParam, p.lParam);
        const std::uint32_t atom = static_cast<std::uint32_t>(messageAtom_);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [p, atom] {
                xcb_client_message_event_t cm{};
                cm.response_type = XCB_CLIENT_MESSAGE;
                cm.format = 32;
                cm.window = p.hwnd;
                cm.type = atom;
                cm.data.data32[0] = p.msg;
                cm.data.data32[1] = p.wParam;
                cm.data.data32[2] = static_cast<std::uint32_t>(p.lParam);
                qintptr result = 0;
                QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
                // No filter of the window's took it: the server delivers it as to any window.
                if (!dispatcher || !dispatcher->filterNativeEvent("xcb_generic_event_t", &cm, &result))
                    win::x11::X11Messages().PostMessage(p.hwnd, p.msg, p.wParam, p.lParam);
            },
            Qt::QueuedConnection);
        return true;
    }

    std::uint32_t MarkWindow() const override { return static_cast<std::uint32_t>(markWindow_); }

    std::optional<DesktopTitles> Titles() override {
        win::x11::X11Desktop desktop(d_);
        DesktopTitles titles;
        titles.foreground = desktop.WindowText(desktop.ForegroundWindow());
        for (const win::HWND w : desktop.TopLevelWindows()) titles.all.push_back(desktop.WindowText(w));
        return titles;
    }

private:
    static bool OwnWindow(std::uint32_t hwnd) {
        if (!hwnd || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
        // Only windows made already: asking another for its id would make it.
        for (const QWindow* w : QGuiApplication::allWindows())
            if (w->handle() && static_cast<std::uint32_t>(w->winId()) == hwnd) return true;
        return false;
    }

    // The XTEST devices, and the devices that drive no master (their keys change no
    // one's state); again whenever devices come, go or move.
    void FindDevices() {
        xtest_.clear();
        floating_.clear();
        int n = 0;
        const std::unique_ptr<XIDeviceInfo, DeviceInfoDeleter> info(XIQueryDevice(d_, XIAllDevices, &n));
        for (int i = 0; info && i < n; ++i) {
            if (std::strstr(info.get()[i].name, "XTEST")) xtest_.insert(info.get()[i].deviceid);
            if (info.get()[i].use == XIFloatingSlave) floating_.insert(info.get()[i].deviceid);
        }
    }

    // Our own copy of the keyboard and modifier maps, refreshed on every map notice, so
    // that decoding never depends on a client-side map being reloaded at that moment.
    // Keys are read in every group; a key the remapper changed keeps what it had, so its
    // hot keys stay on the physical key.
    void LoadKeyboard() {
        int minKc = 0, maxKc = 0;
        XDisplayKeycodes(d_, &minKc, &maxKc);
        for (auto& groups : keysyms_) groups = {};
        int perCode = 0;
        const XOwned<KeySym> owned(
            XGetKeyboardMapping(d_, static_cast<KeyCode>(minKc), maxKc - minKc + 1, &perCode));
        const KeySym* syms = owned.get();
        // The core map's columns: group 1's two levels, then group 2's.
        auto fromCore = [&](const auto& symAt, int kc) {
            for (int g = 0; g < 2; ++g)
                for (int l = 0; l < 2; ++l) keysyms_[kc][g][l] = symAt(kc, g * 2 + l);
        };
        if (syms) {
            for (int kc = minKc; kc <= maxKc && kc < 256; ++kc)
                fromCore(
                    [&](int k, int col) {
                        return col < perCode ? syms[(k - minKc) * perCode + col] : NoSymbol;
                    },
                    kc);
        }
        const std::unique_ptr<XkbDescRec, KeyboardDescDeleter> desc(
            xkbEvent_ >= 0 ? XkbGetMap(d_, XkbAllClientInfoMask, XkbUseCoreKbd) : nullptr);
        if (XkbDescPtr xkb = desc.get()) {
            for (int kc = std::max(minKc, int{xkb->min_key_code});
                 kc <= maxKc && kc <= xkb->max_key_code && kc < 256; ++kc) {
                keysyms_[kc] = {};
                const int groups = std::min(int{XkbKeyNumGroups(xkb, kc)}, kGroups);
                for (int g = 0; g < groups; ++g)
                    for (int l = 0; l < std::min(int{XkbKeyGroupWidth(xkb, kc, g)}, 2); ++l)
                        keysyms_[kc][g][l] = XkbKeySymEntry(xkb, kc, l, g);
            }
        }
        if (const auto original = RemappedOriginal(); original && original->symsPerKeycode > 0) {
            const int per = original->symsPerKeycode;
            auto symAt = [&](int kc, int col) -> KeySym {
                const int row = kc - original->firstKeycode;
                return row >= 0 && row < original->keycodeCount() && col < per
                           ? original->syms[static_cast<std::size_t>(row * per + col)]
                           : NoSymbol;
            };
            for (int kc = minKc; kc <= maxKc && kc < 256; ++kc) {
                bool changed = false;
                for (int col = 0; col < per && syms && col < perCode; ++col)
                    changed = changed || symAt(kc, col) != syms[(kc - minKc) * perCode + col];
                if (!changed) continue;
                keysyms_[kc] = {};
                fromCore(symAt, kc);
            }
        }
        for (auto& m : modOfKeycode_) m = 0;
        for (auto& m : xmaskOfKeycode_) m = 0;
        if (const ModifierMap modmap = ModifierMap(XGetModifierMapping(d_))) {
            const XModifierKeymap* map = modmap.get();
            for (int index = 0; index < 8; ++index)
                for (int k = 0; k < map->max_keypermod; ++k)
                    if (KeyCode kc = map->modifiermap[index * map->max_keypermod + k])
                        xmaskOfKeycode_[kc] |= static_cast<std::uint8_t>(1u << index);
            // Which of Mod1..Mod5 Alt and Super are is the server's choice (a layout or a
            // tool may move them).
            altMask_ = MaskHolding(map, {XK_Alt_L, XK_Alt_R, XK_Meta_L, XK_Meta_R}, Mod1Mask);
            superMask_ = MaskHolding(map, {XK_Super_L, XK_Super_R}, Mod4Mask);
            const std::pair<int, std::uint8_t> kinds[] = {{ShiftMapIndex, kModShift},
                                                          {ControlMapIndex, kModCtrl},
                                                          {IndexOf(altMask_), kModAlt},
                                                          {IndexOf(superMask_), kModWin}};
            for (auto [index, mod] : kinds)
                for (int k = 0; k < map->max_keypermod; ++k)
                    if (KeyCode kc = map->modifiermap[index * map->max_keypermod + k])
                        modOfKeycode_[kc] |= mod;
        }
        numLock_ = ModMaskOf(XK_Num_Lock);
        scrollLock_ = ModMaskOf(XK_Scroll_Lock);
    }
    // The modifier bit (Mod1..Mod5) whose keys carry one of `syms`; `fallback` when none.
    unsigned MaskHolding(const XModifierKeymap* map, std::initializer_list<KeySym> syms,
                         unsigned fallback) const {
        // The keys a hand presses first (the lowest keycode of each keysym), then any.
        for (KeySym want : syms)
            if (const KeyCode primary = XKeysymToKeycode(d_, want))
                for (int index = Mod1MapIndex; index <= Mod5MapIndex; ++index)
                    for (int k = 0; k < map->max_keypermod; ++k)
                        if (map->modifiermap[index * map->max_keypermod + k] == primary) return 1u << index;
        for (int index = Mod1MapIndex; index <= Mod5MapIndex; ++index)
            for (int k = 0; k < map->max_keypermod; ++k) {
                const KeyCode kc = map->modifiermap[index * map->max_keypermod + k];
                if (!kc) continue;
                for (const auto& levels : keysyms_[kc])
                    for (KeySym s : levels)
                        for (KeySym want : syms)
                            if (s == want) return 1u << index;
            }
        return fallback;
    }
    static int IndexOf(unsigned mask) {
        int index = 0;
        while (mask > 1) {
            mask >>= 1;
            ++index;
        }
        return index;
    }

    unsigned ModMaskOf(KeySym sym) {
        const KeyCode kc = XKeysymToKeycode(d_, sym);
        if (!kc) return 0;
        unsigned mask = 0;
        // No reply (the server ran out of memory, the connection broke): no lock to allow for.
        const ModifierMap map(XGetModifierMapping(d_));
        if (!map) return 0;
        for (int m = 0; m < 8; ++m)
            for (int k = 0; k < map->max_keypermod; ++k)
                if (map->modifiermap[m * map->max_keypermod + k] == kc) mask = 1u << m;
        return mask;
    }

    // The keycodes whose keys carry the hot key of `vk` in any group, with NumLock on or
    // off and Shift held or not.
    std::vector<unsigned> KeysCarrying(unsigned vk, bool numLock, bool shift) const {
        std::vector<unsigned> codes;
        for (unsigned kc = 0; kc < keysyms_.size(); ++kc) {
            bool carries = false;
            for (const auto& levels : keysyms_[kc])
                carries = carries || CarriesHotKey(levels, numLock, shift, vk);
            if (carries) codes.push_back(kc);
        }
        return codes;
    }

    // The virtual key of a keycode: what it types in the active group, else in another
    // (a hot key is a key and modifiers, whatever the group), at the server's NumLock and
    // Shift of `state`.
    unsigned VkOfKey(KeyCode kc, int group, unsigned state) const {
        const auto& groups = keysyms_[kc];
        const bool numLock = numLock_ && (state & numLock_), shift = state & ShiftMask;
        const int active = std::clamp(group, 0, kGroups - 1);
        if (const unsigned vk = HotKeyVk(groups[static_cast<std::size_t>(active)], numLock, shift)) return vk;
        for (const auto& levels : groups)
            if (const unsigned vk = HotKeyVk(levels, numLock, shift)) return vk;
        return 0;
    }

    // One passive grab: a key or button with an exact modifier mask.
    using Grab = std::tuple<bool, unsigned, unsigned>;  // button?, keycode or button, mask

    void Ungrab(const Grab& g) {
        const auto& [button, detail, mask] = g;
        if (button)
            XUngrabButton(d_, detail, mask, root_);
        else
            XUngrabKey(d_, static_cast<int>(detail), mask, root_);
    }

    // Changes only the grabs that differ, so keys already grabbed are never let through
    // in between (a keyboard map notice arrives on every switch of input device).
    std::vector<std::string> Regrab() {
        std::vector<std::string> problems;
        heldElsewhere_.clear();
        std::set<Grab> wanted;
        const unsigned locks[] = {LockMask, numLock_, scrollLock_};
        for (int code : grabs_) {
            const HotKeyDef* def = HotKeyDefinition(code);
            if (!def) continue;
            unsigned mods = 0;
            if (def->mods & kModCtrl) mods |= ControlMask;
            if (def->mods & kModAlt) mods |= altMask_;
            if (def->mods & kModShift) mods |= ShiftMask;
            if (def->mods & kModWin) mods |= superMask_;
            // X numbers the middle button 2 and the right one 3.
            unsigned detail = def->mouse == 2 ? 3 : def->mouse == 3 ? 2 : def->mouse;
            std::vector<Grab> variants;
            // Every combination of CapsLock, NumLock and ScrollLock; a key only in the
            // NumLock states in which it gives the hot key (the keypad).
            for (unsigned combo = 0; combo < 8; ++combo) {
                unsigned m = mods;
                bool valid = true;
                for (int i = 0; i < 3; ++i)
                    if (combo & (1u << i)) {
                        valid = valid && locks[i] != 0;
                        m |= locks[i];
                    }
                if (!valid) continue;
                const std::vector<unsigned> details =
                    def->mouse ? std::vector<unsigned>{detail}
                               : KeysCarrying(def->vk, (combo & 2u) != 0, (def->mods & kModShift) != 0);
                for (unsigned det : details) variants.emplace_back(def->mouse != 0, det, m);
            }
            if (variants.empty()) {
                problems.push_back("hot key " + def->name + " has no key on this keyboard");
                continue;
            }
            ErrorTrap trap(d_);
            std::vector<Grab> added;
            for (const Grab& g : variants) {
                wanted.insert(g);
                if (active_grabs_.count(g)) continue;
                const auto& [button, det, m] = g;
                if (button)
                    XGrabButton(d_, det, m, root_, False, ButtonPressMask | ButtonReleaseMask, GrabModeAsync,
                                GrabModeAsync, None, None);
                else
                    // The keyboard stops at the hot key until this client lets go of the
                    // grab, so that every key after it still reaches the focused window, in
                    // order (see OnGrabbedKey).
                    XGrabKey(d_, static_cast<int>(det), m, root_, False, GrabModeAsync, GrabModeSync);
                added.push_back(g);
            }
            if (trap.Finish() != 0) {
                problems.push_back("hot key " + def->name + " is held by another program");
                heldElsewhere_.push_back(code);
                for (const Grab& g : added) Ungrab(g);
                for (const Grab& g : variants) wanted.erase(g);
                continue;
            }
            active_grabs_.insert(added.begin(), added.end());
        }
        for (auto it = active_grabs_.begin(); it != active_grabs_.end();) {
            if (wanted.count(*it)) {
                ++it;
                continue;
            }
            Ungrab(*it);
            it = active_grabs_.erase(it);
        }
        XFlush(d_);
        if (retryGrabs_ && heldElsewhere_.empty())
            retryGrabs_->stop();
        else if (retryGrabs_ && !retryGrabs_->isActive())
            retryGrabs_->start();
        return problems;
    }

    std::uint32_t ReadActiveWindow() {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        std::uint32_t w = 0;
        const int status = XGetWindowProperty(d_, root_, activeAtom_, 0, 1, False, XA_WINDOW, &type, &format,
                                              &count, &after, &data);
        const XOwned<unsigned char> owned(data);
        if (status == Success && data && count == 1 && format == 32)
            w = static_cast<std::uint32_t>(*reinterpret_cast<unsigned long*>(data));
        return w;
    }

    std::uint32_t FocusWindow() {
        if (active_) return active_;
        Window focus = 0;
        int revert;
        XGetInputFocus(d_, &focus, &revert);
        return focus > PointerRoot ? static_cast<std::uint32_t>(focus) : 0;
    }

    // The modifier state the key was pressed in. The server's current state may already
    // be past the event (the keys after it were processed meanwhile), so the held
    // modifiers come from the devices' own key events, which reach this client whatever
    // the grabs; only the locks are asked for.
    unsigned CoreState(unsigned lockedMods) const {
        const unsigned locks = LockMask | numLock_;
        unsigned m = 0;
        for (KeyCode kc : down_) m |= xmaskOfKeycode_[kc];
        return (m & ~locks) | (lockedMods & locks);
    }

    std::uint8_t Modifiers() const {
        std::uint8_t m = 0;
        for (KeyCode kc : down_) m |= modOfKeycode_[kc];
        return m;
    }

    // Round trips outside Drain may read events into Xlib's queue, where no readable
    // descriptor would announce them: drain again from the event loop.
    void DrainSoon() {
        if (notifier_ && XEventsQueued(d_, QueuedAlready) > 0)
            QTimer::singleShot(0, notifier_.get(), [this] { Drain(); });
    }

    void Drain() {
        for (bool remap = true; remap;) {
            remap = DrainQueue();
            if (remap && !grabs_.empty()) Regrab();
        }
        caughtUp_ = Clock::now();
    }

    // The events read now reached the server after the queue was last found empty: a
    // note made well before that belongs to no event read now.
    int NoteWindowMs() const {
        const auto late = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - caughtUp_);
        return kSyntheticWindowMs + static_cast<int>(std::min<std::int64_t>(late.count(), 1 << 30));
    }

    static win::SyntheticKind KindOf(int type) {
        switch (type) {
            case XI_RawKeyPress: return win::SyntheticKind::KeyDown;
            case XI_RawKeyRelease: return win::SyntheticKind::KeyUp;
            case XI_RawButtonPress: return win::SyntheticKind::ButtonDown;
            case XI_RawButtonRelease: return win::SyntheticKind::ButtonUp;
            default: return win::SyntheticKind::Motion;
        }
    }

    // Handles every queued event; true when the keyboard map changed.
    bool DrainQueue() {
        bool remap = false;
        while (XPending(d_)) {
            XEvent ev;
            XNextEvent(d_, &ev);
            if (ev.type == GenericEvent && ev.xcookie.extension == xiOpcode_ &&
                XGetEventData(d_, &ev.xcookie)) {
                if (ev.xcookie.evtype == XI_HierarchyChanged)
                    FindDevices();
                else
                    OnRaw(ev.xcookie.evtype, static_cast<XIRawEvent*>(ev.xcookie.data));
                XFreeEventData(d_, &ev.xcookie);
            } else if (ev.type == ClientMessage && ev.xclient.window == markWindow_ &&
                       ev.xclient.message_type == messageAtom_ && ev.xclient.format == 32 &&
                       static_cast<std::uint32_t>(ev.xclient.data.l[0]) == WM_PLAYBACK_MARK) {
                InputEvent e;
                e.kind = InputEvent::PlaybackMark;
                e.synthetic = true;
                sink_(e);
            } else if (ev.type == KeyPress) {
                OnGrabbedKey(ev.xkey);
            } else if (ev.type == PropertyNotify && ev.xproperty.atom == activeAtom_) {
                OnActiveChanged();
            } else if (ev.type == PropertyNotify && ev.xproperty.atom == clientListAtom_) {
                InputEvent e;
                e.kind = InputEvent::WindowsChanged;
                sink_(e);
            } else if (ev.type == MappingNotify || ev.type == xkbEvent_) {
                // The keys after the notice were typed with the new map: load it now.
                if (ev.type == MappingNotify) XRefreshKeyboardMapping(&ev.xmapping);
                // Xlib's own Xkb map, which decodes the typed characters, is refreshed too.
                if (ev.type == xkbEvent_)
                    XkbRefreshKeyboardMapping(reinterpret_cast<XkbMapNotifyEvent*>(&ev));
                LoadKeyboard();
                remap = true;
            }
        }
        return remap;
    }

    // A hot key's press started its passive grab, and the keyboard waits for this client.
    // The raw event has told the library of the hot key already: the grab ends at once, so
    // the keys pressed meanwhile and after (the next hot key among them) go on in order to
    // the focused window or to their own grabs, and none comes to this client to be lost.
    // A grabbed key that is no hot key now (another group's letter on the same key, the
    // player's own typing, a hot key not in force) goes on to the focused window as if
    // never grabbed.
    void OnGrabbedKey(const XKeyEvent& key) {
        if (taken_[key.keycode & 0xFF])
            XUngrabKeyboard(d_, CurrentTime);
        else
            XAllowEvents(d_, ReplayKeyboard, key.time);
        XFlush(d_);
    }

    void OnActiveChanged() {
        const std::uint32_t w = ReadActiveWindow();
        if (w == 0 || w == active_) return;
        active_ = w;
        composer_.Reset();
        InputEvent e;
        e.kind = InputEvent::Activated;
        e.window = w;
        sink_(e);
    }

    void OnRaw(int type, const XIRawEvent* raw) {
        // A master's copy of a device's event, or a device that drives no master.
        if (raw->deviceid != raw->sourceid || floating_.count(raw->deviceid)) return;
        InputEvent e;
        // Only a note of the same event excuses it: other programs inject through XTEST too.
        unsigned noted = 0;
        e.synthetic = xtest_.count(raw->sourceid) &&
                      win::ClaimSyntheticInput(KindOf(type), type == XI_RawMotion ? 0 : raw->detail,
                                               NoteWindowMs(), &noted);
        XkbStateRec state{};
        switch (type) {
            case XI_RawKeyPress:
            case XI_RawKeyRelease: {
                const KeyCode kc = static_cast<KeyCode>(raw->detail);
                const bool press = type == XI_RawKeyPress;
                e.kind = press ? InputEvent::KeyDown : InputEvent::KeyUp;
                // Playback may have typed through a spare keycode whose mapping is gone by now.
                if (e.synthetic) e.vk = static_cast<std::uint16_t>(noted);
                XkbGetState(d_, XkbUseCoreKbd, &state);
                if (!e.vk)
                    e.vk = static_cast<std::uint16_t>(VkOfKey(kc, state.group, CoreState(state.locked_mods)));
                if (press)
                    down_.insert(kc);
                else
                    down_.erase(kc);
                e.mods = Modifiers();
                e.capsLock = state.locked_mods & LockMask;
                if (press) {
                    KeySym sym = NoSymbol;
                    unsigned int consumed = 0;
                    XkbLookupKeySym(d_, kc, XkbBuildCoreState(CoreState(state.locked_mods), state.group),
                                    &consumed, &sym);
                    e.typed = e.synthetic ? 0 : composer_.Feed(sym);
                    e.window = FocusWindow();
                }
                break;
            }
            case XI_RawButtonPress:
            case XI_RawButtonRelease:
                // Wheel steps (4..7) are not clicks: one notch per press.
                if (raw->detail < 1 || raw->detail > 3) {
                    const bool notch = type == XI_RawButtonPress && raw->detail >= 4 && raw->detail <= 7;
                    e.kind = notch ? InputEvent::Wheel : InputEvent::Motion;
                    e.button = static_cast<std::uint8_t>(notch ? raw->detail : 0);
                    if (notch) Locate(e);
                    break;
                }
                e.kind = type == XI_RawButtonPress ? InputEvent::ButtonDown : InputEvent::ButtonUp;
                // X numbers the middle button 2 and the right one 3.
                e.button = raw->detail == 1 ? 1 : raw->detail == 3 ? 2 : 3;
                e.mods = Modifiers();
                XkbGetState(d_, XkbUseCoreKbd, &state);
                e.capsLock = state.locked_mods & LockMask;
                e.window = FocusWindow();
                Locate(e);
                if (e.kind == InputEvent::ButtonDown) composer_.Reset();
                break;
            case XI_RawMotion:
                e.kind = InputEvent::Motion;
                // Raw motion carries no position: ask for one now and then.
                if (Clock::now() - lastLocated_ >= std::chrono::milliseconds(kMotionQueryMs)) Locate(e);
                break;
            default: return;
        }
        e.time = static_cast<std::uint32_t>(raw->time);
        const bool taken = sink_(e);
        if (type == XI_RawKeyPress) taken_[raw->detail & 0xFF] = taken;
    }

    // The pointer now, and the frame of the active window.
    void Locate(InputEvent& e) {
        lastLocated_ = Clock::now();
        Window rootRet = 0, child = 0;
        int rx = 0, ry = 0, wx = 0, wy = 0;
        unsigned mask = 0;
        if (XQueryPointer(d_, root_, &rootRet, &child, &rx, &ry, &wx, &wy, &mask)) {
            e.hasPosition = true;
            e.x = rx;
            e.y = ry;
        }
        const Window w = FocusWindow();
        if (!w) return;
        ErrorTrap trap(d_);
        XWindowAttributes attrs{};
        int x = 0, y = 0;
        const bool ok =
            XGetWindowAttributes(d_, w, &attrs) && XTranslateCoordinates(d_, w, root_, 0, 0, &x, &y, &child);
        // The rectangle with the window manager's frame: "<WSIZE:" sets that size and
        // "<MMW:" measures from its corner when played.
        auto extents = win::x11::LongProperty(d_, w, win::x11::AtomOf(d_, "_NET_FRAME_EXTENTS"), XA_CARDINAL);
        extents.resize(4, 0);  // left, right, top, bottom
        if (trap.Finish() == 0 && ok) {
            e.hasFrame = true;
            e.frameLeft = x - static_cast<int>(extents[0]);
            e.frameTop = y - static_cast<int>(extents[2]);
            e.frameWidth = attrs.width + static_cast<int>(extents[0] + extents[1]);
            e.frameHeight = attrs.height + static_cast<int>(extents[2] + extents[3]);
        }
    }

    Display* d_;
    Window root_;
    Clock::time_point lastLocated_{};
    int xiOpcode_ = 0;
    int xkbEvent_ = -1;
    Sink sink_;
    std::set<int> xtest_;
    std::set<int> floating_;
    Clock::time_point caughtUp_{};
    std::set<KeyCode> down_;
    Atom activeAtom_ = 0;
    Atom clientListAtom_ = 0;
    std::uint32_t active_ = 0;
    unsigned numLock_ = 0, scrollLock_ = 0;
    unsigned altMask_ = Mod1Mask, superMask_ = Mod4Mask;
    std::vector<int> heldElsewhere_;
    std::vector<int> grabs_;
    static constexpr int kGroups = 4;
    // Levels 0 and 1 of each keycode in each group.
    std::array<std::array<std::array<KeySym, 2>, kGroups>, 256> keysyms_{};
    std::array<bool, 256> taken_{};                   // the last press of each keycode was a hot key
    std::array<std::uint8_t, 256> modOfKeycode_{};    // kMod* bits a keycode holds
    std::array<std::uint8_t, 256> xmaskOfKeycode_{};  // X modifier bits a keycode holds
    std::set<Grab> active_grabs_;
    DeadKeyComposer composer_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::unique_ptr<QTimer> retryGrabs_;  // runs while another program holds a hot key
    Window markWindow_ = 0;
    Atom messageAtom_ = 0;
    win::x11::X11Messages messages_;
};

}  // namespace

std::unique_ptr<InputSource> MakeX11Source() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return nullptr;
    return std::make_unique<X11Source>(d);
}

}  // namespace tessaro::hook
