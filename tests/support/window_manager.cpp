#include "tests/support/window_manager.h"

#include <X11/Xatom.h>

namespace tessaro::testing {

WindowManager::WindowManager(const std::string& display)
    : process_({"openbox", "--sm-disable"},
               ChildOptions().Out("/dev/null").ErrToOut().Env({"DISPLAY=" + display})) {}

bool WindowManager::Running(Display* d) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    const bool ok =
        XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False), 0, 1,
                           False, XA_WINDOW, &type, &format, &n, &after, &data) == Success &&
        n == 1;
    if (data) XFree(data);
    return ok;
}

}  // namespace tessaro::testing
