#include "player/ui/player_automation.h"

#include <QCoreApplication>

#include "foundation/config_record.h"
#include "platform/datetime.h"
#include "platform/desktop.h"
#include "platform/virtual_keys.h"
#include "player/engine/network_lock.h"
#include "player/engine/peer_update.h"
#include "player/engine/player_triggers.h"
#include "player/engine/window_activation.h"
#include "player/schedule/schedule_peer_handlers.h"
#include "protocol/glob_data.h"
#include "protocol/window_messages.h"

namespace tessaro {

PlayerAutomation::PlayerAutomation(Context context, const std::string& startMacro)
    : ctx_(context),
      abbreviations_(std::make_unique<AbbreviationTrigger>(ctx_.config, ctx_.glob, *this)),
      scheduler_(std::make_unique<Scheduler>(ctx_.config, ctx_.glob, ctx_.link, *this, *this, *screenSaver_)),
      networkTimers_(std::make_unique<NetworkTimers>(ctx_.config, *this, NetworkTimers::Intervals{})) {
    RegisterSchedulePeerHandlers(ctx_.dispatcher, *scheduler_, *networkTimers_);
    scheduler_->CheckAndSetTime();
    scheduler_->StartTimer2(startMacro);
    networkTimers_->ApplyNetworkSettings();
}

PlayerAutomation::~PlayerAutomation() = default;

bool PlayerAutomation::HandleMessage(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    switch (msg) {
        case WM_ABBREV_CHAR: abbreviations_->WMAbbrevChar(wParam, lParam); return true;
        case WM_USER_ACTIVE: scheduler_->WMUserActive(); return true;
        default: return false;
    }
}

AbbrevActivity PlayerAutomation::Activity() {
    const TriggerDispatch& d = ctx_.triggers.dispatch();
    return {d.Playing(), d.PopupShowing(), ctx_.glob.CaptureOn != 0, ctx_.triggers.Paused()};
}

void PlayerAutomation::Warning(const std::string& text) { ctx_.triggers.Warning(text); }

bool PlayerAutomation::ReadMacro(int n, TMacroRecord& rec) { return ctx_.triggers.ReadMacro(n, rec); }

void PlayerAutomation::MarkInUse() {
    ctx_.glob.InUse = 1;
    ctx_.triggers.PushInUse();
}

void PlayerAutomation::LetGoOfKey(std::uint8_t vk, int capMs) {
    ctx_.triggers.LetGoOfTypedKey(vk, std::chrono::milliseconds(capMs));
}

void PlayerAutomation::EraseOneCharacter() {
    ctx_.triggers.KeyEvent(win::VK_BACK, false);
    ctx_.triggers.KeyEvent(win::VK_BACK, true);
    QCoreApplication::processEvents();
}

void PlayerAutomation::Wait(int ms) { ctx_.triggers.Sleep(ms); }

void PlayerAutomation::PlayTyped(int n, const TMacroRecord& rec, const AbbrevDecision& how) {
    ctx_.triggers.dispatch().RunTyped(n, rec, {how.capitalise, how.retype, how.delimiter}, how.capsLockWasOn);
}

std::string PlayerAutomation::Title() {
    win::Desktop& desktop = ctx_.platform.desktop();
    const win::HWND w = desktop.ForegroundWindow();
    return w ? desktop.WindowText(w) : std::string();
}

std::string PlayerAutomation::Program() {
    win::Desktop& desktop = ctx_.platform.desktop();
    const win::HWND w = desktop.ForegroundWindow();
    return w ? ModuleNameOfWindow(desktop, w) : std::string();
}

bool PlayerAutomation::MacroPlaying() { return ctx_.triggers.dispatch().Playing(); }

// Kept in one place, where the library's reports arrive.
bool PlayerAutomation::CapsLockLastKnown() { return ctx_.triggers.dispatch().CapsLockLastKnown(); }

bool PlayerAutomation::ActivateWindow(const std::string& title) {
    return ActivateIt(ctx_.platform.desktop(), title) != 0;
}

bool PlayerAutomation::ActivateProgram(const std::string& name) {
    return ActivateProg(ctx_.platform.desktop(), name) != 0;
}

void PlayerAutomation::PlaySound(const std::string& file, bool wait) {
    if (const std::string error = wave_.DoWave(file, wait); !error.empty()) Warning(error);
}

void PlayerAutomation::PlayTimed(int n, const TMacroRecord& rec, bool capsLockWasOn) {
    ctx_.triggers.dispatch().PlayOnce(n, rec, capsLockWasOn);
}

void PlayerAutomation::RunHotKeyMacro(int n) { ctx_.triggers.dispatch().RunHotKeyMacro(n); }

void PlayerAutomation::RunByNickname(const std::string& nickname) { ctx_.triggers.RunByNickname(nickname); }

double PlayerAutomation::Now() { return win::Now(); }

void PlayerAutomation::ReloadEverything() { ctx_.dispatcher.Dispatch(puReloadAll, 1); }

void PlayerAutomation::Heartbeat() { ctx_.lock.Heartbeat(); }

}  // namespace tessaro
