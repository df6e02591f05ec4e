#include "editor/script/parse_token.h"

#include <array>
#include <cassert>
#include <cmath>
#include <vector>

#include "editor/script/command_table.h"
#include "editor/script/display_text.h"
#include "editor/script/script_writer.h"
#include "editor/script/text_util.h"
#include "macro/command_numbers.h"
#include "macro/macro_language.h"

namespace tessaro::parse {

namespace {

constexpr std::size_t kDisplayLimit = 255;

struct Row;
using Recogniser = std::optional<Made> (*)(const Cursor&, const Row&);

// One token of the table. `length` is the whole token's length when its ">" stands at a
// fixed place; `at` and `width` place its number field.
struct Row {
    TokenKind token;
    Recogniser recognise;
    int code = 0;
    int kind = 0;
    std::size_t length = 0;
    std::size_t at = 0;
    std::size_t width = 0;
    bool flag = false;
    std::string_view literal = {};  // the token's spelling, from the language's table
};

std::string N(int code) { return std::string(CommandName(code)); }

// A line with the display text every editor gives it.
Made Line(std::size_t length, int code, LineRecord record) {
    return Made{length, tessaro::MakeLine(code, std::move(record)), code};
}

// A line whose display text the parser words its own way.
Made Line(std::size_t length, int code, std::string display, LineRecord record) {
    return Made{length, MakeLine(code, std::move(display), std::move(record)), code};
}

// Free text from offset k to the delimiter. The fixed fields between the literal and k
// must not hold the token's ">": such a token would swallow the text after it.
std::optional<FreeText> TextFrom(const Cursor& c, const Row& row, std::size_t k) {
    for (std::size_t i = row.literal.size(); i < k; ++i) {
        if (c.CharIs(i, '>')) return std::nullopt;
    }
    return c.Until(k, '>');
}

// A real the serialiser could not write back in its five characters (a delay of 99999
// seconds) would make the macro unsavable, and one it would round ("0.125" written as
// "00.13") would play otherwise once saved: such a token stays typed text.
bool FitsReal5(double value) {
    std::string written;
    return AppendReal5(written, value) && ArgReal(written) == value;
}

// Likewise a number the serialiser writes in `width` digits: whole, and short enough.
bool FitsWhole(double value, int width) {
    std::string written;
    return value == std::floor(value) && std::fabs(value) < 1e15 &&
           AppendPadded(written, static_cast<long long>(value), width);
}

// ---- Key tokens: part of the typed text.

std::optional<Made> Join(const Cursor&, const Row& row) { return Made{row.literal.size(), std::nullopt, 0}; }

std::optional<Made> JoinClosed(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    return Made{row.length, std::nullopt, 0};
}

// ---- Whole tokens of a single command.

std::optional<Made> Volume(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code, TVolumeRec{row.kind});
}

std::optional<Made> KeyUpDown(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code, TKeyRec{row.kind});
}

std::optional<Made> MouseButton(const Cursor&, const Row& row) {
    TMouseRec rec{.X = 0, .Y = 0, .WheelCount = 0, .Action = row.kind, .MoveKind = 2};
    return Line(row.literal.size(), row.code, rec);
}

std::optional<Made> MouseWheel(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    TMouseRec rec{.X = 0, .Y = 0, .WheelCount = c.Int(5, 3), .Action = row.kind, .MoveKind = 2};
    return Line(row.length, row.code, rec);
}

std::optional<Made> MouseMove(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    TMouseRec rec{.X = c.Int(5, 5), .Y = c.Int(11, 5), .WheelCount = 0, .Action = 1, .MoveKind = row.kind};
    return Line(row.length, row.code, rec);
}

std::optional<Made> MouseCaret(const Cursor&, const Row& row) {
    TMouseRec rec{.X = 0, .Y = 0, .WheelCount = 0, .Action = 1, .MoveKind = 4};
    return Line(row.literal.size(), row.code, rec);
}

// ---- Pause, delays, windows.

std::optional<Made> PauseWithMessage(const Cursor& c, const Row& row) {
    const auto message = TextFrom(c, row, 14);
    if (!message) return std::nullopt;
    // The first number is the top, the second the left coordinate of the message window.
    TPauseRec rec{.Kind = 2, .X = c.Int(7, 3), .Y = c.Int(11, 3), .Message = std::string(message->text)};
    return Line(message->next, row.code, std::move(rec));
}

std::optional<Made> PausePlain(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code, TPauseRec{.Kind = 1, .X = 0, .Y = 0, .Message = {}});
}

std::optional<Made> Delay(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    // Read as the player reads it: milliseconds are whole, seconds may have decimals.
    const TDelayRec rec{.Unit = row.kind, .Amount = CommandNumber(row.token, 0, c.Field(row.at, row.width))};
    if (rec.Unit == 1 ? !FitsReal5(rec.Amount) : !FitsWhole(rec.Amount, static_cast<int>(row.width)))
        return std::nullopt;
    return Line(row.length, row.code, rec);
}

std::optional<Made> WindowCommand(const Cursor& c, const Row& row) {
    const auto title = TextFrom(c, row, row.literal.size());
    if (!title) return std::nullopt;
    TWindowRec rec{.Title = {}, .Kind = row.kind, .CurrentWindow = IsCurrentWindowTitle(title->text)};
    if (!rec.CurrentWindow) rec.Title = std::string(title->text);
    // Shorter than the editors' " - Current Window".
    std::string display =
        N(row.code) + (rec.CurrentWindow ? " - Current Win" : " - Window Title: " + rec.Title);
    return Line(title->next, row.code, std::move(display), std::move(rec));
}

std::optional<Made> SizeOrPosition(const Cursor& c, const Row& row) {
    const std::size_t n = row.literal.size();
    const std::size_t w = row.width;
    const auto title = TextFrom(c, row, n + 2 * w + 1);
    if (!title) return std::nullopt;
    TSizeRec rec{.Title = {},
                 .Kind = row.kind,
                 .CurrentWindow = IsCurrentWindowTitle(title->text),
                 .X = c.Int(n, w),
                 .Y = c.Int(n + w + 1, w)};
    if (!rec.CurrentWindow) rec.Title = std::string(title->text);
    return Line(title->next, row.code, std::move(rec));
}

// ---- Repeats and counters.

std::optional<Made> Counter(const Cursor&, const Row& row) {
    TRepeatRec rec{.Kind = 4, .Count = row.kind, .StartAt = 1, .StepBy = 1};
    return Line(row.literal.size(), row.code, rec);
}

std::optional<Made> RepeatCount(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    TRepeatRec rec{.Kind = 1, .Count = c.Int(8, 4), .StartAt = 1, .StepBy = 1};
    return Line(row.length, row.code, N(row.code) + ": " + std::to_string(rec.Count), rec);
}

std::optional<Made> Repeat(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    TRepeatRec rec{.Kind = 1, .Count = c.Int(5, 4), .StartAt = c.Int(10, 6), .StepBy = c.Int(17, 6)};
    return Line(row.length, row.code, rec);
}

std::optional<Made> RepeatMark(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code,
                TRepeatRec{.Kind = row.kind, .Count = 0, .StartAt = 1, .StepBy = 1});
}

// ---- System settings.

TSysRec SysRecord(int kind) {
    TSysRec rec;
    rec.Kind = kind;
    return rec;
}

std::optional<Made> ScreenSaverSwitch(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code, SysRecord(row.kind));
}

std::optional<Made> SystemValue(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    TSysRec rec = SysRecord(row.kind);
    rec.Value = c.Int(row.at, row.width);
    return Line(row.length, row.code, rec);
}

std::optional<Made> Wallpaper(const Cursor& c, const Row& row) {
    const auto text = TextFrom(c, row, row.literal.size());
    if (!text) return std::nullopt;
    TSysRec rec = SysRecord(6);
    rec.Style = row.kind;
    if (row.kind == 3) {  // position: x in characters 1-4, y in 6-9, the file from 10
        // Without its coordinates the token is damaged; writing zeros in would change it.
        if (text->text.size() < 9) return std::nullopt;
        rec.X = ToInt(text->text.substr(0, 4));
        rec.Y = ToInt(text->text.substr(5, 4));
        rec.FileName = std::string(text->text.substr(9));
    } else {
        rec.FileName = std::string(text->text);
    }
    return Line(text->next, row.code, std::move(rec));
}

// ---- Clipboard, CD, video, sound, desktop.

std::optional<Made> ClipWhole(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code,
                TClipRec{.Kind = row.kind, .FileName = {}, .Flag = row.kind == 8});
}

std::optional<Made> ClipFile(const Cursor& c, const Row& row) {
    const auto file = TextFrom(c, row, row.literal.size());
    if (!file) return std::nullopt;
    return Line(file->next, row.code,
                TClipRec{.Kind = row.kind, .FileName = std::string(file->text), .Flag = false});
}

std::optional<Made> CdWhole(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code, TCDRec{.Kind = row.kind, .Track = 0});
}

// Go-to-track has two digits; step and back are read with two or three.
std::optional<Made> CdNumber(const Cursor& c, const Row& row) {
    std::size_t length = row.length;
    if (!c.ClosedAt(length)) {
        if (row.kind == 6 || !c.ClosedAt(length + 1)) return std::nullopt;
        ++length;
    }
    return Line(length, row.code, TCDRec{.Kind = row.kind, .Track = c.Int(8, length - 9)});
}

std::optional<Made> Video(const Cursor& c, const Row& row) {
    const auto file = TextFrom(c, row, row.literal.size());
    if (!file) return std::nullopt;
    return Line(file->next, row.code, TVideoRec{.FileName = std::string(file->text), .Kind = row.kind});
}

std::optional<Made> WaveFile(const Cursor& c, const Row& row) {
    const auto file = TextFrom(c, row, row.literal.size());
    if (!file) return std::nullopt;
    return Line(file->next, row.code,
                TSoundRec{.Kind = 2, .FileName = std::string(file->text), .WaitFlag = row.kind == 1});
}

std::optional<Made> Beep(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code, TSoundRec{.Kind = 1, .FileName = {}, .WaitFlag = true});
}

std::optional<Made> Desk(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code, TDeskRec{row.kind});
}

// Run dialogs and system folders: the parser's own wording of their names.
std::optional<Made> DeskNamed(const Cursor&, const Row& row) {
    static constexpr std::string_view kNames[] = {
        "Date and Time",  "Find Computer",    "Find Files",           "Run Program",
        "Control Panel",  "DeskTop",          "DeskTop Programs",     "Favorites",
        "Fonts",          "My Computer",      "Network Neighborhood", "Printers",
        "Programs",       "Recent Documents", "Recycle Bin",          "Start Menu",
        "Startup Folder", "User Documents"};
    std::string display = N(row.code) + ": " + std::string(kNames[row.kind - 8]);
    return Line(row.literal.size(), row.code, std::move(display), TDeskRec{row.kind});
}

// ---- Speeds.

std::optional<Made> PlaybackSpeed(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    // A field the player takes for no factor stays typed text: written back as it stands,
    // it still leaves the speed as it was.
    const std::optional<double> factor = SpeedFactor(c.Field(7, 5));
    if (!factor || !FitsReal5(*factor)) return std::nullopt;
    return Line(row.length, row.code, TSpeedRec{.Kind = 3, .Speed = 0, .PlaybackSpeed = *factor});
}

std::optional<Made> InputSpeed(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    return Line(row.length, row.code,
                TSpeedRec{.Kind = row.kind, .Speed = c.Int(7, 4), .PlaybackSpeed = 1.0});
}

// ---- Files, names, macros.

std::optional<Made> FileOp(const Cursor& c, const Row& row) {
    const auto source = TextFrom(c, row, row.literal.size());
    if (!source) return std::nullopt;
    return Line(source->next, row.code,
                TFileOpRec{.Kind = row.kind, .Source = std::string(source->text), .Target = {}});
}

std::optional<Made> CopyOrRename(const Cursor& c, const Row& row) {
    const auto source = c.Until(row.literal.size(), ';');
    if (!source) return std::nullopt;
    const auto target = c.Until(source->next, '>');
    if (!target) return std::nullopt;
    return Line(
        target->next, row.code,
        TFileOpRec{
            .Kind = row.kind, .Source = std::string(source->text), .Target = std::string(target->text)});
}

std::optional<Made> Name(const Cursor& c, const Row& row) {
    const auto name = TextFrom(c, row, row.literal.size());
    if (!name) return std::nullopt;
    return Line(name->next, row.code, TNameRec{std::string(name->text)});
}

// Web and FTP addresses: the parser shows them whole.
std::optional<Made> Address(const Cursor& c, const Row& row) {
    const auto name = TextFrom(c, row, row.literal.size());
    if (!name) return std::nullopt;
    TNameRec rec{std::string(name->text)};
    std::string display = N(row.code) + ": " + rec.Name;
    return Line(name->next, row.code, std::move(display), std::move(rec));
}

std::optional<Made> DisplayMode(const Cursor& c, const Row& row) {
    // The player takes the mode only as three characters before the ">"; any other length
    // is typed text there, and must not become a command by being opened and saved.
    const auto mode = TextFrom(c, row, row.literal.size());
    if (!mode || mode->text.size() != 3) return std::nullopt;
    return Line(mode->next, row.code, TDisplayRec{ToInt(mode->text)});
}

std::optional<Made> MacroRef(const Cursor& c, const Row& row) {
    const auto name = TextFrom(c, row, row.literal.size());
    if (!name) return std::nullopt;
    TMacroRefRec rec{.Kind = row.kind, .Nickname = std::string(name->text)};
    // The whole nickname, where the editors show only what follows a backslash.
    std::string display = N(row.code) + ": " + rec.Nickname;
    return Line(name->next, row.code, std::move(display), std::move(rec));
}

std::optional<Made> TextBox(const Cursor& c, const Row& row) {
    const auto title = c.Until(row.literal.size(), '>');
    if (!title) return std::nullopt;
    const auto body = c.Until(title->next, '>');
    if (!body) return std::nullopt;
    return Line(body->next, row.code,
                TWTextRec{.Title = std::string(title->text), .Text = std::string(body->text)});
}

// ---- Dial-up and network drives: user ">" "<PASS:" password ">" then the last name.

struct Credentials {
    std::string_view user, password, last;
    std::size_t next = 0;
};

// The "<PASS:" between the user and the password is written back by the serialiser, so a
// token without it in place is not taken.
std::optional<Credentials> ReadCredentials(const Cursor& c, std::size_t userAt) {
    static constexpr std::string_view kPass = "<PASS:";
    const auto user = c.Until(userAt, '>');
    if (!user || c.Field(user->next, kPass.size()) != kPass) return std::nullopt;
    const auto password = c.Until(user->next + kPass.size(), '>');
    if (!password) return std::nullopt;
    const auto last = c.Until(password->next, '>');
    if (!last) return std::nullopt;
    return Credentials{user->text, password->text, last->text, last->next};
}

std::optional<Made> HangUp(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code,
                TDialRec{.Kind = 2, .Entry = {}, .UserName = {}, .Password = {}});
}

std::optional<Made> Dial(const Cursor& c, const Row& row) {
    const auto cred = ReadCredentials(c, row.literal.size());
    if (!cred) return std::nullopt;
    return Line(cred->next, row.code,
                TDialRec{.Kind = 1,
                         .Entry = std::string(cred->last),
                         .UserName = std::string(cred->user),
                         .Password = std::string(cred->password)});
}

std::optional<Made> NetConnect(const Cursor& c, const Row& row) {
    static constexpr std::string_view kName = ":<NAME:";
    TNetRec rec;
    std::size_t m = 0;
    if (c.CharIs(4, 'P')) {
        rec.PFlag = true;
        m = 1;
        if (c.CharIs(5, 'S')) {
            rec.SFlag = true;
            m = 2;
        }
    } else if (c.CharIs(4, 'S')) {
        rec.SFlag = true;
        m = 1;
    }
    if (c.Field(4 + m, kName.size()) != kName) return std::nullopt;
    const auto cred = ReadCredentials(c, 4 + m + kName.size());
    if (!cred) return std::nullopt;
    rec.UserName = cred->user;
    rec.Password = cred->password;
    rec.Resource = cred->last;
    return Line(cred->next, row.code, std::move(rec));
}

std::optional<Made> NetDisconnect(const Cursor& c, const Row& row) {
    TNetRec rec;
    std::size_t k = 4;
    if (c.CharIs(k, 'P')) {
        rec.PFlag = true;
        ++k;
    }
    if (c.CharIs(k, 'F')) {
        rec.FFlag = true;
        ++k;
    }
    if (c.CharIs(k, 'S')) {
        rec.SFlag = true;
        ++k;
    }
    if (!c.CharIs(k, ':')) return std::nullopt;
    const auto resource = c.Until(k + 1, '>');
    if (!resource) return std::nullopt;
    rec.Resource = resource->text;
    return Line(resource->next, row.code, std::move(rec));
}

// ---- Waits.

std::optional<Made> WaitForText(const Cursor& c, const Row& row) {
    const auto text = TextFrom(c, row, row.at + 4);
    if (!text) return std::nullopt;
    TWaitRec rec{
        .Kind = row.kind, .Text = std::string(text->text), .TimeOut = c.Int(row.at, 3), .Found = row.flag};
    return Line(text->next, row.code, std::move(rec));
}

std::optional<Made> WaitWhole(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code,
                TWaitRec{.Kind = row.kind, .Text = {}, .TimeOut = 0, .Found = false});
}

// Waits for a click or an elapsed time: fixed numbers, their ">" in place.
std::optional<Made> WaitFixed(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    return Line(row.length, row.code,
                TWaitRec{.Kind = row.kind, .Text = {}, .TimeOut = c.Int(row.at, row.width), .Found = false});
}

std::optional<Made> Activate(const Cursor& c, const Row& row) {
    const auto title = TextFrom(c, row, row.literal.size());
    if (!title) return std::nullopt;
    TLaunchRec rec;
    rec.Kind = 1;
    rec.WindowTitle = std::string(title->text);
    rec.Value2 = 12;
    return Line(title->next, row.code, std::move(rec));
}

std::optional<Made> Email(const Cursor& c, const Row& row) { return EmailToken(c, row.literal); }
std::optional<Made> Launch(const Cursor& c, const Row& row) {
    return LaunchToken(c, row.literal, LaunchShape{row.code, row.kind, row.at, row.width});
}

// clang-format off
// In the order of testing: no spelling begins another tested after it.
const Row kTable[] = {
    // Key tokens join the typed text.
    {TokenKind::Tab, Join}, {TokenKind::Enter, Join}, {TokenKind::RightWin, Join}, {TokenKind::LeftWin, Join}, {TokenKind::App, Join},
    {TokenKind::Backspace, Join}, {TokenKind::Esc, Join}, {TokenKind::Space, Join}, {TokenKind::LeftArrow, Join},
    {TokenKind::RightArrow, Join}, {TokenKind::UpArrow, Join}, {TokenKind::DownArrow, Join}, {TokenKind::Home, Join},
    {TokenKind::End, Join}, {TokenKind::Insert, Join}, {TokenKind::Delete, Join}, {TokenKind::PageDown, Join}, {TokenKind::PageUp, Join},
    {TokenKind::F1, Join}, {TokenKind::F2, Join}, {TokenKind::F3, Join}, {TokenKind::F4, Join}, {TokenKind::F5, Join}, {TokenKind::F6, Join},
    {TokenKind::F7, Join}, {TokenKind::F8, Join}, {TokenKind::F9, Join}, {TokenKind::F10, Join}, {TokenKind::F11, Join}, {TokenKind::F12, Join},
    {TokenKind::F13, Join}, {TokenKind::F14, Join}, {TokenKind::F15, Join}, {TokenKind::F16, Join}, {TokenKind::F17, Join}, {TokenKind::F18, Join},
    {TokenKind::F19, Join}, {TokenKind::F20, Join}, {TokenKind::F21, Join}, {TokenKind::F22, Join}, {TokenKind::F23, Join}, {TokenKind::F24, Join},
    {TokenKind::ShiftKey, Join}, {TokenKind::CtrlKey, Join}, {TokenKind::AltKey, Join}, {TokenKind::Attn, Join}, {TokenKind::CrSel, Join},
    {TokenKind::ExSel, Join}, {TokenKind::ErEof, Join}, {TokenKind::Play, Join}, {TokenKind::Zoom, Join}, {TokenKind::Pa1, Join},
    {TokenKind::PrtScr, Join}, {TokenKind::KeyP0, Join}, {TokenKind::KeyP1, Join}, {TokenKind::KeyP2, Join}, {TokenKind::KeyP3, Join},
    {TokenKind::KeyP4, Join}, {TokenKind::KeyP5, Join}, {TokenKind::KeyP6, Join}, {TokenKind::KeyP7, Join}, {TokenKind::KeyP8, Join},
    {TokenKind::KeyP9, Join}, {TokenKind::KeyPDecimal, Join}, {TokenKind::KeyPDivide, Join}, {TokenKind::KeyPMultiply, Join}, {TokenKind::KeyPSubtract, Join},
    {TokenKind::KeyPAdd, Join},
    {TokenKind::AltCode, JoinClosed, 0, 0, 9}, {TokenKind::Alt4Code, JoinClosed, 0, 0, 11},
    // Volume.
    {TokenKind::AudOff, Volume, cmd::AudioVolume, 1}, {TokenKind::AudOn, Volume, cmd::AudioVolume, 2},
    {TokenKind::AudUp, Volume, cmd::AudioVolume, 3}, {TokenKind::AudDown, Volume, cmd::AudioVolume, 4},
    {TokenKind::AudMute, Volume, cmd::AudioMuteToggle, 5}, {TokenKind::AudLeft, Volume, cmd::AudioBalance, 6},
    {TokenKind::AudRight, Volume, cmd::AudioBalance, 7}, {TokenKind::AudCenter, Volume, cmd::AudioBalance, 8},
    {TokenKind::TrebUp, Volume, cmd::AudioTreble, 9}, {TokenKind::TrebDown, Volume, cmd::AudioTreble, 10},
    {TokenKind::MidiOff, Volume, cmd::MidiVolume, 11}, {TokenKind::MidiOn, Volume, cmd::MidiVolume, 12},
    {TokenKind::MidiUp, Volume, cmd::MidiVolume, 13}, {TokenKind::MidiDown, Volume, cmd::MidiVolume, 14},
    {TokenKind::MidiMute, Volume, cmd::MidiMuteToggle, 15}, {TokenKind::MidiLeft, Volume, cmd::MidiBalance, 16},
    {TokenKind::MidiRight, Volume, cmd::MidiBalance, 17}, {TokenKind::MidiCenter, Volume, cmd::MidiBalance, 18},
    {TokenKind::BassUp, Volume, cmd::AudioBass, 19}, {TokenKind::BassDown, Volume, cmd::AudioBass, 20},
    // Keys held down and released.
    {TokenKind::CtlD, KeyUpDown, cmd::ControlKey, 1}, {TokenKind::CtlU, KeyUpDown, cmd::ControlKey, 2},
    {TokenKind::AltD, KeyUpDown, cmd::AltKey, 3}, {TokenKind::AltU, KeyUpDown, cmd::AltKey, 4},
    {TokenKind::ShfD, KeyUpDown, cmd::ShiftKey, 5}, {TokenKind::ShfU, KeyUpDown, cmd::ShiftKey, 6},
    {TokenKind::WinD, KeyUpDown, cmd::WinKey, 7}, {TokenKind::WinU, KeyUpDown, cmd::WinKey, 8},
    // Mouse.
    {TokenKind::LDn, MouseButton, cmd::MouseLeftButton, 4}, {TokenKind::LUp, MouseButton, cmd::MouseLeftButton, 5},
    {TokenKind::LClk, MouseButton, cmd::MouseLeftButton, 2}, {TokenKind::LDClk, MouseButton, cmd::MouseLeftButton, 3},
    {TokenKind::RDn, MouseButton, cmd::MouseRightButton, 8}, {TokenKind::RUp, MouseButton, cmd::MouseRightButton, 9},
    {TokenKind::RClk, MouseButton, cmd::MouseRightButton, 6}, {TokenKind::RDClk, MouseButton, cmd::MouseRightButton, 7},
    {TokenKind::MDn, MouseButton, cmd::MouseMiddleButton, 12}, {TokenKind::MUp, MouseButton, cmd::MouseMiddleButton, 13},
    {TokenKind::MClk, MouseButton, cmd::MouseMiddleButton, 10}, {TokenKind::MDClk, MouseButton, cmd::MouseMiddleButton, 11},
    {TokenKind::Wfw, MouseWheel, cmd::MouseWheel, 14, 9}, {TokenKind::Wbw, MouseWheel, cmd::MouseWheel, 15, 9},
    {TokenKind::Mms, MouseMove, cmd::MouseMove, 1, 17}, {TokenKind::Mmw, MouseMove, cmd::MouseMove, 2, 17},
    {TokenKind::Mmp, MouseMove, cmd::MouseMove, 3, 17}, {TokenKind::Mmc, MouseCaret, cmd::MouseMove, 4},
    // Pause and delays.
    {TokenKind::Pause, PauseWithMessage, cmd::Pause, 2}, {TokenKind::PauseBasic, PausePlain, cmd::Pause, 1},
    {TokenKind::TDelay, Delay, cmd::WaitTimeDelay, 3, 11, 8, 2}, {TokenKind::Delay, Delay, cmd::Delay, 1, 13, 7, 5},
    {TokenKind::Msd, Delay, cmd::Delay, 2, 10, 5, 4},
    // Windows by title.
    {TokenKind::WHide, WindowCommand, cmd::WindowHide, 5}, {TokenKind::WShow, WindowCommand, cmd::WindowShow, 6},
    {TokenKind::WMax, WindowCommand, cmd::WindowMaximize, 1}, {TokenKind::WMin, WindowCommand, cmd::WindowMinimize, 2},
    {TokenKind::WCls, WindowCommand, cmd::WindowClose, 4}, {TokenKind::WRes, WindowCommand, cmd::WindowRestore, 3},
    {TokenKind::WShut, WindowCommand, cmd::ProgramShutDown, 7},
    {TokenKind::WSize, SizeOrPosition, cmd::WindowResize, 1, 0, 0, 4},
    {TokenKind::WPos, SizeOrPosition, cmd::WindowReposition, 2, 0, 0, 4},
    {TokenKind::WPos2, SizeOrPosition, cmd::WindowReposition, 2, 0, 0, 5},
    // Repeats and counters.
    {TokenKind::Counter4, Counter, cmd::RepeatCounter, 4}, {TokenKind::Counter3, Counter, cmd::RepeatCounter, 3},
    {TokenKind::Counter2, Counter, cmd::RepeatCounter, 2}, {TokenKind::Counter1, Counter, cmd::RepeatCounter, 1},
    {TokenKind::Repeat, RepeatCount, cmd::RepeatStart, 1, 13}, {TokenKind::Rep, Repeat, cmd::RepeatStart, 1, 24},
    {TokenKind::PromptRep, RepeatMark, cmd::RepeatPromptStart, 2}, {TokenKind::EndRep, RepeatMark, cmd::RepeatEnd, 3},
    // Encrypted text.
    {TokenKind::EText, Name, cmd::EncryptedText},
    // System settings.
    {TokenKind::SsOn, ScreenSaverSwitch, cmd::ScreenSaver, 1}, {TokenKind::SsOff, ScreenSaverSwitch, cmd::ScreenSaver, 2},
    {TokenKind::SsTime, SystemValue, cmd::ScreenSaver, 3, 11, 8, 2},
    {TokenKind::KeyDel, SystemValue, cmd::KeyboardDelay, 4, 10, 8, 1},
    {TokenKind::KeySpd, SystemValue, cmd::KeyboardRepeatSpeed, 5, 11, 8, 2},
    {TokenKind::WallT, Wallpaper, cmd::Wallpaper, 0}, {TokenKind::WallC, Wallpaper, cmd::Wallpaper, 1},
    {TokenKind::WallS, Wallpaper, cmd::Wallpaper, 2}, {TokenKind::WallP, Wallpaper, cmd::Wallpaper, 3},
    {TokenKind::WbSize, SystemValue, cmd::WindowsSizingBorder, 7, 11, 8, 2},
    // Clipboard.
    {TokenKind::ClipType, ClipWhole, cmd::ClipboardTypeText, 7}, {TokenKind::ClipTypeI, ClipWhole, cmd::ClipboardTypeText, 8},
    {TokenKind::BegClip, ClipWhole, cmd::ClipboardStartCopy, 1}, {TokenKind::EndClip, ClipWhole, cmd::ClipboardEndCopy, 2},
    {TokenKind::ClipC, ClipWhole, cmd::ClipboardCopy, 4}, {TokenKind::ClipP, ClipWhole, cmd::ClipboardPaste, 5},
    {TokenKind::ClipF, ClipFile, cmd::ClipboardFileCopy, 3}, {TokenKind::ClipB, ClipFile, cmd::ClipboardGraphicCopy, 6},
    {TokenKind::ClipST, ClipFile, cmd::ClipboardSaveText, 9}, {TokenKind::ClipAT, ClipFile, cmd::ClipboardAppendText, 10},
    {TokenKind::ClipSG, ClipFile, cmd::ClipboardSaveGraphic, 11},
    // Audio CD.
    {TokenKind::CdPlay, CdWhole, cmd::CdPlay, 1}, {TokenKind::CdStop, CdWhole, cmd::CdStop, 2},
    {TokenKind::CdPause, CdWhole, cmd::CdPause, 3}, {TokenKind::CdNext, CdWhole, cmd::CdNextTrack, 4},
    {TokenKind::CdPrev, CdWhole, cmd::CdPreviousTrack, 5}, {TokenKind::CdGoto, CdNumber, cmd::CdGoToTrack, 6, 11},
    {TokenKind::CdStep, CdNumber, cmd::CdStep, 7, 11}, {TokenKind::CdBack, CdNumber, cmd::CdBack, 8, 11},
    {TokenKind::CdEject, CdWhole, cmd::CdEject, 9}, {TokenKind::CdClose, CdWhole, cmd::CdCloseTray, 10},
    // Video and sounds.
    {TokenKind::Avi, Video, cmd::VideoClipPlay, 3}, {TokenKind::AviI, Video, cmd::VideoClipPlay, 1},
    {TokenKind::AviE, Video, cmd::VideoClipPlay, 2},
    {TokenKind::Wav1, WaveFile, cmd::SoundWaveFile, 1}, {TokenKind::Wav2, WaveFile, cmd::SoundWaveFile, 0},
    {TokenKind::Beep, Beep, cmd::SoundBeep, 1},
    // Desktop, shut-down and system folders.
    {TokenKind::LogOff, Desk, cmd::Logoff, 1}, {TokenKind::Reboot, Desk, cmd::Reboot, 2},
    {TokenKind::Shutdown, Desk, cmd::ShutDown, 3}, {TokenKind::PowerOff, Desk, cmd::PowerOff, 4},
    {TokenKind::CascDesk, Desk, cmd::DesktopCascade, 1}, {TokenKind::TilVDesk, Desk, cmd::DesktopTile, 2},
    {TokenKind::TilHDesk, Desk, cmd::DesktopTile, 3}, {TokenKind::MiniDesk, Desk, cmd::DesktopMinimizeAll, 4},
    {TokenKind::RestDesk, Desk, cmd::DesktopRestoreAll, 5}, {TokenKind::Suspend, Desk, cmd::SuspendComputer, 6},
    {TokenKind::Undock, Desk, cmd::UndockComputer, 7},
    {TokenKind::RunDt, DeskNamed, cmd::RunDialogWindow, 8}, {TokenKind::RunFc, DeskNamed, cmd::RunDialogWindow, 9},
    {TokenKind::RunFf, DeskNamed, cmd::RunDialogWindow, 10}, {TokenKind::RunRp, DeskNamed, cmd::RunDialogWindow, 11},
    {TokenKind::ExpCp, DeskNamed, cmd::OpenExplorerTo, 12}, {TokenKind::ExpDt, DeskNamed, cmd::OpenExplorerTo, 13},
    {TokenKind::ExpDp, DeskNamed, cmd::OpenExplorerTo, 14}, {TokenKind::ExpFv, DeskNamed, cmd::OpenExplorerTo, 15},
    {TokenKind::ExpFt, DeskNamed, cmd::OpenExplorerTo, 16}, {TokenKind::ExpMc, DeskNamed, cmd::OpenExplorerTo, 17},
    {TokenKind::ExpNw, DeskNamed, cmd::OpenExplorerTo, 18}, {TokenKind::ExpPr, DeskNamed, cmd::OpenExplorerTo, 19},
    {TokenKind::ExpPf, DeskNamed, cmd::OpenExplorerTo, 20}, {TokenKind::ExpRd, DeskNamed, cmd::OpenExplorerTo, 21},
    {TokenKind::ExpRb, DeskNamed, cmd::OpenExplorerTo, 22}, {TokenKind::ExpSm, DeskNamed, cmd::OpenExplorerTo, 23},
    {TokenKind::ExpSu, DeskNamed, cmd::OpenExplorerTo, 24}, {TokenKind::ExpUd, DeskNamed, cmd::OpenExplorerTo, 25},
    // Speeds.
    {TokenKind::Speed, PlaybackSpeed, cmd::MacroPlaybackSpeed, 3, 13},
    {TokenKind::SpKey, InputSpeed, cmd::KeystrokeSpeed, 1, 12}, {TokenKind::SpMse, InputSpeed, cmd::MouseSpeed, 2, 12},
    // Files and folders.
    {TokenKind::ChDir, FileOp, cmd::ChangeFolder, 1}, {TokenKind::MkDir, FileOp, cmd::CreateFolder, 5},
    {TokenKind::DelFile, FileOp, cmd::DeleteFile, 4}, {TokenKind::CopyFile, CopyOrRename, cmd::CopyFile, 2},
    {TokenKind::RenFile, CopyOrRename, cmd::RenameFile, 3},
    // Single names.
    {TokenKind::Swap, Name, cmd::LoadNewMacroFile}, {TokenKind::Explore, Name, cmd::OpenFolderInExplorer},
    {TokenKind::DefPrt, Name, cmd::DefaultPrinter}, {TokenKind::Screen, DisplayMode, cmd::DefaultDisplaySize},
    // Macros.
    {TokenKind::MacRun, MacroRef, cmd::MacroRun, 1}, {TokenKind::MacDel, MacroRef, cmd::MacroDelete, 2},
    {TokenKind::MacAct, MacroRef, cmd::MacroActivate, 3}, {TokenKind::MacDeact, MacroRef, cmd::MacroDeactivate, 4},
    // Window of text, dial-up, network drives.
    {TokenKind::TBox, TextBox, cmd::WindowOfText},
    {TokenKind::Hang, HangUp, cmd::DialUpNetworking, 2}, {TokenKind::Dial, Dial, cmd::DialUpNetworking, 1},
    {TokenKind::Nwt, NetConnect, cmd::NetworkToggle}, {TokenKind::Nwc, NetConnect, cmd::NetworkConnect},
    {TokenKind::Nwd, NetDisconnect, cmd::NetworkDisconnect},
    // Web and remarks.
    {TokenKind::Http, Address, cmd::WebSite}, {TokenKind::Ftp, Address, cmd::WebFtp}, {TokenKind::Rem, Name, cmd::Remark},
    // Waits.
    {TokenKind::WaitWin, WaitForText, cmd::WaitForWindowTitle, 1, 0, 9},
    {TokenKind::WaitWlf, WaitForText, cmd::WaitWindowLoseFocus, 2, 0, 9},
    {TokenKind::WaitProg, WaitForText, cmd::WaitProgramTerminate, 3, 0, 10},
    {TokenKind::WaitTxtY, WaitForText, cmd::WaitForText, 5, 0, 10, 0, true},
    {TokenKind::WaitTxtN, WaitForText, cmd::WaitForText, 5, 0, 10},
    {TokenKind::WaitPb, WaitWhole, cmd::WaitTextPlayback, 9},
    {TokenKind::WaitKey, WaitForText, cmd::WaitForKeyPress, 4, 0, 9},
    {TokenKind::WaitLM, WaitFixed, cmd::WaitLeftMouseClick, 6, 12, 8, 3},
    {TokenKind::WaitRM, WaitFixed, cmd::WaitRightMouseClick, 7, 12, 8, 3},
    {TokenKind::WaitMM, WaitFixed, cmd::WaitMiddleMouseClick, 8, 12, 8, 3},
    {TokenKind::WaitTime, WaitFixed, cmd::WaitTimeElapse, 10, 19, 10, 8},
    // Text file, activation, e-mail, launching.
    {TokenKind::TFile, Name, cmd::LoadTextFile},
    {TokenKind::Activate, Activate, cmd::WindowActivate},
    {TokenKind::Email, Email, cmd::EmailSend},
    {TokenKind::Launch, Launch, cmd::ProgramLaunch, 2}, {TokenKind::LaunchDel, Launch, cmd::ProgramLaunch, 2, 0, 11},
    {TokenKind::LaunchNo, Launch, cmd::LaunchAndActivate, 3, 0, 10},
    {TokenKind::LaunchYes, Launch, cmd::ActivateOrLaunch, 4, 0, 11},
    {TokenKind::LaunchNo2, Launch, cmd::LaunchAndActivate, 3, 0, 11, 13},
    {TokenKind::LaunchYes2, Launch, cmd::ActivateOrLaunch, 4, 0, 12, 14},
};
// clang-format on

}  // namespace

ScriptLine MakeLine(int code, std::string display, LineRecord record) {
    assert(RecordFitsCommand(code, record) && RecogniseCommand(display) == code);
    (void)code;
    if (display.size() > kDisplayLimit) display.resize(kDisplayLimit);
    return ScriptLine{std::move(display), std::move(record)};
}

// The rows in their order of testing, spelled from the language's table and grouped by
// the character after the "<" so that a "<" is compared only with the rows it could start.
const std::vector<Row>& RowsAfter(unsigned char c) {
    static const std::array<std::vector<Row>, 256> groups = [] {
        std::array<std::vector<Row>, 256> byChar;
        for (Row row : kTable) {
            row.literal = SpecOf(row.token).prefix;
            byChar[static_cast<unsigned char>(row.literal[1])].push_back(row);
        }
        return byChar;
    }();
    return groups[c];
}

std::optional<Made> RecogniseToken(const Cursor& at) {
    for (const Row& row : RowsAfter(static_cast<unsigned char>(at.At(1).value_or('\0')))) {
        if (!at.StartsWith(row.literal)) continue;
        std::optional<Made> made = row.recognise(at, row);
        if (made && made->length <= at.Remaining()) return made;
    }
    // Dates and times have "{" after a format of at most 15 characters.
    if (at.Field(1, 16).find('{') == std::string_view::npos) return std::nullopt;
    return DateTimeToken(at);
}

}  // namespace tessaro::parse
