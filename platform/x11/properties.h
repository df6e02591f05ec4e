#pragma once
// Reading window properties and asking the window manager for changes (EWMH client
// messages to the root window).
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace win::x11 {

inline Atom AtomOf(Display* d, const char* name) { return XInternAtom(d, name, False); }

// A property of 32-bit items (windows, atoms, cardinals); empty when absent.
std::vector<unsigned long> LongProperty(Display* d, Window w, Atom property, Atom type);
// A property of 8-bit text of any type; empty when absent.
std::string TextProperty(Display* d, Window w, Atom property);

// A client message of format 32 about `window` to the root window, as EWMH requests go.
void SendToRoot(Display* d, Window window, const char* messageType, long l0, long l1 = 0, long l2 = 0,
                long l3 = 0, long l4 = 0);

bool HasWindowManager(Display* d);

}  // namespace win::x11
