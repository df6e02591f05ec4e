#include "editor/script/command_table.h"

#include <array>

#include "foundation/strings.h"

namespace tessaro {
namespace {

constexpr std::array<std::string_view, kCommandCount + 1> kNames = {
    "",
    "Text",
    "Date",
    "Time",
    "Delay",
    "Pause",
    "Repeat Start",
    "Repeat End",
    "Keystroke Speed",
    "Mouse Speed",
    "Window Activate",
    "Program Launch",
    "Sound Beep",
    "Sound Wave File",
    "Load New Macro File",
    "Load Text File",
    "Window Resize",
    "Window Reposition",
    "Window Maximize",
    "Window Minimize",
    "Window Restore",
    "Window Close",
    "Window Hide",
    "Window Show",
    "Mouse Move",
    "Mouse Left Button",
    "Mouse Right Button",
    "Mouse Middle Button",
    "Mouse Wheel",
    "Remark",
    "Clipboard Copy",
    "Clipboard Paste",
    "Repeat Counter",
    "Activate or Launch",
    "Launch and Activate",
    "Clipboard Start Copy",
    "Clipboard End Copy",
    "Clipboard File Copy",
    "Program Shut Down",
    "Control Key",
    "Alt Key",
    "Shift Key",
    "Win Key",
    "Web Site",
    "Web FTP",
    "Repeat Prompt Start",
    "Change Directory/Folder",
    "Delete File",
    "Copy File",
    "Rename File",
    "Macro Playback Speed",
    "Macro Run",
    "Network Connect",
    "Network Disconnect",
    "Window of Text",
    "Video Clip Play",
    "CD-Rom Play",
    "CD-Rom Stop",
    "CD-Rom Pause",
    "CD-Rom Next Track",
    "CD-Rom Previous Track",
    "CD-Rom Go To Track",
    "CD-Rom Step",
    "CD-Rom Back",
    "CD-Rom Eject",
    "CD-Rom Close Tray",
    "Open Folder In Explorer",
    "DeskTop Cascade",
    "DeskTop Tile",
    "DeskTop Minimize All",
    "DeskTop Restore All",
    "Clipboard Type Text",
    "Default Printer",
    "Default Display Size",
    "Logoff",
    "Reboot",
    "Shut Down",
    "Power Off",
    "Screen Saver",
    "Keyboard Repeat Speed",
    "Keyboard Delay",
    "Wallpaper",
    "Windows Sizing Border",
    "Network Toggle",
    "Clipboard Graphic Copy",
    "Audio Volume",
    "Audio Balance",
    "Audio Mute Toggle",
    "Audio Treble",
    "Audio Bass",
    "MIDI Volume",
    "MIDI Balance",
    "MIDI Mute Toggle",
    "Wait For Window Title",
    "Dial-Up Networking",
    "Macro Delete",
    "Macro Activate",
    "Macro Deactivate",
    "Create Directory/Folder",
    "Wait Window Lose Focus",
    "Wait Program Terminate",
    "Wait For Key Press",
    "Wait For Text",
    "Wait Left Mouse Click",
    "Wait Right Mouse Click",
    "Wait Middle Mouse Click",
    "Open Explorer To",
    "Run Dialog Window",
    "Undock Computer",
    "Suspend Computer",
    "Wait Text Playback",
    "Wait Time Elapse",
    "E-Mail Send",
    "Encrypted Text",
    "Clipboard Save Text",
    "Clipboard Append Text",
    "Clipboard Save Graphic",
    "Wait Time Delay",
};

constexpr bool NamesFit() {
    for (std::size_t i = 1; i < kNames.size(); ++i)
        if (kNames[i].empty() || kNames[i].size() > 25) return false;
    return true;
}
static_assert(NamesFit(), "every command name is a string[25]");

}  // namespace

std::string_view CommandName(int code) {
    if (code < 1 || code > kCommandCount) return {};
    return kNames[static_cast<std::size_t>(code)];
}

int RecogniseCommand(std::string_view displayText) {
    const std::string t = TrimBlanks(displayText.substr(0, 255));
    for (int code = 1; code <= kCommandCount; ++code)
        if (t.starts_with(kNames[static_cast<std::size_t>(code)])) return code;
    return 0;
}

}  // namespace tessaro
