#pragma once
// Desktop settings a macro may change for the running session: keyboard repeat, the
// screen saver, the display mode and the wallpaper. Backends: x11/ (XKB, the X screen
// saver, XRandR, the desktop's settings store or the root window) and sim/ (recorded).
#include <optional>
#include <string>
#include <vector>

namespace win {

struct DisplayMode {
    int width = 0, height = 0;
    int colours = 0;  // 2 to the power of the depth
    int refreshHz = 0;
    bool operator==(const DisplayMode&) const = default;
};

enum class ModeChange { Done, Failed };

struct ScreenSaver {
    int timeoutSeconds = 0;  // 0: off
    int intervalSeconds = 0;
    int preferBlanking = 0;
    int allowExposures = 0;
    bool operator==(const ScreenSaver&) const = default;
};

enum class WallpaperStyle { Tiled, Centred, Stretched, Positioned };

enum class WallpaperChange {
    Done,
    NotAPicture,  // the file cannot be read as a picture
    NotTaken,     // the desktop that is running does not take the picture
};

class SystemSettings {
public:
    virtual ~SystemSettings() = default;

    // Milliseconds before a held key repeats, and repeats a second.
    virtual void SetKeyRepeatDelay(int ms) = 0;
    virtual void SetKeyRepeatRate(double perSecond) = 0;
    virtual std::optional<std::pair<int, double>> KeyRepeat() = 0;  // delay, rate

    virtual ScreenSaver GetScreenSaver() = 0;
    virtual void SetScreenSaver(const ScreenSaver& saver) = 0;
    // Starts the screen saver now.
    virtual void ActivateScreenSaver() = 0;

    // The primary display's modes in the order the display lists them; empty when the
    // display cannot tell.
    virtual std::vector<DisplayMode> DisplayModes() = 0;
    virtual ModeChange SetDisplayMode(const DisplayMode& mode) = 0;

    // `file` is a UTF-8 path; x and y place a positioned picture.
    virtual WallpaperChange SetWallpaper(const std::string& file, WallpaperStyle style, int x, int y) = 0;
};

}  // namespace win
