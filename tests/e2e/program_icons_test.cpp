// The programs' own icon on the real player's and editor's windows, and "&Place On
// Desktop" in the running editor writing a launcher whose picture is that icon.
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>

// Xlib's macros last: they clash with Qt's names.
#include "private_home_session.h"

namespace tessaro::testing {
namespace {

namespace fs = std::filesystem;

// The size of the largest picture in the window's _NET_WM_ICON (width, height, pixels...).
std::pair<long, long> LargestIcon(Display* d, Window w) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    std::pair<long, long> largest{0, 0};
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_ICON", False), 0, 1 << 20, False, XA_CARDINAL, &type,
                           &format, &n, &after, &data) != Success)
        return largest;
    const auto* v = reinterpret_cast<const long*>(data);
    for (unsigned long i = 0; i + 2 <= n;) {
        const long width = v[i], height = v[i + 1];
        if (width <= 0 || height <= 0) break;
        if (width > largest.first) largest = {width, height};
        i += 2 + static_cast<unsigned long>(width * height);
    }
    if (data) XFree(data);
    return largest;
}

class ProgramIcons : public PrivateHomeSession {
protected:
    std::string Launcher() {
        for (const auto& e : fs::directory_iterator(home_ + "/Desktop"))
            if (e.path().extension() == ".desktop") return e.path().string();
        return {};
    }
};

TEST_F(ProgramIcons, BothProgramsCarryTheirIconAndALauncherGetsIt) {
    const Window player = static_cast<Window>(WaitForPlayerWindow());
    ASSERT_NE(player, 0u);
    EXPECT_GE(LargestIcon(keyboard_, player).first, 16) << "the player's window";
    EXPECT_GE(LargestIcon(keyboard_, static_cast<Window>(editor_)).first, 16) << "the editor's window";

    // The first row is selected at start; "&Macros", "&Place On Desktop".
    MacrosMenu(XK_p);
    ASSERT_TRUE(WaitFor([&] { return !Launcher().empty(); }, 10s)) << player_->Log();
    Press(keyboard_, XK_Return);  // "DeskTop Icon Added."
    std::ifstream in(Launcher());
    std::string line, icon;
    while (std::getline(in, line))
        if (line.rfind("Icon=", 0) == 0) icon = line.substr(5);
    EXPECT_EQ(icon, box_->file("Launchers/TESRUN.png"));
    const QImage picture(QString::fromStdString(icon));
    EXPECT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), 48);
}

}  // namespace
}  // namespace tessaro::testing
