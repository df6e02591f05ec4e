#include "tests/support/x_windows.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace tessaro::testing {
namespace {

Window Find(Display* d, const std::function<bool(const std::string&)>& matches, Window parent, int depth) {
    Window root = 0, up = 0;
    Window* children = nullptr;
    unsigned n = 0;
    if (depth > 3 || !XQueryTree(d, parent, &root, &up, &children, &n)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < n && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(d, children[i], &name) && name) {
            if (matches(name)) found = children[i];
            XFree(name);
        }
        if (!found) found = Find(d, matches, children[i], depth + 1);
    }
    if (children) XFree(children);
    return found;
}

// The 32-bit items of a window property, empty when it is not there.
std::vector<long> Property(Display* d, Window w, const char* name, Atom type) {
    Atom got = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<long> out;
    if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 4096, False, type, &got, &format, &count,
                           &after, &data) == Success &&
        data && format == 32)
        out.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
    if (data) XFree(data);
    return out;
}

// Errors of the connection that pings are its own to look at; others go on as before.
class PingErrors {
public:
    explicit PingErrors(Display* own) {
        own_ = own;
        failed_ = false;
        previous_ = XSetErrorHandler(&PingErrors::Handle);
    }
    ~PingErrors() { XSetErrorHandler(previous_); }
    PingErrors(const PingErrors&) = delete;
    PingErrors& operator=(const PingErrors&) = delete;
    // Whether a request since the last look failed (the window was gone).
    bool Failed() {
        XSync(own_, False);
        return std::exchange(failed_, false);
    }

private:
    static int Handle(Display* d, XErrorEvent* e) {
        if (d == own_) {
            failed_ = true;
            return 0;
        }
        return previous_ ? previous_(d, e) : 0;
    }
    static inline Display* own_ = nullptr;
    static inline bool failed_ = false;
    static inline XErrorHandler previous_ = nullptr;
};

// Sends one ping to `w` through `d` (which watches the root for answers) and waits for its
// answer. False when `w` is gone or did not answer by `deadline`.
bool Pinged(Display* d, PingErrors& errors, Window w, long token,
            std::chrono::steady_clock::time_point deadline) {
    const Atom protocols = XInternAtom(d, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(d, "_NET_WM_PING", False);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = protocols;
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(ping);
    e.xclient.data.l[1] = token;
    e.xclient.data.l[2] = static_cast<long>(w);
    XSendEvent(d, w, False, NoEventMask, &e);
    if (errors.Failed()) return false;
    for (;;) {
        while (XPending(d)) {
            XEvent answer;
            XNextEvent(d, &answer);
            if (answer.type == ClientMessage && answer.xclient.message_type == protocols &&
                answer.xclient.data.l[0] == static_cast<long>(ping) && answer.xclient.data.l[1] == token)
                return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{ConnectionNumber(d), POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(left.count()));
    }
}

// A connection of its own that watches the root, where the answers to pings go: as the
// protocol has it, and as this toolkit sends them (for the root's own structure).
struct PingWatch {
    explicit PingWatch(Display* d) : display(XOpenDisplay(DisplayString(d)), XCloseDisplay) {
        if (display)
            XSelectInput(display.get(), DefaultRootWindow(display.get()),
                         SubstructureNotifyMask | StructureNotifyMask);
    }
    std::unique_ptr<Display, int (*)(Display*)> display;
};

bool CaughtUp(Display* w, Window window, std::chrono::steady_clock::time_point deadline) {
    // Told apart from the window manager's own pings, and from each other; 32 bits travel.
    const long token =
        static_cast<long>(std::chrono::steady_clock::now().time_since_epoch().count() & 0x3fffffff);
    PingErrors errors(w);
    return Pinged(w, errors, window, token, deadline) && Pinged(w, errors, window, token + 1, deadline);
}

}  // namespace

Window FindWindowNamed(Display* d, const std::function<bool(const std::string&)>& matches, Window parent) {
    return Find(d, matches, parent ? parent : DefaultRootWindow(d), 0);
}

std::vector<std::string> WindowStates(Display* d, Window w) {
    std::vector<std::string> out;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_STATE", False), 0, 32, False, XA_ATOM, &type,
                           &format, &count, &after, &data) == Success &&
        data) {
        for (unsigned long i = 0; i < count; ++i) {
            char* name = XGetAtomName(d, reinterpret_cast<Atom*>(data)[i]);
            out.emplace_back(name);
            XFree(name);
        }
        XFree(data);
    }
    return out;
}

long FocusedProcess(Display* d) {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    for (Window w = focus; w > PointerRoot;) {
        if (const std::vector<long> pid = Property(d, w, "_NET_WM_PID", XA_CARDINAL); !pid.empty())
            return pid[0];
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned n = 0;
        if (!XQueryTree(d, w, &root, &parent, &children, &n)) return 0;
        if (children) XFree(children);
        if (parent == root) return 0;
        w = parent;
    }
    return 0;
}

bool WindowOwnerCaughtUp(Display* d, Window w, std::chrono::milliseconds limit) {
    const PingWatch watch(d);
    return watch.display && CaughtUp(watch.display.get(), w, std::chrono::steady_clock::now() + limit);
}

bool ProcessCaughtUp(Display* d, long pid, std::chrono::milliseconds limit) {
    if (pid == 0) return true;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const PingWatch watch(d);
    if (!watch.display) return false;
    Display* w = watch.display.get();
    const Atom ping = XInternAtom(w, "_NET_WM_PING", False);
    bool any = false;
    for (const long client : Property(w, DefaultRootWindow(w), "_NET_CLIENT_LIST", XA_WINDOW)) {
        const std::vector<long> owner = Property(w, client, "_NET_WM_PID", XA_CARDINAL);
        const std::vector<long> protocols = Property(w, client, "WM_PROTOCOLS", XA_ATOM);
        if (owner.empty() || owner[0] != pid ||
            std::find(protocols.begin(), protocols.end(), static_cast<long>(ping)) == protocols.end())
            continue;
        any = true;
        // A window the key closed is gone: another of the program's answers for it.
        if (CaughtUp(w, static_cast<Window>(client), deadline)) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
    }
    return !any;
}

}  // namespace tessaro::testing
