// The main window's tray: its icons, what their clicks ask of the player, the peer-update
// codes about them, and the popup chooser with the menu of the top window.
#include <QTimer>

#include "player/engine/hook_upkeep.h"
#include "player/engine/peer_handlers.h"
#include "player/engine/player_triggers.h"
#include "player/ui/capture_shell.h"
#include "player/ui/main_win.h"
#include "player/ui/player_automation.h"
#include "player/ui/popup_chooser.h"
#include "protocol/window_messages.h"

namespace tessaro {

void TMainWin::StartTray() {
    tray_ = std::make_unique<PlayerTray>(*this);
    tray_->ShowMainIcon(config_.UseTray);
    DoMenuTaskIcon();
    dispatcher_.On(puTrayMenu, [this](std::int32_t) {
        ClearMenuTaskIcon();
        DoMenuTaskIcon();
    });
    dispatcher_.On(puTrayIcon, [this](std::int32_t show) {
        if (show != 0 && show != 1) return;
        config_.UseTray = show == 1;
        // A playing macro keeps its icon; it goes with the macro's end.
        if (!MacroPlaying()) tray_->ShowMainIcon(config_.UseTray);
    });
}

Scheduler& TMainWin::scheduler() { return automation_->scheduler(); }

void TMainWin::ClearMenuTaskIcon() {
    if (tray_) tray_->ClearMenuTaskIcon();
}

void TMainWin::DoMenuTaskIcon() {
    if (tray_) tray_->DoMenuTaskIcon(MenuTrayMacros(glob_, config_), config_);
}

bool TMainWin::MacroPlaying() { return triggers_ && triggers_->Playing(); }

void TMainWin::AbortMacro() {
    if (triggers_) triggers_->RequestAbort();
}

void TMainWin::RestoreHooks() {
    ReHook(glob_, link_, LibraryHookCalls());
    SetHotKeys();
}

void TMainWin::EndCaptureFromTray() {
    // As the stop key ends it, but the click on the icon is no part of the recording.
    if (capture_) capture_->capture().EndFromTrayIcon();
}

void TMainWin::MenuTaskIconRightClick(int macro, int x) {
    if (!triggers_ || macro < 1 || macro > kMaxMacros) return;
    TriggerDispatch& dispatch = triggers_->dispatch();
    // The window the user worked in last; the player's own windows are never a target.
    dispatch.SetTargetWindow(dispatch.LastForeignWindow());
    chooserX_ = x;
    triggers_->HandleMessage(WM_HOTKEY_FIRED, static_cast<std::uint32_t>(macro) | kHotKeyPopupIconBit, 0);
    chooserX_.reset();
}

int TMainWin::ChooseAMacro(const TMacroRecord& menu) {
    std::vector<ChooserItem> items = ChooserItemsOf(menu, *macros_, config_, glob_.MacroCount);
    // Only the first chooser opens at the tray icon; one chosen from it is centred.
    const std::optional<int> at = std::exchange(chooserX_, std::nullopt);
    return windows_.ChooseAMacro(ChooserOptionsOf(menu.Abbreviation.view()), std::move(items), at);
}

void TMainWin::MenuTopWindow() {
    if (triggers_) triggers_->dispatch().MenuTopWindow(config_.SystemMenu);
}

}  // namespace tessaro
