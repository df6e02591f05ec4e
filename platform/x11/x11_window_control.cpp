#include "platform/x11/x11_window_control.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/x11/error_trap.h"
#include "platform/x11/properties.h"
#include "platform/x11/screen.h"

namespace win::x11 {

namespace {

constexpr long kSourcePager = 2;  // requests from a pager are obeyed by window managers
constexpr long kStateRemove = 0, kStateAdd = 1;

std::string HostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

}  // namespace

bool X11WindowControl::Exists(HWND window) {
    if (!window) return false;
    ErrorTrap trap(display_);
    XWindowAttributes attrs;
    return XGetWindowAttributes(display_, window, &attrs) != 0 && trap.Finish() == 0;
}

void X11WindowControl::Close(HWND window) {
    if (!Exists(window)) return;
    ErrorTrap trap(display_);
    if (HasWindowManager(display_)) {
        SendToRoot(display_, window, "_NET_CLOSE_WINDOW", CurrentTime, kSourcePager);
    } else {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = window;
        e.xclient.message_type = AtomOf(display_, "WM_PROTOCOLS");
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(AtomOf(display_, "WM_DELETE_WINDOW"));
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, window, False, NoEventMask, &e);
    }
    XFlush(display_);
}

void X11WindowControl::EndProgram(HWND window) {
    if (!Exists(window)) return;
    int pid = 0;
    std::string machine;
    {
        ErrorTrap trap(display_);
        pid = desktop_.WindowProcessId(window);
        machine = TextProperty(display_, window, XA_WM_CLIENT_MACHINE);
    }
    // A process id means something only on the machine the program runs on.
    if (pid > 1 && !machine.empty() && machine == HostName()) {
        ::kill(pid, SIGTERM);
        return;
    }
    Close(window);
}

std::optional<Bounds> X11WindowControl::HiddenFrame(HWND window) const {
    for (const Hidden& h : hidden_)
        if (h.window == window) return h.frame;
    return std::nullopt;
}

void X11WindowControl::Forget(HWND window) {
    std::erase_if(hidden_, [window](const Hidden& h) { return h.window == window; });
}

void X11WindowControl::Hide(HWND window) {
    if (!Exists(window)) return;
    // A window hidden twice keeps the place it had when it was last on the desktop.
    bool viewable = false;
    {
        ErrorTrap trap(display_);
        XWindowAttributes attrs{};
        viewable = XGetWindowAttributes(display_, window, &attrs) && attrs.map_state == IsViewable;
    }
    std::optional<Bounds> frame = viewable ? FrameRect(window) : HiddenFrame(window);
    ErrorTrap trap(display_);
    XWithdrawWindow(display_, window, DefaultScreen(display_));
    XFlush(display_);
    Forget(window);
    hidden_.insert(hidden_.begin(), Hidden{window, frame});
}

void X11WindowControl::Show(HWND window) {
    if (!Exists(window)) return;
    const std::optional<Bounds> frame = HiddenFrame(window);
    {
        ErrorTrap trap(display_);
        XMapRaised(display_, window);
        XFlush(display_);
    }
    Forget(window);
    // The window manager takes the window on again before it shows: commands that follow
    // at once (moving, arranging) must find it managed.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    bool viewable = false;
    while (!viewable && std::chrono::steady_clock::now() < end) {
        ErrorTrap trap(display_);
        XWindowAttributes attrs;
        if (!XGetWindowAttributes(display_, window, &attrs)) return;
        viewable = attrs.map_state == IsViewable;
        if (!viewable) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    // The manager places a window it takes on anew as it likes: back where it was hidden.
    if (viewable && frame && FrameRect(window) != frame) SetFrameRect(window, *frame);
}

std::vector<HWND> X11WindowControl::HiddenWindows() {
    std::erase_if(hidden_, [&](const Hidden& h) { return !Exists(h.window); });
    std::vector<HWND> out;
    for (const Hidden& h : hidden_) out.push_back(h.window);
    return out;
}

std::optional<Bounds> X11WindowControl::FrameRect(HWND window) {
    if (!Exists(window)) return std::nullopt;
    ErrorTrap trap(display_);
    Window root = 0, child = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(display_, window, &root, &x, &y, &width, &height, &border, &depth)) return std::nullopt;
    if (!XTranslateCoordinates(display_, window, root, 0, 0, &x, &y, &child)) return std::nullopt;
    auto extents = LongProperty(display_, window, AtomOf(display_, "_NET_FRAME_EXTENTS"), XA_CARDINAL);
    extents.resize(4, 0);  // left, right, top, bottom
    const int left = static_cast<int>(extents[0]), right = static_cast<int>(extents[1]);
    const int top = static_cast<int>(extents[2]), bottom = static_cast<int>(extents[3]);
    if (trap.Finish() != 0) return std::nullopt;
    return Bounds{x - left, y - top, static_cast<int>(width) + left + right,
                  static_cast<int>(height) + top + bottom};
}

void X11WindowControl::SetFrameRect(HWND window, const Bounds& frame) {
    if (!Exists(window)) return;
    ErrorTrap trap(display_);
    auto extents = LongProperty(display_, window, AtomOf(display_, "_NET_FRAME_EXTENTS"), XA_CARDINAL);
    extents.resize(4, 0);
    const int width = std::max(1, frame.width - static_cast<int>(extents[0] + extents[1]));
    const int height = std::max(1, frame.height - static_cast<int>(extents[2] + extents[3]));
    if (HasWindowManager(display_)) {
        // North-west gravity: x and y place the frame's outer corner; the size is the
        // client's. Flags: x, y, width and height given; the request comes from a pager.
        const long flags = NorthWestGravity | (0xFL << 8) | (kSourcePager << 12);
        SendToRoot(display_, window, "_NET_MOVERESIZE_WINDOW", flags, frame.x, frame.y, width, height);
    } else {
        XMoveResizeWindow(display_, window, frame.x, frame.y, static_cast<unsigned>(width),
                          static_cast<unsigned>(height));
    }
    XFlush(display_);
    trap.Finish();
    // The window manager applies the request later: a command that follows at once (a size
    // after a move) must read the new frame, not the old one it would put back.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (std::chrono::steady_clock::now() < end) {
        const auto now = FrameRect(window);
        if (!now || *now == frame) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void X11WindowControl::Minimise(HWND window) {
    if (!Exists(window)) return;
    ErrorTrap trap(display_);
    XIconifyWindow(display_, window, DefaultScreen(display_));
    XFlush(display_);
}

void X11WindowControl::SetMaximised(HWND window, bool on) {
    ErrorTrap trap(display_);
    SendToRoot(display_, window, "_NET_WM_STATE", on ? kStateAdd : kStateRemove,
               static_cast<long>(AtomOf(display_, "_NET_WM_STATE_MAXIMIZED_VERT")),
               static_cast<long>(AtomOf(display_, "_NET_WM_STATE_MAXIMIZED_HORZ")), kSourcePager);
    XFlush(display_);
}

void X11WindowControl::Maximise(HWND window) {
    if (Exists(window)) SetMaximised(window, true);
}

bool X11WindowControl::IsMaximised(HWND window) {
    if (!Exists(window)) return false;
    ErrorTrap trap(display_);
    const auto states = LongProperty(display_, window, AtomOf(display_, "_NET_WM_STATE"), XA_ATOM);
    auto has = [&](const char* name) {
        return std::find(states.begin(), states.end(), AtomOf(display_, name)) != states.end();
    };
    return has("_NET_WM_STATE_MAXIMIZED_VERT") && has("_NET_WM_STATE_MAXIMIZED_HORZ");
}

void X11WindowControl::Restore(HWND window) {
    if (!Exists(window)) return;
    if (desktop_.IsIconic(window))
        desktop_.RestoreWindow(window);
    else if (IsMaximised(window))
        SetMaximised(window, false);
}

std::vector<HWND> X11WindowControl::NormalWindows() {
    std::vector<HWND> out;
    const Atom typeAtom = AtomOf(display_, "_NET_WM_WINDOW_TYPE");
    const Atom normal = AtomOf(display_, "_NET_WM_WINDOW_TYPE_NORMAL");
    for (HWND w : desktop_.TopLevelWindows()) {
        if (desktop_.IsIconic(w)) continue;
        ErrorTrap trap(display_);
        const auto types = LongProperty(display_, w, typeAtom, XA_ATOM);
        if (types.empty() || types[0] == normal) out.push_back(w);
    }
    return out;
}

ScreenSize X11WindowControl::Screen() { return ScreenSizeOf(display_); }

Bounds X11WindowControl::WorkArea() {
    ErrorTrap trap(display_);
    const Window root = DefaultRootWindow(display_);
    const auto area = LongProperty(display_, root, AtomOf(display_, "_NET_WORKAREA"), XA_CARDINAL);
    const auto current = LongProperty(display_, root, AtomOf(display_, "_NET_CURRENT_DESKTOP"), XA_CARDINAL);
    const std::size_t i = 4 * (current.empty() ? 0 : current[0]);
    if (area.size() >= i + 4)
        return Bounds{static_cast<int>(area[i]), static_cast<int>(area[i + 1]), static_cast<int>(area[i + 2]),
                      static_cast<int>(area[i + 3])};
    const int screen = DefaultScreen(display_);
    return Bounds{0, 0, DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
}

void X11WindowControl::ShowDesktop(bool show) {
    ErrorTrap trap(display_);
    SendToRoot(display_, DefaultRootWindow(display_), "_NET_SHOWING_DESKTOP", show ? 1 : 0);
    XFlush(display_);
}

}  // namespace win::x11
