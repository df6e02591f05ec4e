#pragma once
// Session settings on the X server: XKB auto-repeat, the server's screen saver, XRandR
// modes of the primary output, and the wallpaper (the desktop's settings store where the
// desktop that reads it runs, else a picture on the root window).
#include <optional>
#include <string>

#include "platform/system_settings.h"

class QImage;
typedef struct _XDisplay Display;

namespace win::x11 {

class X11SystemSettings : public SystemSettings {
public:
    // `display` is not owned and must outlive this object.
    explicit X11SystemSettings(Display* display) : display_(display) {}
    ~X11SystemSettings() override;

    void SetKeyRepeatDelay(int ms) override;
    void SetKeyRepeatRate(double perSecond) override;
    std::optional<std::pair<int, double>> KeyRepeat() override;
    ScreenSaver GetScreenSaver() override;
    void SetScreenSaver(const ScreenSaver& saver) override;
    void ActivateScreenSaver() override;
    std::vector<DisplayMode> DisplayModes() override;
    ModeChange SetDisplayMode(const DisplayMode& mode) override;
    WallpaperChange SetWallpaper(const std::string& file, WallpaperStyle style, int x, int y) override;

private:
    bool SetStoredPicture(const std::string& file, WallpaperStyle style, int x, int y);
    bool SetRootPicture(const std::string& file, WallpaperStyle style, int x, int y);
    // The picture laid out on a black canvas the size of the screen; null when the file
    // is no picture.
    QImage ScreenCanvas(const std::string& file, WallpaperStyle style, int x, int y);
    // The picture placed at (x, y) on such a canvas, saved for the desktop's store; the
    // saved file's name.
    std::optional<std::string> PlacePicture(const std::string& file, int x, int y);

    Display* display_;
    unsigned long rootPicture_ = 0;  // the pixmap behind the root window, ours
};

// What decides who shows the wallpaper in this session.
struct WallpaperSession {
    std::string currentDesktop;    // XDG_CURRENT_DESKTOP: desktop names separated by ':'
    bool sessionBus = false;       // the session's message bus, which such a desktop runs on
    bool schemaInstalled = false;  // the store knows the background schema
    bool desktopWindow = false;    // a program draws the desktop in a window of its own
};
enum class WallpaperTarget {
    DesktopSettings,  // the desktop that reads the background schema runs
    RootWindow,       // nothing covers the root window: a picture there is what shows
    NotShown,         // the running desktop draws its own background, which we cannot reach
};
WallpaperTarget ChooseWallpaperTarget(const WallpaperSession& session);
// This session as the environment and the X server tell it.
WallpaperSession CurrentWallpaperSession(Display* display);

// Whether the desktop's settings store knows the background schema.
bool BackgroundSchemaInstalled();
// The store's value of a background key (quotes and all, as the store prints it).
std::string BackgroundSetting(const std::string& key);

}  // namespace win::x11
