// A top-level window for the desktop tests, as an ordinary application makes one: a title,
// its process id and machine, and the close protocol. It ends with status 0 when asked to
// close, and prints "closed".
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tess_window TITLE\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 3;
    const char* title = argv[1];
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 50, 50, 200, 100, 0, 0, 0xffffff);
    XTextProperty name{};
    char* names[] = {const_cast<char*>(title)};
    XStringListToTextProperty(names, 1, &name);  // plain text, as older programs name windows
    XSetWMProperties(d, w, &name, &name, argv, argc, nullptr, nullptr, nullptr);  // and the machine
    XFree(name.value);
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), XInternAtom(d, "UTF8_STRING", False), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(title), int(std::strlen(title)));
    const long pid = ::getpid();
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    Atom close = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, w, &close, 1);
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(d, w, &hints);
    XMapRaised(d, w);
    XFlush(d);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == ClientMessage && static_cast<Atom>(e.xclient.data.l[0]) == close) {
            std::printf("closed\n");
            std::fflush(stdout);
            XCloseDisplay(d);
            return 0;
        }
    }
}
