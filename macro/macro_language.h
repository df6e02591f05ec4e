#pragma once
// The macro language: one table of every token the player accepts, in the order the
// player tries them, and one recogniser over it. The interpreter, the script parser and
// the command dialogs' tests all read macro text through Recognise().
//
// A macro text is Windows-1252 bytes. At a '<' the recogniser tries each table entry in
// order; the first whose prefix matches (and, for fixed-width tokens, whose closing '>'
// stands at its place) wins. No match means the '<' is an ordinary typed character.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tessaro {

enum class TokenKind : uint16_t {
    None,  // not a token: the '<' is typed
    // Keys (first group)
    Tab,
    Enter,
    RightWin,
    LeftWin,
    App,
    Backspace,
    Esc,
    Space,
    LeftArrow,
    RightArrow,
    UpArrow,
    DownArrow,
    Test,
    Home,
    End,
    Insert,
    Delete,
    PageDown,
    PageUp,
    CtlD,
    CtlU,
    AltD,
    AltU,
    ShfD,
    ShfU,
    WinD,
    WinU,
    RightMouse,
    MiddleMouse,
    // Pause, settings, wallpaper, text box, delays, speed
    Pause,
    PauseBasic,
    Screen,
    KeyDel,
    KeySpd,
    SsTime,
    WbSize,
    WallT,
    WallC,
    WallS,
    WallP,
    TBox,
    TDelay,
    Delay,
    Speed,
    Msd,
    Rem,
    // Windows by title
    WShut,
    WHide,
    WShow,
    WSize,
    WPos,
    WPos2,
    // Alt codes and counters
    AltCode,
    Alt4Code,
    Counter4,
    Counter3,
    Counter2,
    Counter1,
    // Clipboard
    ClipF,
    ClipB,
    ClipC,
    ClipP,
    BegClip,
    ClipType,
    ClipTypeI,
    ClipSG,
    ClipST,
    ClipAT,
    // Repeats and macro control
    PromptRep,
    MacRun,
    MacDel,
    MacAct,
    MacDeact,
    Repeat,
    Rep,
    SpKey,
    SpMse,
    Swap,
    // Waits
    WaitWin,
    WaitWlf,
    WaitProg,
    WaitTxtY,
    WaitTxtN,
    WaitPb,
    WaitKey,
    WaitLM,
    WaitMM,
    WaitRM,
    WaitTime,
    // Nested text and internet
    EText,
    TFile,
    Http,
    Ftp,
    EndRep,
    EndClip,
    // Volume and tone
    AudOff,
    AudOn,
    AudUp,
    AudDown,
    AudMute,
    AudLeft,
    AudRight,
    AudCenter,
    TrebUp,
    TrebDown,
    MidiOff,
    MidiOn,
    MidiUp,
    MidiDown,
    MidiMute,
    MidiLeft,
    MidiRight,
    MidiCenter,
    BassUp,
    BassDown,
    // Mouse
    LDn,
    LUp,
    LClk,
    LDClk,
    RDn,
    RUp,
    RClk,
    RDClk,
    MDn,
    MUp,
    MClk,
    MDClk,
    Wfw,
    Wbw,
    Mmp,
    Mms,
    Mmw,
    Mmc,
    // Keys
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    F13,
    F14,
    F15,
    F16,
    F17,
    F18,
    F19,
    F20,
    F21,
    F22,
    F23,
    F24,
    ShiftKey,
    CtrlKey,
    AltKey,
    Attn,
    CrSel,
    ExSel,
    ErEof,
    Play,
    Zoom,
    // Sounds, folders, network, dial-up, files, activation, e-mail, programs
    Wav1,
    Wav2,
    Beep,
    ChDir,
    MkDir,
    Nwt,
    Nwc,
    Nwd,
    Dial,
    Hang,
    DelFile,
    CopyFile,
    RenFile,
    Activate,
    Email,
    Launch,
    LaunchDel,
    LaunchNo,
    LaunchYes,
    LaunchNo2,
    LaunchYes2,
    DoHook,
    DefPrt,
    Explore,
    // Video and CD
    Avi,
    AviI,
    AviE,
    CdPlay,
    CdStop,
    CdPause,
    CdNext,
    CdPrev,
    CdGoto,
    CdStep,
    CdBack,
    CdEject,
    CdClose,
    // System and desktop
    LogOff,
    Reboot,
    Shutdown,
    PowerOff,
    SsOn,
    SsOff,
    CascDesk,
    TilHDesk,
    TilVDesk,
    MiniDesk,
    RestDesk,
    Suspend,
    Undock,
    RunDt,
    RunFc,
    RunFf,
    RunRp,
    ExpCp,
    ExpDt,
    ExpDp,
    ExpFv,
    ExpFt,
    ExpMc,
    ExpNw,
    ExpPr,
    ExpPf,
    ExpRd,
    ExpRb,
    ExpSm,
    ExpSu,
    ExpUd,
    EmptyBin,
    // Keys
    Pa1,
    PrtScr,
    ScrLock,
    PauseKey,
    CapLock,
    NumLock,
    KeyP0,
    KeyP1,
    KeyP2,
    KeyP3,
    KeyP4,
    KeyP5,
    KeyP6,
    KeyP7,
    KeyP8,
    KeyP9,
    KeyPDecimal,
    KeyPDivide,
    KeyPMultiply,
    KeyPSubtract,
    KeyPAdd,
    // Window commands
    WMax,
    WMin,
    WCls,
    WRes,
    // Date and time (after every table entry)
    Date,        // "<" format "{" pad "}>"                 args: pad
    DateOffset,  // "<" format "{" pad F|P ddd "}>"        args: pad, direction, days
    Time,        // "<" format "{N}>" or "{Y}>"             args: pad
};

// How a key token is sent.
enum class KeyAction : uint8_t {
    None,     // not a key token
    Stroke,   // keystroke delay, down, up, release held modifiers
    Press,    // down only, no delay
    Release,  // up only, no delay
    Bare,     // down and up, no delay
    Skip,     // accepted and ignored
};

// The layout of a token after its prefix.
enum class TokenShape : uint8_t {
    Literal,        // the prefix is the whole token
    Fixed,          // fixed-width fields, '>' at `close`
    Text,           // fixed fields, then free text from `text_from` to the next '>'
    Split,          // free text from `text_from`, split at the first ';' into two args
    WallPaper,      // free text from `text_from`: x at its chars 1-4, y 6-9, file from 10
    TextBox,        // title from `text_from` to '>', body to the next '>'
    ClipText,       // literal text from `text_from` up to "<ENDCLIP>"
    NetConnect,     // flags P,S; ":<NAME:" user ">" "<PASS:" password ">" drive+remote ">"
    NetDisconnect,  // flags P,F,S; ":" name ">"
    Dial,           // user from `text_from` to '>', "<PASS:" password ">", entry ">"
    Email,          // two-letter tags and 0x01-terminated fields
    Launch,         // fixed fields, then the launch argument from `text_from`
    LaunchWindow,   // fixed fields, window title up to '<', "<LAUNCH:", launch argument
};

struct TokenField {
    uint8_t start = 0, length = 0;
};

struct TokenSpec {
    TokenKind kind;
    std::string_view prefix;  // compared case-sensitively
    uint8_t group;            // 1-16: the order groups of the table
    TokenShape shape;
    int8_t close;        // Fixed: offset of the closing '>' from '<'
    bool close_checked;  // Fixed: the '>' must stand at `close`
    uint8_t text_from;   // offset where free text (or the launch argument) starts
    uint8_t field_count;
    std::array<TokenField, 3> fields;
    uint8_t vk;  // key tokens: the virtual key
    KeyAction key;
};

// Every table entry, in the order they are tried.
std::span<const TokenSpec> TokenTable();
const TokenSpec& SpecOf(TokenKind kind);  // kind must not be None, Date, DateOffset, Time

// The date formats (51) and time formats (26), in table order; Token::format is 1-based.
std::span<const std::string_view> DateFormats();
std::span<const std::string_view> TimeFormats();

struct Token {
    TokenKind kind = TokenKind::None;
    size_t length = 0;  // characters from the '<' to the position after the token
    // Arguments in layout order, as views into the recognised text: the fixed fields, then
    // the free texts. Launch tokens end with the raw launch argument; network tokens give
    // flags, user, password, drive, remote (connect) or flags, name (disconnect); dial gives
    // user, password, entry; e-mail gives its field text from the first tag through the
    // last field (the closing '>' is taken on trust, as the token's end).
    std::vector<std::string_view> args;
    int format = 0;             // date/time tokens: 1-based format index
    bool unterminated = false;  // a free-text argument ran to the end of the text
};

// What stands at `pos` (which should hold '<'). Never reads past the end of `text`: a
// comparison or closing test that needs characters beyond it fails, and a free-text
// argument without its delimiter runs to the end (unterminated is then set).
Token Recognise(std::string_view text, size_t pos);

// One step of the main scan: a token, or one character to type. CR LF is one step that
// types CR (the LF behind it is skipped); a '<' that starts no token types '<'.
struct Step {
    Token token;  // kind None: type `ch`
    char ch = 0;
    size_t length = 0;
};
Step NextStep(std::string_view text, size_t pos);  // pos < text.size()

// The offset of the "<ENDREP>" that closes a repeat body starting at `from`, counting
// nested "<REP:", "<REPEAT:" and "<PROMPTREP>"; npos when the body has none.
size_t FindMatchingEndRep(std::string_view text, size_t from);

// Integer fields: leading blanks skipped, a sign allowed, digits up to the first other
// character; an empty or non-numeric field gives 0.
long ArgInt(std::string_view field);

// Real-number fields (delays, speed): the whole field (blanks aside) must be a decimal
// number such as "00.50", ".5" or "-1.25"; nullopt otherwise.
std::optional<double> ArgReal(std::string_view field);

// The factor of "<SPEED:": a real field of zero or more. Anything else is no factor and
// leaves the playback speed as it was, for the player and for the editor's parser alike.
std::optional<double> SpeedFactor(std::string_view field);

// A window title of "CURRENT" between double quotes means the foreground window.
bool IsCurrentWindowTitle(std::string_view title);

// A launch argument: program, optional "<PARAM>" parameters, optional state digit + 0x01.
struct LaunchArgument {
    std::string_view file;
    std::string_view parameters;
    int window_state = 0;  // 0 normal, 1 minimised, 2 maximised
};
LaunchArgument SplitLaunchArgument(std::string_view argument);

}  // namespace tessaro
