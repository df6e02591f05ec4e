#pragma once
// The player's hidden main window: it loads the macro file, holds the shared blocks of the
// window (remap table, activation hook), installs the hooks, handles the command line and
// the hand-over of a second start, starts the editor and shuts everything down again.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "protocol/activation_block.h"
#include "protocol/object_names.h"
#include "widgets/task_icon.h"
#include "player/engine/command_line.h"
#include "player/engine/hook_peer_link.h"
#include "protocol/hotkey_names.h"
#include "player/engine/peer_handlers.h"
#include "player/engine/peer_update.h"
#include "mail/mail_prompts.h"
#include "player/engine/player_macro_file.h"
#include "player/ui/player_windows.h"
#include "player/engine/swap_table.h"

namespace win {
class MessageReceiver;
class SharedMemory;
}  // namespace win

namespace tessaro {

class PlayerNetworkLock;
class PlayerTriggers;

class TMainWin : public QWidget {
    Q_OBJECT
public:
    // The creation steps. A shared block that cannot be made is reported ("System Error")
    // and gives nullptr: the player then ends.
    static std::unique_ptr<TMainWin> Create(TConfigRecord& config, TGlobData& glob,
                                            const std::vector<std::string>& args);
    ~TMainWin() override;

    std::uint32_t Handle() const { return handle_; }
    bool browseMode() const { return switches_.browseMode; }
    const std::string& startMacro() const { return switches_.startMacro; }
    bool closing() const { return closing_; }

    // Tray click, "&Open Editor", start-up: the editor to the front, or started.
    void ActivateMe();
    // "&Terminate Tessaro": the whole shut-down, then the event loop ends.
    void Terminate() { close(); }

    // The run-by-nickname path; the trigger dispatch installs the real one. It receives
    // the nickname as handed over (upper-cased).
    std::function<void(const std::string& nickname)> RunByNickname;

    // What a hot-key code presses: key, mouse button and modifiers.
    static DecipheredKey DecipherKey(int code) { return tessaro::DecipherKey(code); }

    QtPlayerWindows& windows() { return windows_; }
    PlayerMacroFile& macros() { return *macros_; }
    TTaskIcon& mainIcon() { return *mainIcon_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TMainWin(TConfigRecord& config, TGlobData& glob);
    bool FormCreate(const std::vector<std::string>& args);
    void FormClose();
    std::int32_t PlayerWndProc(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);
    void InitGlobData();
    void SetHotKeys();
    void ShowTrayMenu(int x, int y);
    // Hot keys, window activations and runs by nickname (main_win_triggers.cpp).
    void StartTriggers();

    TConfigRecord& config_;
    TGlobData& glob_;
    std::uint32_t handle_ = 0;
    std::uint32_t commandLineMessage_ = 0;
    StartSwitches switches_;
    HandOverCollector handOver_;
    bool closing_ = false;
    bool closed_ = false;

    HookPeerLink link_;
    std::unique_ptr<PlayerMacroFile> macros_;
    std::unique_ptr<SwapKeysBlock> swapBlock_;
    std::unique_ptr<PlayerSwapKeys> swaps_;
    std::unique_ptr<win::SharedMemory> activationBlock_;
    std::unique_ptr<PlayerNetworkLock> networkLock_;
    std::unique_ptr<PlayerPeerContext> peerContext_;
    PeerUpdateDispatcher dispatcher_;
    std::unique_ptr<win::MessageReceiver> receiver_;
    std::uint32_t swapHook_ = 0, cbtHook_ = 0;
    QtPlayerWindows windows_;
    std::unique_ptr<TTaskIcon> mainIcon_;
    std::unique_ptr<mail::MailPrompts> mailDialogs_;  // outlives the e-mail family in triggers_
    std::unique_ptr<PlayerTriggers> triggers_;
};

// The editor's arguments: the launch marker and "/RH" + the player's window in decimal.
std::vector<std::string> EditorArguments(std::uint32_t playerWindow);

}  // namespace tessaro
