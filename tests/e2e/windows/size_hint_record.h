#pragma once
// What this program asks the X server about one of its windows, as the server takes it in:
// each size-hint write (WM_NORMAL_HINTS), each size change, and where it holds the server for
// itself, in order, seen through the RECORD extension on connections of its own. A window
// manager reads the hints when it gets to them, so hints that let a window be resized for a
// moment may be what it sees, unless no other client is served meanwhile.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/Xutil.h>
#include <X11/extensions/record.h>

#include <poll.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tessaro::testing {

class SizeHintRecord {
public:
    // One request: a hint write of the window (its least and largest size), a change of its
    // size, or the server held for the program alone or let go.
    struct Request {
        enum Kind { Hints, Size, Hold, LetGo } kind = Hints;
        int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;  // hints; 0: not given
        int width = 0, height = 0;                                     // a size change
        bool OneSize() const { return minWidth == maxWidth && minHeight == maxHeight && minWidth > 0; }
    };

    // Records the requests of the client that made `window`, from now until Stop.
    SizeHintRecord(const std::string& display, unsigned long window) : window_(window) {
        ctrl_ = XOpenDisplay(display.c_str());
        data_ = XOpenDisplay(display.c_str());
        int major = 0, minor = 0;
        if (!ctrl_ || !data_ || !XRecordQueryVersion(ctrl_, &major, &minor)) return;
        XRecordRange* ofWindow = XRecordAllocRange();
        XRecordRange* ofServer = XRecordAllocRange();
        if (ofWindow && ofServer) {
            ofWindow->core_requests.first = X_ConfigureWindow;
            ofWindow->core_requests.last = X_ChangeProperty;
            ofServer->core_requests.first = X_GrabServer;
            ofServer->core_requests.last = X_UngrabServer;
            XRecordRange* ranges[] = {ofWindow, ofServer};
            XRecordClientSpec client = window_;
            context_ = XRecordCreateContext(ctrl_, 0, &client, 1, ranges, 2);
        }
        if (ofWindow) XFree(ofWindow);
        if (ofServer) XFree(ofServer);
        XSync(ctrl_, False);
        if (!context_ || !XRecordEnableContextAsync(data_, context_, &SizeHintRecord::Intercepted,
                                                    reinterpret_cast<XPointer>(this)))
            return;
        for (int i = 0; i < 100 && !started_; ++i) Await();
    }
    ~SizeHintRecord() {
        Stop();
        if (data_) XCloseDisplay(data_);
        if (ctrl_) XCloseDisplay(ctrl_);
    }
    SizeHintRecord(const SizeHintRecord&) = delete;
    SizeHintRecord& operator=(const SizeHintRecord&) = delete;

    bool ok() const { return started_; }

    // Ends the recording once the server has handed on what it took in so far.
    const std::vector<Request>& Stop() {
        if (context_) {
            XRecordDisableContext(ctrl_, context_);
            XSync(ctrl_, False);
            for (int i = 0; i < 100 && started_ && !ended_; ++i) Await();
            XRecordFreeContext(ctrl_, context_);
            XSync(ctrl_, False);
            context_ = 0;
        }
        return requests_;
    }

private:
    // What the server has sent on the recording's connection, after waiting a little for it.
    void Await() {
        pollfd fd{ConnectionNumber(data_), POLLIN, 0};
        ::poll(&fd, 1, 50);
        XRecordProcessReplies(data_);
    }

    static std::uint32_t Card32(const unsigned char* at) {
        std::uint32_t v = 0;
        std::memcpy(&v, at, 4);
        return v;
    }
    static std::uint16_t Card16(const unsigned char* at) {
        std::uint16_t v = 0;
        std::memcpy(&v, at, 2);
        return v;
    }

    static void Intercepted(XPointer closure, XRecordInterceptData* d) {
        auto* self = reinterpret_cast<SizeHintRecord*>(closure);
        if (d->category == XRecordStartOfData) self->started_ = true;
        if (d->category == XRecordEndOfData) self->ended_ = true;
        if (d->category == XRecordFromClient && d->data) self->Take(d->data, d->data_len * 4);
        XRecordFreeData(d);
    }

    void Take(const unsigned char* req, std::size_t size) {
        if (req[0] == X_GrabServer || req[0] == X_UngrabServer) {
            Request r;
            r.kind = req[0] == X_GrabServer ? Request::Hold : Request::LetGo;
            requests_.push_back(r);
            return;
        }
        if (size < 12 || Card32(req + 4) != window_) return;
        if (req[0] == X_ChangeProperty && size >= 24 + 9 * 4 && Card32(req + 8) == XA_WM_NORMAL_HINTS) {
            const unsigned char* hints = req + 24;  // flags, x, y, width, height, min, max, ...
            const std::uint32_t flags = Card32(hints);
            Request r;
            if (flags & PMinSize) {
                r.minWidth = int(Card32(hints + 20));
                r.minHeight = int(Card32(hints + 24));
            }
            if (flags & PMaxSize) {
                r.maxWidth = int(Card32(hints + 28));
                r.maxHeight = int(Card32(hints + 32));
            }
            requests_.push_back(r);
        } else if (req[0] == X_ConfigureWindow) {
            // The values follow the mask in the order of its bits: x, y, width, height, ...
            const std::uint16_t mask = Card16(req + 8);
            const unsigned char* value = req + 12;
            Request r;
            r.kind = Request::Size;
            for (std::uint16_t bit = 1; bit <= CWHeight; bit <<= 1) {
                if (!(mask & bit)) continue;
                if (value + 4 > req + size) return;
                if (bit == CWWidth) r.width = int(Card32(value));
                if (bit == CWHeight) r.height = int(Card32(value));
                value += 4;
            }
            if (r.width || r.height) requests_.push_back(r);
        }
    }

    unsigned long window_;
    Display* ctrl_ = nullptr;
    Display* data_ = nullptr;
    XRecordContext context_ = 0;
    bool started_ = false;
    bool ended_ = false;
    std::vector<Request> requests_;
};

}  // namespace tessaro::testing
