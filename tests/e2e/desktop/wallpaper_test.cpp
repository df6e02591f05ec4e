// The wallpaper commands under a window manager alone, with the desktop's background schema
// installed but no desktop that reads it: the picture goes where it shows, or the user is told.
// Qt before the fixture, whose Xlib defines macros (Status) that Qt's headers use as names.
#include <QColor>
#include <QImage>

#include "desktop_fixture.h"
#include "desktop_session.h"
#include "platform/x11/properties.h"
#include "platform/x11/x11_system_settings.h"

namespace tessaro::testing {
namespace {

// A 40 x 30 picture of one colour.
std::string Picture(const PlayerSandbox& box, const char* name, Qt::GlobalColor colour) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(colour);
    const std::string file = box.file(name);
    return picture.save(QString::fromStdString(file), "PNG") ? file : std::string();
}

bool HasRootPicture(Display* d) {
    return !win::x11::LongProperty(d, DefaultRootWindow(d), XInternAtom(d, "_XROOTPMAP_ID", False), XA_PIXMAP)
                .empty();
}

unsigned long RootPixel(Display* d, int x, int y) {
    XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return ~0ul;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
    XDestroyImage(image);
    return pixel;
}

class Wallpaper : public DesktopCommands {
protected:
    void SetUp() override {
        // What makes the store look usable where nothing reads it.
        ASSERT_TRUE(win::x11::BackgroundSchemaInstalled()) << "the background schema is not installed";
        StartServer(true);
    }
    DesktopSession session_{DesktopSession::WithoutTheStore};
};

TEST_F(Wallpaper, NothingCoversTheRootWindowSoThePictureIsDrawnThere) {
    if (IsSkipped()) return;
    const std::string picture = Picture(*box_, "green.png", Qt::green);
    ASSERT_FALSE(picture.empty());
    Play("<WALLC:" + picture + ">");
    Display* d = looker_->display();
    ASSERT_TRUE(WaitFor([&] { return HasRootPicture(d); }, 20s)) << player_->Log();
    // Centred on the 640 x 480 screen, black around it.
    EXPECT_EQ(RootPixel(d, 320, 240), 0x00ff00u);
    EXPECT_EQ(RootPixel(d, 300, 225), 0x00ff00u);
    EXPECT_EQ(RootPixel(d, 298, 240), 0u);
    EXPECT_EQ(RootPixel(d, 500, 400), 0u);
    // The store nobody reads was left alone.
    EXPECT_EQ(ReadAll(session_.keyfile()).find("picture-uri"), std::string::npos)
        << ReadAll(session_.keyfile());
}

TEST_F(Wallpaper, ADesktopThatDrawsItsOwnBackgroundIsReported) {
    if (IsSkipped()) return;
    // A desktop program's window over the whole screen, as a file manager's desktop shows one.
    Display* d = looker_->display();
    // Shown at once, whatever the window manager makes of a window of its type.
    XSetWindowAttributes unmanaged{};
    unmanaged.override_redirect = True;
    unmanaged.background_pixel = 0x336699;
    const Window desktop =
        XCreateWindow(d, DefaultRootWindow(d), 0, 0, 640, 480, 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWOverrideRedirect | CWBackPixel, &unmanaged);
    XLowerWindow(d, desktop);
    const Atom type = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
    XChangeProperty(d, desktop, XInternAtom(d, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);
    XStoreName(d, desktop, "Desktop");
    XMapWindow(d, desktop);
    XSync(d, False);
    ASSERT_TRUE(WaitFor(
        [&] {
            XWindowAttributes a{};
            return XGetWindowAttributes(d, desktop, &a) && a.map_state == IsViewable;
        },
        5s));
    const std::string picture = Picture(*box_, "red.png", Qt::red);
    ASSERT_FALSE(picture.empty());
    Play("<WALLT:" + picture + ">");
    EXPECT_TRUE(MessageShown("Macro Execution Error")) << player_->Log();
    EXPECT_FALSE(HasRootPicture(d));
    EXPECT_EQ(ReadAll(session_.keyfile()).find("picture-uri"), std::string::npos);
    XDestroyWindow(d, desktop);
    XSync(d, False);
}

}  // namespace
}  // namespace tessaro::testing
