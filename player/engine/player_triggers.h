#pragma once
// The player's side of trigger dispatch: the interpreter with its services on the real
// desktop, the trigger messages of the hook library, the in-use timer and the tray icon
// while a macro runs. The main window owns one and routes its messages here.
#include <QIcon>
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "player/engine/command_family.h"
#include "player/engine/trigger_dispatch.h"
#include "player/engine/wait_text.h"

class QTimer;

namespace win {
class InputBackend;
}

namespace tessaro {

struct TConfigRecord;
class MacroPlayer;
class PeerLink;
class PlayerMacroFile;
class QtPlayerWindows;
class TTaskIcon;

class PlayerTriggers : public QObject, public TriggerHost {
    Q_OBJECT
public:
    // What the main window does for the macro commands that change the macro file; unset
    // members do nothing.
    struct FileUpkeep {
        std::function<void()> reloadMacroFile, getSwapFile, setHotKeys, checkAndSetTime, clearMenuTaskIcon,
            doMenuTaskIcon, tellOtherPlayers;
        std::function<void(const std::string&)> loadMacroFile, setMacroFileName, useLockFileOf;
        std::function<bool()> fileInUse;
        std::function<void(int)> releaseSyncFile;
    };
    struct Context {
        TConfigRecord& config;
        TGlobData& glob;
        PlayerMacroFile& macros;
        PeerLink& link;
        QtPlayerWindows& windows;
        TTaskIcon* mainIcon = nullptr;
        std::function<std::string()> currentFile;  // the loaded macro file's path
        std::function<void(char)> systemFunction;
        std::function<bool()> closing;
        std::function<bool()> reloadChangedNetworkFile;  // network mode; empty: never
        FileUpkeep upkeep;
    };

    explicit PlayerTriggers(Context context);
    ~PlayerTriggers() override;

    // The trigger messages (hot key, window activation, clearing InUse, abort, program
    // list) and the reports of armed waits; false for any other message.
    bool HandleMessage(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);
    // Where the command families plug in, and what the waits among them are told.
    CommandFamilies& families();
    WaitReports& waitReports();
    void RunByNickname(const std::string& nickname) { dispatch_.RunByNickname(nickname); }
    TriggerDispatch& dispatch() { return dispatch_; }

    // TriggerHost
    bool ReadMacro(int n, TMacroRecord& rec) override;
    std::string Nickname(int n) override;
    void PlayMacro(const std::string& text, bool capsLockWasOn) override;
    void ShowRunning(bool running) override;
    void Warning(const std::string& text) override;
    void KeyEvent(std::uint8_t vk, bool up) override;
    void Click(int button) override;
    void Sleep(int ms) override;
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

    Context ctx_;
    std::unique_ptr<win::InputBackend> input_;
    std::unique_ptr<Services> services_;
    std::unique_ptr<MacroPlayer> player_;
    TriggerDispatch dispatch_;
    QTimer* clearTimer_;
    QIcon programIcon_;
};

}  // namespace tessaro
