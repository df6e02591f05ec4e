// A plain X window that reads keys as they come, each through the keyboard map it holds
// when it reads it, and takes part in no window manager ping; the tests stop and resume the
// whole process from outside. It prints READY once it has the focus and TEXT:<hex of UTF-8>
// after each character.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <string>

#include "platform/cp1252.h"
#include "platform/virtual_keys.h"
#include "platform/x11/legacy_keysyms.h"

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

int main() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 400, 40, 0, 0, 0xFFFFFF);
    XStoreName(d, w, "Plain Xlib Reader");
    XSelectInput(d, w, KeyPressMask | FocusChangeMask | StructureNotifyMask);
    XMapWindow(d, w);
    std::string text;
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MapNotify) {
            XSetInputFocus(d, w, RevertToParent, CurrentTime);
        } else if (e.type == FocusIn) {
            std::printf("READY\n");
            std::fflush(stdout);
        } else if (e.type == MappingNotify) {
            XRefreshKeyboardMapping(&e.xmapping);
        } else if (e.type == KeyPress) {
            char buf[16];
            KeySym sym = 0;
            XLookupString(&e.xkey, buf, sizeof buf, &sym, nullptr);
            char32_t c = win::KeysymToChar(sym);
            // Keysyms of their own for some characters (EuroSign).
            for (int b = 0x80; !c && b <= 0xFF; ++b)
                if (win::x11::LegacyKeysymForChar(win::Cp1252ToUnicode(static_cast<unsigned char>(b))) == sym)
                    c = win::Cp1252ToUnicode(static_cast<unsigned char>(b));
            if (!c || c < 0x20) continue;
            AppendUtf8(text, c);
            std::printf("TEXT:");
            for (unsigned char b : text) std::printf("%02x", b);
            std::printf("\n");
            std::fflush(stdout);
        }
    }
}
