#pragma once
// The player's hidden main window: it loads the macro file, holds the shared blocks of the
// window (remap table, activation hook), installs the hooks, handles the command line and
// the hand-over of a second start, starts the editor and shuts everything down again.
#include <QIcon>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "protocol/activation_block.h"
#include "protocol/object_names.h"
#include "player/ui/player_tray.h"
#include "player/engine/command_line.h"
#include "player/engine/hook_peer_link.h"
#include "player/engine/macro_control.h"
#include "player/engine/network_lock.h"
#include "protocol/hotkey_names.h"
#include "player/engine/peer_handlers.h"
#include "player/engine/peer_update.h"
#include "mail/mail_prompts.h"
#include "player/engine/player_macro_file.h"
#include "platform/started_process.h"
#include "player/engine/player_triggers.h"
#include "player/ui/player_windows.h"
#include "player/engine/swap_table.h"

class QTimer;

namespace win {
class MessageReceiver;
class Platform;
class SharedMemory;
}  // namespace win

namespace tessaro {

// The texts of the start-up failures that end the player ("System Error").
inline constexpr const char* kMappingNotCreated =
    "Memory Mapped File could not be created.  Tessaro will terminate.";
inline constexpr const char* kMutexNotCreated = "Mutex could not be created.  Tessaro will terminate.";
void SystemError(const std::string& text);

class PlayerAutomation;
class CaptureShell;
class Scheduler;

// The player's shell: it implements every role the engine asks of it.
class TMainWin : public QWidget,
                 public TriggerShell,
                 public MacroFileUpkeep,
                 public SwitchHost,
                 public NetworkLockHost,
                 public TrayShell {
    Q_OBJECT
public:
    // The creation steps. A shared block that cannot be made is reported ("System Error")
    // and gives nullptr: the player then ends.
    static std::unique_ptr<TMainWin> Create(win::Platform& platform, TConfigRecord& config, TGlobData& glob,
                                            const std::vector<std::string>& args);
    ~TMainWin() override;

    std::uint32_t Handle() const { return handle_; }
    bool browseMode() const { return switches_.browseMode; }
    const std::string& startMacro() const { return switches_.startMacro; }

    // Tray click, "&Open Editor", start-up: the editor to the front, or started.
    void ActivateMe() override;
    // "&Terminate Tessaro", the system macro, a signal, the editor's request: a running
    // macro stops first and unwinds (keys released, no abort message), then the whole
    // shut-down runs and the event loop ends.
    void Terminate() override;

    // No capture runs, no macro is paused and no popup menu shows.
    bool CanDoMenu() override;

    // The run-by-nickname path of a second start: the nickname as handed over.
    void RunByNickname(const std::string& nickname);

    // What a hot-key code presses: key, mouse button and modifiers.
    static DecipheredKey DecipherKey(int code) { return tessaro::DecipherKey(code); }

    QtPlayerWindows& windows() { return windows_; }
    PlayerMacroFile& macros() { return *macros_; }
    TTaskIcon& mainIcon() { return tray_->mainIcon(); }
    PlayerTray& tray() { return *tray_; }
    Scheduler& scheduler();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The roles the engine sees; it reaches them through its interfaces only.
    // TriggerShell
    void MacroStarted(const RunningMacro& macro) override;
    void MacroEnded() override;
    bool Paused() override { return windows_.Paused(); }
    void ResumePause() override { windows_.ResumePause(); }
    void SystemFunction(char id) override;
    bool Closing() override { return closing_ || endRequested_; }
    bool ReloadChangedNetworkFile() override;
    int ChooseAMacro(const TMacroRecord& menu) override;

    // MacroFileUpkeep
    bool FileInUse() override;
    void ReleaseSyncFile(int changes) override;
    void UseLockFileOf(const std::string& macroFile) override;
    void GetSwapFile() override;
    void SetHotKeys() override;
    void CheckAndSetTime() override;
    void ClearMenuTaskIcon() override;
    void DoMenuTaskIcon() override;
    void TellOtherPlayers() override;
    void PostEditor(std::uint32_t code, std::int32_t value) override;

    // SwitchHost (UseLockFileOf above serves both)
    void MacroFileSwitched() override;

    // TrayShell (main_win_tray.cpp; ActivateMe, Terminate and CanDoMenu above)
    bool MacroPlaying() override;
    void AbortMacro() override;
    void RestoreHooks() override;
    void EndCaptureFromTray() override;
    void MenuTaskIconRightClick(int macro, int x) override;
    // The tray icons and the peer-update codes about them (main_win_tray.cpp).
    void StartTray();
    // System macro "4": the menu of macros for the top window.
    void MenuTopWindow();

    // NetworkLockHost
    void ReloadEverything() override;
    void HeartbeatTimer(bool running) override;
    void LockMessage(const std::string& caption, const std::string& text) override;
    double Now() override;
    std::int64_t LocalMs() override;

    TMainWin(win::Platform& platform, TConfigRecord& config, TGlobData& glob);
    bool FormCreate(const std::vector<std::string>& args);
    void FormClose();
    std::int32_t PlayerWndProc(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);
    void InitGlobData();
    // Hot keys, window activations and runs by nickname (main_win_triggers.cpp).
    void StartTriggers();
    friend class CaptureShell;  // the capture works on the window's records and lock

    win::Platform& platform_;
    TConfigRecord& config_;
    TGlobData& glob_;
    std::uint32_t handle_ = 0;
    std::uint32_t commandLineMessage_ = 0;
    StartSwitches switches_;
    HandOverCollector handOver_;
    bool closing_ = false;
    bool closed_ = false;
    bool endRequested_ = false;    // the end waits for the running macro to unwind
    std::uint64_t playbacks_ = 0;  // counts starts and ends: a late icon change sees it is stale

    HookPeerLink link_;
    std::unique_ptr<PlayerMacroFile> macros_;
    std::unique_ptr<SwapKeysBlock> swapBlock_;
    std::unique_ptr<PlayerSwapKeys> swaps_;
    std::unique_ptr<win::SharedMemory> activationBlock_;
    std::unique_ptr<PlayerNetworkLock> networkLock_;
    bool heartbeatWanted_ = false;
    std::unique_ptr<PlayerPeerContext> peerContext_;
    PeerUpdateDispatcher dispatcher_;
    std::unique_ptr<win::MessageReceiver> receiver_;
    std::uint32_t cbtHook_ = 0;
    QtPlayerWindows windows_;
    std::unique_ptr<PlayerTray> tray_;
    std::optional<int> chooserX_;                     // the next chooser opens at a popup-menu tray icon
    std::unique_ptr<mail::MailPrompts> mailDialogs_;  // outlives the e-mail family in triggers_
    std::unique_ptr<PlayerTriggers> triggers_;
    std::unique_ptr<PlayerAutomation> automation_;
    std::unique_ptr<CaptureShell> capture_;
    std::vector<win::StartedProcess> startedEditors_;  // the editors it started, ended with it
};

// The editor's arguments: the launch marker and "/RH" + the player's window in decimal.
std::vector<std::string> EditorArguments(std::uint32_t playerWindow);

}  // namespace tessaro
