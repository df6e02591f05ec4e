#include "hook/hook_logic.h"

#include "protocol/hotkey_codes.h"
#include "protocol/window_messages.h"

namespace tessaro::hook {

namespace {

constexpr std::uint16_t kVkPause = 19;
constexpr std::uint16_t kVkCapital = 20;
constexpr std::uint16_t kVkPageUp = 33;
constexpr std::uint16_t kVkDown = 40;

constexpr std::uint32_t kAbbrevReset = 1;
constexpr std::uint32_t kAbbrevCapsLock = 2;
constexpr std::uint32_t kAbbrevPlain = 0;

void PostTo(Decision& d, std::uint32_t hwnd, std::uint32_t msg, std::uint32_t w = 0, std::int32_t l = 0) {
    if (hwnd != 0) d.posts.push_back({hwnd, msg, w, l});
}

}  // namespace

int HookLogic::CodeOf(const InputEvent& e) {
    if (e.kind == InputEvent::ButtonDown || e.kind == InputEvent::ButtonUp)
        return HotKeyCodeForMouse(e.button, e.mods);
    if (e.kind == InputEvent::KeyDown || e.kind == InputEvent::KeyUp) return HotKeyCodeForKey(e.vk, e.mods);
    return -1;
}

Decision HookLogic::OnEvent(const InputEvent& e, const TGlobData& g, HookMask hooks,
                            ActivationTarget activation) {
    Decision d;
    // Playback never triggers anything.
    if (e.synthetic && e.kind != InputEvent::PlaybackMark) return d;
    switch (e.kind) {
        case InputEvent::PlaybackMark:
            if (!hooks.keyboard) break;
            if (g.WaitPlayback)
                PostTo(d, g.PlayerWnd, WM_PLAYBACK_CAUGHT_UP);
            else if (g.InUse)
                PostTo(d, g.PlayerWnd, WM_CLEAR_IN_USE);
            break;
        case InputEvent::Activated:
            if (!hooks.activation) break;
            PostTo(d, activation.window ? activation.window : g.PlayerWnd, WM_WINDOW_ACTIVATED, e.window);
            if (hooks.keyboard && g.HasAbbreviations) PostTo(d, g.PlayerWnd, WM_ABBREV_CHAR, kAbbrevReset, 0);
            break;
        case InputEvent::WindowsChanged:
            if (hooks.activation) PostTo(d, g.PlayerWnd, WM_REFRESH_PROGRAMS);
            break;
        case InputEvent::KeyDown:
            if (!hooks.keyboard) break;
            d.userActivity = true;
            OnKeyDown(e, g, d);
            break;
        case InputEvent::KeyUp: d.userActivity = hooks.keyboard; break;
        case InputEvent::ButtonDown:
            if (!hooks.mouse) break;
            d.userActivity = true;
            OnButtonDown(e, g, d);
            break;
        case InputEvent::ButtonUp:
        case InputEvent::Wheel:
        case InputEvent::Motion: d.userActivity = hooks.mouse; break;
    }
    return d;
}

void HookLogic::OnKeyDown(const InputEvent& e, const TGlobData& g, Decision& d) {
    if (!capsKnown_ || e.capsLock != capsLock_ || e.vk == kVkCapital) {
        capsKnown_ = true;
        capsLock_ = e.capsLock;
        PostTo(d, g.PlayerWnd, WM_CAPSLOCK_STATE, e.capsLock ? 1 : 0);
    }
    if (e.vk == kVkPause && g.InUse) {
        PostTo(d, g.PlayerWnd, WM_ABORT_MACRO);
        return;
    }
    const int code = CodeOf(e);
    if (code >= 0) {
        if (g.SecWndOn) {
            PostTo(d, g.SecWnd, WM_HOTKEY_CHOSEN, static_cast<std::uint32_t>(code));
            d.swallow = true;
            return;
        }
        if (g.HotKeyUsed[code]) {
            const std::uint32_t w = static_cast<std::uint32_t>(code) | (e.capsLock ? kHotKeyCapsLockBit : 0);
            PostTo(d, g.PlayerWnd, WM_HOTKEY_FIRED, w, static_cast<std::int32_t>(e.window));
            d.swallow = true;
            return;
        }
    }
    if (g.WaitKey) PostTo(d, g.PlayerWnd, WM_KEY_PRESSED, e.vk);
    // Page Up/Down, End, Home and the arrows move the caret: the word typed so far ends.
    if (e.vk >= kVkPageUp && e.vk <= kVkDown) {
        if (g.HasAbbreviations) PostTo(d, g.PlayerWnd, WM_ABBREV_CHAR, kAbbrevReset, 0);
        return;
    }
    // Characters typed with Ctrl, Alt or Win held are commands, not text.
    if (e.typed == 0 || (e.mods & (kModCtrl | kModAlt | kModWin))) return;
    // The key rides along with the character: the player waits for it to be let go.
    if (g.HasAbbreviations)
        PostTo(d, g.PlayerWnd, WM_ABBREV_CHAR, e.capsLock ? kAbbrevCapsLock : kAbbrevPlain,
               AbbrevCharParam(e.typed, e.vk));
    if (g.WaitText) PostTo(d, g.PlayerWnd, WM_WAIT_TEXT_CHAR, 0, e.typed);
}

void HookLogic::OnButtonDown(const InputEvent& e, const TGlobData& g, Decision& d) {
    const int code = CodeOf(e);
    if (code >= 0 && g.SecWndOn) {
        PostTo(d, g.SecWnd, WM_HOTKEY_CHOSEN, static_cast<std::uint32_t>(code));
    } else if (code >= 0 && g.HotKeyUsed[code]) {
        const std::uint32_t w = static_cast<std::uint32_t>(code) | (e.capsLock ? kHotKeyCapsLockBit : 0);
        PostTo(d, g.PlayerWnd, WM_HOTKEY_FIRED, w, static_cast<std::int32_t>(e.window));
        d.swallow = true;
        return;
    }
    if (g.WaitMouse) PostTo(d, g.PlayerWnd, WM_MOUSE_CLICKED, e.button);
    // A click may move the caret: what was typed before no longer forms a word.
    if (g.HasAbbreviations) PostTo(d, g.PlayerWnd, WM_ABBREV_CHAR, kAbbrevReset, 0);
}

}  // namespace tessaro::hook
