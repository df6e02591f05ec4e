#pragma once
// Session settings on the X server: XKB auto-repeat, the server's screen saver, XRandR
// modes of the primary output, and the wallpaper (the desktop's settings store where its
// schema is installed, else a picture on the root window).
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
    bool SetWallpaper(const std::string& file, WallpaperStyle style, int x, int y) override;

private:
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

// Whether the desktop's settings store knows the background schema.
bool BackgroundSchemaInstalled();
// The store's value of a background key (quotes and all, as the store prints it).
std::string BackgroundSetting(const std::string& key);

}  // namespace win::x11
