#pragma once
// The abbreviation stream as a state machine: the typed characters the hook library
// forwards go into a short buffer, which is tested against the macros' abbreviations.
// It decides; the trigger around it erases and plays.
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

struct TConfigRecord;
struct TGlobData;

// What else the player is doing when an abbreviation completes.
struct AbbrevActivity {
    bool playing = false;       // a macro plays: nothing is erased, nothing runs
    bool popupShowing = false;  // the popup chooser is open
    bool capturing = false;
    bool paused = false;  // a running macro waits in its pause window
};

// The foreground window, asked only when a candidate needs it.
class ForegroundInfo {
public:
    virtual ~ForegroundInfo() = default;
    virtual std::string Title() = 0;
    // The program name of the window's process.
    virtual std::string Program() = 0;
};

// The outcome of one character.
struct AbbrevDecision {
    int macro = 0;            // the macro to run; 0 for none
    std::string warning;      // a refusal to show; empty for none
    int backspaces = 0;       // 0 when the typed text stays
    bool capitalise = false;  // type the macro's first letter upper case
    bool retype = false;      // type the delimiter again after the macro
    char delimiter = ' ';
    bool capsLockWasOn = false;
};

inline constexpr std::uint32_t kAbbrevReset = 1;
inline constexpr std::uint32_t kAbbrevCapsLock = 2;
inline constexpr int kMaxAbbrevCandidates = 50;

// Characters that can be part of an abbreviation.
bool IsAbbreviationChar(unsigned char c);

class AbbreviationMachine {
public:
    // One WM_ABBREV_CHAR: wParam 1 reset, 2 typed with Caps Lock on; lParam the character.
    AbbrevDecision Receive(std::uint32_t wParam, std::int32_t lParam, const TConfigRecord& config,
                           const TGlobData& glob, const AbbrevActivity& activity, ForegroundInfo& foreground);

    const std::string& buffer() const { return buffer_; }
    char delimiter() const { return delimiter_; }

private:
    AbbrevDecision TestIt(const TConfigRecord& config, const TGlobData& glob, const AbbrevActivity& activity,
                          ForegroundInfo& foreground);
    void Append(unsigned char c, std::size_t limit);

    std::string buffer_;
    char delimiter_ = ' ';
    bool capsLockWasOn_ = false;
};

}  // namespace tessaro
