#include "editor/script/script_writer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <span>
#include <string_view>

#include "editor/script/command_table.h"
#include "macro/macro_tokens.h"
#include "macro/macro_language.h"

namespace tessaro {

bool AppendPadded(std::string& out, long long value, int width) {
    const bool negative = value < 0;
    // Digits of the magnitude; long long's minimum is wider than any field anyway.
    char buf[24];
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    const auto end = std::to_chars(buf, buf + sizeof buf, magnitude).ptr;
    const int digits = static_cast<int>(end - buf);
    const int room = width - (negative ? 1 : 0);
    if (digits > room) return false;
    if (negative) out += '-';
    out.append(static_cast<std::size_t>(room - digits), '0');
    out.append(buf, end);
    return true;
}

bool AppendReal5(std::string& out, double value) {
    if (!std::isfinite(value)) return false;
    char buf[64];
    const int n = std::snprintf(buf, sizeof buf, "%.2f", value);
    if (n < 0 || n > 5) return false;
    if (n == 4) out += '0';
    out.append(buf, static_cast<std::size_t>(n));
    return true;
}

namespace {

using K = TokenKind;

// One command's text, built piece by piece; the first field that does not fit spoils it.
class Piece {
public:
    explicit Piece(int code) : code_(code) {}

    Piece& operator<<(std::string_view s) {
        text_ += s;
        return *this;
    }
    Piece& operator<<(K token) { return *this << SpecOf(token).prefix; }
    Piece& Num(long long value, int width) {
        if (error_.empty() && !AppendPadded(text_, value, width))
            Refuse(std::to_string(value), width, " digits");
        return *this;
    }
    Piece& Real5(double value) {
        if (error_.empty() && !AppendReal5(text_, value)) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.2f", value);
            Refuse(buf, 5, " characters");
        }
        return *this;
    }
    // A text the player reads up to the first of `stops`: holding one would end the
    // command early and type the rest, so it is refused.
    Piece& Free(std::string_view text, std::string_view stops = ">") {
        const auto bad = text.find_first_of(stops);
        if (bad == std::string_view::npos) return *this << text;
        Refuse("The command \"" + std::string(CommandName(code_)) + "\" holds the character \"" + text[bad] +
               "\" in a text, where it would end the command early.");
        return *this;
    }
    // Picks the token of a selector from its list; a value outside it adds nothing.
    Piece& Pick(std::span<const K> tokens, int value, int first) {
        const int i = value - first;
        if (i >= 0 && i < static_cast<int>(tokens.size())) *this << tokens[static_cast<std::size_t>(i)];
        return *this;
    }
    void Refuse(std::string message) {
        if (error_.empty()) error_ = std::move(message);
    }

    ScriptTextResult Result() && {
        ScriptTextResult r;
        if (!error_.empty()) {
            r.ok = false;
            r.error = std::move(error_);
        } else {
            r.text = std::move(text_);
        }
        return r;
    }

private:
    void Refuse(const std::string& value, int width, const char* unit) {
        Refuse("The value " + value + " of the command \"" + std::string(CommandName(code_)) +
               "\" does not fit in its " + std::to_string(width) + unit + ".");
    }

    int code_;
    std::string text_;
    std::string error_;
};

constexpr std::string_view kCurrent = "\"CURRENT\"";

template <typename R>
std::string_view TitleOrCurrent(const R& r) {
    return r.CurrentWindow ? kCurrent : std::string_view(r.Title);
}

// Program path, parameters and run style of the launch commands.
void ProgramPart(Piece& p, const TLaunchRec& r) {
    p.Free(r.ProgramPath);
    if (!r.Parameters.empty()) (p << "<PARAM>").Free(r.Parameters);
    if (r.Value3 != 0) p << std::to_string(r.Value3) << "\x01";
}

void NetFlags(Piece& p, const TNetRec& r, bool withF) {
    if (r.PFlag) p << "P";
    if (withF && r.FFlag) p << "F";
    if (r.SFlag) p << "S";
    p << ":";
}

void NetLogin(Piece& p, const TNetRec& r) {
    (p << "<NAME:").Free(r.UserName) << "><PASS:";
    p.Free(r.Password) << ">";
}

// Tokens of commands chosen by a selector, in selector order.
constexpr K kLeftButton[] = {K::LClk, K::LDClk, K::LDn, K::LUp};
constexpr K kRightButton[] = {K::RClk, K::RDClk, K::RDn, K::RUp};
constexpr K kMiddleButton[] = {K::MClk, K::MDClk, K::MDn, K::MUp};
constexpr K kCounters[] = {K::Counter1, K::Counter2, K::Counter3, K::Counter4};
constexpr K kVideo[] = {K::AviI, K::AviE, K::Avi};
constexpr K kWallpaper[] = {K::WallT, K::WallC, K::WallS, K::WallP};
constexpr K kScreenSaver[] = {K::SsOn, K::SsOff};
constexpr K kAudioVolume[] = {K::AudOff, K::AudOn, K::AudUp, K::AudDown};
constexpr K kAudioBalance[] = {K::AudLeft, K::AudRight, K::AudCenter};
constexpr K kTreble[] = {K::TrebUp, K::TrebDown};
constexpr K kBass[] = {K::BassUp, K::BassDown};
constexpr K kMidiVolume[] = {K::MidiOff, K::MidiOn, K::MidiUp, K::MidiDown};
constexpr K kMidiBalance[] = {K::MidiLeft, K::MidiRight, K::MidiCenter};
constexpr K kExplorerFolders[] = {K::ExpCp, K::ExpDt, K::ExpDp, K::ExpFv, K::ExpFt, K::ExpMc, K::ExpNw,
                                  K::ExpPr, K::ExpPf, K::ExpRd, K::ExpRb, K::ExpSm, K::ExpSu, K::ExpUd};
constexpr K kRunDialogs[] = {K::RunDt, K::RunFc, K::RunFf, K::RunRp};
constexpr K kMoves[] = {K::Mms, K::Mmw, K::Mmp};

// Commands that are one token whatever their record holds.
constexpr std::pair<int, K> kFixed[] = {
    {cmd::RepeatEnd, K::EndRep},
    {cmd::SoundBeep, K::Beep},
    {cmd::ClipboardCopy, K::ClipC},
    {cmd::ClipboardPaste, K::ClipP},
    {cmd::ClipboardStartCopy, K::BegClip},
    {cmd::ClipboardEndCopy, K::EndClip},
    {cmd::RepeatPromptStart, K::PromptRep},
    {cmd::CdPlay, K::CdPlay},
    {cmd::CdStop, K::CdStop},
    {cmd::CdPause, K::CdPause},
    {cmd::CdNextTrack, K::CdNext},
    {cmd::CdPreviousTrack, K::CdPrev},
    {cmd::CdEject, K::CdEject},
    {cmd::CdCloseTray, K::CdClose},
    {cmd::DesktopCascade, K::CascDesk},
    {cmd::DesktopMinimizeAll, K::MiniDesk},
    {cmd::DesktopRestoreAll, K::RestDesk},
    {cmd::Logoff, K::LogOff},
    {cmd::Reboot, K::Reboot},
    {cmd::ShutDown, K::Shutdown},
    {cmd::PowerOff, K::PowerOff},
    {cmd::AudioMuteToggle, K::AudMute},
    {cmd::MidiMuteToggle, K::MidiMute},
    {cmd::UndockComputer, K::Undock},
    {cmd::SuspendComputer, K::Suspend},
    {cmd::WaitTextPlayback, K::WaitPb},
};

// Commands that are a token name, one text field of the record, and ">".
constexpr std::pair<int, K> kNamed[] = {
    {cmd::WindowActivate, K::Activate},
    {cmd::LoadNewMacroFile, K::Swap},
    {cmd::LoadTextFile, K::TFile},
    {cmd::Remark, K::Rem},
    {cmd::ClipboardFileCopy, K::ClipF},
    {cmd::WebSite, K::Http},
    {cmd::WebFtp, K::Ftp},
    {cmd::ChangeFolder, K::ChDir},
    {cmd::DeleteFile, K::DelFile},
    {cmd::CreateFolder, K::MkDir},
    {cmd::MacroRun, K::MacRun},
    {cmd::MacroDelete, K::MacDel},
    {cmd::MacroActivate, K::MacAct},
    {cmd::MacroDeactivate, K::MacDeact},
    {cmd::OpenFolderInExplorer, K::Explore},
    {cmd::DefaultPrinter, K::DefPrt},
    {cmd::ClipboardGraphicCopy, K::ClipB},
    {cmd::EncryptedText, K::EText},
    {cmd::ClipboardSaveText, K::ClipST},
    {cmd::ClipboardAppendText, K::ClipAT},
    {cmd::ClipboardSaveGraphic, K::ClipSG},
};

// Window commands: token, then the title or the current window.
constexpr std::pair<int, K> kWindowCommands[] = {
    {cmd::WindowMaximize, K::WMax},   {cmd::WindowMinimize, K::WMin}, {cmd::WindowRestore, K::WRes},
    {cmd::WindowClose, K::WCls},      {cmd::WindowHide, K::WHide},    {cmd::WindowShow, K::WShow},
    {cmd::ProgramShutDown, K::WShut},
};

// Waits with a three-digit time-out: with an argument text, or without.
constexpr std::pair<int, K> kTextWaits[] = {
    {cmd::WaitForWindowTitle, K::WaitWin},
    {cmd::WaitWindowLoseFocus, K::WaitWlf},
    {cmd::WaitProgramTerminate, K::WaitProg},
    {cmd::WaitForKeyPress, K::WaitKey},
};
constexpr std::pair<int, K> kClickWaits[] = {
    {cmd::WaitLeftMouseClick, K::WaitLM},
    {cmd::WaitRightMouseClick, K::WaitRM},
    {cmd::WaitMiddleMouseClick, K::WaitMM},
};

// Held keys: the down token for the record's odd kind, else the up token.
struct HeldKey {
    int code;
    std::int32_t downKind;
    K down, up;
};
constexpr HeldKey kHeldKeys[] = {
    {cmd::ControlKey, 1, K::CtlD, K::CtlU},
    {cmd::AltKey, 3, K::AltD, K::AltU},
    {cmd::ShiftKey, 5, K::ShfD, K::ShfU},
    {cmd::WinKey, 7, K::WinD, K::WinU},
};

template <std::size_t N>
const K* Find(const std::pair<int, K> (&table)[N], int code) {
    for (const auto& [c, token] : table)
        if (c == code) return &token;
    return nullptr;
}

// The one text field that a kNamed command writes.
std::string_view NamedField(const LineRecord& rec) {
    return std::visit(
        [](const auto& r) -> std::string_view {
            using R = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<R, TNameRec>)
                return r.Name;
            else if constexpr (std::is_same_v<R, TClipRec>)
                return r.FileName;
            else if constexpr (std::is_same_v<R, TFileOpRec>)
                return r.Source;
            else if constexpr (std::is_same_v<R, TMacroRefRec>)
                return r.Nickname;
            else if constexpr (std::is_same_v<R, TLaunchRec>)
                return r.WindowTitle;
            else
                return {};
        },
        rec);
}

void DateTime(Piece& p, int code, const TDateTimeRec& r) {
    const bool date = code == cmd::Date;
    const std::string_view format = date ? DateFormat(r.FormatIndex) : TimeFormat(r.FormatIndex);
    if (format.empty()) {
        p.Refuse("The command \"" + std::string(CommandName(code)) + "\" has no format number " +
                 std::to_string(r.FormatIndex) + ".");
        return;
    }
    p << "<" << format << "{" << (r.YesNo ? "Y" : "N");
    if (date) {
        p << (r.Forward ? "F" : "P");
        p.Num(r.DayOffset, 3);
    }
    p << "}>";
}

// Commands whose text needs more than one table row.
void Special(Piece& p, int code, const LineRecord& rec) {
    using namespace cmd;
    switch (code) {
        case Text: p << std::get<TTextRec>(rec).Text; break;
        case Date:
        case Time: DateTime(p, code, std::get<TDateTimeRec>(rec)); break;
        case Delay: {
            const auto& r = std::get<TDelayRec>(rec);
            if (r.Unit == 1)
                (p << K::Delay).Real5(r.Amount) << ">";
            else
                (p << K::Msd).Num(std::llround(r.Amount), 4) << ">";
            break;
        }
        case WaitTimeDelay:
            (p << K::TDelay).Num(std::llround(std::get<TDelayRec>(rec).Amount), 2) << ">";
            break;
        case Pause: {
            const auto& r = std::get<TPauseRec>(rec);
            if (r.Kind == 1) {
                p << K::PauseBasic;
                break;
            }
            (p << K::Pause).Num(r.X, 3) << ",";
            p.Num(r.Y, 3).Free(r.Message) << ">";
            break;
        }
        case RepeatStart: {
            const auto& r = std::get<TRepeatRec>(rec);
            (p << K::Rep).Num(r.Count, 4) << ":";
            p.Num(r.StartAt, 6) << ":";
            p.Num(r.StepBy, 6) << ">";
            break;
        }
        case RepeatCounter: p.Pick(kCounters, std::get<TRepeatRec>(rec).Count, 1); break;
        case KeystrokeSpeed: (p << K::SpKey).Num(std::get<TSpeedRec>(rec).Speed, 4) << ">"; break;
        case MouseSpeed: (p << K::SpMse).Num(std::get<TSpeedRec>(rec).Speed, 4) << ">"; break;
        case MacroPlaybackSpeed: (p << K::Speed).Real5(std::get<TSpeedRec>(rec).PlaybackSpeed) << ">"; break;
        case ProgramLaunch: {
            const auto& r = std::get<TLaunchRec>(rec);
            (p << K::LaunchDel).Num(r.Value1, 2);
            ProgramPart(p, r);
            p << ">";
            break;
        }
        case ActivateOrLaunch:
        case LaunchAndActivate: {
            const auto& r = std::get<TLaunchRec>(rec);
            p << (code == ActivateOrLaunch ? K::LaunchYes2 : K::LaunchNo2);
            p.Num(r.Value1, 2).Num(r.Value2, 2).Free(r.WindowTitle, "<") << K::Launch;
            ProgramPart(p, r);
            p << ">";
            break;
        }
        case SoundWaveFile: {
            const auto& r = std::get<TSoundRec>(rec);
            (p << (r.WaitFlag ? K::Wav1 : K::Wav2)).Free(r.FileName) << ">";
            break;
        }
        case WindowResize:
        case WindowReposition: {
            const auto& r = std::get<TSizeRec>(rec);
            const int width = code == WindowResize ? 4 : 5;
            (p << (code == WindowResize ? K::WSize : K::WPos2)).Num(r.X, width) << ",";
            p.Num(r.Y, width).Free(TitleOrCurrent(r)) << ">";
            break;
        }
        case MouseMove: {
            const auto& r = std::get<TMouseRec>(rec);
            if (r.MoveKind == 4) {
                p << K::Mmc;
            } else if (r.MoveKind >= 1 && r.MoveKind <= 3) {
                p.Pick(kMoves, r.MoveKind, 1).Num(r.X, 5) << ",";
                p.Num(r.Y, 5) << ">";
            }
            break;
        }
        case MouseLeftButton: p.Pick(kLeftButton, std::get<TMouseRec>(rec).Action, 2); break;
        case MouseRightButton: p.Pick(kRightButton, std::get<TMouseRec>(rec).Action, 6); break;
        case MouseMiddleButton: p.Pick(kMiddleButton, std::get<TMouseRec>(rec).Action, 10); break;
        case MouseWheel: {
            const auto& r = std::get<TMouseRec>(rec);
            (p << (r.Action == 14 ? K::Wfw : K::Wbw)).Num(r.WheelCount, 3) << ">";
            break;
        }
        case CopyFile:
        case RenameFile: {
            const auto& r = std::get<TFileOpRec>(rec);
            (p << (code == CopyFile ? K::CopyFile : K::RenFile)).Free(r.Source, ";") << ";";
            p.Free(r.Target) << ">";
            break;
        }
        case NetworkConnect:
        case NetworkToggle: {
            const auto& r = std::get<TNetRec>(rec);
            p << (code == NetworkConnect ? K::Nwc : K::Nwt);
            NetFlags(p, r, false);
            NetLogin(p, r);
            p.Free(r.Resource) << ">";
            break;
        }
        case NetworkDisconnect: {
            const auto& r = std::get<TNetRec>(rec);
            p << K::Nwd;
            NetFlags(p, r, true);
            p.Free(r.Resource) << ">";
            break;
        }
        case WindowOfText: {
            const auto& r = std::get<TWTextRec>(rec);
            (p << K::TBox).Free(r.Title) << ">";
            p.Free(r.Text) << ">";
            break;
        }
        case VideoClipPlay: {
            const auto& r = std::get<TVideoRec>(rec);
            if (r.Kind >= 1 && r.Kind <= 3) p.Pick(kVideo, r.Kind, 1).Free(r.FileName) << ">";
            break;
        }
        case CdGoToTrack: (p << K::CdGoto).Num(std::get<TCDRec>(rec).Track, 2) << ">"; break;
        // The player reads three digits of seconds for these two.
        case CdStep: (p << K::CdStep).Num(std::get<TCDRec>(rec).Track, 3) << ">"; break;
        case CdBack: (p << K::CdBack).Num(std::get<TCDRec>(rec).Track, 3) << ">"; break;
        case DesktopTile: p << (std::get<TDeskRec>(rec).Kind == 2 ? K::TilVDesk : K::TilHDesk); break;
        case ClipboardTypeText: p << (std::get<TClipRec>(rec).Flag ? K::ClipTypeI : K::ClipType); break;
        case DefaultDisplaySize: (p << K::Screen).Num(std::get<TDisplayRec>(rec).ModeIndex, 3) << ">"; break;
        case ScreenSaver: {
            const auto& r = std::get<TSysRec>(rec);
            if (r.Kind == 3)
                (p << K::SsTime).Num(r.Value, 2) << ">";
            else
                p.Pick(kScreenSaver, r.Kind, 1);
            break;
        }
        case KeyboardRepeatSpeed: (p << K::KeySpd).Num(std::get<TSysRec>(rec).Value, 2) << ">"; break;
        case WindowsSizingBorder: (p << K::WbSize).Num(std::get<TSysRec>(rec).Value, 2) << ">"; break;
        case KeyboardDelay: (p << K::KeyDel).Num(std::get<TSysRec>(rec).Value, 1) << ">"; break;
        case Wallpaper: {
            const auto& r = std::get<TSysRec>(rec);
            if (r.Style < 0 || r.Style > 3) break;
            p.Pick(kWallpaper, r.Style, 0);
            if (r.Style == 3) {
                p.Num(r.X, 4) << ",";
                p.Num(r.Y, 4);
            }
            p.Free(r.FileName) << ">";
            break;
        }
        case AudioVolume: p.Pick(kAudioVolume, std::get<TVolumeRec>(rec).Kind, 1); break;
        case AudioBalance: p.Pick(kAudioBalance, std::get<TVolumeRec>(rec).Kind, 6); break;
        case AudioTreble: p.Pick(kTreble, std::get<TVolumeRec>(rec).Kind, 9); break;
        case AudioBass: p.Pick(kBass, std::get<TVolumeRec>(rec).Kind, 19); break;
        case MidiVolume: p.Pick(kMidiVolume, std::get<TVolumeRec>(rec).Kind, 11); break;
        case MidiBalance: p.Pick(kMidiBalance, std::get<TVolumeRec>(rec).Kind, 16); break;
        case DialUpNetworking: {
            const auto& r = std::get<TDialRec>(rec);
            if (r.Kind != 1) {
                p << K::Hang;
                break;
            }
            (p << K::Dial).Free(r.UserName) << "><PASS:";
            p.Free(r.Password) << ">";
            p.Free(r.Entry) << ">";
            break;
        }
        case WaitForText: {
            const auto& r = std::get<TWaitRec>(rec);
            (p << (r.Found ? K::WaitTxtY : K::WaitTxtN)).Num(r.TimeOut, 3) << ":";
            p.Free(r.Text) << ">";
            break;
        }
        case WaitTimeElapse: (p << K::WaitTime).Num(std::get<TWaitRec>(rec).TimeOut, 8) << ">"; break;
        case OpenExplorerTo: p.Pick(kExplorerFolders, std::get<TDeskRec>(rec).Kind, 12); break;
        case RunDialogWindow: p.Pick(kRunDialogs, std::get<TDeskRec>(rec).Kind, 8); break;
        case EmailSend: p << std::get<TEmailRec>(rec).Token; break;
        default: break;
    }
}

}  // namespace

ScriptTextResult CommandText(int code, const LineRecord& rec) {
    Piece p(code);
    if (!RecordFitsCommand(code, rec)) {
        p.Refuse("The command \"" + std::string(CommandName(code)) +
                 "\" has lost its settings and cannot be saved.");
        return std::move(p).Result();
    }
    if (const auto* t = Find(kFixed, code)) {
        p << *t;
    } else if (const auto* n = Find(kNamed, code)) {
        (p << *n).Free(NamedField(rec)) << ">";
    } else if (const auto* w = Find(kWindowCommands, code)) {
        (p << *w).Free(TitleOrCurrent(std::get<TWindowRec>(rec))) << ">";
    } else if (const auto* tw = Find(kTextWaits, code)) {
        const auto& r = std::get<TWaitRec>(rec);
        (p << *tw).Num(r.TimeOut, 3) << ":";
        p.Free(r.Text) << ">";
    } else if (const auto* cw = Find(kClickWaits, code)) {
        (p << *cw).Num(std::get<TWaitRec>(rec).TimeOut, 3) << ">";
    } else if (code >= cmd::ControlKey && code <= cmd::WinKey) {
        const HeldKey& k = kHeldKeys[code - cmd::ControlKey];
        p << (std::get<TKeyRec>(rec).Kind == k.downKind ? k.down : k.up);
    } else {
        Special(p, code, rec);
    }
    return std::move(p).Result();
}

ScriptTextResult BuildMacroText(const std::vector<ScriptLine>& lines) {
    ScriptTextResult all;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int code = LineCommand(lines[i]);
        if (code == 0) continue;
        ScriptTextResult one = CommandText(code, lines[i].Record);
        if (!one.ok) {
            one.line = static_cast<int>(i);
            one.error = "Line " + std::to_string(i + 1) + ": " + one.error;
            return one;
        }
        all.text += one.text;
    }
    return all;
}

}  // namespace tessaro
