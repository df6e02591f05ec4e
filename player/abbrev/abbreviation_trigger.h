#pragma once
// The player's side of typed abbreviations: each WM_ABBREV_CHAR goes through the
// abbreviation machine; a match erases what was typed and plays the macro through the
// trigger dispatch, as a hot key would.
#include <cstdint>
#include <string>

#include "player/abbrev/abbreviation_machine.h"

namespace tessaro {

struct TMacroRecord;

// What the trigger needs from the player around it.
class AbbreviationHost {
public:
    virtual ~AbbreviationHost() = default;
    virtual AbbrevActivity Activity() = 0;
    virtual ForegroundInfo& Foreground() = 0;
    virtual void Warning(const std::string& text) = 0;
    virtual bool ReadMacro(int n, TMacroRecord& rec) = 0;
    // InUse := 1, pushed, and the editor told.
    virtual void MarkInUse() = 0;
    // Returns once the key `vk` is up, letting queued messages run; one still held after
    // `capMs` is let go for the user. A key the playback presses while it is down is lost.
    virtual void LetGoOfKey(std::uint8_t vk, int capMs) = 0;
    // Presses and releases Backspace, then lets queued messages run.
    virtual void EraseOneCharacter() = 0;
    // Waits, not scaled by the playback speed.
    virtual void Wait(int ms) = 0;
    // The dispatch's playback of the record as typed: the macro text (capitalised, the
    // delimiter again), the end-of-playback key and the in-use timer.
    virtual void PlayTyped(int n, const TMacroRecord& rec, const AbbrevDecision& how) = 0;
};

class AbbreviationTrigger {
public:
    AbbreviationTrigger(const TConfigRecord& config, const TGlobData& glob, AbbreviationHost& host)
        : config_(config), glob_(glob), host_(host) {}

    // WM_ABBREV_CHAR: the character in the low byte of lParam, the key that typed it in
    // the next one (AbbrevCharParam).
    void WMAbbrevChar(std::uint32_t wParam, std::int32_t lParam);
    const AbbreviationMachine& machine() const { return machine_; }

private:
    void RunAbbreviationMacro(const AbbrevDecision& decision, std::uint8_t completingKey);

    const TConfigRecord& config_;
    const TGlobData& glob_;
    AbbreviationHost& host_;
    AbbreviationMachine machine_;
    bool running_ = false;  // erasing: the pumped messages must not start another run
};

// Pause after the erasing, so the target has taken the Backspaces before the text.
inline constexpr int kAfterEraseMs = 100;
// The longest wait for the key that completed an abbreviation to be let go: a hand holds
// a key well under this, the key repeats long before.
inline constexpr int kCompletingKeyCapMs = 1000;

}  // namespace tessaro
