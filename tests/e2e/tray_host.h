#pragma once
// The smallest notification area there is: it owns _NET_SYSTEM_TRAY_S0, announces itself
// and records the windows that ask to be docked.
#include <X11/Xlib.h>

#include <chrono>
#include <thread>
#include <vector>

namespace tessaro::testing {

class MinimalTrayHost {
public:
    explicit MinimalTrayHost(Display* d) : d_(d) {
        if (!d_) return;
        const Window root = DefaultRootWindow(d_);
        owner_ = XCreateSimpleWindow(d_, root, 0, 0, 1, 1, 0, 0, 0);
        selection_ = XInternAtom(d_, "_NET_SYSTEM_TRAY_S0", False);
        opcode_ = XInternAtom(d_, "_NET_SYSTEM_TRAY_OPCODE", False);
        XSetSelectionOwner(d_, selection_, owner_, CurrentTime);
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = root;
        e.xclient.message_type = XInternAtom(d_, "MANAGER", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = CurrentTime;
        e.xclient.data.l[1] = static_cast<long>(selection_);
        e.xclient.data.l[2] = static_cast<long>(owner_);
        XSendEvent(d_, root, False, StructureNotifyMask, &e);
        XSync(d_, False);
    }
    ~MinimalTrayHost() {
        if (d_) XCloseDisplay(d_);
    }
    MinimalTrayHost(const MinimalTrayHost&) = delete;
    MinimalTrayHost& operator=(const MinimalTrayHost&) = delete;

    bool owning() const { return d_ && XGetSelectionOwner(d_, selection_) == owner_; }

    // Reads the requests that arrived; true once at least `count` windows asked to dock.
    bool WaitForDocked(std::size_t count, std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (docked_.size() < count && std::chrono::steady_clock::now() < end) {
            while (XPending(d_) > 0) {
                XEvent e;
                XNextEvent(d_, &e);
                if (e.type == ClientMessage && e.xclient.message_type == opcode_ && e.xclient.data.l[1] == 0)
                    docked_.push_back(static_cast<Window>(e.xclient.data.l[2]));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return docked_.size() >= count;
    }
    const std::vector<Window>& docked() const { return docked_; }

private:
    Display* d_;
    Window owner_ = 0;
    Atom selection_ = 0;
    Atom opcode_ = 0;
    std::vector<Window> docked_;
};

}  // namespace tessaro::testing
