// A box the editor shows without a caption has none on the desktop either: the window
// system would otherwise put the program's name there.
#include <algorithm>
#include <string>
#include <vector>

// Xlib's macros last: they clash with Qt's names.
#include "private_home_session.h"
#include "tray_host.h"

namespace tessaro::testing {
namespace {

std::vector<Window> ClientWindows(Display* d) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Window> out;
    if (XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, "_NET_CLIENT_LIST", False), 0, 1024, False,
                           XA_WINDOW, &type, &format, &n, &after, &data) == Success &&
        data) {
        const auto* w = reinterpret_cast<const Window*>(data);
        out.assign(w, w + n);
        XFree(data);
    }
    return out;
}

class BoxCaptions : public PrivateHomeSession {};

TEST_F(BoxCaptions, TheDesktopIconBoxHasNoCaption) {
    // The editor's own window is listed (and has the keys) before the box is looked for: a
    // window listed late would pass for the box.
    std::vector<Window> before;
    ASSERT_TRUE(WaitFor(
        [&] {
            before = ClientWindows(keyboard_);
            return std::any_of(before.begin(), before.end(), [&](Window w) {
                return FocusWithin(keyboard_, w) && WindowTitle(keyboard_, w).rfind("Tessaro Editor", 0) == 0;
            });
        },
        10s))
        << player_->Log();
    // The first row is selected at start; "&Macros", "&Place On Desktop".
    MacrosMenu(XK_p);
    Window box = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (Window w : ClientWindows(keyboard_))
                if (std::find(before.begin(), before.end(), w) == before.end() && FocusWithin(keyboard_, w))
                    box = w;
            return box != 0;
        },
        10s))
        << player_->Log();
    const std::string caption = WindowTitle(keyboard_, box);
    EXPECT_EQ(caption.find_first_not_of(' '), std::string::npos) << '"' << caption << '"';
    Press(keyboard_, XK_Return);  // "DeskTop Icon Added."
    EXPECT_TRUE(WaitFor([&] { return !FocusWithin(keyboard_, box); }, 10s));
}

}  // namespace
}  // namespace tessaro::testing
