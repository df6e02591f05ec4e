#include "player/commands/waits.h"

#include "platform/desktop.h"
#include "player/engine/macro_player.h"
#include "player/engine/peer_link.h"
#include "player/engine/window_activation.h"
#include "protocol/glob_data.h"

namespace tessaro {
namespace {

constexpr std::size_t kTitleLimit = 255;

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

std::string Arg(const Token& token, std::size_t i) {
    return i < token.args.size() ? std::string(token.args[i]) : std::string();
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && UpperCase1252(a) == UpperCase1252(b);
}

int ButtonOf(TokenKind kind) { return kind == TokenKind::WaitLM ? 0 : kind == TokenKind::WaitRM ? 1 : 2; }

}  // namespace

std::optional<WaitKey> WaitKeyFor(long number) {
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    static constexpr std::string_view kDigits = "0123456789";
    static constexpr std::string_view kFunctionKeys[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                                         "F7", "F8", "F9", "F10", "F11", "F12"};
    static constexpr WaitKey kOthers[] = {{"ESC", 27},  {"TAB", 9},  {"ENTER", 13},
                                          {"CTRL", 17}, {"ALT", 18}, {"SHIFT", 16}};
    if (number < 0 || number > 53) return std::nullopt;
    const auto n = static_cast<std::size_t>(number);
    if (n < 26) return WaitKey{kLetters.substr(n, 1), static_cast<std::uint8_t>(65 + n)};
    if (n < 36) return WaitKey{kDigits.substr(n - 26, 1), static_cast<std::uint8_t>(48 + n - 26)};
    if (n < 48) return WaitKey{kFunctionKeys[n - 36], static_cast<std::uint8_t>(112 + n - 36)};
    return kOthers[n - 48];
}

std::optional<WaitMessage> TimeOutMessage(TokenKind kind, std::string_view subject, long minutes) {
    using K = TokenKind;
    const std::string within =
        "within the specified time of " + std::to_string(minutes) + " minutes.  Macro will abort.";
    const std::string what = Quoted(subject);
    switch (kind) {
        case K::WaitWin:
            return WaitMessage{"Wait For Window Error",
                               "The Window Title of " + what + " did not appear " + within};
        case K::WaitWlf:
            return WaitMessage{"Wait For Window Error",
                               "The Window Title of " + what + " did not lose focus " + within};
        case K::WaitProg:
            return WaitMessage{"Wait For Program To Terminate Error",
                               "The Program " + what + " did not terminate " + within};
        case K::WaitLM:
        case K::WaitRM:
        case K::WaitMM:
            return WaitMessage{"Wait For Mouse Click Error",
                               std::string(subject) + " click did not occur " + within};
        case K::WaitKey:
            return WaitMessage{"Wait For Key Press", "The " + what + " key was not pressed " + within};
        case K::WaitTxtY:
        case K::WaitTxtN:
            return WaitMessage{"Wait For Text Error", " Text " + what + " was not typed " + within};
        default: return std::nullopt;
    }
}

// Arms one wait flag of the trigger table and clears it again however the wait ends, so
// that the hook library stops reporting.
class WaitsFamily::Armed {
public:
    Armed(WaitsFamily& family, std::uint8_t TGlobData::*flag) : family_(family), flag_(flag) {
        family_.glob_.*flag_ = 1;
        family_.link_.Push(family_.glob_, ggWaits);
    }
    ~Armed() {
        family_.glob_.*flag_ = 0;
        family_.link_.Push(family_.glob_, ggWaits);
    }
    Armed(const Armed&) = delete;
    Armed& operator=(const Armed&) = delete;

private:
    WaitsFamily& family_;
    std::uint8_t TGlobData::*flag_;
};

template <typename Done>
void WaitsFamily::Loop(MacroPlayer& player, long minutes, const WaitMessage& timeOut, Done done) {
    PlaybackClock& clock = player.services().clock;
    const std::int64_t start = clock.NowMs();
    // A negative count from a signed field means no limit, like 0.
    const std::int64_t limitMs = minutes > 0 ? std::int64_t{minutes} * 60000 : 0;
    for (;;) {
        clock.PumpMessages();
        if (player.Aborted() || done()) return;
        if (limitMs > 0 && clock.NowMs() - start > limitMs) {
            player.services().windows.DoAMessage(timeOut.caption, timeOut.text);
            player.RequestAbort();
            return;
        }
        clock.Sleep(kTurnMs);
    }
}

// The key that ended the wait may still be down, and with it the Shift or Ctrl it was
// pressed with: what the macro types next must meet neither (a key typed while the hand
// holds it would not go down at all). A key held past the cap is let go of by the player.
void WaitsFamily::LetGoOfWaitedKey(MacroPlayer& player, std::uint8_t vk) {
    win::InputBackend& input = player.services().input;
    PlaybackClock& clock = player.services().clock;
    const std::int64_t until = clock.NowMs() + kLetGoOfKeyMs;
    bool letGo = false;
    input.AwaitRelease(vk, [&] {
        clock.PumpMessages();
        if (!letGo && clock.NowMs() >= until) {
            letGo = true;
            input.KeyEvent(vk, true);
        }
    });
    input.LetGoOfUserModifiers();
}

void WaitsFamily::RefreshPrograms() {
    StoreRunningPrograms(glob_, RunningPrograms(desktop_));
    link_.Push(glob_, ggProgs);
}

void WaitsFamily::WaitPlayedOut(MacroPlayer& player) {
    reports_.caughtUp = false;
    Armed armed(*this, &TGlobData::WaitPlayback);
    player.synthesis().PauseForNoSpeed(0.1);
    if (player.Aborted()) return;
    link_.MarkPlayback();
    PlaybackClock& clock = player.services().clock;
    const std::int64_t clearAt = clock.NowMs() + kClearWaitTimerMs;
    for (;;) {
        clock.PumpMessages();
        if (reports_.caughtUp || player.Aborted() || clock.NowMs() >= clearAt) return;
        clock.Sleep(kTurnMs);
    }
}

CommandOutcome WaitsFamily::Run(MacroPlayer& player, const CommandToken& command) {
    using K = TokenKind;
    const Token& token = command.token;
    if (token.kind == K::WaitPb) {
        WaitPlayedOut(player);
        return CommandOutcome::Done;
    }
    const long minutes = ArgInt(Arg(token, 0));
    std::string subject = Arg(token, 1);
    switch (token.kind) {
        case K::WaitWin:
        case K::WaitWlf: {
            const std::string title = UpperCase1252(subject);
            const bool appear = token.kind == K::WaitWin;
            Loop(player, minutes, *TimeOutMessage(token.kind, title, minutes), [&] {
                std::string front = desktop_.WindowText(desktop_.ForegroundWindow());
                if (front.size() > kTitleLimit) front.resize(kTitleLimit);
                const bool shown = UpperCase1252(front).find(title) != std::string::npos;
                return shown == appear;
            });
            return CommandOutcome::Done;
        }
        case K::WaitProg: {
            const std::string name = UpperCase1252(subject);
            RefreshPrograms();
            std::int64_t refreshedAt = player.services().clock.NowMs();
            Loop(player, minutes, *TimeOutMessage(token.kind, name, minutes), [&] {
                PlaybackClock& clock = player.services().clock;
                if (clock.NowMs() - refreshedAt >= kProgramRefreshMs) {
                    RefreshPrograms();
                    refreshedAt = clock.NowMs();
                }
                return !ProgramListed(glob_, name);
            });
            return CommandOutcome::Done;
        }
        case K::WaitLM:
        case K::WaitRM:
        case K::WaitMM: {
            static constexpr std::string_view kWords[] = {"Left", "Right", "Middle"};
            const int button = ButtonOf(token.kind);
            reports_.clicked = {};
            Armed armed(*this, &TGlobData::WaitMouse);
            Loop(player, minutes, *TimeOutMessage(token.kind, kWords[button], minutes),
                 [&] { return reports_.clicked[static_cast<std::size_t>(button)]; });
            return CommandOutcome::Done;
        }
        case K::WaitKey: {
            const auto key = WaitKeyFor(ArgInt(subject));
            if (!key) {
                player.services().windows.DoAMessage(
                    "Wait For Key Press",
                    "The key number of the wait command is not valid.  Macro will abort.");
                return CommandOutcome::EndMacro;
            }
            Armed armed(*this, &TGlobData::WaitKey);
            reports_.lastKey = 0;
            Loop(player, minutes, *TimeOutMessage(token.kind, key->name, minutes),
                 [&] { return reports_.lastKey == key->vk; });
            if (!player.Aborted()) LetGoOfWaitedKey(player, key->vk);
            return CommandOutcome::Done;
        }
        case K::WaitTxtY:
        case K::WaitTxtN: {
            // The stream keeps at most its capacity: a longer text is awaited as far as it
            // can be compared.
            std::string awaited = subject.substr(0, WaitTextStream::kCapacity);
            const bool exact = token.kind == K::WaitTxtY;
            reports_.typed.SetTargetLength(awaited.size());
            reports_.typed.OnChar(1, 0);
            Armed armed(*this, &TGlobData::WaitText);
            Loop(player, minutes, *TimeOutMessage(token.kind, subject, minutes), [&] {
                const std::string& typed = reports_.typed.text();
                return exact ? typed == awaited : EqualNoCase(typed, awaited);
            });
            player.services().input.LetGoOfUserModifiers();
            return CommandOutcome::Done;
        }
        default: return CommandOutcome::Done;
    }
}

bool WaitForLaunchedWindow(MacroPlayer& player, const std::string& title, double seconds) {
    PlaybackClock& clock = player.services().clock;
    const std::int64_t end = clock.NowMs() + static_cast<std::int64_t>(seconds * 1000);
    for (;;) {
        if (player.services().desktop.ActivateWindow(title)) return true;
        clock.PumpMessages();
        if (player.Aborted() || clock.NowMs() > end) return false;
        clock.Sleep(WaitsFamily::kTurnMs * 5);
    }
}

}  // namespace tessaro
