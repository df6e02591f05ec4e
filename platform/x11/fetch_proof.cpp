#include "platform/x11/fetch_proof.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/record.h>

#include <poll.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/x11/error_trap.h"
#include "platform/x11/xlib_memory.h"

namespace win::x11 {
namespace {

// A program that fetched something since the last probe and then nothing for this long has
// likely read what was queued: a probe it did not show is sent again.
constexpr std::chrono::milliseconds kQuiet(5);
// Probes a client may still hold unread before the oldest is taken as read.
constexpr std::size_t kMaxUnread = 64;

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
    int major = 0, minor = 0, event = 0, error = 0;
    if (!XRecordQueryVersion(display, &major, &minor)) return;
    if (!XQueryExtension(display, "XKEYBOARD", &xkb_major_, &event, &error)) return;
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
    // A probe on a keycode that changes from now on could not be told from the change.
    for (auto& [window, unread] : unread_)
        unread.erase(
            std::remove_if(unread.begin(), unread.end(), [&](int code) { return changed_.test(code); }),
            unread.end());
}

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
    fetches_.clear();
}

void FetchProof::Took(int first, int last) {
    fetches_.push_back({first, last});
    last_fetch_ = Clock::now();
}

void FetchProof::Collect(std::chrono::milliseconds wait) {
    const auto until = Clock::now() + wait;
    for (;;) {
        XRecordProcessReplies(data_);
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
        if (!fetches_.empty() || left.count() <= 0) return;
        pollfd fd{ConnectionNumber(data_), POLLIN, 0};
        ::poll(&fd, 1, static_cast<int>(left.count()));
    }
}

bool FetchProof::Unchanged(int code) const {
    return code > min_code_ && code < max_code_ && !changed_.test(code);
}

int FetchProof::NextProbe(const std::vector<int>& avoid) {
    const int span = max_code_ - min_code_ + 1;
    for (int tries = 0; tries < span; ++tries) {
        const int code = min_code_ + (next_++ % span);
        if (Unchanged(code) && std::find(avoid.begin(), avoid.end(), code) == avoid.end()) return code;
    }
    return 0;
}

void FetchProof::SendProbe(unsigned long window, int code) {
    XEvent e{};
    e.xmapping.type = MappingNotify;
    e.xmapping.window = window;
    e.xmapping.request = MappingKeyboard;
    e.xmapping.first_keycode = code;
    e.xmapping.count = 1;
    // No event mask: it goes to the client that made the window, and to no other.
    XSendEvent(ctrl_, window, False, NoEventMask, &e);
}

bool FetchProof::Prove(unsigned long window, Limits limits, const std::function<void()>& nudge) {
    if (!data_ || !window || silent_.count(window) || !Watch(window)) return false;
    const auto start = Clock::now();
    const bool known = known_.count(window) > 0;
    // A client that fetches reads its notices, only late; one that has never shown it and
    // stays silent may never.
    const auto until = [&] {
        return known ? start + limits.known
                     : std::min(start + limits.known, std::max(start, last_fetch_) + limits.fresh);
    };
    std::vector<int>& unread = unread_[window];  // in the order they were sent
    std::set<int> sent;
    int fetched = 0;  // since the last probe
    const auto probe = [&] {
        const int code = NextProbe(unread);
        if (!code) return false;
        {
            // The probe and the change go out together, so that the program mostly reads
            // them in one go.
            ErrorTrap trap(ctrl_);
            SendProbe(window, code);
            nudge();
            if (trap.Finish() != 0) return false;  // the window is gone
        }
        sent.insert(code);
        unread.push_back(code);
        // One so old is long read, or its program never reads again.
        if (unread.size() > kMaxUnread) unread.erase(unread.begin());
        fetched = 0;
        return true;
    };
    // Which probes the fetches show read; true when one of this question's is.
    const auto take = [&] {
        bool shown = false;
        for (const Fetch& f : fetches_) {
            ++fetched;
            auto it = std::find(unread.begin(), unread.end(), f.first);
            if (it == unread.end()) it = std::find(unread.begin(), unread.end(), f.last);
            if (it == unread.end()) continue;
            // That probe was read, and every one sent before it.
            shown = shown || sent.count(*it);
            unread.erase(unread.begin(), it + 1);
        }
        fetches_.clear();
        return shown;
    };
    // What came before belongs to earlier questions.
    Collect(std::chrono::milliseconds(0));
    take();
    bool shown = false;
    for (bool asking = probe(); asking && !shown;) {
        const auto now = Clock::now();
        if (now >= until()) break;
        if (fetched > 0 && now - last_fetch_ >= kQuiet) asking = probe();
        Collect(std::min(std::chrono::ceil<std::chrono::milliseconds>(until() - now), kQuiet));
        shown = take();
    }
    if (shown)
        known_.insert(window);
    else
        silent_.insert(window);
    return shown;
}

}  // namespace win::x11
