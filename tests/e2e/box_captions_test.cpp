// A box the editor shows without a caption has none on the desktop either: the window
// system would otherwise put the program's name there.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// Xlib's macros last: they clash with Qt's names.
#include "editor_session.h"

namespace tessaro::testing {
namespace {

namespace fs = std::filesystem;

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

std::string NetName(Display* d, Window w) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), 0, 256, False,
                           XInternAtom(d, "UTF8_STRING", False), &type, &format, &n, &after,
                           &data) == Success &&
        data) {
        name.assign(reinterpret_cast<char*>(data), n);
        XFree(data);
    }
    return name;
}

class BoxCaptions : public EditorSession {
protected:
    void SetUp() override {
        // The launcher goes to $HOME/Desktop: a private one.
        std::string tmpl = (fs::temp_directory_path() / "tessaro-home-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        home_ = tmpl;
        fs::create_directories(home_ + "/Desktop");
        const char* h = std::getenv("HOME");
        oldHome_ = h ? h : "";
        ::setenv("HOME", home_.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home_ + "/.config").c_str(), 1);
        EditorSession::SetUp();
    }
    void TearDown() override {
        EditorSession::TearDown();
        ::setenv("HOME", oldHome_.c_str(), 1);
        std::error_code ec;
        fs::remove_all(home_, ec);
    }
    std::string home_, oldHome_;
};

TEST_F(BoxCaptions, TheDesktopIconBoxHasNoCaption) {
    const std::vector<Window> before = ClientWindows(keyboard_);
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
    const std::string caption = NetName(keyboard_, box);
    EXPECT_EQ(caption.find_first_not_of(' '), std::string::npos) << '"' << caption << '"';
    Press(keyboard_, XK_Return);  // "DeskTop Icon Added."
    EXPECT_TRUE(WaitFor([&] { return !FocusWithin(keyboard_, box); }, 10s));
}

}  // namespace
}  // namespace tessaro::testing
