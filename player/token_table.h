#pragma once
// The tokens the interpreter acts on, in the order they are tried at a '<', with where
// each one ends and what it does.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaro {

// Families of commands that live outside the interpreter core and plug into it.
enum class CommandFamilyId : std::uint8_t {
    Waits,
    ProgramsWindowsSystem,
    FilesDrivesDialUp,
    Multimedia,
    EMail,
    DateTime,
};
inline constexpr int kCommandFamilyCount = 6;

enum class TokenAction : std::uint8_t {
    Key, HeldDown, HeldUp, Tap, Skip,
    Pause, PauseCentred, TextBox, Delay, TimedDelay, Speed, MilliDelay, Remark,
    AltCode, Counter,
    ClipFile, ClipPicture, ClipCopy, ClipPaste, BeginClip, ClipType, ClipTypeInline,
    ClipSaveGraphic, ClipSaveText, ClipAppendText,
    PromptRepeat, MacroRun, MacroDelete, MacroActivate, MacroDeactivate, Repeat, Rep,
    KeyDelay, MouseDelay, SwapFile,
    WaitTime, EncryptedText, TextFile, OpenAddress,
    Mouse, Wheel, MoveMouse, MoveToCaret,
    Activate,
    Family,
};

// Where the token's closing '>' stands.
enum class TokenClose : std::uint8_t {
    Literal,      // the prefix is the whole token
    At,           // fixed: '>' at position `pos`
    Text,         // free text from `pos` to the next '>'
    TextBox,      // title from `pos` to '>', then body to the next '>'
    BeginClip,    // up to the end of "<ENDCLIP>" (the command decides)
    EMail,        // tagged fields ended by 0x01, then '>'
    ThreeCloses,  // user, password and the rest, each ended by '>'
    Launch,       // launch argument from `pos` ('>' of "<PARAM>" does not end it)
    TitledLaunch, // digits, title up to '<', "<LAUNCH:", launch argument
};

struct TokenSpec {
    std::string_view prefix;
    TokenClose close;
    std::uint8_t pos;     // closing position or argument start, by `close`
    TokenAction action;
    std::uint8_t arg;     // virtual key, counter width, family, mouse code, ...
};

struct TokenMatch {
    const TokenSpec* spec = nullptr;
    std::size_t end = 0;  // position just past the token
};

// The token that starts at text[p] (which is '<'); nothing when the '<' is plain text.
std::optional<TokenMatch> MatchToken(std::string_view text, std::size_t p);

// Position just past an "<EMAIL:" token that starts at p.
std::size_t EMailTokenEnd(std::string_view text, std::size_t p);

}  // namespace tessaro
