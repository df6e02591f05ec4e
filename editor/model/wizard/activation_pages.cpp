#include "editor/model/wizard/activation_pages.h"

#include "editor/model/wizard/activation_names.h"
#include "macro/nickname.h"

namespace tessaro::wizard {
namespace {

constexpr const char* kSeparator = "\n\r";

std::string Lines(std::initializer_list<const char*> lines, bool breakAfterLast) {
    std::string text;
    for (const char* line : lines) {
        if (!text.empty()) text += kSeparator;
        text += line;
    }
    if (breakAfterLast) text += kSeparator;
    return text;
}

void Check(Answers& a, std::initializer_list<const char*> names) {
    for (const char* n : names) a.Set(n).checked = true;
}
void Disable(Answers& a, std::initializer_list<const char*> names) {
    for (const char* n : names) a.Set(n).enabled = false;
}

}  // namespace

std::string ScopeExamplesText() {
    return Lines({"Examples:", "   For Microsoft Word: Microsoft Word", "   For WordPad: wordp",
                  "   For notepad: tepad"},
                 false);
}

Answers CreationPresets(CalendarDate today, bool firstUse, bool ie4Installed) {
    Answers a;
    Check(a, {kP2HotKey, "P5Toggle", kP7Global, kP8Installed, kP9AddNo});
    Disable(a, {kP8Browse, kP8Path});
    a.Set(kP8Examples).text = ScopeExamplesText();

    Check(a, {"P11Logoff", "P13Text", "P17Both", "P20Today", "P21Web", "P23Tiled", "P24Immed", "P25Folder",
              "P26Beep", "P27Dial", "P29MakePerm", "P29DispStatus", "P29UseDefault", "P30LaunchOnly", "P31No",
              "P32Installed"});
    for (const char* memo : {"P14MyMemo", "P12MyMemo", "P26MyMemo", "P83Memo"}) a.Set(memo).text.clear();
    Disable(a, {"P31FolderLabel", "P31Browse", "P31Path", "P32Browse", "P32Path"});
    for (const char* examples : {"P33Examples", kP37Examples, "P40Examples"})
        a.Set(examples).text = ScopeExamplesText();

    Check(a,
          {"P35RepTop",   "P38Max",       "P39Top",  "P41On",       "P42Play",      "P43Play", "P44AudioMute",
           "P47Cascade",  "P48ChangeDir", "P51Text", "P52Yes",      "P53Text",      "P54Text", "P55Network",
           "P56Activate", "P57Play",      "P75Now",  "P77NoAttach", "P78Connected", "P83Now"});
    a.Set("P51IconSize").index = 0;
    // "P51Text" shows no icons, so their size is off.
    Disable(a, {"P51IconSize", "P51IconSizeLabel"});
    a.Set("P65Show").checked = !firstUse;

    a.Set("P70Lab1").text = Lines(
        {"Type text, symbols && keystrokes", "Paste Text and Graphics", "Type Date (Current, Past or Future)",
         "Type the current time", "Perform mouse movements and clicks", "Connect Network Drives",
         "Dial-Up Networking", "Change speaker volume && balance", "Play, pause, stop audio CD",
         "Select Default Printers", "Select Screen Resolution", "Resize and Position Windows",
         "Minimize && Maximize Windows", "Tile, Cascade, Minimize Desktop"},
        false);
    a.Set("P70Lab2").text =
        Lines({"Reboot, Logoff, Shutdown", "Activate Windows", "Launch Programs", "Launch Web Sites",
               "Initiate Web Downloads", "Send E-Mail && Attachments", "Copy, Delete && Rename Files",
               "Create or change folders", "Open Explorer to a folder", "Turn Screen Saver Off && On",
               "Set the desktop wallpaper", "Display Text Messages", "Pause macros with messages",
               "Play a video clip or sound"},
              true);

    if (!ie4Installed) {
        Disable(a, {"P47Minimize", "P47Restore", "P47Suspend", "P47Undock", "P25Special", "P25SpecList"});
        a.Set("P47Notice").visible = true;
        a.Set("P25Special").visible = false;
        a.Set("P25SpecList").visible = false;
    }

    for (int d = 0; d < 7; ++d) a.Set(kWeekdays[d]).checked = d < 5;
    a.Set(kOnceMonth).index = today.month - 1;
    a.Set(kOnceDay).text = std::to_string(today.day);
    a.Set(kOnceYear).text = std::to_string(today.year);
    a.Set(kHourlyMinutes).text = "30";
    a.Set(kWeeklyDayOfWeek).index = 0;
    a.Set(kMonthlyDay).text = std::to_string(today.day);
    a.Set(kOtherMinutes).text = "30";
    a.Set(kIdleMinutes).text = "10";
    for (int panel = 0; panel < 4; ++panel) {
        a.Set(kMinuteBoxes[panel]).text = "00";
        a.Set(kHourBoxes[panel]).text = "1";
        a.Set(kPmBoxes[panel]).index = 0;
    }
    return a;
}

SchedulePanels SchedulePanelsOf(const Answers& a) {
    SchedulePanels p;
    for (int k = 0; k < 8; ++k)
        if (a.Checked(kScheduleKinds[k])) p.kind = k;
    for (int d = 0; d < 7; ++d) p.days[d] = a.Checked(kWeekdays[d]);
    for (int panel = 0; panel < 4; ++panel) {
        p.hour[static_cast<size_t>(panel)] = a.Text(kHourBoxes[panel]);
        p.minute[static_cast<size_t>(panel)] = a.Text(kMinuteBoxes[panel]);
    }
    const int timePanel = TimePanelOfKind(p.kind);
    p.pm = timePanel >= 0 && PmOf(a)[static_cast<size_t>(timePanel)];
    p.monthIndex = a.Index(kOnceMonth) < 0 ? 0 : a.Index(kOnceMonth);
    p.onceDay = a.Text(kOnceDay);
    p.year = a.Text(kOnceYear);
    p.hourlyMinutes = a.Text(kHourlyMinutes);
    p.weekdayIndex = a.Index(kWeeklyDayOfWeek) < 0 ? 0 : a.Index(kWeeklyDayOfWeek);
    p.monthlyDay = a.Text(kMonthlyDay);
    p.otherMinutes = a.Text(kOtherMinutes);
    p.idleMinutes = a.Text(kIdleMinutes);
    return p;
}

std::array<bool, 4> PmOf(const Answers& a) {
    std::array<bool, 4> pm{};
    for (int panel = 0; panel < 4; ++panel) {
        const ControlState& box = a.Get(kPmBoxes[panel]);
        pm[static_cast<size_t>(panel)] = box.index == 1 || (box.index < 0 && AmPmIsPm(box.text));
    }
    return pm;
}

HotKeyPage LoadP3(const TGlobData& glob) { return {HotKeyListRows(glob), GlobalHotKeysUsed(glob, true)}; }

bool MenusExist(const TGlobData& glob) {
    for (int n = 1; n <= glob.MacroCount && n <= kMaxMacros; ++n)
        if (glob.Scope[n] == 4) return true;
    return false;
}

std::vector<MenuEntry> PopupMenus(const TGlobData& glob, const TConfigRecord& config) {
    std::vector<MenuEntry> menus;
    for (int n = 1; n <= glob.MacroCount && n <= kMaxMacros; ++n)
        if (glob.Scope[n] == 4) menus.push_back({config.MacroNicknames[static_cast<size_t>(n)].str(), n});
    return menus;
}

std::string InstalledItem(const InstalledProgram& program) { return program.name + "\t" + program.program; }

std::string ProgramOfItem(const std::string& item) {
    const size_t tab = item.find('\t');
    return tab == std::string::npos ? item : item.substr(tab + 1);
}

std::string ReminderNickname(std::string_view reminderText) {
    return OneLineNickname(reminderText).substr(0, 10);
}

std::string IconLabelText(int function) {
    if (function == 25)
        return "If you have chosen to place an icon in the system tray for this menu, then this will be the "
               "icon shown "
               "there.";
    return "This icon will be shown next to the macro in the macro list.";
}

}  // namespace tessaro::wizard
