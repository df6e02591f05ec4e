#pragma once
// The player's side of trigger dispatch: the interpreter with its services on the real
// desktop, the trigger messages of the hook library and the in-use timer. The main window
// owns one, routes its messages here and is its shell.
#include <QObject>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "player/engine/command_family.h"
#include "player/engine/trigger_dispatch.h"
#include "player/engine/wait_text.h"

class QTimer;

namespace win {
class InputBackend;
class Platform;
}  // namespace win

namespace tessaro {

struct TConfigRecord;
class MacroFileUpkeep;
class MacroPlayer;
class PeerLink;
class PlayerMacroFile;
class CommandFamilies;
class HookUpkeep;
class PlayerWindows;

// The macro that plays, as the shell shows it.
struct RunningMacro {
    std::string nickname;
    std::string hotKeyName;  // empty unless the macro has a hot key
    win::HWND target = 0;    // the window the macro is meant for
};

// What the trigger path asks of the player's shell; the main window implements all of it.
class TriggerShell {
public:
    virtual ~TriggerShell() = default;
    // Around each playback: the main tray icon shows that a macro runs, the pause window
    // names it; after the end the shell may finish what waited for it.
    virtual void MacroStarted(const RunningMacro& macro) = 0;
    virtual void MacroEnded() = 0;
    // The pause window of the running macro.
    virtual bool Paused() = 0;
    virtual void ResumePause() = 0;
    // '5' close, '1' open the editor, '2' capture, '4' the menu of the top window.
    virtual void SystemFunction(char id) = 0;
    // True from the moment the player is asked to end: no trigger starts a macro then.
    virtual bool Closing() = 0;
    // Network mode: true when another user changed the macro file and it was reloaded.
    virtual bool ReloadChangedNetworkFile() = 0;
    // The popup chooser over the popup-menu record `menu`: the chosen macro number, or -1.
    virtual int ChooseAMacro(const TMacroRecord& menu) = 0;
};

class PlayerTriggers : public QObject, public TriggerHost {
    Q_OBJECT
public:
    struct Context {
        win::Platform& platform;
        TConfigRecord& config;
        TGlobData& glob;
        PlayerMacroFile& macros;
        PeerLink& link;
        PlayerWindows& windows;
        TriggerShell& shell;
        MacroFileUpkeep& upkeep;
    };

    explicit PlayerTriggers(Context context);
    ~PlayerTriggers() override;

    // The trigger messages (hot key, window activation, clearing InUse, abort, program
    // list, Caps Lock state, key-state trace) and the reports of armed waits; false for any
    // other message.
    bool HandleMessage(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);
    WaitReports& waitReports();
    void RunByNickname(const std::string& nickname);
    // Returns once the key `vk` that typed the last character is up, handling messages
    // meanwhile; one still held after `cap` is let go here, for the user, so that the
    // playback can type it again.
    void LetGoOfTypedKey(std::uint8_t vk, std::chrono::milliseconds cap);
    TriggerDispatch& dispatch() { return dispatch_; }
    HookUpkeep& hooks() { return *hooks_; }
    // Where the command families outside the interpreter core are registered.
    CommandFamilies& families();

    bool Playing() const { return dispatch_.Playing(); }
    // The tray's right click: the macro stops at its next step and says so.
    void RequestAbort();
    // The player is asked to end: the macro stops at its next step without a message.
    void AbortForShutDown();

    // TriggerHost
    bool ReadMacro(int n, TMacroRecord& rec) override;
    std::string Nickname(int n) override;
    void PlayMacro(const std::string& text, bool capsLockWasOn) override;
    void ShowRunning(bool running) override;
    void Warning(const std::string& text) override;
    void KeyEvent(std::uint8_t vk, bool up) override;
    void Sleep(int ms) override;
    void AwaitRelease(std::uint8_t vk) override;
    void ReleaseUserModifiers() override;
    void MarkPlaybackEnd() override;
    bool Paused() override;
    void ResumePause() override;
    void PushInUse() override;
    void StartClearTimer() override;
    void PushActiveProgram() override;
    void PushRunningPrograms() override;
    bool ReloadChangedNetworkFile() override;
    void SystemFunction(char id) override;
    std::optional<int> ChoosePopupItem(int n, const TMacroRecord& rec) override;
    bool Closing() override;

private:
    struct Services;
    void ClearInUse();
    void HotKeyHeldElsewhere(int code);

    Context ctx_;
    std::unique_ptr<Services> services_;
    std::vector<std::string> heldElsewhere_;  // hot keys another program holds, not yet told
    std::unique_ptr<MacroPlayer> player_;
    TriggerDispatch dispatch_;
    std::unique_ptr<HookUpkeep> hooks_;
    int programCount_ = 0;  // as last pushed
    QTimer* clearTimer_;
};

}  // namespace tessaro
