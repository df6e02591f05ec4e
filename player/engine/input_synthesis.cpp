#include "player/engine/input_synthesis.h"

#include <QCoreApplication>
#include <cmath>
#include <thread>

#include "macro/command_numbers.h"
#include "platform/message_box.h"
#include "platform/virtual_keys.h"

namespace tessaro {
namespace {

using Clock = SynthesisHooks::Clock;

struct ButtonToken {
    TokenKind kind;
    unsigned down, up;
    int clicks;  // 0: down only, -1: up only, 1 click, 2 double click
};
constexpr ButtonToken kButtonTokens[] = {
    {TokenKind::LDn, win::MOUSEEVENTF_LEFTDOWN, win::MOUSEEVENTF_LEFTUP, 0},
    {TokenKind::LUp, win::MOUSEEVENTF_LEFTDOWN, win::MOUSEEVENTF_LEFTUP, -1},
    {TokenKind::LClk, win::MOUSEEVENTF_LEFTDOWN, win::MOUSEEVENTF_LEFTUP, 1},
    {TokenKind::LDClk, win::MOUSEEVENTF_LEFTDOWN, win::MOUSEEVENTF_LEFTUP, 2},
    {TokenKind::RDn, win::MOUSEEVENTF_RIGHTDOWN, win::MOUSEEVENTF_RIGHTUP, 0},
    {TokenKind::RUp, win::MOUSEEVENTF_RIGHTDOWN, win::MOUSEEVENTF_RIGHTUP, -1},
    {TokenKind::RClk, win::MOUSEEVENTF_RIGHTDOWN, win::MOUSEEVENTF_RIGHTUP, 1},
    {TokenKind::RDClk, win::MOUSEEVENTF_RIGHTDOWN, win::MOUSEEVENTF_RIGHTUP, 2},
    {TokenKind::MDn, win::MOUSEEVENTF_MIDDLEDOWN, win::MOUSEEVENTF_MIDDLEUP, 0},
    {TokenKind::MUp, win::MOUSEEVENTF_MIDDLEDOWN, win::MOUSEEVENTF_MIDDLEUP, -1},
    {TokenKind::MClk, win::MOUSEEVENTF_MIDDLEDOWN, win::MOUSEEVENTF_MIDDLEUP, 1},
    {TokenKind::MDClk, win::MOUSEEVENTF_MIDDLEDOWN, win::MOUSEEVENTF_MIDDLEUP, 2},
};

// Longest wait honoured; far beyond any field width, it keeps the arithmetic finite.
constexpr double kMaxWaitSeconds = 1e9;

}  // namespace

InputSynthesis::InputSynthesis(win::InputBackend& backend, SynthesisHooks hooks)
    : backend_(backend), hooks_(std::move(hooks)) {
    if (!hooks_.pump)
        hooks_.pump = [] {
            if (QCoreApplication::instance()) QCoreApplication::processEvents();
        };
    if (!hooks_.aborted) hooks_.aborted = [] { return false; };
    if (!hooks_.message)
        hooks_.message = [](const std::string& caption, const std::string& text) {
            win::MessageBox(text, caption);
        };
    if (!hooks_.now) hooks_.now = [] { return Clock::now(); };
    if (!hooks_.idle)
        hooks_.idle = [](Clock::duration d) {
            std::this_thread::sleep_for(std::min<Clock::duration>(d, std::chrono::milliseconds(1)));
        };
}

void InputSynthesis::BeginMacro() {
    pacing_ = PacingState{};
    backend_.BeginPlayback();
}

void InputSynthesis::EndMacro() {
    ReleaseHeldInput();
    // The backend undoes its keyboard changes once other clients have read the keys typed
    // with them; the next trigger never waits for that.
    backend_.EndPlayback();
}

void InputSynthesis::ReleaseHeldInput() {
    ReleaseHeldModifiers();
    backend_.ReleaseAll();
}

void InputSynthesis::ReleaseHeldModifiers() {
    const struct {
        bool PacingState::*held;
        unsigned char vk;
    } kModifiers[] = {{&PacingState::held_shift, win::VK_SHIFT},
                      {&PacingState::held_ctrl, win::VK_CONTROL},
                      {&PacingState::held_alt, win::VK_MENU}};
    for (const auto& m : kModifiers) {
        if (!(pacing_.*m.held)) continue;
        pacing_.*m.held = false;
        PostVKey(m.vk, true);
    }
}

void InputSynthesis::TypeChar(unsigned char ch) {
    if (pacing_.key_delay_on) KeyDelayWait(pacing_.key_delay_ms);
    short scan = ch < 128 ? backend_.KeyScan(ch) : -1;
    if (scan == -1) {
        // Above 127, or no key on this layout: the character's Windows-1252 code.
        std::string digits = std::to_string(ch);
        TypeAltCode(std::string(4 - digits.size(), '0') + digits);
        return;
    }
    const int shift = (scan >> 8) & 0xFF;
    if (shift & win::kScanShift) {
        pacing_.held_shift = true;
        PostVKey(win::VK_SHIFT, false);
    }
    if (shift & win::kScanCtrl) {
        pacing_.held_ctrl = true;
        PostVKey(win::VK_CONTROL, false);
    }
    if (shift & win::kScanAlt) {
        pacing_.held_alt = true;
        PostVKey(win::VK_MENU, false);
    }
    auto vk = static_cast<unsigned char>(scan & 0xFF);
    PostVKey(vk, false);
    PostVKey(vk, true);
    ReleaseHeldModifiers();
}

bool InputSynthesis::PlayToken(const Token& token) {
    auto arg = [&](size_t i) { return i < token.args.size() ? token.args[i] : std::string_view(); };
    auto number = [&](size_t i) { return CommandNumber(token.kind, i, arg(i)); };
    switch (token.kind) {
        case TokenKind::AltCode:
        case TokenKind::Alt4Code: AltCode(arg(0)); return true;
        case TokenKind::SpKey:
            pacing_.key_delay_ms = static_cast<uint32_t>(std::max(0L, ArgInt(arg(0))));
            pacing_.key_delay_on = pacing_.key_delay_ms != 0;
            return true;
        case TokenKind::SpMse:
            pacing_.mouse_delay_ms = static_cast<uint32_t>(std::max(0L, ArgInt(arg(0))));
            pacing_.mouse_delay_on = pacing_.mouse_delay_ms != 0;
            return true;
        case TokenKind::Speed:
            if (auto factor = SpeedFactor(arg(0))) pacing_.speed = *factor;
            return true;
        case TokenKind::Msd: KeyDelayWait(static_cast<int64_t>(number(0))); return true;
        case TokenKind::Delay: PauseFor(number(0)); return true;
        case TokenKind::TDelay: TimedPauseFor(number(0)); return true;
        case TokenKind::WaitTime: WaitForTimer(ArgInt(arg(0)) * int64_t{1000}); return true;
        case TokenKind::Wfw:
        case TokenKind::Wbw:
            Wheel((token.kind == TokenKind::Wfw ? 1 : -1) * win::WHEEL_DELTA *
                  static_cast<int>(ArgInt(arg(0))));
            return true;
        case TokenKind::Mms: MoveMouse(MoveKind::Screen, number(0), number(1)); return true;
        case TokenKind::Mmp: MoveMouse(MoveKind::Relative, number(0), number(1)); return true;
        case TokenKind::Mmw: MoveMouse(MoveKind::Window, number(0), number(1)); return true;
        case TokenKind::Mmc:
            // Moving to 0,0 instead would look like success.
            if (!MoveMouseToCaret())
                hooks_.message("Error", "Could not move the mouse to the location of the caret.");
            return true;
        default: break;
    }
    for (const auto& b : kButtonTokens) {
        if (b.kind != token.kind) continue;
        MouseButtons(b.down, b.up, b.clicks == 2 ? 2 : 1, b.clicks == 0, b.clicks == -1);
        return true;
    }
    if (token.kind == TokenKind::None || token.kind >= TokenKind::Date) return false;
    const TokenSpec& token_spec = SpecOf(token.kind);
    switch (token_spec.key) {
        case KeyAction::None: return false;
        case KeyAction::Skip: return true;
        case KeyAction::Press: PostVKey(token_spec.vk, false); return true;
        case KeyAction::Release: PostVKey(token_spec.vk, true); return true;
        case KeyAction::Bare: TapKey(token_spec.vk); return true;
        case KeyAction::Stroke: KeyToken(token_spec.vk); return true;
    }
    return false;
}

void InputSynthesis::KeyToken(unsigned char vk) {
    if (pacing_.key_delay_on) KeyDelayWait(pacing_.key_delay_ms);
    PostVKey(vk, false);
    PostVKey(vk, true);
    ReleaseHeldModifiers();
}

void InputSynthesis::TapKey(unsigned char vk) {
    PostVKey(vk, false);
    PostVKey(vk, true);
}

void InputSynthesis::AltCode(std::string_view digits) {
    if (pacing_.key_delay_on) KeyDelayWait(pacing_.key_delay_ms);
    TypeAltCode(digits);
}

void InputSynthesis::MouseButtons(unsigned down_flag, unsigned up_flag, int clicks, bool down_only,
                                  bool up_only) {
    MouseDelay();
    for (int i = 0; i < std::max(1, clicks); ++i) {
        if (!up_only) backend_.MouseEvent(down_flag, 0, 0, 0);
        if (!down_only) backend_.MouseEvent(up_flag, 0, 0, 0);
        if (down_only || up_only) break;
    }
}

void InputSynthesis::Wheel(int delta) {
    MouseDelay();
    backend_.MouseEvent(win::MOUSEEVENTF_WHEEL, 0, 0, delta);
}

void InputSynthesis::MouseDelay() {
    if (pacing_.mouse_delay_on) KeyDelayWait(pacing_.mouse_delay_ms);
}

void InputSynthesis::MoveAbsolute(double x, double y) {
    const win::Point screen = backend_.ScreenSize();
    const double fx = 65535.0 / std::max(1, screen.x), fy = 65535.0 / std::max(1, screen.y);
    backend_.MouseEvent(win::MOUSEEVENTF_MOVE | win::MOUSEEVENTF_ABSOLUTE,
                        static_cast<int>(std::lround(x * fx)), static_cast<int>(std::lround(y * fy)), 0);
}

void InputSynthesis::MoveMouse(MoveKind kind, double x, double y) {
    // The relative move starts where the cursor was before the delay.
    const win::Point cursor = backend_.CursorPos();
    MouseDelay();
    if (kind == MoveKind::Relative) {
        x += cursor.x;
        y += cursor.y;
    } else if (kind == MoveKind::Window) {
        if (auto rect = backend_.ForegroundWindowRect()) {
            x += rect->left;
            y += rect->top;
        }
    }
    MoveAbsolute(x, y);
}

bool InputSynthesis::MoveMouseToCaret() {
    MouseDelay();
    auto caret = backend_.CaretPos();
    if (!caret) return false;
    MoveAbsolute(caret->x, caret->y);
    return true;
}

bool InputSynthesis::KeyDelayWait(int64_t ms) {
    if (pacing_.speed == 0) return true;
    return WaitSeconds(static_cast<double>(std::llround(
                           std::min(static_cast<double>(ms) * pacing_.speed, kMaxWaitSeconds * 1000))) /
                       1000.0);
}

bool InputSynthesis::PauseFor(double seconds) {
    if (pacing_.speed == 0) return true;
    return WaitSeconds(seconds * pacing_.speed);
}

bool InputSynthesis::PauseForNoSpeed(double seconds) { return WaitSeconds(seconds); }

bool InputSynthesis::TimedPauseFor(double seconds) {
    if (pacing_.speed == 0) return true;
    return WaitForTimer(std::llround(std::min(pacing_.speed * seconds, kMaxWaitSeconds) * 1000.0));
}

bool InputSynthesis::WaitForTimer(int64_t ms) { return WaitSeconds(static_cast<double>(ms) / 1000.0); }

bool InputSynthesis::WaitSeconds(double seconds) {
    if (!(seconds > 0)) return !hooks_.aborted();  // zero, negative or NaN: no wait
    seconds = std::min(seconds, kMaxWaitSeconds);
    const auto end =
        hooks_.now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    for (;;) {
        hooks_.pump();
        if (hooks_.aborted()) return false;
        const auto now = hooks_.now();
        if (now >= end) return true;
        hooks_.idle(end - now);
    }
}

}  // namespace tessaro
