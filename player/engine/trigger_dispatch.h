#pragma once
// Trigger dispatch: which macro a hot key, a window activation or a request by nickname
// runs, bringing its window or program to the front, refusing while another activity is
// under way, and handing the text to the interpreter.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "platform/desktop.h"
#include "macro/macro_record.h"

namespace tessaro {

struct TGlobData;

// Texts of the refusals.
inline constexpr const char* kPopupShowingWarning =
    "A current Popup Menu macro is being displayed. Another macro cannot be executed until either a "
    "choice is made from the Popup Menu or it is cancelled.";
inline constexpr const char* kCaptureRunningWarning =
    "A macro is currently being recorded. Another macro cannot be executed until the recording is "
    "completed.";
inline constexpr const char* kPausedWarning =
    "A current playback macro is in the middle of a PAUSE. Another macro cannot be executed until the "
    "PAUSE is either cancelled or resumed.";

// What dispatch needs from the player around it.
class TriggerHost {
public:
    virtual ~TriggerHost() = default;

    // Macro file and its mirrors.
    virtual bool ReadMacro(int n, TMacroRecord& rec) = 0;
    virtual std::string Nickname(int n) = 0;

    // Runs the interpreter once over `text` (speed 1, fresh per-run state); the Caps Lock
    // state comes back at the end when it was on.
    virtual void PlayMacro(const std::string& text, bool capsLockWasOn) = 0;
    // Main tray icon: the running picture and tip, or back to normal.
    virtual void ShowRunning(bool running) = 0;
    // Topmost message window titled "Warning".
    virtual void Warning(const std::string& text) = 0;

    // Synthesised input.
    virtual void KeyEvent(std::uint8_t vk, bool up) = 0;
    virtual void Sleep(int ms) = 0;
    // Returns once the key or mouse button `vk` (VK_LBUTTON, VK_RBUTTON, VK_MBUTTON) is up;
    // the player's messages are handled meanwhile.
    virtual void AwaitRelease(std::uint8_t vk) = 0;
    // Lets go of the modifiers the user still holds, as the start of a playback does, so
    // that they cannot change what is typed next.
    virtual void ReleaseUserModifiers() = 0;
    // After each hot-key, popup-menu or abbreviation playback: tells the hook library that
    // the playback is out (it clears InUse once its input has come this far). Types nothing.
    virtual void MarkPlaybackEnd() = 0;

    // The pause window of a running macro.
    virtual bool Paused() = 0;
    virtual void ResumePause() = 0;

    // Trigger-table upkeep: push InUse and tell the editor; the one-shot 15 s timer that
    // clears it; the active program; the running-program list.
    virtual void PushInUse() = 0;
    virtual void StartClearTimer() = 0;
    virtual void PushActiveProgram() = 0;
    virtual void PushRunningPrograms() = 0;

    // Network mode: reloads the macro file when another user changed it since it was
    // loaded; true when it did.
    virtual bool ReloadChangedNetworkFile() = 0;
    // Built-in functions of the system macros: '5' close, '1' open the editor, '2' capture,
    // '4' the menu of macros for the top window.
    virtual void SystemFunction(char id) = 0;
    // The popup chooser of a popup-menu macro; the chosen macro, nothing when cancelled.
    virtual std::optional<int> ChoosePopupItem(int n, const TMacroRecord& rec) = 0;
    virtual bool Closing() = 0;
};

class TriggerDispatch {
public:
    // Made once the player's window is up, which is when it notes the Caps Lock state.
    TriggerDispatch(TGlobData& glob, win::Desktop& desktop, TriggerHost& host)
        : glob_(glob), desktop_(desktop), host_(host), capsLockLastKnown_(desktop.CapsLockOn()) {}

    // WM_HOTKEY_FIRED: wParam the code with its flag bits, lParam the focused window.
    void HotKeyFired(std::uint32_t wParam, std::int32_t lParam);
    // WM_WINDOW_ACTIVATED.
    void WindowActivated(win::HWND window);
    // The window active when the player starts, which no activation will report: its
    // program and the window a tray icon's macro is meant for. No window-title macro runs.
    void NoteStartWindow();
    // WM_RUN_NICKNAME and the start macro: the nickname handed over.
    void RunByNickname(const std::string& nickname);

    // The macro a hot-key code runs now, or 0; may bring its window to the front.
    int GetMacro(int code);
    // Plays macro n as a hot key does (popup menus show their chooser).
    void RunHotKeyMacro(int n);
    // The menu of macros for the foreground window (system macro "4"): a warning when it
    // would be empty, else the chooser and the chosen macro as after a hot key.
    void MenuTopWindow(int systemMenu);
    // Handles the built-in function of the system macro with this code; false when none.
    bool RunSystemMacro(int code);
    // Plays the play record unless a macro plays already.
    void IntoProgram();
    // Plays every enabled window-title macro whose scope text occurs in the title.
    void CheckForWindowMacros(const std::string& title);
    // Refreshes the trigger table's running programs.
    void SetRunningProgs();

    // Abbreviation playback: capitalise the first letter, type the delimiter after.
    struct TypedAbbreviation {
        bool capitalise = false;
        bool retype = false;
        char delimiter = ' ';
    };
    void SetAbbreviation(const TypedAbbreviation& abbreviation) { abbreviation_ = abbreviation; }
    // A typed abbreviation's macro n (InUse already set): its text as typed, then the
    // end-of-playback mark and the in-use timer, as after a hot key.
    void RunTyped(int n, const TMacroRecord& rec, const TypedAbbreviation& typed, bool capsLockWasOn);
    // A timed or start-up macro n: played once with the running icon, Caps Lock off for
    // the playback when it was on; no InUse and no end-of-playback mark.
    void PlayOnce(int n, const TMacroRecord& rec, bool capsLockWasOn);

    bool Playing() const { return playing_; }
    bool PopupShowing() const { return popupShowing_; }
    win::HWND TargetWindow() const { return target_; }
    // A popup-menu tray icon names the window its macro is meant for.
    void SetTargetWindow(win::HWND window) { target_ = window; }
    win::HWND LastActiveWindow() const { return lastActive_; }
    win::HWND LastForeignWindow() const { return lastForeign_; }
    int RunningMacro() const { return runningMacro_; }
    bool CapsLockWasOn() const { return capsLockWasOn_; }
    // WM_CAPSLOCK_STATE. Timed macros start from the state it last reported, or from the
    // one seen at start when it never did.
    void CapsLockReported(bool on) { capsLockLastKnown_ = on; }
    bool CapsLockLastKnown() const { return capsLockLastKnown_; }
    const TMacroRecord& PlayRecord() const { return play_; }

private:
    struct PendingHotKey {
        std::uint32_t wParam;
        std::int32_t lParam;
    };
    // A hand presses a few keys ahead at most; more than this is no hand.
    static constexpr std::size_t kMaxPendingHotKeys = 8;

    void FireHotKey(std::uint32_t wParam, std::int32_t lParam);
    // The hot keys pressed while another was handled, once nothing plays or waits.
    void RunPendingHotKeys();
    // The first enabled system macro with this code; 0 when none.
    int SystemMacroFor(int code) const;
    bool ResumesPause(int code);
    // The hot key being handled may still be held: its grab keeps every key from the
    // focused window until it is let go, so nothing that types or needs the keyboard starts
    // before; neither does a window-title or timed macro that fires meanwhile. A no-op
    // outside a hot key, and once it was let go.
    void LetGoOfHotKey();
    // Shows the chooser of the popup menu in the play record and runs the chosen macro.
    void ShowPopup(int n);
    void Play(const std::string& text, bool capsLockWasOn);
    // Notes the active window's program and the last windows; its title.
    std::string NoteActive(win::HWND window);

    TGlobData& glob_;
    win::Desktop& desktop_;
    TriggerHost& host_;
    TMacroRecord play_{};
    win::HWND target_ = 0;
    win::HWND lastActive_ = 0;
    win::HWND lastForeign_ = 0;
    int runningMacro_ = 0;
    bool capsLockWasOn_ = false;
    bool capsLockLastKnown_;
    bool playing_ = false;
    bool popupShowing_ = false;
    std::optional<int> heldCode_;  // the hot key being handled, until it was let go
    int awaitingRelease_ = 0;      // waits for its release under way (nested ones included)
    std::deque<PendingHotKey> pending_;
    TypedAbbreviation abbreviation_;
};

}  // namespace tessaro
