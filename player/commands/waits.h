#pragma once
// The wait commands: a macro waits for a window to come to the front or lose it, for a
// program to end, for the user to click, press a key or type a text, or for the keys it
// sent to be played out. Every wait keeps the player's event loop turning, ends on abort,
// and gives up after its time-out (whole minutes, 0 = none) with a message.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "player/engine/command_family.h"
#include "player/engine/wait_text.h"

namespace win {
class Desktop;
}

namespace tessaro {

struct TGlobData;
class PeerLink;

// A key of "<WAITKEY:": the name its time-out message shows and the virtual key awaited.
struct WaitKey {
    std::string_view name;
    std::uint8_t vk;
};
// Key numbers 0-53; nothing outside.
std::optional<WaitKey> WaitKeyFor(long number);

// The time-out message of a wait: caption and text. `subject` is the awaited title,
// program name, button word, key name or text as the message shows it.
struct WaitMessage {
    std::string caption;
    std::string text;
};
std::optional<WaitMessage> TimeOutMessage(TokenKind kind, std::string_view subject, long minutes);

class WaitsFamily : public CommandFamily {
public:
    // Refreshes between turns of a program wait, at most this often.
    static constexpr std::int64_t kProgramRefreshMs = 2000;
    // Gives up on the played-out marker after this long.
    static constexpr std::int64_t kClearWaitTimerMs = 30000;
    // The pause between turns of a wait.
    static constexpr std::int64_t kTurnMs = 10;
    // The key that ended a key wait is let go of by the player past this hold.
    static constexpr std::int64_t kLetGoOfKeyMs = 1000;

    // `glob` is the player's copy of the trigger table; `link` pushes its wait flags.
    WaitsFamily(TGlobData& glob, PeerLink& link, win::Desktop& desktop, WaitReports& reports)
        : glob_(glob), link_(link), desktop_(desktop), reports_(reports) {}

    CommandOutcome Run(MacroPlayer& player, const CommandToken& token) override;

private:
    class Armed;
    // Turns the wait loop until `done` holds, the macro is aborted or the time-out passes
    // (then the message, and the macro aborts). `tick` runs each turn before the test.
    template <typename Done>
    void Loop(MacroPlayer& player, long minutes, const WaitMessage& timeOut, Done done);
    void RefreshPrograms();
    void WaitPlayedOut(MacroPlayer& player);
    void LetGoOfWaitedKey(MacroPlayer& player, std::uint8_t vk);

    TGlobData& glob_;
    PeerLink& link_;
    win::Desktop& desktop_;
    WaitReports& reports_;
};

// Brings the window whose title contains `title` to the front, trying again while the
// loop turns, for up to `seconds`; false when it never appeared or the macro was aborted.
bool WaitForLaunchedWindow(MacroPlayer& player, const std::string& title, double seconds);

}  // namespace tessaro
