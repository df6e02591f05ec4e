#include "editor/script/palette_table.h"

#include <cctype>

namespace tessaro {

namespace {

using P = PalettePage;

// clang-format off
constexpr PaletteButton kButtons[] = {
    {P::TextMouse, "TextSpeed", "&Enter Text, Symbols, Keystrokes", 'E', 1, true},
    {P::TextMouse, "MouseSpeed", "M&ouse Clicks, Movements, Wheel", 'O', 24, true},
    {P::TextMouse, "DateSpeed", "Insert &Date (current, past or future)", 'D', 2, true},
    {P::TextMouse, "TimeSpeed", "I&nsert Time", 'N', 3, true},
    {P::TextMouse, "ClipSpeed", "&Clipboard Functions (copy, paste)", 'C', 37, true},
    {P::TextMouse, "RemarkSpeed", "Enter a Comment or &Remark", 'R', 29, true},
    {P::TextMouse, "AltSpeed", "&Alt, Ctrl, Shift, Win Down and Up", 'A', 40, true},
    {P::TextMouse, "TFileSpeed", "&Insert a Text File", 'I', 15, false},
    {P::TextMouse, "EncryptSpeed", "Encr&ypted Text", 'Y', 113, true},
    {P::SystemWindows, "CDRomSpeed", "&Audio CD Functions", 'A', 56, true},
    {P::SystemWindows, "NetworkSpeed", "&Network Connections", 'N', 52, true},
    {P::SystemWindows, "SizeSpeed", "Set a Window Si&ze or Position", 'Z', 16, true},
    {P::SystemWindows, "MaxSpeed", "Maximize, Minimize, etc &Windows", 'W', 19, true},
    {P::SystemWindows, "DialSpeed", "&Dial-Up Networking", 'D', 94, true},
    {P::SystemWindows, "SpeakerSpeed", "Spea&ker Controls", 'K', 87, true},
    {P::SystemWindows, "PrinterSpeed", "Set De&fault Printer", 'F', 72, true},
    {P::SystemWindows, "ScreenSpeed", "Set S&creen Resolution", 'C', 73, true},
    {P::SystemWindows, "DesktopSpeed", "T&ile, Cascade, Minimize Desktop", 'I', 67, true},
    {P::SystemWindows, "RebootSpeed", "&Reboot, Logoff, Shutdown", 'R', 75, true},
    {P::SystemWindows, "SaverSpeed", "Screen Sa&ver Settings, Wallpaper", 'V', 81, true},
    {P::ProgramsFiles, "LaunchSpeed", "&Activate / Launch Programs", 'A', 33, true},
    {P::ProgramsFiles, "WebSpeed", "&Launch a Web Site", 'L', 43, true},
    {P::ProgramsFiles, "FTPSpeed", "&FTP Download", 'F', 44, true},
    {P::ProgramsFiles, "DOSFileSpeed", "&Delete, Copy, Rename Files, etc", 'D', 46, true},
    {P::ProgramsFiles, "SoundSpeed", "Pla&y a Sound", 'Y', 13, true},
    {P::ProgramsFiles, "FolderSpeed", "&Open Folder In Explorer", 'O', 66, true},
    {P::ProgramsFiles, "VideoSpeed", "Play a &Video Clip", 'V', 55, true},
    {P::ProgramsFiles, "EMailSpeed", "Send &E-Mail", 'E', 112, true},
    {P::MacroControl, "SpeedSpeed", "Set &Keyboard or Mouse Speed", 'K', 8, true},
    {P::MacroControl, "DelaySpeed", "Insert a &Delay", 'D', 4, true},
    {P::MacroControl, "RepeatSpeed", "&Repeat Loop", 'R', 6, true},
    {P::MacroControl, "WaitSpeed", "&Wait For Window", 'W', 93, true},
    {P::MacroControl, "BuildSpeed", "Play, Delete, &Activate Macros", 'A', 51, true},
    {P::MacroControl, "PauseSpeed", "Ma&cro Pause", 'C', 5, true},
    {P::MacroControl, "NewSpeed", "&Load New Macro File", 'L', 14, true},
    {P::MacroControl, "TBoxSpeed", "Display a Text &Box", 'B', 54, true},
};
// clang-format on
static_assert(std::size(kButtons) == 36);

constexpr const char* kCaptions[kPalettePageCount] = {"&Text / Mouse", "&System / Windows",
                                                      "&Programs / Files", "&Macro Control"};

}  // namespace

std::span<const PaletteButton> PaletteButtons() { return kButtons; }

const char* PaletteCaption(PalettePage page) { return kCaptions[static_cast<int>(page)]; }

const PaletteButton* PaletteKeyButton(PalettePage page, char letter) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (const PaletteButton& b : kButtons)
        if (b.page == page && b.key == upper) return &b;
    return nullptr;
}

}  // namespace tessaro
