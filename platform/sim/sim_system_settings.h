#pragma once
// Recorded stand-ins for the session settings, the printers and the power service, for
// the unit tests.
#include <string>
#include <vector>

#include "platform/power.h"
#include "platform/printers.h"
#include "platform/system_settings.h"

namespace win::sim {

class SimSystemSettings : public SystemSettings {
public:
    void SetKeyRepeatDelay(int ms) override { repeatDelayMs = ms; }
    void SetKeyRepeatRate(double perSecond) override { repeatRate = perSecond; }
    std::optional<std::pair<int, double>> KeyRepeat() override {
        return std::make_pair(repeatDelayMs, repeatRate);
    }
    ScreenSaver GetScreenSaver() override { return saver; }
    void SetScreenSaver(const ScreenSaver& s) override { saver = s; }
    void ActivateScreenSaver() override { ++saverActivations; }
    std::vector<DisplayMode> DisplayModes() override { return modes; }
    ModeChange SetDisplayMode(const DisplayMode& mode) override;
    WallpaperChange SetWallpaper(const std::string& file, WallpaperStyle style, int x, int y) override;

    int repeatDelayMs = 500;
    double repeatRate = 25;
    ScreenSaver saver{600, 600, 1, 1};
    int saverActivations = 0;
    std::vector<DisplayMode> modes;
    std::vector<DisplayMode> refusedModes;  // modes whose change fails
    std::vector<DisplayMode> modeChanges;
    std::vector<std::string> wallpapers;  // "file style x y"
    WallpaperChange wallpaperAnswer = WallpaperChange::Done;
};

class SimPrinters : public Printers {
public:
    std::vector<std::string> Names() override { return names; }
    PrinterResult SetDefault(const std::string& name) override;
    std::string Default() override { return defaultPrinter; }

    std::vector<std::string> names;
    std::string defaultPrinter;
};

class SimPower : public Power {
public:
    std::string Can(PowerAction action) override;
    bool Request(PowerAction action) override;
    bool EndSession() override;

    std::string answer = "yes";      // what every Can() answers
    std::vector<std::string> calls;  // "can poweroff", "poweroff", "endsession", ...
};

SimSystemSettings& TheSimSystemSettings();
SimPrinters& TheSimPrinters();
SimPower& TheSimPower();

}  // namespace win::sim
