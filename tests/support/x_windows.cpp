#include "tests/support/x_windows.h"

#include <X11/Xatom.h>

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

}  // namespace tessaro::testing
