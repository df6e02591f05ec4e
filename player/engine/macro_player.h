#pragma once
// The macro interpreter: plays a macro text into the focused window, runs its commands and
// the nested texts they name (repeat bodies, counters, other macros, files, clipboard).
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/input.h"
#include "player/engine/command_family.h"
#include "player/engine/input_synthesis.h"
#include "macro/macro_language.h"
#include "player/engine/playback_services.h"

namespace tessaro {

class MacroControlHost;

struct PlayerServices {
    win::InputBackend& input;
    PlaybackClock& clock;
    PlayerWindows& windows;
    ClipboardAccess& clipboard;
    PlayerDesktop& desktop;
    MacroControlHost& macros;
    CommandFamilies& families;
};

// Macros that run macros by nickname stop at this depth; nested texts of any kind
// (repeat bodies, counters, files, other macros) at the second.
inline constexpr int kMaxMacroRunDepth = 32;
inline constexpr int kMaxNestingDepth = 256;

class MacroPlayer {
public:
    explicit MacroPlayer(PlayerServices services);

    // Around each whole macro: before it, speed 1, no keystroke or mouse delay, abort
    // cleared; after it, every key and button the macro still holds is released.
    void BeginMacro(bool capsLockWasOn);
    void EndMacro() { synth_.EndMacro(); }

    // Plays `text` `count` times; counters give (pass - 1) * step + start. `outer` marks a
    // whole macro (Caps Lock is restored at its normal end).
    void DoMacro(std::string_view text, std::int64_t count, std::int64_t start, std::int64_t step,
                 bool outer);

    // The abort message and the tray action: the run stops before its next step.
    void RequestAbort() { abort_ = Abort::Requested; }
    // The player is asked to end: the run stops before its next step without a message.
    void AbortQuietly() { abort_ = Abort::Reported; }
    bool Aborted() const { return abort_ != Abort::None; }

    const PlayerServices& services() const { return services_; }
    // Keys, characters, mouse, pacing and the waits (which end early on abort).
    InputSynthesis& synthesis() { return synth_; }

    // A failure that told the user "Macro will abort.": end the whole macro quietly.
    void EndMacroAfterMessage() { abort_ = Abort::Reported; }

private:
    enum class Abort { None, Requested, Reported };

    // One call of DoMacro: what nested texts inherit and what counters read.
    struct Frame {
        std::string_view text;
        std::int64_t pass = 1;
        std::int64_t start = 1;
        std::int64_t step = 1;
        bool untrusted = false;  // clipboard text: no commands acting beyond the keyboard
    };

    void Play(std::string_view text, std::int64_t count, std::int64_t start, std::int64_t step, bool outer,
              bool untrusted);
    void PlayNested(std::string_view text, bool untrusted) { Play(text, 1, 1, 1, false, untrusted); }
    // Runs the token at p; returns the position to go on from.
    std::size_t RunToken(Frame& frame, std::size_t p, const Token& token);
    std::size_t RunRepeat(Frame& frame, std::size_t p, const Token& token);
    bool RunFamily(const Token& token, std::string_view text);
    bool RunPause(const Token& token);
    void RunMacroByName(const std::string& name);
    void RunClipboardCommand(const Token& token);
    void TypeCounter(const Frame& frame, int width);
    void RestoreCapsLock();

    PlayerServices services_;
    InputSynthesis synth_;
    Abort abort_ = Abort::None;
    bool capsLockWasOn_ = false;
    int macroRunDepth_ = 0;
    int nestingDepth_ = 0;
};

// Tokens allowed in text that came from the clipboard: keys, characters and pacing.
bool AllowedInUntrustedText(TokenKind kind);

}  // namespace tessaro
