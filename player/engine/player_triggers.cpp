#include "player/engine/player_triggers.h"

#include <QTimer>
#include <chrono>
#include <thread>

#include "foundation/config_record.h"
#include "widgets/task_icon.h"
#include "platform/desktop.h"
#include "platform/input.h"
#include "platform/input_backend.h"
#include "macro/encrypted_text.h"
#include "protocol/glob_data.h"
#include "player/engine/macro_file_control.h"
#include "player/engine/macro_player.h"
#include "player/engine/peer_link.h"
#include "player/engine/player_macro_file.h"
#include "player/ui/player_windows.h"
#include "player/engine/qt_playback_services.h"
#include "player/engine/window_activation.h"
#include "player/ui/tray_pictures.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

constexpr int kClearInUseMs = 15000;

// The macro commands' view of the loaded file, with the main window's upkeep.
class FileControl : public MacroFileControl {
public:
    FileControl(TGlobData& glob, TConfigRecord& config, std::function<std::string()> file,
                const PlayerTriggers::FileUpkeep& upkeep, PeerLink& link)
        : MacroFileControl(glob, config, std::move(file)), upkeep_(upkeep), link_(link) {}

    void ReloadMacroFile() override { Call(upkeep_.reloadMacroFile); }
    void LoadMacroFile(const std::string& path) override { Call(upkeep_.loadMacroFile, path); }
    void SetMacroFileName(const std::string& path) override { Call(upkeep_.setMacroFileName, path); }
    bool FileInUse() override { return upkeep_.fileInUse && upkeep_.fileInUse(); }
    void ReleaseSyncFile(int changes) override { Call(upkeep_.releaseSyncFile, changes); }
    void UseLockFileOf(const std::string& file) override { Call(upkeep_.useLockFileOf, file); }
    void GetSwapFile() override { Call(upkeep_.getSwapFile); }
    void SetHotKeys() override { Call(upkeep_.setHotKeys); }
    void CheckAndSetTime() override { Call(upkeep_.checkAndSetTime); }
    void ClearMenuTaskIcon() override { Call(upkeep_.clearMenuTaskIcon); }
    void DoMenuTaskIcon() override { Call(upkeep_.doMenuTaskIcon); }
    void TellOtherPlayers() override { Call(upkeep_.tellOtherPlayers); }
    void PostEditor(std::uint32_t code, std::int32_t value) override { link_.NotifyEditor(code, value); }

private:
    template <typename F, typename... A>
    static void Call(const F& f, A&&... args) {
        if (f) f(std::forward<A>(args)...);
    }
    const PlayerTriggers::FileUpkeep& upkeep_;
    PeerLink& link_;
};

class Desktop : public PlayerDesktop {
public:
    bool ActivateWindow(const std::string& title) override {
        return ActivateIt(win::ActiveDesktop(), title) != 0;
    }
    bool OpenDocument(const std::string& address) override { return OpenWithDesktop(address); }
    std::optional<std::string> Decrypt(const std::string& cipher) override {
        return DecryptMacroText(cipher);
    }
};

}  // namespace

struct PlayerTriggers::Services {
    Services(PlayerTriggers::Context& c) : control(c.glob, c.config, c.currentFile, c.upkeep, c.link) {}
    QtPlaybackClock clock;
    QtClipboard clipboard;
    Desktop desktop;
    FileControl control;
    CommandFamilies families;
    WaitReports waitReports;
};

PlayerTriggers::PlayerTriggers(Context context)
    : ctx_(std::move(context)),
      input_(win::CreateInputBackend()),
      services_(std::make_unique<Services>(ctx_)),
      player_(std::make_unique<MacroPlayer>(PlayerServices{*input_, services_->clock, ctx_.windows,
                                                           services_->clipboard, services_->desktop,
                                                           services_->control, services_->families})),
      dispatch_(ctx_.glob, win::ActiveDesktop(), *this),
      clearTimer_(new QTimer(this)) {
    clearTimer_->setSingleShot(true);
    clearTimer_->setInterval(kClearInUseMs);
    connect(clearTimer_, &QTimer::timeout, this, [this] { ClearInUse(); });
}

PlayerTriggers::~PlayerTriggers() = default;

CommandFamilies& PlayerTriggers::families() { return services_->families; }

WaitReports& PlayerTriggers::waitReports() { return services_->waitReports; }

bool PlayerTriggers::HandleMessage(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    switch (msg) {
        case WM_HOTKEY_FIRED: dispatch_.HotKeyFired(wParam, lParam); return true;
        case WM_WINDOW_ACTIVATED: dispatch_.WindowActivated(static_cast<win::HWND>(wParam)); return true;
        case WM_CLEAR_IN_USE: ClearInUse(); return true;
        case WM_ABORT_MACRO: player_->RequestAbort(); return true;
        case WM_REFRESH_PROGRAMS:
            if (!Closing()) dispatch_.SetRunningProgs();
            return true;
        default: return services_->waitReports.Handle(msg, wParam, lParam);
    }
}

void PlayerTriggers::ClearInUse() {
    ctx_.glob.InUse = 0;
    PushInUse();
}

bool PlayerTriggers::ReadMacro(int n, TMacroRecord& rec) { return ctx_.macros.ReadMacroRecord(n, rec); }

std::string PlayerTriggers::Nickname(int n) {
    return n >= 1 && n <= kMaxMacros ? ctx_.config.MacroNicknames[n].str() : std::string();
}

void PlayerTriggers::PlayMacro(const std::string& text, bool capsLockWasOn) {
    player_->BeginMacro(capsLockWasOn);
    player_->DoMacro(text, 1, 1, 1, true);
    player_->EndMacro();
}

void PlayerTriggers::ShowRunning(bool running) {
    TTaskIcon* icon = ctx_.mainIcon;
    if (!icon) return;
    if (running) {
        programIcon_ = icon->Icon();
        icon->SetIcon(RunningIcon());
        icon->SetToolTip("Macro Is Running - Right Click to Abort");
        icon->SetActive(true);
    } else {
        if (!ctx_.config.UseTray) icon->SetActive(false);
        icon->SetIcon(programIcon_);
        icon->SetToolTip("Tessaro 99");
    }
}

void PlayerTriggers::Warning(const std::string& text) { ctx_.windows.DoAMessage("Warning", text); }

void PlayerTriggers::KeyEvent(std::uint8_t vk, bool up) { input_->KeyEvent(vk, up); }

void PlayerTriggers::Click(int button) {
    static const unsigned kFlags[][2] = {{win::MOUSEEVENTF_LEFTDOWN, win::MOUSEEVENTF_LEFTUP},
                                         {win::MOUSEEVENTF_RIGHTDOWN, win::MOUSEEVENTF_RIGHTUP},
                                         {win::MOUSEEVENTF_MIDDLEDOWN, win::MOUSEEVENTF_MIDDLEUP}};
    if (button < 1 || button > 3) return;
    input_->MouseEvent(kFlags[button - 1][0], 0, 0, 0);
    input_->MouseEvent(kFlags[button - 1][1], 0, 0, 0);
}

void PlayerTriggers::Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool PlayerTriggers::Paused() { return ctx_.windows.Paused(); }

void PlayerTriggers::ResumePause() { ctx_.windows.ResumePause(); }

void PlayerTriggers::PushInUse() {
    ctx_.link.Push(ctx_.glob, ggInUse);
    ctx_.link.NotifyEditor(puPullGroup, ggInUse);
}

void PlayerTriggers::StartClearTimer() { clearTimer_->start(); }

void PlayerTriggers::PushActiveProgram() { ctx_.link.Push(ctx_.glob, ggProg); }

void PlayerTriggers::PushRunningPrograms() { ctx_.link.Push(ctx_.glob, ggProgs); }

bool PlayerTriggers::ReloadChangedNetworkFile() {
    return ctx_.reloadChangedNetworkFile && ctx_.reloadChangedNetworkFile();
}

void PlayerTriggers::SystemFunction(char id) {
    if (ctx_.systemFunction) ctx_.systemFunction(id);
}

std::optional<int> PlayerTriggers::ChoosePopupItem(int, const TMacroRecord&) {
    // The popup chooser window is not part of the player yet: a popup menu's hot key
    // shows nothing and runs nothing.
    return std::nullopt;
}

bool PlayerTriggers::Closing() { return ctx_.closing && ctx_.closing(); }

}  // namespace tessaro
