#include "platform/x11/read_proof.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <random>

#include "platform/x11/error_trap.h"
#include "platform/x11/properties.h"
#include "platform/x11/xlib_memory.h"

namespace win::x11 {
namespace {

// How deep below the root a program's window is looked for under the pointer.
constexpr int kMaxDepth = 8;

bool HasProperty(Display* d, Window w, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(d, w, property, 0, 0, False, AnyPropertyType, &type, &format,
                                          &items, &after, &data) == Success &&
                       type != None;
    XOwned(data).reset();  // only whether it exists
    return found;
}

}  // namespace

ReadProof::ReadProof(Display* display)
    : d_(display),
      root_(DefaultRootWindow(display)),
      protocols_(AtomOf(display, "WM_PROTOCOLS")),
      ping_(AtomOf(display, "_NET_WM_PING")),
      state_(AtomOf(display, "WM_STATE")),
      // Window managers tell the answers to their own pings by this number.
      token_(std::random_device{}()) {}

ReadProof::~ReadProof() { StopListening(); }

ReadProof::Window ReadProof::Reader() {
    ::Window focus = None;
    int revert = 0;
    XGetInputFocus(d_, &focus, &revert);
    if (focus == PointerRoot) return UnderPointer();
    return focus == None ? 0 : TopLevel(focus);
}

// The window a program manages itself: the first one up from the focus that carries the
// protocols or the window manager's state. The focus may sit on a child of it.
ReadProof::Window ReadProof::TopLevel(Window window) {
    if (auto it = top_.find(window); it != top_.end()) return it->second;
    ErrorTrap trap(d_);
    Window top = window;
    for (Window w = window; w && w != root_;) {
        if (HasProperty(d_, w, protocols_) || HasProperty(d_, w, state_)) {
            top = w;
            break;
        }
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(d_, w, &root, &parent, &children, &count)) break;
        XOwned(children).reset();  // only the parent is wanted
        w = parent;
    }
    if (trap.Finish() != 0) return 0;
    top_[window] = top;
    return top;
}

ReadProof::Window ReadProof::UnderPointer() {
    ErrorTrap trap(d_);
    ::Window w = root_;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        ::Window root = 0, child = 0;
        int x, y, wx, wy;
        unsigned mask = 0;
        if (!XQueryPointer(d_, w, &root, &child, &x, &y, &wx, &wy, &mask) || child == None) break;
        w = child;
        if (HasProperty(d_, w, protocols_) || HasProperty(d_, w, state_)) break;
    }
    if (trap.Finish() != 0) return 0;
    return w == root_ ? 0 : w;
}

bool ReadProof::Exists(Window window) {
    if (!window) return false;
    ErrorTrap trap(d_);
    XWindowAttributes attrs;
    return XGetWindowAttributes(d_, window, &attrs) != 0 && trap.Finish() == 0;
}

bool ReadProof::Answers(Window window) {
    if (!window) return false;
    if (auto it = answers_.find(window); it != answers_.end()) return it->second;
    ErrorTrap trap(d_);
    const auto protocols = LongProperty(d_, window, protocols_, XA_ATOM);
    const bool answers =
        trap.Finish() == 0 && std::find(protocols.begin(), protocols.end(), ping_) != protocols.end();
    answers_[window] = answers;
    return answers;
}

void ReadProof::Ask(Window window) {
    ErrorTrap trap(d_);
    if (root_mask_ < 0) {
        // Answers go to the root window for whoever listens to its structure.
        XWindowAttributes attrs{};
        XGetWindowAttributes(d_, root_, &attrs);
        root_mask_ = attrs.your_event_mask;
        XSelectInput(d_, root_, root_mask_ | StructureNotifyMask | SubstructureNotifyMask);
    }
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = protocols_;
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(ping_);
    e.xclient.data.l[1] = static_cast<long>(++token_ & 0xFFFFFFFFu);
    e.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(d_, window, False, NoEventMask, &e);
    trap.Finish();
}

void ReadProof::StopListening() {
    if (root_mask_ < 0) return;
    ErrorTrap trap(d_);
    XSelectInput(d_, root_, root_mask_);
    root_mask_ = -1;
}

ReadProof::Window ReadProof::Answer(const XEvent& event) const {
    const XClientMessageEvent& m = event.xclient;
    if (event.type != ClientMessage || m.message_type != protocols_ || m.format != 32) return 0;
    if (static_cast<Atom>(m.data.l[0]) != ping_) return 0;
    if ((static_cast<unsigned long>(m.data.l[1]) & 0xFFFFFFFFu) != (token_ & 0xFFFFFFFFu)) return 0;
    return static_cast<Window>(m.data.l[2]);
}

void ReadProof::Forget() {
    top_.clear();
    answers_.clear();
}

}  // namespace win::x11
