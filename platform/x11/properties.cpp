#include "platform/x11/properties.h"

#include "platform/x11/xlib_memory.h"

namespace win::x11 {

std::vector<unsigned long> LongProperty(Display* d, Window w, Atom property, Atom type) {
    std::vector<unsigned long> out;
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, property, 0, 4096, False, type, &actual, &format, &count, &after, &data) ==
            Success &&
        data) {
        const XMemory<unsigned char> owned = XOwned(data);
        if (format == 32) {
            const auto* items = reinterpret_cast<const unsigned long*>(data);
            out.assign(items, items + count);
        }
    }
    return out;
}

std::string TextProperty(Display* d, Window w, Atom property) {
    std::string out;
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, property, 0, 1024, False, AnyPropertyType, &actual, &format, &count, &after,
                           &data) == Success &&
        data) {
        const XMemory<unsigned char> owned = XOwned(data);
        if (format == 8) out.assign(reinterpret_cast<const char*>(data), count);
    }
    return out;
}

void SendToRoot(Display* d, Window window, const char* messageType, long l0, long l1, long l2, long l3,
                long l4) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = AtomOf(d, messageType);
    e.xclient.format = 32;
    e.xclient.data.l[0] = l0;
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

bool HasWindowManager(Display* d) {
    const auto check =
        LongProperty(d, DefaultRootWindow(d), AtomOf(d, "_NET_SUPPORTING_WM_CHECK"), XA_WINDOW);
    return !check.empty() && check[0] != 0;
}

}  // namespace win::x11
