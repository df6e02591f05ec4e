#pragma once
// Message numbers between the hook library, the player and the editor, and the codes that
// travel with WM_PEER_UPDATE. Shared by all three, so header-only.
#include <cstdint>
#include <string_view>

namespace tessaro {

inline constexpr std::uint32_t WM_USER = 1024;

inline constexpr std::uint32_t WM_HOTKEY_CHOSEN = WM_USER + 1;
inline constexpr std::uint32_t WM_HOTKEY_FIRED = WM_USER + 2;
inline constexpr std::uint32_t WM_CAPTURE_CHAR = WM_USER + 3;
inline constexpr std::uint32_t WM_CAPTURE_DONE = WM_USER + 4;
inline constexpr std::uint32_t WM_ABORT_MACRO = WM_USER + 5;
inline constexpr std::uint32_t WM_ABBREV_CHAR = WM_USER + 6;
inline constexpr std::uint32_t WM_WINDOW_ACTIVATED = WM_USER + 7;
inline constexpr std::uint32_t WM_KEYSTATE_DUMP = WM_USER + 8;
inline constexpr std::uint32_t WM_CAPSLOCK_STATE = WM_USER + 9;
inline constexpr std::uint32_t WM_RUN_NICKNAME = WM_USER + 10;
inline constexpr std::uint32_t WM_PEER_UPDATE = WM_USER + 11;
inline constexpr std::uint32_t WM_CLEAR_IN_USE = WM_USER + 12;
inline constexpr std::uint32_t WM_REFRESH_PROGRAMS = WM_USER + 13;
inline constexpr std::uint32_t WM_MOUSE_CLICKED = WM_USER + 14;
inline constexpr std::uint32_t WM_KEY_PRESSED = WM_USER + 15;
inline constexpr std::uint32_t WM_WAIT_TEXT_CHAR = WM_USER + 16;
inline constexpr std::uint32_t WM_PLAYBACK_CAUGHT_UP = WM_USER + 17;
inline constexpr std::uint32_t WM_USER_ACTIVE = WM_USER + 18;
// To the library's window (HookWnd), from the connection the playback typed on: the
// input sent before it has been played. The library answers as the trigger table asks
// (WM_PLAYBACK_CAUGHT_UP during a wait for playback, else WM_CLEAR_IN_USE while InUse).
inline constexpr std::uint32_t WM_PLAYBACK_MARK = WM_USER + 19;
// To the player, once per hot key: its grab failed, another program holds the key
// (wParam the hot-key code).
inline constexpr std::uint32_t WM_HOTKEY_HELD_ELSEWHERE = WM_USER + 20;

// WM_ABBREV_CHAR lParam: the character in the low byte, the virtual key that typed it in
// the next one (0: not known).
inline constexpr std::int32_t AbbrevCharParam(std::uint8_t ch, std::uint16_t vk) {
    return static_cast<std::int32_t>(ch | (vk & 0xFFu) << 8);
}
inline constexpr std::uint8_t AbbrevCharKey(std::int32_t lParam) {
    return static_cast<std::uint8_t>((static_cast<std::uint32_t>(lParam) >> 8) & 0xFFu);
}

// WM_HOTKEY_FIRED wParam flags.
inline constexpr std::uint32_t kHotKeyCapsLockBit = 32768;
inline constexpr std::uint32_t kHotKeyPopupIconBit = 16384;

// The registered message that carries a second start's command line.
inline constexpr std::string_view kCommandLineMessageName = "tesrun";

// When the player closes it asks the editor to close (wParam kQuitFromPlayer) as its user
// would, so the editor can save first; its event loop is never ended from outside.
inline constexpr std::uint32_t WM_CLOSE = 0x0010;
// WM_CLOSE wParam the player sends the editor when it closes.
inline constexpr std::uint32_t kQuitFromPlayer = 10;

// WM_PEER_UPDATE codes (wParam).
enum PeerUpdateCode : std::uint32_t {
    puSwapKeys = 1,
    puMacroFile = 2,
    puSchedule = 3,
    puEditorClosed = 4,
    puTrayMenu = 5,
    puPullGroup = 6,
    puHooks = 7,
    puPullMacro = 8,
    puTrayIcon = 9,
    puSettingsSnipra = 10,
    puSettingsCapture = 11,
    puSettingsNetwork = 12,
    puSettingsEMail = 13,
    puSettingsScheduler = 14,
    puSettingsMisc = 15,
    puSettingsPrintListFont = 16,
    puSettingsMainWindow = 17,
    puMacroChanged = 20,
    puReloadAll = 21,
};

}  // namespace tessaro
