// The least a hot key can cost on X: grab Ctrl+Alt+K (with every lock combination), and on
// each press end the grab and send one XTest press and release of "x". The latency and
// start-up benchmarks measure it beside the player, as the floor of what is possible.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

int main() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    const Window root = DefaultRootWindow(d);
    const KeyCode k = XKeysymToKeycode(d, XK_k);
    const KeyCode x = XKeysymToKeycode(d, XK_x);
    const unsigned locks[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};
    for (unsigned lock : locks)
        XGrabKey(d, k, ControlMask | Mod1Mask | lock, root, False, GrabModeAsync, GrabModeAsync);
    XSync(d, False);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type != KeyPress) continue;
        // While the grab lasts, the key would come back to this client.
        XUngrabKeyboard(d, CurrentTime);
        XTestFakeKeyEvent(d, x, True, CurrentTime);
        XTestFakeKeyEvent(d, x, False, CurrentTime);
        XFlush(d);
    }
}
