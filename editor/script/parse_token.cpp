#include "editor/script/parse_token.h"

#include <array>
#include <cassert>

#include "editor/script/command_table.h"
#include "editor/script/display_text.h"
#include "editor/script/text_util.h"

namespace tessaro::parse {

namespace {

constexpr std::size_t kDisplayLimit = 255;

struct Row;
using Recogniser = std::optional<Made> (*)(const Cursor&, const Row&);

// One token of the table. `length` is the whole token's length when its ">" stands at a
// fixed place; `at` and `width` place its number field.
struct Row {
    std::string_view literal;
    Recogniser recognise;
    int code = 0;
    int kind = 0;
    std::size_t length = 0;
    std::size_t at = 0;
    std::size_t width = 0;
    bool flag = false;
};

std::string N(int code) { return std::string(CommandName(code)); }

// A line with the display text every editor gives it.
Made Line(std::size_t length, int code, LineRecord record) {
    return Made{length, tessaro::MakeLine(code, std::move(record))};
}

// A line whose display text the parser words its own way.
Made Line(std::size_t length, int code, std::string display, LineRecord record) {
    return Made{length, MakeLine(code, std::move(display), std::move(record))};
}

// Free text from offset k to the delimiter. The fixed fields between the literal and k
// must not hold the token's ">": such a token would swallow the text after it.
std::optional<FreeText> TextFrom(const Cursor& c, const Row& row, std::size_t k, char delimiter = '>') {
    for (std::size_t i = row.literal.size(); i < k; ++i) {
        if (c.CharIs(i, '>')) return std::nullopt;
    }
    return c.Until(k, delimiter);
}

// A title of the nine characters "CURRENT" in double quotes names the foreground window.
bool IsCurrent(std::string_view title) { return title == "\"CURRENT\""; }

// ---- Key tokens: part of the typed text.

std::optional<Made> Join(const Cursor&, const Row& row) { return Made{row.literal.size(), std::nullopt}; }

std::optional<Made> JoinClosed(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    return Made{row.length, std::nullopt};
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
    return Line(row.length, row.code, TDelayRec{.Unit = row.kind, .Amount = c.Real(row.at, row.width)});
}

std::optional<Made> WindowCommand(const Cursor& c, const Row& row) {
    const auto title = TextFrom(c, row, row.literal.size());
    if (!title) return std::nullopt;
    TWindowRec rec{.Title = {}, .Kind = row.kind, .CurrentWindow = IsCurrent(title->text)};
    if (!rec.CurrentWindow) rec.Title = std::string(title->text);
    // Shorter than the editors' " - Current Window".
    std::string display = N(row.code) + (rec.CurrentWindow ? " - Current Win" : " - Window Title: " + rec.Title);
    return Line(title->next, row.code, std::move(display), std::move(rec));
}

std::optional<Made> SizeOrPosition(const Cursor& c, const Row& row) {
    const std::size_t n = row.literal.size();
    const std::size_t w = row.width;
    const auto title = TextFrom(c, row, n + 2 * w + 1);
    if (!title) return std::nullopt;
    TSizeRec rec{.Title = {}, .Kind = row.kind, .CurrentWindow = IsCurrent(title->text),
                 .X = c.Int(n, w), .Y = c.Int(n + w + 1, w)};
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
    return Line(row.literal.size(), row.code, TRepeatRec{.Kind = row.kind, .Count = 0, .StartAt = 1, .StepBy = 1});
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
        rec.X = ToInt(text->text.substr(0, 4));
        rec.Y = ToInt(text->text.substr(std::min<std::size_t>(5, text->text.size()), 4));
        rec.FileName = std::string(text->text.substr(std::min<std::size_t>(9, text->text.size())));
    } else {
        rec.FileName = std::string(text->text);
    }
    return Line(text->next, row.code, std::move(rec));
}

// ---- Clipboard, CD, video, sound, desktop.

std::optional<Made> ClipWhole(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code, TClipRec{.Kind = row.kind, .FileName = {}, .Flag = row.kind == 8});
}

std::optional<Made> ClipFile(const Cursor& c, const Row& row) {
    const auto file = TextFrom(c, row, row.literal.size());
    if (!file) return std::nullopt;
    return Line(file->next, row.code, TClipRec{.Kind = row.kind, .FileName = std::string(file->text), .Flag = false});
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
    return Line(file->next, row.code, TSoundRec{.Kind = 2, .FileName = std::string(file->text), .WaitFlag = row.kind == 1});
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
        "Date and Time", "Find Computer", "Find Files", "Run Program", "Control Panel", "DeskTop",
        "DeskTop Programs", "Favorites", "Fonts", "My Computer", "Network Neighborhood", "Printers",
        "Programs", "Recent Documents", "Recycle Bin", "Start Menu", "Startup Folder", "User Documents"};
    std::string display = N(row.code) + ": " + std::string(kNames[row.kind - 8]);
    return Line(row.literal.size(), row.code, std::move(display), TDeskRec{row.kind});
}

// ---- Speeds.

std::optional<Made> PlaybackSpeed(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    return Line(row.length, row.code, TSpeedRec{.Kind = 3, .Speed = 0, .PlaybackSpeed = c.Real(7, 5)});
}

std::optional<Made> InputSpeed(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    return Line(row.length, row.code, TSpeedRec{.Kind = row.kind, .Speed = c.Int(7, 4), .PlaybackSpeed = 1.0});
}

// ---- Files, names, macros.

std::optional<Made> FileOp(const Cursor& c, const Row& row) {
    const auto source = TextFrom(c, row, row.literal.size());
    if (!source) return std::nullopt;
    return Line(source->next, row.code, TFileOpRec{.Kind = row.kind, .Source = std::string(source->text), .Target = {}});
}

std::optional<Made> CopyOrRename(const Cursor& c, const Row& row) {
    const auto source = c.Until(row.literal.size(), ';');
    if (!source) return std::nullopt;
    const auto target = c.Until(source->next, '>');
    if (!target) return std::nullopt;
    return Line(target->next, row.code,
                TFileOpRec{.Kind = row.kind, .Source = std::string(source->text), .Target = std::string(target->text)});
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
    const auto mode = TextFrom(c, row, row.literal.size());
    if (!mode) return std::nullopt;
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
    return Line(body->next, row.code, TWTextRec{.Title = std::string(title->text), .Text = std::string(body->text)});
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
    return Line(row.literal.size(), row.code, TDialRec{.Kind = 2, .Entry = {}, .UserName = {}, .Password = {}});
}

std::optional<Made> Dial(const Cursor& c, const Row& row) {
    const auto cred = ReadCredentials(c, row.literal.size());
    if (!cred) return std::nullopt;
    return Line(cred->next, row.code,
                TDialRec{.Kind = 1, .Entry = std::string(cred->last), .UserName = std::string(cred->user),
                         .Password = std::string(cred->password)});
}

std::optional<Made> NetConnect(const Cursor& c, const Row& row) {
    static constexpr std::string_view kName = ":<NAME:";
    TNetRec rec;
    std::size_t m = 0;
    if (c.CharIs(4, 'P')) {
        rec.PFlag = true;
        m = 1;
        if (c.CharIs(5, 'S')) { rec.SFlag = true; m = 2; }
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
    if (c.CharIs(k, 'P')) { rec.PFlag = true; ++k; }
    if (c.CharIs(k, 'F')) { rec.FFlag = true; ++k; }
    if (c.CharIs(k, 'S')) { rec.SFlag = true; ++k; }
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
    TWaitRec rec{.Kind = row.kind, .Text = std::string(text->text), .TimeOut = c.Int(row.at, 3),
                 .Found = row.flag};
    return Line(text->next, row.code, std::move(rec));
}

std::optional<Made> WaitWhole(const Cursor&, const Row& row) {
    return Line(row.literal.size(), row.code, TWaitRec{.Kind = row.kind, .Text = {}, .TimeOut = 0, .Found = false});
}

// Waits for a click or an elapsed time: fixed numbers, their ">" in place.
std::optional<Made> WaitFixed(const Cursor& c, const Row& row) {
    if (!c.ClosedAt(row.length)) return std::nullopt;
    return Line(row.length, row.code, TWaitRec{.Kind = row.kind, .Text = {}, .TimeOut = c.Int(row.at, row.width), .Found = false});
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
const Row kRows[] = {
    // Key tokens join the typed text.
    {"<TAB>", Join}, {"<ENTER>", Join}, {"<RIGHTWIN>", Join}, {"<LEFTWIN>", Join}, {"<APP>", Join},
    {"<BACKSPACE>", Join}, {"<ESC>", Join}, {"<SPACE>", Join}, {"<LEFT ARROW>", Join},
    {"<RIGHT ARROW>", Join}, {"<UP ARROW>", Join}, {"<DOWN ARROW>", Join}, {"<HOME>", Join},
    {"<END>", Join}, {"<INSERT>", Join}, {"<DELETE>", Join}, {"<PAGE DOWN>", Join}, {"<PAGE UP>", Join},
    {"<F1>", Join}, {"<F2>", Join}, {"<F3>", Join}, {"<F4>", Join}, {"<F5>", Join}, {"<F6>", Join},
    {"<F7>", Join}, {"<F8>", Join}, {"<F9>", Join}, {"<F10>", Join}, {"<F11>", Join}, {"<F12>", Join},
    {"<F13>", Join}, {"<F14>", Join}, {"<F15>", Join}, {"<F16>", Join}, {"<F17>", Join}, {"<F18>", Join},
    {"<F19>", Join}, {"<F20>", Join}, {"<F21>", Join}, {"<F22>", Join}, {"<F23>", Join}, {"<F24>", Join},
    {"<SHIFT>", Join}, {"<CTRL>", Join}, {"<ALT>", Join}, {"<ATTN>", Join}, {"<CRSEL>", Join},
    {"<EXSEL>", Join}, {"<EREOF>", Join}, {"<PLAY>", Join}, {"<ZOOM>", Join}, {"<PA1>", Join},
    {"<PRTSCR>", Join}, {"<KEYP0>", Join}, {"<KEYP1>", Join}, {"<KEYP2>", Join}, {"<KEYP3>", Join},
    {"<KEYP4>", Join}, {"<KEYP5>", Join}, {"<KEYP6>", Join}, {"<KEYP7>", Join}, {"<KEYP8>", Join},
    {"<KEYP9>", Join}, {"<KEYP.>", Join}, {"<KEYP/>", Join}, {"<KEYP*>", Join}, {"<KEYP->", Join},
    {"<KEYP+>", Join},
    {"<ALT:", JoinClosed, 0, 0, 9}, {"<ALT4:", JoinClosed, 0, 0, 11},
    // Volume.
    {"<AUDOFF>", Volume, cmd::AudioVolume, 1}, {"<AUDON>", Volume, cmd::AudioVolume, 2},
    {"<AUDUP>", Volume, cmd::AudioVolume, 3}, {"<AUDDOWN>", Volume, cmd::AudioVolume, 4},
    {"<AUDMUTE>", Volume, cmd::AudioMuteToggle, 5}, {"<AUDLEFT>", Volume, cmd::AudioBalance, 6},
    {"<AUDRIGHT>", Volume, cmd::AudioBalance, 7}, {"<AUDCENTER>", Volume, cmd::AudioBalance, 8},
    {"<TREBUP>", Volume, cmd::AudioTreble, 9}, {"<TREBDOWN>", Volume, cmd::AudioTreble, 10},
    {"<MIDIOFF>", Volume, cmd::MidiVolume, 11}, {"<MIDION>", Volume, cmd::MidiVolume, 12},
    {"<MIDIUP>", Volume, cmd::MidiVolume, 13}, {"<MIDIDOWN>", Volume, cmd::MidiVolume, 14},
    {"<MIDIMUTE>", Volume, cmd::MidiMuteToggle, 15}, {"<MIDILEFT>", Volume, cmd::MidiBalance, 16},
    {"<MIDIRIGHT>", Volume, cmd::MidiBalance, 17}, {"<MIDICENTER>", Volume, cmd::MidiBalance, 18},
    {"<BASSUP>", Volume, cmd::AudioBass, 19}, {"<BASSDOWN>", Volume, cmd::AudioBass, 20},
    // Keys held down and released.
    {"<CTLD>", KeyUpDown, cmd::ControlKey, 1}, {"<CTLU>", KeyUpDown, cmd::ControlKey, 2},
    {"<ALTD>", KeyUpDown, cmd::AltKey, 3}, {"<ALTU>", KeyUpDown, cmd::AltKey, 4},
    {"<SHFD>", KeyUpDown, cmd::ShiftKey, 5}, {"<SHFU>", KeyUpDown, cmd::ShiftKey, 6},
    {"<WIND>", KeyUpDown, cmd::WinKey, 7}, {"<WINU>", KeyUpDown, cmd::WinKey, 8},
    // Mouse.
    {"<LDN>", MouseButton, cmd::MouseLeftButton, 4}, {"<LUP>", MouseButton, cmd::MouseLeftButton, 5},
    {"<LCLK>", MouseButton, cmd::MouseLeftButton, 2}, {"<LDCLK>", MouseButton, cmd::MouseLeftButton, 3},
    {"<RDN>", MouseButton, cmd::MouseRightButton, 8}, {"<RUP>", MouseButton, cmd::MouseRightButton, 9},
    {"<RCLK>", MouseButton, cmd::MouseRightButton, 6}, {"<RDCLK>", MouseButton, cmd::MouseRightButton, 7},
    {"<MDN>", MouseButton, cmd::MouseMiddleButton, 12}, {"<MUP>", MouseButton, cmd::MouseMiddleButton, 13},
    {"<MCLK>", MouseButton, cmd::MouseMiddleButton, 10}, {"<MDCLK>", MouseButton, cmd::MouseMiddleButton, 11},
    {"<WFW:", MouseWheel, cmd::MouseWheel, 14, 9}, {"<WBW:", MouseWheel, cmd::MouseWheel, 15, 9},
    {"<MMS:", MouseMove, cmd::MouseMove, 1, 17}, {"<MMW:", MouseMove, cmd::MouseMove, 2, 17},
    {"<MMP:", MouseMove, cmd::MouseMove, 3, 17}, {"<MMC>", MouseCaret, cmd::MouseMove, 4},
    // Pause and delays.
    {"<PAUSE:", PauseWithMessage, cmd::Pause, 2}, {"<PAUSE>", PausePlain, cmd::Pause, 1},
    {"<TDELAY:", Delay, cmd::WaitTimeDelay, 3, 11, 8, 2}, {"<DELAY:", Delay, cmd::Delay, 1, 13, 7, 5},
    {"<MSD:", Delay, cmd::Delay, 2, 10, 5, 4},
    // Windows by title.
    {"<WHIDE:", WindowCommand, cmd::WindowHide, 5}, {"<WSHOW:", WindowCommand, cmd::WindowShow, 6},
    {"<WMAX:", WindowCommand, cmd::WindowMaximize, 1}, {"<WMIN:", WindowCommand, cmd::WindowMinimize, 2},
    {"<WCLS:", WindowCommand, cmd::WindowClose, 4}, {"<WRES:", WindowCommand, cmd::WindowRestore, 3},
    {"<WSHUT:", WindowCommand, cmd::ProgramShutDown, 7},
    {"<WSIZE:", SizeOrPosition, cmd::WindowResize, 1, 0, 0, 4},
    {"<WPOS:", SizeOrPosition, cmd::WindowReposition, 2, 0, 0, 4},
    {"<WPOS2:", SizeOrPosition, cmd::WindowReposition, 2, 0, 0, 5},
    // Repeats and counters.
    {"<IIII>", Counter, cmd::RepeatCounter, 4}, {"<III>", Counter, cmd::RepeatCounter, 3},
    {"<II>", Counter, cmd::RepeatCounter, 2}, {"<I>", Counter, cmd::RepeatCounter, 1},
    {"<REPEAT:", RepeatCount, cmd::RepeatStart, 1, 13}, {"<REP:", Repeat, cmd::RepeatStart, 1, 24},
    {"<PROMPTREP>", RepeatMark, cmd::RepeatPromptStart, 2}, {"<ENDREP>", RepeatMark, cmd::RepeatEnd, 3},
    // Encrypted text.
    {"<ETEXT:", Name, cmd::EncryptedText},
    // System settings.
    {"<SSON>", ScreenSaverSwitch, cmd::ScreenSaver, 1}, {"<SSOFF>", ScreenSaverSwitch, cmd::ScreenSaver, 2},
    {"<SSTIME:", SystemValue, cmd::ScreenSaver, 3, 11, 8, 2},
    {"<KEYDEL:", SystemValue, cmd::KeyboardDelay, 4, 10, 8, 1},
    {"<KEYSPD:", SystemValue, cmd::KeyboardRepeatSpeed, 5, 11, 8, 2},
    {"<WALLT:", Wallpaper, cmd::Wallpaper, 0}, {"<WALLC:", Wallpaper, cmd::Wallpaper, 1},
    {"<WALLS:", Wallpaper, cmd::Wallpaper, 2}, {"<WALLP:", Wallpaper, cmd::Wallpaper, 3},
    {"<WBSIZE:", SystemValue, cmd::WindowsSizingBorder, 7, 11, 8, 2},
    // Clipboard.
    {"<CLIPTYPE>", ClipWhole, cmd::ClipboardTypeText, 7}, {"<CLIPTYPEI>", ClipWhole, cmd::ClipboardTypeText, 8},
    {"<BEGCLIP>", ClipWhole, cmd::ClipboardStartCopy, 1}, {"<ENDCLIP>", ClipWhole, cmd::ClipboardEndCopy, 2},
    {"<CLIPC>", ClipWhole, cmd::ClipboardCopy, 4}, {"<CLIPP>", ClipWhole, cmd::ClipboardPaste, 5},
    {"<CLIPF:", ClipFile, cmd::ClipboardFileCopy, 3}, {"<CLIPB:", ClipFile, cmd::ClipboardGraphicCopy, 6},
    {"<CLIPST:", ClipFile, cmd::ClipboardSaveText, 9}, {"<CLIPAT:", ClipFile, cmd::ClipboardAppendText, 10},
    {"<CLIPSG:", ClipFile, cmd::ClipboardSaveGraphic, 11},
    // Audio CD.
    {"<CDPLAY>", CdWhole, cmd::CdPlay, 1}, {"<CDSTOP>", CdWhole, cmd::CdStop, 2},
    {"<CDPAUSE>", CdWhole, cmd::CdPause, 3}, {"<CDNEXT>", CdWhole, cmd::CdNextTrack, 4},
    {"<CDPREV>", CdWhole, cmd::CdPreviousTrack, 5}, {"<CDGOTO:", CdNumber, cmd::CdGoToTrack, 6, 11},
    {"<CDSTEP:", CdNumber, cmd::CdStep, 7, 11}, {"<CDBACK:", CdNumber, cmd::CdBack, 8, 11},
    {"<CDEJECT>", CdWhole, cmd::CdEject, 9}, {"<CDCLOSE>", CdWhole, cmd::CdCloseTray, 10},
    // Video and sounds.
    {"<AVI:", Video, cmd::VideoClipPlay, 3}, {"<AVII:", Video, cmd::VideoClipPlay, 1},
    {"<AVIE:", Video, cmd::VideoClipPlay, 2},
    {"<WAV1:", WaveFile, cmd::SoundWaveFile, 1}, {"<WAV2:", WaveFile, cmd::SoundWaveFile, 0},
    {"<BEEP>", Beep, cmd::SoundBeep, 1},
    // Desktop, shut-down and system folders.
    {"<LOGOFF>", Desk, cmd::Logoff, 1}, {"<REBOOT>", Desk, cmd::Reboot, 2},
    {"<SHUTDOWN>", Desk, cmd::ShutDown, 3}, {"<POWEROFF>", Desk, cmd::PowerOff, 4},
    {"<CASCDESK>", Desk, cmd::DesktopCascade, 1}, {"<TILVDESK>", Desk, cmd::DesktopTile, 2},
    {"<TILHDESK>", Desk, cmd::DesktopTile, 3}, {"<MINIDESK>", Desk, cmd::DesktopMinimizeAll, 4},
    {"<RESTDESK>", Desk, cmd::DesktopRestoreAll, 5}, {"<SUSPEND>", Desk, cmd::SuspendComputer, 6},
    {"<UNDOCK>", Desk, cmd::UndockComputer, 7},
    {"<RUNDT>", DeskNamed, cmd::RunDialogWindow, 8}, {"<RUNFC>", DeskNamed, cmd::RunDialogWindow, 9},
    {"<RUNFF>", DeskNamed, cmd::RunDialogWindow, 10}, {"<RUNRP>", DeskNamed, cmd::RunDialogWindow, 11},
    {"<EXPCP>", DeskNamed, cmd::OpenExplorerTo, 12}, {"<EXPDT>", DeskNamed, cmd::OpenExplorerTo, 13},
    {"<EXPDP>", DeskNamed, cmd::OpenExplorerTo, 14}, {"<EXPFV>", DeskNamed, cmd::OpenExplorerTo, 15},
    {"<EXPFT>", DeskNamed, cmd::OpenExplorerTo, 16}, {"<EXPMC>", DeskNamed, cmd::OpenExplorerTo, 17},
    {"<EXPNW>", DeskNamed, cmd::OpenExplorerTo, 18}, {"<EXPPR>", DeskNamed, cmd::OpenExplorerTo, 19},
    {"<EXPPF>", DeskNamed, cmd::OpenExplorerTo, 20}, {"<EXPRD>", DeskNamed, cmd::OpenExplorerTo, 21},
    {"<EXPRB>", DeskNamed, cmd::OpenExplorerTo, 22}, {"<EXPSM>", DeskNamed, cmd::OpenExplorerTo, 23},
    {"<EXPSU>", DeskNamed, cmd::OpenExplorerTo, 24}, {"<EXPUD>", DeskNamed, cmd::OpenExplorerTo, 25},
    // Speeds.
    {"<SPEED:", PlaybackSpeed, cmd::MacroPlaybackSpeed, 3, 13},
    {"<SPKEY:", InputSpeed, cmd::KeystrokeSpeed, 1, 12}, {"<SPMSE:", InputSpeed, cmd::MouseSpeed, 2, 12},
    // Files and folders.
    {"<CHDIR:", FileOp, cmd::ChangeFolder, 1}, {"<MKDIR:", FileOp, cmd::CreateFolder, 5},
    {"<DELFILE:", FileOp, cmd::DeleteFile, 4}, {"<COPYFILE:", CopyOrRename, cmd::CopyFile, 2},
    {"<RENFILE:", CopyOrRename, cmd::RenameFile, 3},
    // Single names.
    {"<SWAP:", Name, cmd::LoadNewMacroFile}, {"<EXPLORE:", Name, cmd::OpenFolderInExplorer},
    {"<DEFPRT:", Name, cmd::DefaultPrinter}, {"<SCREEN:", DisplayMode, cmd::DefaultDisplaySize},
    // Macros.
    {"<MACRUN:", MacroRef, cmd::MacroRun, 1}, {"<MACDEL:", MacroRef, cmd::MacroDelete, 2},
    {"<MACACT:", MacroRef, cmd::MacroActivate, 3}, {"<MACDEACT:", MacroRef, cmd::MacroDeactivate, 4},
    // Window of text, dial-up, network drives.
    {"<TBOX:<HEAD:", TextBox, cmd::WindowOfText},
    {"<HANG>", HangUp, cmd::DialUpNetworking, 2}, {"<DIAL:<NAME:", Dial, cmd::DialUpNetworking, 1},
    {"<NWT", NetConnect, cmd::NetworkToggle}, {"<NWC", NetConnect, cmd::NetworkConnect},
    {"<NWD", NetDisconnect, cmd::NetworkDisconnect},
    // Web and remarks.
    {"<HTTP:", Address, cmd::WebSite}, {"<FTP:", Address, cmd::WebFtp}, {"<REM:", Name, cmd::Remark},
    // Waits.
    {"<WAITWIN:", WaitForText, cmd::WaitForWindowTitle, 1, 0, 9},
    {"<WAITWLF:", WaitForText, cmd::WaitWindowLoseFocus, 2, 0, 9},
    {"<WAITPROG:", WaitForText, cmd::WaitProgramTerminate, 3, 0, 10},
    {"<WAITTXTY:", WaitForText, cmd::WaitForText, 5, 0, 10, 0, true},
    {"<WAITTXTN:", WaitForText, cmd::WaitForText, 5, 0, 10},
    {"<WAITPB>", WaitWhole, cmd::WaitTextPlayback, 9},
    {"<WAITKEY:", WaitForText, cmd::WaitForKeyPress, 4, 0, 9},
    {"<WAITLM:", WaitFixed, cmd::WaitLeftMouseClick, 6, 12, 8, 3},
    {"<WAITRM:", WaitFixed, cmd::WaitRightMouseClick, 7, 12, 8, 3},
    {"<WAITMM:", WaitFixed, cmd::WaitMiddleMouseClick, 8, 12, 8, 3},
    {"<WAITTIME:", WaitFixed, cmd::WaitTimeElapse, 10, 19, 10, 8},
    // Text file, activation, e-mail, launching.
    {"<TFILE:", Name, cmd::LoadTextFile},
    {"<ACTIVATE:", Activate, cmd::WindowActivate},
    {"<EMAIL:", Email, cmd::EmailSend},
    {"<LAUNCH:", Launch, cmd::ProgramLaunch, 2}, {"<LAUNCHDEL:", Launch, cmd::ProgramLaunch, 2, 0, 11},
    {"<LAUNCHNO:", Launch, cmd::LaunchAndActivate, 3, 0, 10},
    {"<LAUNCHYES:", Launch, cmd::ActivateOrLaunch, 4, 0, 11},
    {"<LAUNCHNO2:", Launch, cmd::LaunchAndActivate, 3, 0, 11, 13},
    {"<LAUNCHYES2:", Launch, cmd::ActivateOrLaunch, 4, 0, 12, 14},
};
// clang-format on

}  // namespace

ScriptLine MakeLine(int code, std::string display, LineRecord record) {
    assert(RecordFitsCommand(code, record) && RecogniseCommand(display) == code);
    (void)code;
    if (display.size() > kDisplayLimit) display.resize(kDisplayLimit);
    return ScriptLine{std::move(display), std::move(record)};
}

std::optional<Made> RecogniseToken(const Cursor& at) {
    for (const Row& row : kRows) {
        if (!at.StartsWith(row.literal)) continue;
        std::optional<Made> made = row.recognise(at, row);
        if (made && made->length <= at.Remaining()) return made;
    }
    return DateTimeToken(at);
}

}  // namespace tessaro::parse
