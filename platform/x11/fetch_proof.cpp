#include "platform/x11/fetch_proof.h"

#include <poll.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <X11/XKBlib.h>
// For the encoder of an event: it defines min and max as macros.
#include <X11/Xlibint.h>
#undef min
#undef max
#include <X11/extensions/XKBproto.h>
#include <X11/extensions/record.h>

#include "platform/x11/error_trap.h"
#include "platform/x11/xlib_memory.h"

namespace win::x11 {
namespace {

using Clock = std::chrono::steady_clock;

// Probes a client may still hold unread before the oldest is taken as read.
constexpr std::size_t kMaxUnread = 64;

// Xlib has no encoder for the keyboard extension's events: the wire event travels in the
// XEvent's own bytes.
Status CopyWireEvent(Display*, XEvent* event, xEvent* wire) {
    std::memcpy(wire, &event->xany, sizeof(xEvent));
    return 1;
}

}  // namespace

// RECORD's callback, on the connection the recorded data comes through.
class FetchRecorder {
public:
    static void Intercept(XPointer closure, XRecordInterceptData* d) {
        auto* self = reinterpret_cast<FetchProof*>(closure);
        if (d->category == XRecordFromClient && d->data && d->data_len * 4 >= 14) {
            const unsigned char* req = d->data;
            std::uint16_t full = 0, partial = 0;
            std::memcpy(&full, req + 6, 2);
            std::memcpy(&partial, req + 8, 2);
            if (d->client_swapped) {
                full = static_cast<std::uint16_t>(full << 8 | full >> 8);
                partial = static_cast<std::uint16_t>(partial << 8 | partial >> 8);
            }
            // A fetch of keysyms of some keycodes: the first and their count.
            if (req[0] == self->xkb_major_ && req[1] == X_kbGetMap && !(full & XkbKeySymsMask) &&
                (partial & XkbKeySymsMask) && req[13] > 0)
                self->Took(req[12], req[12] + req[13] - 1);
        }
        XRecordFreeData(d);
    }
};

FetchProof::FetchProof(Display* display) : ctrl_(display) {
    int major = 0, minor = 0, error = 0;
    if (!XRecordQueryVersion(display, &major, &minor)) return;
    if (!XQueryExtension(display, "XKEYBOARD", &xkb_major_, &xkb_event_, &error)) return;
    XDisplayKeycodes(display, &min_code_, &max_code_);
    data_ = XOpenDisplay(DisplayString(display));
}

FetchProof::~FetchProof() {
    Stop();
    if (data_) XCloseDisplay(data_);
}

void FetchProof::SetChanged(const std::vector<unsigned char>& codes) {
    changed_.reset();
    for (unsigned char code : codes) changed_.set(code);
    // A probe beside a keycode that changes from now on could not be told from the change.
    for (auto& [window, unread] : unread_)
        unread.erase(std::remove_if(unread.begin(), unread.end(),
                                    [&](int code) { return changed_.test(code) || changed_.test(code + 1); }),
                     unread.end());
}

int FetchProof::Connection() const { return data_ ? ConnectionNumber(data_) : -1; }

bool FetchProof::Watch(unsigned long window) {
    if (window == client_ && context_) return true;
    Stop();
    const XMemory<XRecordRange> range(XRecordAllocRange());
    if (!range) return false;
    range->ext_requests.ext_major.first = range->ext_requests.ext_major.last =
        static_cast<unsigned char>(xkb_major_);
    range->ext_requests.ext_minor.first = range->ext_requests.ext_minor.last = X_kbGetMap;
    XRecordClientSpec watched = window;
    XRecordRange* ranges = range.get();
    {
        ErrorTrap trap(ctrl_);
        context_ = XRecordCreateContext(ctrl_, 0, &watched, 1, &ranges, 1);
        XSync(ctrl_, False);
        if (trap.Finish() != 0) context_ = 0;
    }
    if (!context_) return false;
    if (!XRecordEnableContextAsync(data_, context_, &FetchRecorder::Intercept,
                                   reinterpret_cast<XPointer>(this))) {
        XRecordFreeContext(ctrl_, context_);
        context_ = 0;
        return false;
    }
    client_ = window;
    return true;
}

void FetchProof::Stop() {
    if (!context_) return;
    XRecordDisableContext(ctrl_, context_);
    XSync(ctrl_, False);
    XRecordProcessReplies(data_);
    XRecordFreeContext(ctrl_, context_);
    XSync(ctrl_, False);
    context_ = 0;
    client_ = 0;
}

// A fetch at a probe's own keycode shows that probe read, and every one sent before it.
void FetchProof::Took(int first, int last) {
    ++fetched_;
    last_fetch_ = Clock::now();
    std::vector<int>& unread = unread_[client_];
    auto it = std::find(unread.begin(), unread.end(), first);
    if (it == unread.end()) it = std::find(unread.begin(), unread.end(), last);
    if (it == unread.end()) return;
    answered_.insert(client_);
    shown_ = shown_ || std::any_of(unread.begin(), it + 1, [&](int code) { return asked_.count(code) > 0; });
    unread.erase(unread.begin(), it + 1);
}

// Neither the probe's keycode nor the one after it changes, touches another unread probe,
// or is an end of the map.
int FetchProof::NextProbe(const std::vector<int>& avoid) {
    const int span = max_code_ - min_code_ + 1;
    const auto free = [&](int code) {
        return code > min_code_ && code < max_code_ && !changed_.test(code) &&
               std::none_of(avoid.begin(), avoid.end(), [&](int a) { return std::abs(a - code) <= 1; });
    };
    for (int tries = 0; tries < span; ++tries) {
        const int code = min_code_ + (next_++ % span);
        if (free(code) && free(code + 1)) return code;
    }
    return 0;
}

bool FetchProof::QuietSince(std::chrono::milliseconds quiet) const {
    return fetched_ > 0 && Clock::now() - last_fetch_ >= quiet;
}

bool FetchProof::Ask(unsigned long window, bool again) {
    if (!data_ || !window || !Watch(window)) return false;
    // What came before belongs to earlier questions.
    XRecordProcessReplies(data_);
    if (!again) {
        asked_.clear();
        shown_ = false;
    }
    fetched_ = 0;
    std::vector<int>& unread = unread_[window];
    const int code = NextProbe(unread);
    if (!code) return false;
    XEvent core{};
    core.xmapping.type = MappingNotify;
    core.xmapping.window = window;
    core.xmapping.request = MappingKeyboard;
    core.xmapping.first_keycode = code;
    core.xmapping.count = 1;
    XEvent xkb{};
    static_assert(sizeof(xkbMapNotify) <= sizeof(XEvent));
    auto& map = reinterpret_cast<xkbMapNotify&>(xkb);
    map.type = static_cast<BYTE>(xkb_event_);
    map.xkbType = XkbMapNotify;
    map.deviceID = XkbUseCoreKbd & 0xFF;
    map.changed = XkbKeySymsMask;
    map.minKeyCode = static_cast<KeyCode>(min_code_);
    map.maxKeyCode = static_cast<KeyCode>(max_code_);
    map.firstKeySym = static_cast<KeyCode>(code + 1);
    map.nKeySyms = 1;
    {
        ErrorTrap trap(ctrl_);
        // No event mask: each goes to the client that made the window, and to no other.
        XSendEvent(ctrl_, window, False, NoEventMask, &core);
        auto* before = XESetEventToWire(ctrl_, xkb_event_, CopyWireEvent);
        XSendEvent(ctrl_, window, False, NoEventMask, &xkb);
        XESetEventToWire(ctrl_, xkb_event_, before);
        XFlush(ctrl_);
        if (trap.Finish() != 0) return false;  // the window is gone
    }
    asked_.insert(code);
    unread.push_back(code);
    // One so old is long read, or its program never reads again.
    if (unread.size() > kMaxUnread) unread.erase(unread.begin());
    return true;
}

bool FetchProof::Shown(std::chrono::milliseconds wait) {
    if (!context_) return false;
    const auto until = Clock::now() + wait;
    for (;;) {
        XRecordProcessReplies(data_);
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
        if (shown_ || left.count() <= 0) return shown_;
        pollfd fd{ConnectionNumber(data_), POLLIN, 0};
        ::poll(&fd, 1, static_cast<int>(left.count()));
    }
}

}  // namespace win::x11
