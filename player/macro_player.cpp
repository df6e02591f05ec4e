#include "player/macro_player.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "platform/cp1252.h"
#include "player/macro_args.h"
#include "player/macro_control.h"

namespace tessaro {
namespace {

constexpr std::uint8_t kVkCapsLock = 20;
constexpr std::string_view kEndRepeat = "<ENDREP>";
constexpr std::string_view kEndClip = "<ENDCLIP>";

// Milliseconds of a wait given in seconds; never negative, never past about three years,
// so that deadlines cannot overflow.
std::int64_t WaitMs(double seconds) {
    constexpr double kMaxMs = 1e11;
    const double ms = seconds * 1000.0;
    if (!(ms > 0)) return 0;
    return static_cast<std::int64_t>(std::llround(std::min(ms, kMaxMs)));
}

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

bool IsRepeatStart(std::string_view at) {
    return at.starts_with("<REP:") || at.starts_with("<REPEAT:") ||
           at.starts_with("<PROMPTREP>");
}

// Position of the "<ENDREP>" that closes a repeat whose body starts at `from`.
std::optional<std::size_t> MatchingEndRepeat(std::string_view text, std::size_t from) {
    int level = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] != '<') continue;
        const std::string_view at = text.substr(i);
        if (IsRepeatStart(at)) ++level;
        if (at.starts_with(kEndRepeat)) {
            if (level == 0) return i;
            --level;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(win::Cp1252ToUtf8(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!bytes.empty() && bytes.back() == '\x1a') bytes.pop_back();
    return bytes;
}

}  // namespace

bool AllowedInUntrustedText(const TokenSpec& spec) {
    switch (spec.action) {
        case TokenAction::Key:
        case TokenAction::HeldDown:
        case TokenAction::HeldUp:
        case TokenAction::Tap:
        case TokenAction::Skip:
        case TokenAction::Delay:
        case TokenAction::TimedDelay:
        case TokenAction::Speed:
        case TokenAction::MilliDelay:
        case TokenAction::Remark:
        case TokenAction::AltCode:
        case TokenAction::Counter:
        case TokenAction::Repeat:
        case TokenAction::Rep:
        case TokenAction::KeyDelay:
        case TokenAction::MouseDelay:
        case TokenAction::Mouse:
        case TokenAction::Wheel:
        case TokenAction::MoveMouse:
        case TokenAction::MoveToCaret:
            return true;
        case TokenAction::Family:
            return spec.arg == static_cast<std::uint8_t>(CommandFamilyId::DateTime);
        default:
            return false;
    }
}

MacroPlayer::MacroPlayer(PlayerServices services) : services_(services) {}

void MacroPlayer::BeginMacro(bool capsLockWasOn) {
    pacing_ = Pacing{};
    abort_ = Abort::None;
    capsLockWasOn_ = capsLockWasOn;
    macroRunDepth_ = 0;
}

void MacroPlayer::DoMacro(std::string_view text, std::int64_t count, std::int64_t start,
                          std::int64_t step, bool outer) {
    Play(text, count, start, step, outer, false);
}

void MacroPlayer::Play(std::string_view text, std::int64_t count, std::int64_t start,
                       std::int64_t step, bool outer, bool untrusted) {
    if (Aborted()) return;
    for (std::int64_t pass = 1; pass <= count; ++pass) {
        if (Aborted()) return;
        Frame frame{text, pass, start, step, untrusted};
        std::size_t p = 0;
        while (p < text.size()) {
            if (Aborted()) {
                if (abort_ == Abort::Requested) {
                    services_.windows.DoAMessage("Macro Abort",
                                                 "Tessaro 99 macro has been aborted.");
                    abort_ = Abort::Reported;
                }
                return;
            }
            const char c = text[p];
            if (c != '<') {
                services_.input.TypeChar(static_cast<unsigned char>(c));
                p += (c == '\r' && p + 1 < text.size() && text[p + 1] == '\n') ? 2 : 1;
            } else if (auto match = MatchToken(text, p);
                       match && (!untrusted || AllowedInUntrustedText(*match->spec))) {
                p = RunToken(frame, p, *match);
            } else {
                services_.input.TypeChar('<');
                ++p;
            }
            services_.clock.PumpMessages();
        }
    }
    if (outer && !Aborted()) RestoreCapsLock();
}

void MacroPlayer::RestoreCapsLock() {
    if (capsLockWasOn_) services_.input.TapKey(kVkCapsLock);
}

std::size_t MacroPlayer::RunToken(Frame& frame, std::size_t p, const TokenMatch& match) {
    const std::string_view text = frame.text;
    const TokenSpec& spec = *match.spec;
    PlaybackInput& input = services_.input;
    PlayerWindows& windows = services_.windows;
    auto field = [&](std::size_t at, std::size_t width) { return FieldAt(text, p + at, width); };
    auto freeText = [&](std::size_t at) { return std::string(FreeText(text, p + at)); };

    switch (spec.action) {
        case TokenAction::Key:
            input.KeyToken(spec.arg);
            break;
        case TokenAction::HeldDown:
        case TokenAction::HeldUp:
            input.KeyEvent(spec.arg, spec.action == TokenAction::HeldUp);
            break;
        case TokenAction::Tap:
            input.TapKey(spec.arg);
            break;
        case TokenAction::Skip:
        case TokenAction::Remark:
            break;
        case TokenAction::Pause:
        case TokenAction::PauseCentred:
            return RunPause(frame, p, match);
        case TokenAction::TextBox: {
            const std::size_t titleEnd = PastClose(text, p + spec.pos);
            windows.MyMessage(std::string(FreeText(text, p + spec.pos)),
                              std::string(FreeText(text, titleEnd)));
            break;
        }
        case TokenAction::Delay:
            PauseFor(LeadingDecimal(field(7, 5)));
            break;
        case TokenAction::TimedDelay:
            TimedPauseFor(LeadingDecimal(field(8, 2)));
            break;
        case TokenAction::Speed:
            if (auto speed = ParseDecimal(field(7, 5))) pacing_.speed = *speed;
            break;
        case TokenAction::MilliDelay:
            KeyDelayWait(LeadingInteger(field(5, 4)));
            break;
        case TokenAction::AltCode:
            input.AltCode(field(spec.prefix.size(), spec.arg));
            break;
        case TokenAction::Counter:
            TypeCounter(frame, spec.arg);
            break;
        case TokenAction::ClipFile:
        case TokenAction::ClipPicture:
            RunClipboardCommand(spec.action, FreeText(text, p + 7));
            break;
        case TokenAction::ClipSaveGraphic:
        case TokenAction::ClipSaveText:
        case TokenAction::ClipAppendText:
            RunClipboardCommand(spec.action, FreeText(text, p + 8));
            break;
        case TokenAction::ClipCopy:
        case TokenAction::ClipPaste:
            RunClipboardCommand(spec.action, {});
            break;
        case TokenAction::BeginClip:
            return RunBeginClip(frame, p);
        case TokenAction::ClipType:
        case TokenAction::ClipTypeInline: {
            std::string clip = services_.clipboard.Text();
            if (spec.action == TokenAction::ClipTypeInline) {
                std::erase_if(clip, [](char ch) { return ch == '\r' || ch == '\n'; });
            }
            if (!clip.empty()) PlayNested(clip, true);
            break;
        }
        case TokenAction::PromptRepeat:
        case TokenAction::Repeat:
        case TokenAction::Rep:
            return RunRepeat(frame, p, match);
        case TokenAction::MacroRun:
            RunMacroByName(freeText(8));
            break;
        case TokenAction::MacroDelete:
            DeleteMacroByName(services_.macros, windows, freeText(8));
            break;
        case TokenAction::MacroActivate:
            EnableMacroByName(services_.macros, windows, freeText(8), true);
            break;
        case TokenAction::MacroDeactivate:
            EnableMacroByName(services_.macros, windows, freeText(10), false);
            break;
        case TokenAction::KeyDelay:
            pacing_.keyDelayMs = std::uint32_t(std::max<std::int64_t>(0, LeadingInteger(field(7, 4))));
            break;
        case TokenAction::MouseDelay:
            pacing_.mouseDelayMs = std::uint32_t(std::max<std::int64_t>(0, LeadingInteger(field(7, 4))));
            break;
        case TokenAction::SwapFile:
            SwapMacroFile(services_.macros, freeText(6));
            break;
        case TokenAction::WaitTime:
            WaitForTimer(WaitMs(double(LeadingInteger(field(10, 8)))));
            break;
        case TokenAction::EncryptedText:
            if (auto plain = services_.desktop.Decrypt(freeText(7))) {
                PlayNested(*plain, frame.untrusted);
            } else {
                windows.DoAMessage("Error", "The encrypted text of the macro could not be read.");
            }
            break;
        case TokenAction::TextFile:
            if (auto content = ReadWholeFile(freeText(7))) PlayNested(*content, frame.untrusted);
            break;
        case TokenAction::OpenAddress:
            services_.desktop.OpenDocument(freeText(spec.prefix.size()));
            break;
        case TokenAction::Mouse: {
            static constexpr std::uint32_t kDown[] = {2, 8, 32};
            static constexpr std::uint32_t kUp[] = {4, 16, 64};
            const int button = spec.arg / 4;
            const int kind = spec.arg % 4;
            input.MouseButtons(kDown[button], kUp[button], kind == 3 ? 2 : 1, kind == 0,
                               kind == 1);
            break;
        }
        case TokenAction::Wheel: {
            const int notches = int(LeadingInteger(field(5, 3)));
            input.Wheel(spec.arg ? 120 * notches : -120 * notches);
            break;
        }
        case TokenAction::MoveMouse: {
            static constexpr PlaybackInput::MoveKind kKinds[] = {
                PlaybackInput::MoveKind::Screen, PlaybackInput::MoveKind::Relative,
                PlaybackInput::MoveKind::Window};
            input.MoveMouse(kKinds[spec.arg], LeadingDecimal(field(5, 5)),
                            LeadingDecimal(field(11, 5)));
            break;
        }
        case TokenAction::MoveToCaret:
            if (!input.MoveMouseToCaret()) {
                windows.DoAMessage("Error",
                                   "Could not move the mouse to the location of the caret.");
            }
            break;
        case TokenAction::Activate: {
            const std::string title = freeText(10);
            if (!services_.desktop.ActivateWindow(title)) {
                windows.DoAMessage("Activate Command Failed",
                                   "Specified window title of " + Quoted(title) +
                                       " could not be found on your computer. Macro will abort.");
                EndMacroAfterMessage();
                return text.size();
            }
            break;
        }
        case TokenAction::Family:
            if (RunFamily(match, text.substr(p, match.end - p)) != match.end) return text.size();
            break;
    }
    return match.end;
}

std::size_t MacroPlayer::RunFamily(const TokenMatch& match, std::string_view token) {
    const TokenSpec& spec = *match.spec;
    const auto id = static_cast<CommandFamilyId>(spec.arg);
    CommandFamily* family = services_.families.Find(id);
    if (!family) {
        services_.windows.DoAMessage("Command Not Available",
                                     "The command " + Quoted(spec.prefix) +
                                         " is not available on this system. Macro will abort.");
        EndMacroAfterMessage();
        return std::string_view::npos;
    }
    std::string rebuilt;
    if (id == CommandFamilyId::EMail && !token.ends_with('>')) {
        rebuilt = std::string(token) + ">";  // an unterminated token still reaches the sender whole
        token = rebuilt;
    }
    if (family->Run(*this, CommandToken{spec.prefix, token}) == CommandOutcome::EndMacro) {
        EndMacroAfterMessage();
        return std::string_view::npos;
    }
    return match.end;
}

std::size_t MacroPlayer::RunRepeat(Frame& frame, std::size_t p, const TokenMatch& match) {
    const std::string_view text = frame.text;
    std::int64_t count = 0;
    std::int64_t start = 1;
    std::int64_t step = 1;
    switch (match.spec->action) {
        case TokenAction::Repeat:
            count = LeadingInteger(FieldAt(text, p + 8, 4));
            break;
        case TokenAction::Rep:
            count = LeadingInteger(FieldAt(text, p + 5, 4));
            start = LeadingInteger(FieldAt(text, p + 10, 6));
            step = LeadingInteger(FieldAt(text, p + 17, 6));
            break;
        default:
            count = services_.windows.DoRepPrompt();
            break;
    }
    const auto end = MatchingEndRepeat(text, match.end);
    if (!end) {
        services_.windows.DoAMessage(
            "Repeat Error",
            "No \"End Repeat\" that matches the initial repeat specified in the macro. "
            "Macro will abort.");
        abort_ = Abort::Requested;
        return text.size() - 1;  // the next step reports the abort
    }
    Play(text.substr(match.end, *end - match.end), count, start, step, false, frame.untrusted);
    if (Aborted()) return text.size();
    return *end + kEndRepeat.size();
}

std::size_t MacroPlayer::RunPause(const Frame& frame, std::size_t p, const TokenMatch& match) {
    PlayerWindows& windows = services_.windows;
    const int width = windows.ScreenWidth();
    const int height = windows.ScreenHeight();
    int top = (height - 94) / 2;
    int left = (width - 224) / 2;
    std::string message;
    if (match.spec->action == TokenAction::Pause) {
        message = std::string(FreeText(frame.text, p + 14));
        const int textHeight =
            message.empty() ? 0 : 19 * int(message.size() / 30) + 19;
        top = int(std::min<std::int64_t>(LeadingInteger(FieldAt(frame.text, p + 7, 3)),
                                         height - 94 - textHeight));
        left = int(std::min<std::int64_t>(LeadingInteger(FieldAt(frame.text, p + 11, 3)),
                                          width - 224));
    }
    if (windows.PauseMacro(top, left, message)) return match.end;
    // Abort from the pause window ends the whole macro, nested texts included.
    RestoreCapsLock();
    EndMacroAfterMessage();
    return frame.text.size();
}

std::size_t MacroPlayer::RunBeginClip(const Frame& frame, std::size_t p) {
    const std::size_t from = p + 9;
    const std::size_t end = frame.text.find(kEndClip, from);
    if (end == std::string_view::npos) return frame.text.size();  // nothing to put, nothing typed
    services_.clipboard.SetText(std::string(frame.text.substr(from, end - from)));
    PauseForNoSpeed(0.05);
    return end + kEndClip.size();
}

void MacroPlayer::RunMacroByName(const std::string& name) {
    if (macroRunDepth_ >= kMaxMacroRunDepth) {
        services_.windows.DoAMessage(
            "Macro Run Error",
            "Macro " + Quoted(name) + " runs macros more than " +
                std::to_string(kMaxMacroRunDepth) + " levels deep. Macro will abort.");
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

void MacroPlayer::WaitUntil(std::int64_t deadline, bool pump) {
    PlaybackClock& clock = services_.clock;
    // Waits on the timer sleep in longer slices; both look for the abort between slices.
    const std::int64_t slice = pump ? 5 : 50;
    for (std::int64_t now = clock.NowMs(); now < deadline && !Aborted(); now = clock.NowMs()) {
        clock.PumpMessages();
        if (Aborted()) break;
        clock.Sleep(std::min(slice, deadline - now));
    }
}

void MacroPlayer::PauseFor(double seconds) {
    if (pacing_.speed != 0) PauseForNoSpeed(seconds * pacing_.speed);
}

void MacroPlayer::PauseForNoSpeed(double seconds) {
    WaitUntil(services_.clock.NowMs() + WaitMs(seconds), true);
}

void MacroPlayer::TimedPauseFor(double seconds) {
    if (pacing_.speed != 0) WaitForTimer(WaitMs(seconds * pacing_.speed));
}

void MacroPlayer::WaitForTimer(std::int64_t ms) {
    WaitUntil(services_.clock.NowMs() + std::clamp<std::int64_t>(ms, 0, WaitMs(1e8)), false);
}

void MacroPlayer::KeyDelayWait(std::int64_t ms) {
    if (pacing_.speed != 0) PauseForNoSpeed(double(ms) / 1000.0 * pacing_.speed);
}

}  // namespace tessaro
