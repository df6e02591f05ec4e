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
#include <set>
#include <thread>

#include "platform/cp1252.h"
#include "platform/synthetic_input.h"
#include "platform/x11/error_trap.h"
#include "platform/x11/legacy_keysyms.h"
#include "platform/x11/properties.h"
#include "platform/x11/xlib_memory.h"
#include "platform/virtual_keys.h"

namespace win::x11 {
namespace {

using Clock = std::chrono::steady_clock;

// A spare keycode left unused this long is given back, so that other programs find a
// free keycode again.
constexpr auto kKeepLent = std::chrono::seconds(30);
// A release normally wakes the wait; this bounds it when the event went elsewhere.
constexpr int kReleasePollMs = 2;
// How long a letter waits for the hand to let go of its key before a spare types it.
constexpr auto kHeldLetterWait = std::chrono::seconds(1);
constexpr auto kClickThaw = std::chrono::milliseconds(250);
// How long a reader may take to show that it read its keys: typing waits for it rather than
// lend again, but at the end each keycode goes back soon. How often a wait looks whether the
// reader's window still exists.
constexpr auto kProofWait = SpareKeys::kAnsweredCap;
constexpr auto kProofWaitAtEnd = std::chrono::milliseconds(300);
constexpr auto kGoneCheck = std::chrono::milliseconds(100);
// How long a reader that takes part in the ping has to answer it before the probe of the
// keyboard map is sent beside it.
constexpr auto kPingFirst = std::chrono::milliseconds(250);
// A reader that fetched the map and then nothing for this long has likely read what was
// queued: a probe it did not show was hidden behind other notices, and another is sent.
constexpr auto kProbeQuiet = std::chrono::milliseconds(20);

// X numbers the middle button 2 and the right one 3.
unsigned ButtonOfVk(unsigned char vk) {
    return vk == VK_LBUTTON ? 1 : vk == VK_RBUTTON ? 3 : vk == VK_MBUTTON ? 2 : 0;
}

constexpr unsigned long kModifierKeysyms[] = {XK_Shift_L, XK_Shift_R, XK_Control_L,        XK_Control_R,
                                              XK_Alt_L,   XK_Alt_R,   XK_Meta_L,           XK_Meta_R,
                                              XK_Super_L, XK_Super_R, XK_ISO_Level3_Shift, XK_Mode_switch};

struct DeviceListDeleter {
    void operator()(XDeviceInfo* devices) const {
        if (devices) XFreeDeviceList(devices);
    }
};

// The keysyms a keycode carries in every column of the core map; empty when none.
std::vector<KeySym> KeysymsOf(Display* d, KeyCode code) {
    int perCode = 0;
    const XMemory<KeySym> syms(XGetKeyboardMapping(d, code, 1, &perCode));
    if (!syms || perCode <= 0) return {};
    return {syms.get(), syms.get() + perCode};
}

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
    int xkb_opcode = 0, xkb_error = 0, xkb_major = XkbMajorVersion, xkb_minor = XkbMinorVersion;
    if (XkbQueryExtension(display_, &xkb_opcode, &xkb_event_, &xkb_error, &xkb_major, &xkb_minor))
        // A lock or group changed (by the user, by another program) changes how keys type.
        XkbSelectEventDetails(display_, XkbUseCoreKbd, XkbStateNotify, XkbAllStateComponentsMask,
                              XkbModifierLockMask | XkbGroupLockMask | XkbGroupBaseMask | XkbGroupLatchMask);
    proof_ = std::make_unique<ReadProof>(display_);
    fetches_ = std::make_unique<FetchProof>(display_);
    if (!fetches_->ok()) fetches_.reset();
    LoadKeyboardMap();
    ok_ = true;
    if (QCoreApplication::instance()) {
        // Nothing else reads this connection: unread notices would pile up in its queue.
        events_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
        QObject::connect(events_.get(), &QSocketNotifier::activated, [this] { DropEvents(); });
        free_spares_ = std::make_unique<QTimer>();
        free_spares_->setSingleShot(true);
        QObject::connect(free_spares_.get(), &QTimer::timeout, [this] { ReturnIdleSpares(); });
    }
}

XTestInput::~XTestInput() {
    if (!ok_) return;
    ReleaseAll();
    free_spares_.reset();
    playing_ = false;
    ReturnAllSpares();
    DropEvents();
    fetches_.reset();
}

void XTestInput::LoadKeyboardMap() {
    map_stale_ = false;
    state_.reset();
    // Fake events go through the XTEST keyboard; its map is the one that counts.
    if (!device_) {
        device_ = XkbUseCoreKbd;
        int ndevices = 0;
        const std::unique_ptr<XDeviceInfo, DeviceListDeleter> devices(XListInputDevices(display_, &ndevices));
        for (int i = 0; devices && i < ndevices; ++i)
            if (std::strcmp(devices.get()[i].name, "Virtual core XTEST keyboard") == 0)
                device_ = static_cast<unsigned>(devices.get()[i].id);
    }
    // Xlib's key look-ups tell this connection of every change to the map from now on.
    XKeysymToKeycode(display_, XK_Shift_L);
    XkbLayout fresh;
    if (!ReadXkbLayout(display_, *device_, fresh) && *device_ != XkbUseCoreKbd)
        ReadXkbLayout(display_, XkbUseCoreKbd, fresh);
    // A spare stays lent where the server still has its keysym; one given back or
    // re-used by someone else meanwhile is not ours to undo any more.
    std::vector<unsigned char> codes(fresh.empty.begin(), fresh.empty.end());
    for (SpareKeys::Spare& s : spares_.spares()) {
        if (!s.sym) continue;
        if (fresh.levels.Carries(s.code, s.sym)) {
            fresh.levels.SetSpare(s.code, s.sym);
            codes.push_back(s.code);
            continue;
        }
        held_.remaps.erase(s.code);
        spares_.Free(s);
    }
    if (fetches_) fetches_->SetChanged(codes);
    layout_ = std::move(fresh);
    spares_.SetCodes(codes);
    Record();
}

std::optional<KeyLevels::Place> XTestInput::Find(unsigned long keysym) const {
    return layout_.levels.Primary(keysym);
}

LevelState XTestInput::State() {
    // Notices of lock changes may be waiting.
    if (XPending(display_) > 0) DropEvents();
    if (!state_) state_ = ReadLevelState(display_).value_or(LevelState{});
    LevelState state = *state_;
    for (const auto& [vk, key] : pressed_) state.held |= layout_.levels.ModsOf(key.code);
    return state;
}

std::optional<Stroke> XTestInput::Plan(unsigned long keysym) {
    auto stroke = layout_.levels.Plan(keysym, State());
    if (stroke) NoteSpareUse(stroke->code);
    return stroke;
}

void XTestInput::BeginPlayback() {
    playing_ = true;
    if (free_spares_) free_spares_->stop();
    DropEvents();
    // Unchanged since the last playback: a hot key does not wait for the whole map again.
    if (map_stale_) LoadKeyboardMap();
    state_.reset();
    // Windows come and go between macros.
    proof_->Forget();
    silent_.clear();
    LetGoOfUserModifiers();
}

void XTestInput::LetGoOfUserModifiers() {
    state_.reset();
    char keys[32];
    XQueryKeymap(display_, keys);
    std::set<unsigned char> done;
    for (unsigned long sym : kModifierKeysyms) {
        auto p = Find(sym);
        if (!p || !done.insert(p->code).second || !(keys[p->code / 8] & (1 << (p->code % 8)))) continue;
        bool ours = false;
        for (const auto& [vk, key] : pressed_) ours = ours || key.code == p->code;
        if (ours) continue;
        // Watched before the release goes out, so that the hand's own release is told
        // from ours.
        Lent& lent = lent_[p->code];
        lent.back = false;
        lent.hand_let_go = false;
        WatchRaw();
        FakeKey(p->code, false, VkFromKeysym(sym));
    }
    Flush();
}

// What the hand still holds when playback ends is held on the server again: the next
// press of the same hot key, or another key with that modifier, meets it as the hand does.
void XTestInput::PressBackUserModifiers() {
    if (lent_.empty()) return;
    XSync(display_, False);
    DropEvents();
    char keys[32];
    XQueryKeymap(display_, keys);
    for (auto it = lent_.begin(); it != lent_.end();) {
        if (it->second.back) {
            ++it;
            continue;
        }
        const unsigned char code = it->first;
        // Down already (pressed again by the hand, or left down): nothing to give back.
        if (keys[code / 8] & (1 << (code % 8))) {
            it = lent_.erase(it);
            continue;
        }
        // The hand's key, not playback's: not in the record of keys to undo.
        NoteSyntheticInput(SyntheticKind::KeyDown, code, VkFromKeysym(layout_.levels.SymAt(code, 0, 0)));
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        it->second.back = true;
        ++it;
    }
    XFlush(display_);
    // Resolved as the presses come back; a release of the hand's that came first is
    // answered by letting go again.
    XSync(display_, False);
    DropEvents();
    WatchRaw();
}

void XTestInput::OnRawKey(bool press, unsigned char code) {
    auto it = lent_.find(code);
    if (it == lent_.end()) return;
    Lent& lent = it->second;
    if (press) {
        if (!lent.back) return;
        if (lent.hand_let_go) {
            NoteSyntheticInput(SyntheticKind::KeyUp, code, VkFromKeysym(layout_.levels.SymAt(code, 0, 0)));
            XTestFakeKeyEvent(display_, code, False, CurrentTime);
            XFlush(display_);
        }
        lent_.erase(it);
        return;
    }
    if (lent.own > 0) {
        --lent.own;
    } else if (lent.back) {
        lent.hand_let_go = true;
    } else {
        lent_.erase(it);  // the hand let go during playback: nothing to press back
    }
}

short XTestInput::KeyScan(unsigned char ch) {
    if (ch < 0x20 || ch == 0x7F) return VkKeyScanUs(ch);
    // Callers pass ASCII; higher bytes go through Alt codes.
    // Without the modifiers playback holds: the caller presses the key as it is named.
    LevelState state = State();
    state.held = 0;
    const auto stroke = layout_.levels.Plan(KeysymForChar(ch), state);
    // A virtual key with Shift at most: other levels and groups are typed by keysym.
    if (!stroke || stroke->group >= 0 || stroke->lock || stroke->unlock || (stroke->press & ~ShiftMask) ||
        spares_.Find(stroke->code))
        return -1;
    const int group = state.group % std::max(1, layout_.levels.Groups(stroke->code));
    unsigned vk = VkFromKeysym(layout_.levels.SymAt(stroke->code, group, 0));
    if (vk == 0 || vk > 0xFF) return -1;
    // The key the virtual key names must be this one, or SendKey would hit another.
    auto back = Find(VkToKeysym(vk));
    if (!back || back->code != stroke->code) return -1;
    return static_cast<short>((stroke->press & ShiftMask ? kScanShift : 0) << 8 | vk);
}

void XTestInput::TypeAltCode(std::string_view digits) {
    // X has no keypad codes: enter the character the code stands for.
    if (char32_t cp = AltCodeToChar(digits)) TypeCharacter(cp);
}

void XTestInput::Strike(const Stroke& stroke) {
    Prepare(stroke);
    FakeKey(stroke.code, true, 0);
    FakeKey(stroke.code, false, 0);
    Undo(stroke);
    Flush();
}

// Modifier keys go down in bit order and up in the reverse; the key's group and locks are
// set around them. The server applies each request in turn, so the key meets exactly
// this state whenever its reader reads it.
void XTestInput::Prepare(const Stroke& stroke) {
    if (stroke.Plain()) return;
    const LevelState state = State();
    if (stroke.group >= 0)
        held_.locks = {stroke.group, state.locked_group, stroke.lock, stroke.unlock};
    else
        held_.locks = {-1, 0, stroke.lock, stroke.unlock};
    for (unsigned bits = stroke.press; bits; bits &= bits - 1)
        held_.keys.insert(layout_.levels.KeyFor(bits & -bits));
    held_.keys.insert(stroke.code);
    Record();
    if (stroke.group >= 0) LockGroup(display_, stroke.group);
    if (stroke.lock | stroke.unlock) LockModifiers(display_, stroke.lock | stroke.unlock, stroke.lock);
    for (unsigned bits = stroke.press; bits; bits &= bits - 1) {
        const KeyCode code = layout_.levels.KeyFor(bits & -bits);
        FakeKey(code, true, VkFromKeysym(layout_.levels.SymAt(code, 0, 0)));
    }
}

void XTestInput::Undo(const Stroke& stroke) {
    if (stroke.Plain()) return;
    for (int bit = 7; bit >= 0; --bit) {
        if (!(stroke.press & (1u << bit))) continue;
        const KeyCode code = layout_.levels.KeyFor(1u << bit);
        FakeKey(code, false, VkFromKeysym(layout_.levels.SymAt(code, 0, 0)));
    }
    if (stroke.lock | stroke.unlock) LockModifiers(display_, stroke.lock | stroke.unlock, stroke.unlock);
    if (stroke.group >= 0) LockGroup(display_, held_.locks.group_before);
    held_.locks = {};
    held_dirty_ = true;
}

// Every injected event is noted right before it goes out: the hook library must not
// take playback for the user. A press is recorded before it is sent, a release only once
// it has been sent (Flush): the record never misses a key that may be down.
void XTestInput::FakeKey(KeyCode code, bool press, unsigned vk) {
    if (!press)
        if (auto it = lent_.find(code); it != lent_.end()) ++it->second.own;
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
    auto stroke = Plan(sym);
    // The layout's key may carry the character under its old keysym.
    if (!stroke)
        if (const unsigned long legacy = LegacyKeysymForChar(cp)) stroke = Plan(legacy);
    // A press of a key the hand holds down would type nothing: another keycode carries it.
    if (stroke && !HandLetGo(stroke->code, sym)) stroke.reset();
    if (stroke) {
        Strike(*stroke);
    } else if (KeyCode code = SpareFor(sym)) {
        Strike(Stroke{code});
    }
    if (!playing_) ReturnIdleSpares();
}

void XTestInput::NoteSpareUse(unsigned char code) {
    if (SpareKeys::Spare* spare = spares_.Find(code); spare && spare->sym)
        spares_.Used(*spare, proof_->Reader(), Clock::now());
}

KeyCode XTestInput::SpareFor(unsigned long keysym) {
    SpareKeys::Spare* spare = spares_.Carrying(keysym);
    if (!spare) {
        // Far enough ahead to tell the spares apart, and cheap on a long text.
        constexpr std::size_t kLookAhead = 4096;
        std::vector<SpareKeys::Sym> ahead;
        for (char c : ahead_.substr(0, kLookAhead))
            ahead.push_back(KeysymForChar(Cp1252ToUnicode(static_cast<unsigned char>(c))));
        spare = spares_.Next(ahead, Clock::now());
        if (!spare) return 0;
        if (spare->sym) AwaitRead(*spare, kProofWait);
        Remap(spare->code, keysym);
        spares_.Lend(*spare, keysym);
        layout_.levels.SetSpare(spare->code, keysym);
    }
    NoteSpareUse(spare->code);
    return spare->code;
}

// Before a lent keycode changes, the program its keys went to must have read them: a
// program translates a key with the map it holds when it takes the key out of its queue,
// however late. A window that is gone reads no more. Its client is asked both ways, by the
// window manager's ping where it takes part in it and by a probe of the keyboard map
// (fetch_proof.h), the probe soon after a ping not answered at once; whichever answer comes
// first shows the keys read. A client that has
// answered before is waited for while its window exists; one that never answered, only a
// short while after its last key.
void XTestInput::AwaitRead(SpareKeys::Spare& spare, Clock::duration most) {
    const SpareKeys::Reader reader = spare.reader;
    const auto start = Clock::now();
    if (start >= spare.read) return;
    if (reader && !proof_->Exists(reader)) return;
    const auto until = [&] { return std::min(SpareKeys::FreeAt(spare, ReadingOf(reader)), start + most); };
    const bool pings = reader && proof_->Answers(reader);
    asked_ = start;
    if (pings) proof_->Ask(reader);
    // A toolkit fetches its whole map at each notice of a change: one that answers the ping
    // at once is spared the probe.
    bool probing = reader && fetches_ && !pings && fetches_->Ask(reader);
    auto checked = start;
    for (auto now = Clock::now(); now < until(); now = Clock::now()) {
        if (pings && !probing && reader && fetches_ && now - start >= kPingFirst)
            probing = fetches_->Ask(reader);
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(until() - now);
        if (!pings && !probing) {
            std::this_thread::sleep_for(wait);
            break;
        }
        if (XPending(display_) == 0) {
            pollfd fds[2] = {{ConnectionNumber(display_), POLLIN, 0},
                             {probing ? fetches_->Connection() : -1, POLLIN, 0}};
            const auto most = probing ? kGoneCheck : kPingFirst;
            ::poll(
                fds, 2,
                static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(wait.count(), 1, most.count())));
        }
        DropEvents();
        if (probing && fetches_->Shown(std::chrono::milliseconds(0))) {
            // Its own fetch shows the reader itself read the keys: nothing else is waited for.
            spares_.Answered(reader, asked_, Clock::now());
            answering_.insert(reader);
        } else if (probing && fetches_->QuietSince(kProbeQuiet)) {
            fetches_->Ask(reader, true);
        }
        if (now - checked >= kGoneCheck) {
            checked = now;
            if (!proof_->Exists(reader)) break;
        }
    }
    if (pings) proof_->StopListening();
    // One that let a question go unanswered is not waited for long again in this macro.
    if (reader && ReadingOf(reader) != SpareKeys::Reading::kAnswers && Clock::now() < spare.read)
        silent_.insert(reader);
}

SpareKeys::Reading XTestInput::ReadingOf(SpareKeys::Reader reader) const {
    if (answering_.count(reader) || (fetches_ && fetches_->Answered(reader)))
        return SpareKeys::Reading::kAnswers;
    return silent_.count(reader) ? SpareKeys::Reading::kSilent : SpareKeys::Reading::kUnknown;
}

void XTestInput::ReturnIdleSpares() {
    if (playing_) return;
    const auto now = Clock::now();
    auto next = Clock::time_point::max();
    for (SpareKeys::Spare& s : spares_.spares()) {
        if (!s.sym) continue;
        const auto due = std::max(s.used + kKeepLent, SpareKeys::FreeAt(s, ReadingOf(s.reader)));
        if (now < due) {
            next = std::min(next, due);
            continue;
        }
        Unmap(s.code);
        layout_.levels.SetSpare(s.code, 0);
        spares_.Free(s);
    }
    if (next == Clock::time_point::max() || !free_spares_) return;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - now);
    free_spares_->start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(wait.count(), 0)));
}

void XTestInput::ReturnAllSpares() {
    for (SpareKeys::Spare& s : spares_.spares()) {
        if (!s.sym) continue;
        AwaitRead(s, kProofWaitAtEnd);
        Unmap(s.code);
        layout_.levels.SetSpare(s.code, 0);
        spares_.Free(s);
    }
}

void XTestInput::Remap(KeyCode code, unsigned long keysym) {
    auto [it, fresh] = held_.remaps.try_emplace(code);
    if (fresh) {
        // What the keycode has now is what it gets back (its keysyms in every column).
        const std::vector<KeySym> before = KeysymsOf(display_, code);
        it->second.before.assign(before.begin(), before.end());
        if (it->second.before.empty()) it->second.before.assign(2, NoSymbol);
    }
    it->second.now = keysym;
    Record();
    // Both shift levels carry the keysym, so a held Shift cannot change it (a single
    // letter keysym would be read as its lower-case and upper-case pair).
    SetMapping(code, std::vector<unsigned long>(2, keysym));
}

void XTestInput::Unmap(KeyCode code) {
    auto it = held_.remaps.find(code);
    if (it == held_.remaps.end()) return;
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
}

void XTestInput::EndPlayback() {
    playing_ = false;
    if (fetches_) fetches_->Rest();
    PressBackUserModifiers();
    ReturnIdleSpares();
}

int XTestInput::DropEvents() {
    int dropped = 0;
    while (XPending(display_) > 0) {
        XEvent e;
        XNextEvent(display_, &e);
        if (e.type == GenericEvent && e.xcookie.extension == xi_opcode_) {
            ++releases_seen_;
            if (!lent_.empty() && XGetEventData(display_, &e.xcookie)) {
                const auto* raw = static_cast<const XIRawEvent*>(e.xcookie.data);
                if (e.xcookie.evtype == XI_RawKeyPress || e.xcookie.evtype == XI_RawKeyRelease)
                    OnRawKey(e.xcookie.evtype == XI_RawKeyPress, static_cast<unsigned char>(raw->detail));
                XFreeEventData(display_, &e.xcookie);
            }
            continue;
        }
        ++dropped;
        if (const ReadProof::Window reader = proof_->Answer(e)) {
            // An input method may translate the key behind the program: a moment more.
            spares_.Answered(reader, asked_, Clock::now() + SpareKeys::kReadMargin);
            answering_.insert(reader);
        } else if (e.type == xkb_event_) {
            const auto& xkb = reinterpret_cast<const XkbAnyEvent&>(e);
            if (xkb.xkb_type == XkbStateNotify) state_.reset();
        } else if (e.type == MappingNotify) {
            // Xlib's own key look-ups follow the new mapping; ours at the next playback.
            XRefreshKeyboardMapping(&e.xmapping);
            map_stale_ = true;
        }
    }
    if (raw_selected_ && !awaiting_release_ && lent_.empty()) WatchRaw();
    return dropped;
}

// A spare keycode carries one keysym on both levels, and the server takes a letter there
// for its lower- and upper-case pair: a letter of the hand's key is rather typed on that
// key once the hand lets go of it, soon as a rule.
bool XTestInput::HandLetGo(unsigned char code, unsigned long keysym) {
    if (!HeldByHand(code)) return true;
    KeySym lower = 0, upper = 0;
    XConvertCase(keysym, &lower, &upper);
    if (lower == upper) return false;
    for (const auto until = Clock::now() + kHeldLetterWait; Clock::now() < until;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kReleasePollMs));
        if (!HeldByHand(code)) return true;
    }
    return false;
}

bool XTestInput::HeldByHand(unsigned char code) {
    if (held_.keys.count(code)) return false;
    char keys[32];
    XQueryKeymap(display_, keys);
    return keys[code / 8] & (1 << (code % 8));
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

bool XTestInput::WatchRaw() {
    if (xi_opcode_ < 0) {
        int event = 0, error = 0, major = 2, minor = 2;
        xi_opcode_ = 0;
        // 2.2: raw events arrive whoever holds a grab.
        if (XQueryExtension(display_, "XInputExtension", &xi_opcode_, &event, &error) &&
            XIQueryVersion(display_, &major, &minor) != Success)
            xi_opcode_ = 0;
    }
    if (xi_opcode_ <= 0) return false;
    const bool on = awaiting_release_ || !lent_.empty();
    if (on == raw_selected_) return true;
    raw_selected_ = on;
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
        XISetMask(mask, XI_RawKeyPress);
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
    awaiting_release_ = true;
    const bool watching = WatchRaw();
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
    awaiting_release_ = false;
    WatchRaw();
    DropEvents();
}

void XTestInput::SendKey(unsigned char vk, bool up) {
    unsigned button = ButtonOfVk(vk);
    if (button) {
        FakeButton(button, !up);
        Flush();
        return;
    }
    if (up) {
        if (auto it = pressed_.find(vk); it != pressed_.end()) {
            const Pressed key = it->second;
            pressed_.erase(it);
            FakeKey(key.code, false, vk);
            Undo(key.stroke);
            Flush();
            if (!playing_) ReturnIdleSpares();
            return;
        }
    }
    unsigned long sym = VkToKeysym(vk);
    if (sym == 0) return;  // a virtual key no X key stands for
    // The keypad's digits and point sit behind NumLock on their keys; without it those
    // keys move the caret and delete. They are typed with NumLock locked for the key,
    // whatever its state (else through a spare keycode), and NumLock stays as it was.
    Stroke stroke;
    const auto place = Find(sym);
    if (place && !(place->level != 0 && IsKeypadKey(sym)))
        stroke.code = place->code;
    else if (auto planned = Plan(sym))
        stroke = *planned;
    else
        stroke.code = SpareFor(sym);
    if (!up && stroke.code && !IsModifierKey(sym) && !HandLetGo(stroke.code, sym))
        if (const KeyCode spare = SpareFor(sym)) stroke = Stroke{spare};
    if (!stroke.code) return;
    if (up) {
        FakeKey(stroke.code, false, vk);
    } else {
        pressed_[vk] = {stroke.code, stroke};
        Prepare(stroke);
        FakeKey(stroke.code, true, vk);
    }
    Flush();
    if (!playing_) ReturnIdleSpares();
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
    const int status = XGetWindowProperty(display_, root, net_active, 0, 1, False, XA_WINDOW, &type, &format,
                                          &items, &after, &data);
    const XMemory<unsigned char> owned(data);
    if (status == Success && data && items == 1 && format == 32) active = *reinterpret_cast<Window*>(data);
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
    // The window's rectangle is its frame's: the manager's border and title bar around it.
    auto extents = LongProperty(display_, active, AtomOf(display_, "_NET_FRAME_EXTENTS"), XA_CARDINAL);
    extents.resize(4, 0);  // left, right, top, bottom
    const int left = static_cast<int>(extents[0]), right = static_cast<int>(extents[1]);
    const int top = static_cast<int>(extents[2]), bottom = static_cast<int>(extents[3]);
    return Rect{x - left, y - top, x + attrs.width + right, y + attrs.height + bottom};
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
        // Locks changed for a key are set back where they still stand as playback set them.
        if (!held.locks.empty()) {
            XkbStateRec state{};
            if (XkbGetState(d, XkbUseCoreKbd, &state) == Success) {
                const unsigned on = held.locks.on & state.locked_mods;
                const unsigned off = held.locks.off & ~state.locked_mods;
                if (on | off) XkbLockModifiers(d, XkbUseCoreKbd, on | off, off);
                if (held.locks.group >= 0 && state.locked_group == held.locks.group)
                    XkbLockGroup(d, XkbUseCoreKbd, static_cast<unsigned>(held.locks.group_before));
            }
        }
        for (const auto& [code, remap] : held.remaps) {
            // A keycode someone else has changed since is theirs now.
            const std::vector<KeySym> now = KeysymsOf(d, static_cast<KeyCode>(code));
            if (now.empty() || now[0] != remap.now) continue;
            std::vector<KeySym> row(remap.before.begin(), remap.before.end());
            XChangeKeyboardMapping(d, static_cast<int>(code), static_cast<int>(row.size()), row.data(), 1);
        }
        XSync(d, False);
    }
    XCloseDisplay(d);
    return true;
}

}  // namespace win::x11
