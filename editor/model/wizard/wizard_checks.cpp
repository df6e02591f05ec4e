#include "editor/model/wizard/wizard_checks.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "editor/model/macro_forms/schedule_panels.h"
#include "editor/model/wizard/activation_names.h"
#include "editor/model/wizard/activation_pages.h"
#include "editor/model/tools/option_rules.h"
#include "foundation/strings.h"
#include "macro/nickname.h"

namespace tessaro::wizard {
namespace {

constexpr const char* kNoFile = "A file name has not been entered. Please correct.";
constexpr const char* kNoFolder = "A folder name has not been entered. Please correct.";
constexpr const char* kFileMissing = "Specified file does not exist.  Please correct.";
constexpr const char* kFolderMissing = "Specified folder does not exist.  Please correct.";
constexpr const char* kWavMissing = "Specified WAV file does not exist.  Please correct.";
constexpr const char* kNoText = "No text has been entered.";
constexpr const char* kNoTitle = "No window title name has been entered. Please enter one.";
constexpr const char* kNoProgram = "No program name has been entered. Please enter one.";
constexpr const char* kNoProgramChosen = "A program has not been selected. Please select one.";
constexpr const char* kNoPassword = "No password has been entered. Please correct.";
constexpr const char* kTopInvalid = "Invalid top position specified. Please correct.";
constexpr const char* kLeftInvalid = "Invalid left position specified. Please correct.";
constexpr const char* kGlobalOnly =
    "A Global Macro already exists for this Hot Key combination. Popup Menus can only be assigned on a "
    "global "
    "basis.";
constexpr const char* kPrefixInvalid =
    "The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' ! @ # $ % "
    "^ "
    "& _ = < > ? . ; , * - / +";

// The run-time decimal conversion of a trimmed text: an optional sign and digits.
std::optional<long> Val(const std::string& text) {
    const std::string t = TrimBlanks(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == t.size()) return std::nullopt;
    long value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
        if (value < 100'000'000) value = value * 10 + (t[i] - '0');
    }
    return negative ? -value : value;
}

bool Chosen(const Answers& a, const char* list) { return a.Index(list) >= 0 || !a.Selected(list).empty(); }
bool Blank(const Answers& a, const char* name) { return TrimBlanks(a.Text(name)).empty(); }

// One check of a page: `fails` tells whether it fails; the message and the control to focus.
struct Test {
    std::function<bool(const Answers&)> fails;
    const char* message;
    const char* focus;
};

Test NotBlank(const char* name, const char* message) {
    return {[name](const Answers& a) { return Blank(a, name); }, message, name};
}
Test NotEmpty(const char* name, const char* message) {
    return {[name](const Answers& a) { return a.Text(name).empty(); }, message, name};
}
Test Picked(const char* list, const char* message) {
    return {[list](const Answers& a) { return !Chosen(a, list); }, message, list};
}
Test FileThere(const char* name, const char* message) {
    return {[name](const Answers& a) { return !FileMustExist(a.Text(name)); }, message, name};
}
Test FolderThere(const char* name) {
    return {[name](const Answers& a) { return !FolderMustExist(a.Text(name)); }, kFolderMissing, name};
}
Test InRange(const char* name, long low, long high, const char* message) {
    return {[=](const Answers& a) {
                const std::optional<long> v = Val(a.Text(name));
                return !v || *v < low || *v > high;
            },
            message, name};
}
Test AtLeast(const char* name, long low, const char* message) {
    return InRange(name, low, 1L << 40, message);
}

using When = std::function<bool(int function, const Answers&)>;
struct Row {
    int page;
    When when;
    std::vector<Test> tests;
};

When Always() {
    return [](int, const Answers&) { return true; };
}
When IfChecked(const char* name) {
    return [name](int, const Answers& a) { return a.Checked(name); };
}
When IfAnyChecked(std::vector<const char*> names) {
    return [names](int, const Answers& a) {
        for (const char* n : names)
            if (a.Checked(n)) return true;
        return false;
    };
}

bool Reposition(const Answers& a) { return a.Checked("P35RepTop") || a.Checked("P35RepChoice"); }

const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        {6,
         IfAnyChecked({"P5Connect", "P5Toggle"}),
         {NotBlank("P6ProgPath", "A network drive has not been entered.")}},
        {8,
         [](int, const Answers& a) { return a.Checked(kP7SpecProg) && a.Checked(kP8ProgPath); },
         {NotBlank(kP8Path, kNoProgram)}},
        {8,
         [](int, const Answers& a) { return a.Checked(kP7SpecProg) && !a.Checked(kP8ProgPath); },
         {Picked(kP8InstallBox, kNoProgramChosen)}},
        {8, IfChecked(kP7SpecWin), {NotBlank(kP8Title, kNoTitle)}},
        {9,
         IfChecked(kP9AddYes),
         {Picked(kP9PopupList, "No popup macro has been selected. Please select one.")}},
        {10, Always(), {NotEmpty(kP10Nick, "No nickname has been entered.")}},
        {12, IfChecked("P13Text"), {NotEmpty("P12MyMemo", kNoText)}},
        {12,
         [](int, const Answers& a) { return !a.Checked("P13Text"); },
         {FileThere("P12Path", kFileMissing)}},
        {14, Always(), {NotEmpty("P14MyMemo", kNoText)}},
        {15, Always(), {Picked("P15SettingBox", "No printer has been selected. Please select one.")}},
        {16, Always(), {Picked("P16SettingBox", "No display setting has been selected. Please select one.")}},
        {18, Always(), {Picked("P18Format", "No date format has been selected. Please select one.")}},
        {19, Always(), {Picked("P19Format", "No time format has been selected. Please select one.")}},
        {20,
         IfAnyChecked({"P20Future", "P20Past"}),
         {AtLeast("P20Days", 0, "Invalid days specified. Please correct.")}},
        {22, IfChecked("P21Web"), {NotBlank("P22URL", "No web URL has been entered. Please enter one.")}},
        {22,
         [](int, const Answers& a) { return !a.Checked("P21Web"); },
         {NotBlank("P22URL", "No FTP URL has been entered. Please enter one.")}},
        {23,
         Always(),
         {NotBlank("P23Bit", "A bitmap name has not been entered. Please correct."),
          FileThere("P23Bit", "Specified bitmap file does not exist.  Please correct.")}},
        {23,
         IfChecked("P23Positioned"),
         {AtLeast("P23Top", 1, kTopInvalid), AtLeast("P23Left", 1, kLeftInvalid)}},
        {24,
         Always(),
         {NotBlank("P24Path", kNoFile),
          FileThere("P24Path", "Specified AVI file does not exist.  Please correct.")}},
        {25, IfChecked("P25Folder"), {NotBlank("P25Path", kNoFolder), FolderThere("P25Path")}},
        {25,
         IfChecked("P25Special"),
         {Picked("P25SpecList", "A special folder has not been selected. Please select one.")}},
        {26, Always(), {NotEmpty("P26MyMemo", kNoText)}},
        {26, IfChecked("P26Wave"), {NotBlank("P26ProgPath", kNoFile), FileThere("P26ProgPath", kWavMissing)}},
        {28,
         [](int function, const Answers& a) {
             return (function == 12 && !a.Checked("P27Hang")) || (function == 29 && a.Checked("P78RAS"));
         },
         {Picked("P28PhoneList", "A phone book entry has not been selected. Please select one."),
          NotBlank("P28UserName", "No user name has been entered. Please correct."),
          NotBlank("P28Password", kNoPassword)}},
        {29,
         [](int, const Answers& a) {
             return (a.Checked("P5Connect") || a.Checked("P5Toggle")) && !a.Checked("P29UseDefault");
         },
         {NotBlank("P29LogName", "No logon name has been entered. Please correct."),
          NotBlank("P29LogPass", kNoPassword)}},
        {31, IfChecked("P31Yes"), {NotBlank("P31Path", kNoFolder), FolderThere("P31Path")}},
        {32, IfChecked("P32ProgPath"), {NotBlank("P32Path", kNoProgram)}},
        {32,
         [](int, const Answers& a) { return !a.Checked("P32ProgPath"); },
         {Picked("P32InstallBox", kNoProgramChosen)}},
        {33, Always(), {NotBlank("P33Title", kNoTitle)}},
        {34, Always(), {NotBlank("P34Path", kNoFile), FileThere("P34Path", kFileMissing)}},
        {36,
         [](int, const Answers& a) { return Reposition(a); },
         {AtLeast("P36Width", 0, kTopInvalid), AtLeast("P36Height", 0, kLeftInvalid)}},
        {36,
         [](int, const Answers& a) { return !Reposition(a); },
         {AtLeast("P36Width", 0, "Invalid width specified. Please correct."),
          AtLeast("P36Height", 0, "Invalid height specified. Please correct.")}},
        {37, Always(), {NotBlank(kP37Title, kNoTitle)}},
        {40, Always(), {NotBlank("P40Title", kNoTitle)}},
        {41,
         IfChecked("P41Idle"),
         {InRange("P41Minutes", 1, 60,
                  "Invalid minutes specified. Value must be between 1 and 60. Please correct.")}},
        {42, IfChecked("P42GoTo"), {AtLeast("P42Track", 0, "Invalid track specified. Please correct.")}},
        {46, Always(), {NotBlank("P46FName", kNoFile), FileThere("P46FName", kWavMissing)}},
        {49, IfChecked("P48ChangeDir"), {NotBlank("P49Path", kNoFolder), FolderThere("P49Path")}},
        {49, IfChecked("P48CreateFolder"), {NotBlank("P49Path", kNoFolder)}},
        {49,
         IfAnyChecked({"P48CopyFile", "P48RenameFile", "P48DeleteFile"}),
         {NotBlank("P49Path", kNoFile), FileThere("P49Path", kFileMissing)}},
        {49,
         IfAnyChecked({"P48CopyFile", "P48RenameFile"}),
         {NotBlank("P49NewName", "No new file name specified.  Please correct.")}},
        {50, Always(), {Picked("P50Macros", "No macros have been selected for the menu. Please correct.")}},
        {58,
         Always(),
         {{[](const Answers& a) { return Blank(a, "P58Command"); },
           "A macro command has not been chosen yet.", "P58Choose"}}},
        {60,
         [](int, const Answers& a) { return a.Checked("P59No") && a.Checked("P60No"); },
         {{[](const Answers&) { return true; }, "You must capture either keystrokes, mouse or both.",
           "P60Yes"}}},
        {62, Always(), {Picked("P62ProgList", "No window title has been selected.")}},
        {64,
         Always(),
         {{[](const Answers& a) { return a.Items("P64NewBox").empty(); },
           "No macro commands have been moved over to form the new macro.", "P64AvailBox"}}},
        {66,
         Always(),
         {{[](const Answers& a) {
               return !PrefixKeysError(TrimBlanks(a.Text("P66PrefixKeys")).substr(0, 5), true).empty();
           },
           kPrefixInvalid, "P66PrefixKeys"}}},
        {76,
         Always(),
         {{[](const Answers& a) { return !Chosen(a, "P76AddressBox") && Blank(a, "P76Address"); },
           "No E-Mail address has been entered or selected.", "P76Address"}}},
    };
    return rows;
}

PageCheck Fail(const char* message, const char* focus) { return {Verdict::Fail, {message, focus}}; }

const char* FocusName(ScheduleFocus focus, int timePanel) {
    const int panel = timePanel < 0 ? 0 : timePanel;
    switch (focus) {
        case ScheduleFocus::Hour: return kHourBoxes[panel];
        case ScheduleFocus::Minute: return kMinuteBoxes[panel];
        case ScheduleFocus::OnceDay: return kOnceDay;
        case ScheduleFocus::Year: return kOnceYear;
        case ScheduleFocus::Month: return kOnceMonth;
        case ScheduleFocus::HourlyMinutes: return kHourlyMinutes;
        case ScheduleFocus::MonthlyDay: return kMonthlyDay;
        case ScheduleFocus::OtherMinutes: return kOtherMinutes;
        case ScheduleFocus::IdleMinutes: return kIdleMinutes;
        case ScheduleFocus::None: break;
    }
    return "";
}

PageCheck CheckPage3(int function, const Answers& a, const CheckEnv& env) {
    if (a.Checked(kP2Snipra)) {
        if (Blank(a, kP3SnipraName))
            return Fail("A Snipra name has not been entered. Please enter one.", kP3SnipraName);
        return {};
    }
    if (a.Checked(kP2Timed)) {
        const SchedulePanels panels = SchedulePanelsOf(a);
        const ScheduleCheck check = CheckSchedule(TMacroRecord{}, FormOfPanels(panels, PmOf(a)), env.today);
        if (check.ok) return {};
        return {Verdict::Fail, {check.message, FocusName(check.focus, TimePanelOfKind(panels.kind))}};
    }
    const int code = a.Index(kP3KeyList);
    if (code < 0) return Fail("A hot key has not been selected. Please select one.", kP3KeyList);
    if (code >= kHotKeyCodeCount || !env.globalHotKeys[static_cast<size_t>(code)]) return {};
    if (function == 7 || function == 25) return Fail(kGlobalOnly, "");
    return {Verdict::AskGlobal, {}};
}

// Nicknames no macro can share: the reminder's "<MACDEL:" deletes by nickname.
bool NicknameShared(const Answers& a, const CheckEnv& env) {
    const std::string nick = OneLineNickname(a.Text(kP10Nick));
    if (TrimBlanks(nick).empty()) return true;
    return std::find(env.nicknames.begin(), env.nicknames.end(), nick) != env.nicknames.end();
}

}  // namespace

bool FileMustExist(const std::string& path) {
    const std::string p = TrimBlanks(path);
    if (p.empty() || p.size() > 255) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}

bool FolderMustExist(const std::string& path) {
    std::string p = TrimBlanks(path);
    if (p.empty() || p.size() > 255) return false;
    if (p.size() > 1 && p.back() == '/') p.pop_back();
    std::error_code ec;
    return std::filesystem::is_directory(p, ec);
}

PageCheck ValidData(int page, int function, const Answers& answers, const CheckEnv& env) {
    if (page == 3) return CheckPage3(function, answers, env);
    for (const Row& row : Rows()) {
        if (row.page != page || !row.when(function, answers)) continue;
        for (const Test& t : row.tests)
            if (t.fails(answers)) return Fail(t.message, t.focus);
    }
    if (page == 10 && function == 10 && answers.Checked("P26Delete") && NicknameShared(answers, env))
        return Fail(kSelfDeletingNickname, kP10Nick);
    return {};
}

void LeaveGlobalScope(Answers& answers) {
    ControlState& global = answers.Set(kP7Global);
    global.enabled = false;
    answers.Choose(kP7SpecWin, {kP7Global, kP7SpecProg, kP7SpecWin});
}

}  // namespace tessaro::wizard
