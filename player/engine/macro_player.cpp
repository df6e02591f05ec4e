#include "player/engine/macro_player.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/cp1252.h"
#include "player/engine/macro_control.h"
#include "player/engine/web_address.h"
#include "macro/text_file.h"

namespace tessaro {
namespace {

constexpr std::uint8_t kVkCapsLock = 20;
constexpr std::string_view kEndRepeat = "<ENDREP>";

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

std::string Arg(const Token& token, std::size_t i) {
    return i < token.args.size() ? std::string(token.args[i]) : std::string();
}

}  // namespace

bool AllowedInUntrustedText(TokenKind kind) {
    using K = TokenKind;
    switch (kind) {
        case K::Delay:
        case K::TDelay:
        case K::Speed:
        case K::Msd:
        case K::Rem:
        case K::AltCode:
        case K::Alt4Code:
        case K::Counter4:
        case K::Counter3:
        case K::Counter2:
        case K::Counter1:
        case K::Repeat:
        case K::Rep:
        case K::EndRep:
        case K::SpKey:
        case K::SpMse:
        case K::LDn:
        case K::LUp:
        case K::LClk:
        case K::LDClk:
        case K::RDn:
        case K::RUp:
        case K::RClk:
        case K::RDClk:
        case K::MDn:
        case K::MUp:
        case K::MClk:
        case K::MDClk:
        case K::Wfw:
        case K::Wbw:
        case K::Mmp:
        case K::Mms:
        case K::Mmw:
        case K::Mmc:
        case K::Date:
        case K::DateOffset:
        case K::Time: return true;
        case K::None: return false;
        default: return SpecOf(kind).key != KeyAction::None;
    }
}

namespace {

SynthesisHooks HooksFor(MacroPlayer& player, const PlayerServices& services) {
    using Clock = SynthesisHooks::Clock;
    PlaybackClock& clock = services.clock;
    PlayerWindows& windows = services.windows;
    return SynthesisHooks{
        [&clock] { clock.PumpMessages(); },
        [&player] { return player.Aborted(); },
        [&windows](const std::string& caption, const std::string& text) {
            windows.DoAMessage(caption, text);
        },
        [&clock] { return Clock::time_point(std::chrono::milliseconds(clock.NowMs())); },
        [&clock](Clock::duration left) {
            // Short turns keep the abort action and timers live during long waits.
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(left).count();
            clock.Sleep(std::clamp<std::int64_t>(ms, 1, 20));
        },
    };
}

}  // namespace

MacroPlayer::MacroPlayer(PlayerServices services)
    : services_(services), synth_(services.input, HooksFor(*this, services_)) {}

void MacroPlayer::BeginMacro(bool capsLockWasOn) {
    synth_.BeginMacro();
    abort_ = Abort::None;
    capsLockWasOn_ = capsLockWasOn;
    macroRunDepth_ = 0;
    nestingDepth_ = 0;
}

void MacroPlayer::DoMacro(std::string_view text, std::int64_t count, std::int64_t start, std::int64_t step,
                          bool outer) {
    Play(text, count, start, step, outer, false);
}

void MacroPlayer::Play(std::string_view text, std::int64_t count, std::int64_t start, std::int64_t step,
                       bool outer, bool untrusted) {
    if (Aborted()) return;
    // Texts from files can nest repeats and themselves without end; the stack cannot.
    if (nestingDepth_ >= kMaxNestingDepth) {
        services_.windows.DoAMessage("Macro Nesting Error", "The macro nests repeats and texts more than " +
                                                                std::to_string(kMaxNestingDepth) +
                                                                " levels deep. Macro will abort.");
        EndMacroAfterMessage();
        return;
    }
    struct Level {
        int& depth;
        explicit Level(int& d) : depth(++d) {}
        ~Level() { --depth; }
    } level(nestingDepth_);
    for (std::int64_t pass = 1; pass <= count; ++pass) {
        if (Aborted()) return;
        Frame frame{text, pass, start, step, untrusted};
        std::size_t p = 0;
        while (p < text.size()) {
            if (Aborted()) {
                if (abort_ == Abort::Requested) {
                    synth_.ReleaseHeldInput();  // no key stays down under the box
                    services_.windows.DoAMessage("Macro Abort", "Tessaro 99 macro has been aborted.");
                    abort_ = Abort::Reported;
                }
                return;
            }
            const Step step = NextStep(text, p);
            const TokenKind kind = step.token.kind;
            if (kind == TokenKind::None) {
                // The plain text behind it, up to what may be the next command.
                const std::size_t rest = p + step.length;
                synth_.TextAhead(text.substr(rest, std::min(text.find('<', rest), text.size()) - rest));
                synth_.TypeChar(static_cast<unsigned char>(step.ch));
                synth_.TextAhead({});
                p += step.length;
            } else if (untrusted && !AllowedInUntrustedText(kind)) {
                synth_.TypeChar('<');  // typed as plain text
                ++p;
            } else {
                p = RunToken(frame, p, step.token);
            }
            services_.clock.PumpMessages();
        }
    }
    if (outer && !Aborted()) RestoreCapsLock();
}

void MacroPlayer::RestoreCapsLock() {
    if (!capsLockWasOn_) return;
    synth_.PostVKey(kVkCapsLock, false);
    synth_.PostVKey(kVkCapsLock, true);
}

std::size_t MacroPlayer::RunToken(Frame& frame, std::size_t p, const Token& token) {
    using K = TokenKind;
    const std::string_view text = frame.text;
    const std::size_t next = p + token.length;
    PlayerWindows& windows = services_.windows;

    switch (token.kind) {
        case K::Pause:
        case K::PauseBasic: return RunPause(token) ? next : text.size();
        case K::TBox: windows.MyMessage(Arg(token, 0), Arg(token, 1)); return next;
        case K::Rem:
        case K::EndRep:
        case K::EndClip: return next;
        case K::Counter4:
        case K::Counter3:
        case K::Counter2:
        case K::Counter1: {
            static constexpr int kWidth[] = {4, 3, 2, 0};
            TypeCounter(frame, kWidth[int(token.kind) - int(K::Counter4)]);
            return next;
        }
        case K::ClipF:
        case K::ClipB:
        case K::ClipC:
        case K::ClipP:
        case K::ClipSG:
        case K::ClipST:
        case K::ClipAT: RunClipboardCommand(token); return next;
        case K::BegClip:
            if (token.unterminated) return text.size();  // nothing to put, nothing typed
            services_.clipboard.SetText(Arg(token, 0));
            synth_.PauseForNoSpeed(0.05);
            return next;
        case K::ClipType:
        case K::ClipTypeI: {
            std::string clip = services_.clipboard.Text();
            if (token.kind == K::ClipTypeI) {
                std::erase_if(clip, [](char ch) { return ch == '\r' || ch == '\n'; });
            }
            if (!clip.empty()) PlayNested(clip, true);
            return next;
        }
        case K::PromptRep:
        case K::Repeat:
        case K::Rep: return RunRepeat(frame, p, token);
        case K::MacRun: RunMacroByName(Arg(token, 0)); return next;
        case K::MacDel: DeleteMacroByName(services_.macros, windows, Arg(token, 0)); return next;
        case K::MacAct:
        case K::MacDeact:
            EnableMacroByName(services_.macros, windows, Arg(token, 0), token.kind == K::MacAct);
            return next;
        case K::Swap: SwapMacroFile(services_.macros, windows, Arg(token, 0)); return next;
        case K::EText:
            if (auto plain = services_.desktop.Decrypt(Arg(token, 0))) {
                PlayNested(*plain, frame.untrusted);
            } else {
                windows.DoAMessage("Error", "The encrypted text of the macro could not be read.");
            }
            return next;
        case K::TFile:
            if (auto content = ReadTextFile(Arg(token, 0))) PlayNested(*content, frame.untrusted);
            return next;
        case K::Http: services_.desktop.OpenDocument(AddressWithScheme(Arg(token, 0), "http")); return next;
        case K::Ftp: services_.desktop.OpenDocument(AddressWithScheme(Arg(token, 0), "ftp")); return next;
        case K::Activate: {
            const std::string title = Arg(token, 0);
            if (services_.desktop.ActivateWindow(title)) return next;
            windows.DoAMessage("Activate Command Failed",
                               "Specified window title of " + Quoted(title) +
                                   " could not be found on your computer. Macro will abort.");
            EndMacroAfterMessage();
            return text.size();
        }
        default: break;
    }
    if (synth_.PlayToken(token)) return next;  // keys, mouse, pacing and delays
    return RunFamily(token, text.substr(p, token.length)) ? next : text.size();
}

bool MacroPlayer::RunFamily(const Token& token, std::string_view text) {
    const auto id = FamilyOf(token.kind);
    CommandFamily* family = id ? services_.families.Find(*id) : nullptr;
    if (!family) {
        const std::size_t nameEnd = text.find_first_of(":>{");
        const std::string_view name = nameEnd == std::string_view::npos ? text : text.substr(0, nameEnd + 1);
        services_.windows.DoAMessage(
            "Command Not Available",
            "The command " + Quoted(name) + " is not available on this system. Macro will abort.");
        EndMacroAfterMessage();
        return false;
    }
    std::string rebuilt;
    if (*id == CommandFamilyId::EMail) {
        // The sender gets the token through its last field and one closing '>'.
        rebuilt = "<EMAIL:" + Arg(token, 0) + ">";
        text = rebuilt;
    }
    switch (family->Run(*this, CommandToken{token, text})) {
        case CommandOutcome::Done: return true;
        case CommandOutcome::SkipRest: return false;
        case CommandOutcome::EndMacro: break;
    }
    EndMacroAfterMessage();
    return false;
}

std::size_t MacroPlayer::RunRepeat(Frame& frame, std::size_t p, const Token& token) {
    const std::string_view text = frame.text;
    std::int64_t count = 0;
    std::int64_t start = 1;
    std::int64_t step = 1;
    if (token.kind == TokenKind::PromptRep) {
        count = services_.windows.DoRepPrompt();
    } else {
        count = ArgInt(token.args[0]);
        if (token.kind == TokenKind::Rep) {
            start = ArgInt(token.args[1]);
            step = ArgInt(token.args[2]);
        }
    }
    const std::size_t bodyStart = p + token.length;
    const std::size_t end = FindMatchingEndRep(text, bodyStart);
    if (end == std::string_view::npos) {
        services_.windows.DoAMessage(
            "Repeat Error",
            "No \"End Repeat\" that matches the initial repeat specified in the macro. "
            "Macro will abort.");
        abort_ = Abort::Requested;
        return text.size() - 1;  // the next step reports the abort
    }
    Play(text.substr(bodyStart, end - bodyStart), count, start, step, false, frame.untrusted);
    if (Aborted()) return text.size();
    return end + kEndRepeat.size();
}

bool MacroPlayer::RunPause(const Token& token) {
    PlayerWindows& windows = services_.windows;
    const int width = windows.ScreenWidth();
    const int height = windows.ScreenHeight();
    int top = (height - 94) / 2;
    int left = (width - 224) / 2;
    std::string message;
    if (token.kind == TokenKind::Pause) {
        message = Arg(token, 2);
        const int textHeight = message.empty() ? 0 : 19 * int(message.size() / 30) + 19;
        top = int(std::min<std::int64_t>(ArgInt(token.args[0]), height - 94 - textHeight));
        left = int(std::min<std::int64_t>(ArgInt(token.args[1]), width - 224));
    }
    if (windows.PauseMacro(top, left, message)) return true;
    // Abort from the pause window ends the whole macro, nested texts included.
    RestoreCapsLock();
    EndMacroAfterMessage();
    return false;
}

void MacroPlayer::RunMacroByName(const std::string& name) {
    if (macroRunDepth_ >= kMaxMacroRunDepth) {
        services_.windows.DoAMessage("Macro Run Error", "Macro " + Quoted(name) + " runs macros more than " +
                                                            std::to_string(kMaxMacroRunDepth) +
                                                            " levels deep. Macro will abort.");
        EndMacroAfterMessage();
        return;
    }
    const auto text = FindMacroText(services_.macros, name);
    if (!text) return;
    ++macroRunDepth_;
    PlayNested(*text, false);
    --macroRunDepth_;
}

void MacroPlayer::TypeCounter(const Frame& frame, int width) {
    std::string digits = std::to_string((frame.pass - 1) * frame.step + frame.start);
    if (int(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
    PlayNested(digits, frame.untrusted);
}

}  // namespace tessaro
