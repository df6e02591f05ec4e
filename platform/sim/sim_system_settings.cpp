#include "platform/sim/sim_system_settings.h"

#include <algorithm>

namespace win::sim {

namespace {

const char* NameOf(PowerAction action) {
    switch (action) {
        case PowerAction::PowerOff: return "poweroff";
        case PowerAction::Reboot: return "reboot";
        case PowerAction::Halt: return "halt";
        case PowerAction::Suspend: return "suspend";
    }
    return "";
}

}  // namespace

ModeChange SimSystemSettings::SetDisplayMode(const DisplayMode& mode) {
    if (std::find(refusedModes.begin(), refusedModes.end(), mode) != refusedModes.end())
        return ModeChange::Failed;
    modeChanges.push_back(mode);
    return ModeChange::Done;
}

WallpaperChange SimSystemSettings::SetWallpaper(const std::string& file, WallpaperStyle style, int x, int y) {
    wallpapers.push_back(file + " " + std::to_string(static_cast<int>(style)) + " " + std::to_string(x) +
                         " " + std::to_string(y));
    return wallpaperAnswer;
}

PrinterResult SimPrinters::SetDefault(const std::string& name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) return PrinterResult::NotFound;
    defaultPrinter = name;
    return PrinterResult::Done;
}

std::string SimPower::Can(PowerAction action) {
    calls.push_back(std::string("can ") + NameOf(action));
    return answer;
}

bool SimPower::Request(PowerAction action) {
    calls.push_back(NameOf(action));
    return true;
}

bool SimPower::EndSession() {
    calls.push_back("endsession");
    return true;
}

SimSystemSettings& TheSimSystemSettings() {
    static SimSystemSettings settings;
    return settings;
}

SimPrinters& TheSimPrinters() {
    static SimPrinters printers;
    return printers;
}

SimPower& TheSimPower() {
    static SimPower power;
    return power;
}

}  // namespace win::sim
