#include "editor/script/display_text.h"

#include <array>
#include <cmath>
#include <span>

#include "macro/macro_tokens.h"
#include "editor/script/text_util.h"
#include "foundation/strings.h"

namespace tessaro {
namespace {

constexpr std::size_t kMaxDisplay = 255;

// A nickname is no path: only a backslash divides it (a "/" is part of the name).
std::string_view NicknamePart(std::string_view nickname) {
    const auto pos = nickname.rfind('\\');
    return pos == std::string_view::npos ? nickname : nickname.substr(pos + 1);
}

// Each format applied to Monday 30 March 1998, 15:04:23.
constexpr std::array<std::string_view, kDateFormatCount> kDateExamples = {
    "03/30/98",
    "03-30-98",
    "03.30.98",
    "03/30/1998",
    "03-30-1998",
    "03.30.1998",
    "30/03/98",
    "30-03-98",
    "30.03.98",
    "30/03/1998",
    "30-03-1998",
    "30.03.1998",
    "98/03/30",
    "98-03-30",
    "98.03.30",
    "1998/03/30",
    "1998-03-30",
    "1998.03.30",
    "MAR 1998",
    "Mar 1998",
    "30 MAR 98",
    "30 Mar 98",
    "30 MAR 1998",
    "30 Mar 1998",
    "30 March 98",
    "30 March 1998",
    "Mar 30 98",
    "Mar 30, 98",
    "Mar 30 1998",
    "Mar 30, 1998",
    "March 30 98",
    "March 30, 98",
    "March 30 1998",
    "March 30, 1998",
    "033098",
    "03301998",
    "300398",
    "30031998",
    "980330",
    "19980330",
    "30",
    "03",
    "Mar",
    "MAR",
    "March",
    "98",
    "1998",
    "Mon",
    "MON",
    "Monday",
    "MONDAY",
};
constexpr std::array<std::string_view, kTimeFormatCount> kTimeExamples = {
    "15:04",      "15.04",      "15,04",      "1504",    "15:04:23", "15.04.23", "15,04,23",
    "150423",     "15",         "04",         "23",      "3:04 pm",  "3.04 pm",  "3,04 pm",
    "3:04:23 pm", "3.04.23 pm", "3,04,23 pm", "3:04 PM", "3.04 PM",  "3,04 PM",  "3:04:23 PM",
    "3.04.23 PM", "3,04,23 PM", "3:04p",      "3.04p",   "3,04p",
};

constexpr std::string_view kRunDialogs[] = {"Date and Time", "Find Computers", "Find Files", "Run Programs"};
constexpr std::string_view kFolders[] = {
    "Control Panel",  "Desktop",          "Desktop Programs",     "Favorites",
    "Fonts",          "My Computer",      "Network Neighborhood", "Printers",
    "Programs",       "Recent Documents", "Recycle Bin",          "Start Menu",
    "Startup Folder", "User Documents"};
constexpr std::string_view kVolumeSteps[] = {" Off", " On Full", " Up", " Down"};
constexpr std::string_view kBalance[] = {" Left", " Right", " Centered"};
constexpr std::string_view kUpDown[] = {" Up", " Down"};
constexpr std::string_view kButtonActions[] = {" Click", " Double Click", " Down", " Up"};
constexpr std::string_view kMoveKinds[] = {" Screen ", " Window ", " Position "};
constexpr std::string_view kRecipients[] = {"Know Recipients, ", "Prompt For Recipients, "};
constexpr std::string_view kMailTexts[] = {"Fixed Text, ", "Prompt For Text, ", "Text From Clipboard, ",
                                           "Text From File, "};
constexpr std::string_view kAttachments[] = {"No Attachments", "Attachments", "Prompt For Attachments"};

// The entry `value - first` of the list; empty outside it.
std::string_view Pick(std::span<const std::string_view> list, int value, int first) {
    const int i = value - first;
    if (i < 0 || i >= static_cast<int>(list.size())) return {};
    return list[static_cast<std::size_t>(i)];
}

std::string Num(long long v) { return std::to_string(v); }

std::string Fixed(double v, int decimals) { return FormatReal(v, 1, decimals); }

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

// A long text cut to 50 characters, with dots only when more than three were cut.
std::string Cut50(std::string_view s) {
    std::string out(s.substr(0, 50));
    if (s.size() > 53) out += "...";
    return out;
}

// An address or remark: whole up to 43 characters, else 40 and dots.
std::string Cut43(std::string_view s) {
    if (s.size() <= 43) return std::string(s);
    return std::string(s.substr(0, 40)) + "...";
}

std::string Summary(int code, const TTextRec& r) {
    (void)code;
    return ": " + Cut50(r.Text);
}

std::string Summary(int code, const TDateTimeRec& r) {
    std::string out;
    if (code == cmd::Date && r.DayOffset >= 1) {
        out = " (" + Num(r.DayOffset) + (r.DayOffset == 1 ? " day" : " days") +
              (r.Forward ? " in future)" : " in past)");
    }
    const bool date = code == cmd::Date;
    out += ": ";
    out += date ? DateFormat(r.FormatIndex) : TimeFormat(r.FormatIndex);
    out += "  (";
    out += date ? DateExample(r.FormatIndex) : TimeExample(r.FormatIndex);
    return out + ")";
}

std::string Summary(int code, const TDelayRec& r) {
    if (code == cmd::WaitTimeDelay) return " " + Fixed(r.Amount, 0) + " Seconds";
    if (r.Unit == 1) return " " + Fixed(r.Amount, 2) + " Seconds";
    return " " + Fixed(r.Amount, 0) + " Milliseconds";
}

std::string Summary(int, const TPauseRec& r) { return r.Kind == 1 ? ": Basic" : ": Complex"; }

std::string Summary(int code, const TRepeatRec& r) {
    switch (code) {
        case cmd::RepeatStart:
            return ": " + Num(r.Count) + " Times, Starting at " + Num(r.StartAt) + " Stepping by " +
                   Num(r.StepBy);
        case cmd::RepeatPromptStart: return ": (prompt for repeat count at macro play time)";
        case cmd::RepeatCounter: return ": Width " + Num(r.Count);
        default: return {};
    }
}

std::string Summary(int code, const TSpeedRec& r) {
    if (code != cmd::MacroPlaybackSpeed) return ": " + Num(r.Speed) + " Milliseconds";
    const double s = r.PlaybackSpeed;
    if (s == 0) return ": No Speed";
    if (s == 1) return ": Normal Speed";
    if (s < 1) return ": " + SpeedFactorText(1 / s) + " Times Faster Than Normal";
    return ": " + SpeedFactorText(s) + " Times Slower Than Normal";
}

std::string Summary(int code, const TLaunchRec& r) {
    switch (code) {
        case cmd::WindowActivate: return ": " + Quoted(r.WindowTitle);
        case cmd::ActivateOrLaunch:
            return ": " + Quoted(r.WindowTitle) + " OR " + std::string(FileNamePart(r.ProgramPath));
        default: return ": " + std::string(FileNamePart(r.ProgramPath));
    }
}

std::string Summary(int code, const TSoundRec& r) {
    if (code == cmd::SoundBeep) return {};
    return ": " + std::string(FileNamePart(r.FileName));
}

std::string Summary(int code, const TNameRec& r) {
    switch (code) {
        case cmd::LoadNewMacroFile:
        case cmd::LoadTextFile: return ": " + std::string(FileNamePart(r.Name));
        case cmd::Remark:
        case cmd::WebSite:
        case cmd::WebFtp: return ": " + Cut43(r.Name);
        case cmd::OpenFolderInExplorer:
        case cmd::DefaultPrinter: return ": " + r.Name;
        default: return {};  // encrypted text shows no content
    }
}

std::string Summary(int code, const TSizeRec& r) {
    const std::string w = r.CurrentWindow ? " - Current Win" : " - " + Quoted(r.Title);
    if (code == cmd::WindowResize) return w + " (Width: " + Num(r.X) + " Height: " + Num(r.Y) + ")";
    return w + " (Left: " + Num(r.X) + " Top: " + Num(r.Y) + ")";
}

std::string Summary(int, const TWindowRec& r) {
    return r.CurrentWindow ? " - Current Window" : " - Window Title: " + r.Title;
}

std::string Summary(int code, const TMouseRec& r) {
    switch (code) {
        case cmd::MouseMove:
            if (r.MoveKind == 4) return " To Caret";
            return std::string(Pick(kMoveKinds, r.MoveKind, 1)) + Num(r.X) + "," + Num(r.Y);
        case cmd::MouseLeftButton: return std::string(Pick(kButtonActions, r.Action, 2));
        case cmd::MouseRightButton: return std::string(Pick(kButtonActions, r.Action, 6));
        case cmd::MouseMiddleButton: return std::string(Pick(kButtonActions, r.Action, 10));
        default: return " " + Num(r.WheelCount) + (r.Action == 14 ? " Clicks Forward" : " Clicks Backward");
    }
}

std::string Summary(int code, const TClipRec& r) {
    switch (code) {
        case cmd::ClipboardFileCopy:
        case cmd::ClipboardGraphicCopy:
        case cmd::ClipboardSaveText:
        case cmd::ClipboardAppendText:
        case cmd::ClipboardSaveGraphic:
            return ": " + (r.FileName == ":PROMPT:" ? std::string("(Prompt for file name)")
                                                    : std::string(FileNamePart(r.FileName)));
        default: return {};
    }
}

std::string Summary(int, const TKeyRec& r) { return r.Kind % 2 == 1 ? " Down" : " Up"; }

std::string Summary(int code, const TFileOpRec& r) {
    if (code == cmd::ChangeFolder || code == cmd::CreateFolder) return ": " + r.Source;
    return ": " + std::string(FileNamePart(r.Source));
}

std::string Summary(int, const TMacroRefRec& r) { return ": " + std::string(NicknamePart(r.Nickname)); }

std::string Summary(int code, const TNetRec& r) {
    const std::string_view res = r.Resource;
    if (code == cmd::NetworkDisconnect) return ": " + r.Resource;
    return ": " + std::string(res.substr(0, 2)) + " to " +
           std::string(res.size() > 2 ? res.substr(2) : std::string_view());
}

std::string Summary(int, const TWTextRec& r) { return ": " + Cut50(r.Text); }

std::string Summary(int, const TVideoRec& r) { return ": " + std::string(FileNamePart(r.FileName)); }

std::string Summary(int code, const TCDRec& r) {
    switch (code) {
        case cmd::CdGoToTrack: return " " + FormatThousands(r.Track, 1, 0);
        case cmd::CdStep: return " Forward " + FormatThousands(r.Track, 1, 0) + " Seconds";
        case cmd::CdBack: return " Up " + FormatThousands(r.Track, 1, 0) + " Seconds";
        default: return {};
    }
}

std::string Summary(int code, const TDeskRec& r) {
    switch (code) {
        case cmd::DesktopTile: return r.Kind == 2 ? " Vertically" : " Horizontally";
        case cmd::RunDialogWindow: return ": " + std::string(Pick(kRunDialogs, r.Kind, 8));
        case cmd::OpenExplorerTo: return ": " + std::string(Pick(kFolders, r.Kind, 12));
        default: return {};
    }
}

std::string Summary(int, const TDisplayRec&) { return {}; }

std::string Summary(int code, const TSysRec& r) {
    if (code == cmd::Wallpaper) return ": " + std::string(FileNamePart(r.FileName));
    if (code != cmd::ScreenSaver) return {};
    if (r.Kind == 1) return " On";
    if (r.Kind == 2) return " Off";
    return " Timer Set To " + Num(r.Value) + " Minutes";
}

std::string Summary(int code, const TVolumeRec& r) {
    switch (code) {
        case cmd::AudioVolume: return std::string(Pick(kVolumeSteps, r.Kind, 1));
        case cmd::MidiVolume: return std::string(Pick(kVolumeSteps, r.Kind, 11));
        case cmd::AudioBalance: return std::string(Pick(kBalance, r.Kind, 6));
        case cmd::MidiBalance: return std::string(Pick(kBalance, r.Kind, 16));
        case cmd::AudioTreble: return std::string(Pick(kUpDown, r.Kind, 9));
        case cmd::AudioBass: return std::string(Pick(kUpDown, r.Kind, 19));
        default: return {};
    }
}

std::string Summary(int code, const TWaitRec& r) {
    switch (code) {
        case cmd::WaitForWindowTitle:
        case cmd::WaitWindowLoseFocus:
        case cmd::WaitProgramTerminate:
        case cmd::WaitForText: return ": " + r.Text;
        case cmd::WaitTimeElapse:
            return ": " + Num(r.TimeOut / 60) + " Minutes " + Num(r.TimeOut % 60) + " Seconds";
        default: return {};
    }
}

std::string Summary(int, const TDialRec& r) {
    return r.Kind == 1 ? ": Dial " + r.Entry : std::string(": Hang Up");
}

std::string Summary(int, const TEmailRec& r) {
    return ": " + std::string(Pick(kRecipients, r.RecipientMode, 1)) +
           std::string(Pick(kMailTexts, r.TextMode, 1)) + std::string(Pick(kAttachments, r.AttachMode, 1));
}

}  // namespace

std::string_view DateExample(int index) {
    if (index < 1 || index > kDateFormatCount) return {};
    return kDateExamples[static_cast<std::size_t>(index - 1)];
}

std::string_view TimeExample(int index) {
    if (index < 1 || index > kTimeFormatCount) return {};
    return kTimeExamples[static_cast<std::size_t>(index - 1)];
}

std::string SpeedFactorText(double factor) {
    std::string s = Fixed(factor, 2);
    if (s.ends_with(".00"))
        s.resize(s.size() - 3);
    else if (s.size() >= 3 && s.back() == '0' && s[s.size() - 3] == '.')
        s.pop_back();
    return s;
}

std::string DisplayText(int code, const LineRecord& rec) {
    std::string text(CommandName(code));
    if (RecordFitsCommand(code, rec))
        text += std::visit([code](const auto& r) { return Summary(code, r); }, rec);
    if (text.size() > kMaxDisplay) text.resize(kMaxDisplay);
    return text;
}

ScriptLine MakeLine(int code, LineRecord rec) {
    std::string text = DisplayText(code, rec);
    return {std::move(text), std::move(rec)};
}

}  // namespace tessaro
