#include "player/engine/player_triggers.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <thread>

#include "foundation/config_record.h"
#include "platform/cp1252.h"
#include "platform/desktop.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/paths.h"
#include "hook/qtmhook.h"
#include "player/engine/hook_upkeep.h"
#include "player/engine/keystate_trace.h"
#include "player/engine/macro_file_control.h"
#include "player/engine/macro_player.h"
#include "player/engine/peer_link.h"
#include "player/engine/player_macro_file.h"
#include "player/engine/qt_playback_services.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "player/engine/window_activation.h"

namespace tessaro {

namespace {

constexpr int kClearInUseMs = 15000;

}  // namespace

// Everything a playback talks to, made in one place for the desktop the player runs on.
struct PlayerTriggers::Services {
    explicit Services(PlayerTriggers::Context& c)
        : input(c.platform.MakeInput()),
          desktop(c.platform.desktop()),
          control(c.glob, c.config, c.macros, c.upkeep) {}
    std::unique_ptr<win::InputBackend> input;
    QtPlaybackClock clock;
    QtClipboard clipboard;
    QtPlayerDesktop desktop;
    MacroFileControl control;
    CommandFamilies families;
    WaitReports waitReports;
};

PlayerTriggers::PlayerTriggers(Context context)
    : ctx_(context),
      services_(std::make_unique<Services>(ctx_)),
      player_(std::make_unique<MacroPlayer>(PlayerServices{*services_->input, services_->clock, ctx_.windows,
                                                           services_->clipboard, services_->desktop,
                                                           services_->control, services_->families})),
      dispatch_(ctx_.glob, ctx_.platform.desktop(), *this),
      hooks_(std::make_unique<HookUpkeep>(ctx_.glob, ctx_.link, ctx_.config.AutoHooks, LibraryHookCalls(),
                                          [this] { return Playing(); })),
      clearTimer_(new QTimer(this)) {
    clearTimer_->setSingleShot(true);
    clearTimer_->setInterval(kClearInUseMs);
    connect(clearTimer_, &QTimer::timeout, this, [this] { ClearInUse(); });
    dispatch_.NoteStartWindow();
}

PlayerTriggers::~PlayerTriggers() = default;

CommandFamilies& PlayerTriggers::families() { return services_->families; }

WaitReports& PlayerTriggers::waitReports() { return services_->waitReports; }

bool PlayerTriggers::HandleMessage(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    switch (msg) {
        case WM_HOTKEY_FIRED:
            if (!Closing()) dispatch_.HotKeyFired(wParam, lParam);
            return true;
        case WM_WINDOW_ACTIVATED: dispatch_.WindowActivated(static_cast<win::HWND>(wParam)); return true;
        case WM_CLEAR_IN_USE: ClearInUse(); return true;
        case WM_CAPSLOCK_STATE: dispatch_.CapsLockReported(wParam != 0); return true;
        case WM_KEYSTATE_DUMP: {
            // A trace for finding faults, not for the user: a line it could not take is told
            // on standard error.
            const std::string file = win::JoinPath(ctx_.macros.programDirectory(), kKeyStateTraceFile);
            if (std::string why; !AppendKeyStateTrace(file, wParam, lParam, why))
                std::fprintf(stderr, "tesrun: the key-state trace %s could not be written (%s)\n",
                             win::Cp1252ToUtf8(file).c_str(), why.c_str());
            return true;
        }
        case WM_ABORT_MACRO: RequestAbort(); return true;
        case WM_HOTKEY_HELD_ELSEWHERE: HotKeyHeldElsewhere(static_cast<int>(wParam)); return true;
        case WM_REFRESH_PROGRAMS:
            if (!Closing()) dispatch_.SetRunningProgs();
            return true;
        default: return services_->waitReports.Handle(msg, wParam, lParam);
    }
}

// Reported once per key by the hook; those reported together are told in one message.
void PlayerTriggers::HotKeyHeldElsewhere(int code) {
    if (code < 0 || code > kMaxHotKeyCode) return;
    heldElsewhere_.push_back(HotKeyNames(code));
    if (heldElsewhere_.size() > 1) return;
    QTimer::singleShot(0, this, [this] {
        std::string names;
        for (const std::string& name : heldElsewhere_) names += (names.empty() ? "" : ", ") + name;
        heldElsewhere_.clear();
        Warning("Another program already uses the hot key " + names +
                ". Its macro cannot be started with this key.");
    });
}

void PlayerTriggers::RunByNickname(const std::string& nickname) {
    if (!Closing()) dispatch_.RunByNickname(nickname);
}

void PlayerTriggers::RequestAbort() {
    if (Playing()) player_->RequestAbort();
}

void PlayerTriggers::AbortForShutDown() {
    if (Playing()) player_->AbortQuietly();
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
    if (!running) {
        ctx_.shell.MacroEnded();
        return;
    }
    const TMacroRecord& rec = dispatch_.PlayRecord();
    const int code = rec.ActivationCode;
    ctx_.shell.MacroStarted(RunningMacro{rec.Nickname.str(), code <= kMaxHotKeyCode ? HotKeyNames(code) : "",
                                         dispatch_.TargetWindow()});
}

void PlayerTriggers::Warning(const std::string& text) { ctx_.windows.DoAMessage("Warning", text); }

void PlayerTriggers::KeyEvent(std::uint8_t vk, bool up) { services_->input->KeyEvent(vk, up); }

void PlayerTriggers::Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void PlayerTriggers::AwaitRelease(std::uint8_t vk) {
    services_->input->AwaitRelease(vk, [] { QCoreApplication::processEvents(); });
    // A key pressed in the instant this one came up is reported while the dispatch still
    // waits, so that it runs after this macro rather than being lost in it.
    QtmCatchUp();
    QCoreApplication::processEvents();
}

void PlayerTriggers::LetGoOfTypedKey(std::uint8_t vk, std::chrono::milliseconds cap) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + cap;
    bool letGo = false;
    win::InputBackend& input = *services_->input;
    input.AwaitRelease(vk, [&] {
        QCoreApplication::processEvents();
        // Past the cap the wait ends by letting go of the key itself.
        if (!letGo && Clock::now() >= until) {
            letGo = true;
            input.KeyEvent(vk, true);
        }
    });
}

void PlayerTriggers::ReleaseUserModifiers() { services_->input->LetGoOfUserModifiers(); }

void PlayerTriggers::MarkPlaybackEnd() { ctx_.link.MarkPlayback(); }

bool PlayerTriggers::Paused() { return ctx_.shell.Paused(); }

void PlayerTriggers::ResumePause() { ctx_.shell.ResumePause(); }

void PlayerTriggers::PushInUse() {
    ctx_.link.Push(ctx_.glob, ggInUse);
    ctx_.link.NotifyEditor(puPullGroup, ggInUse);
}

void PlayerTriggers::StartClearTimer() { clearTimer_->start(); }

void PlayerTriggers::PushActiveProgram() { ctx_.link.Push(ctx_.glob, ggProg); }

void PlayerTriggers::PushRunningPrograms() {
    ctx_.link.Push(ctx_.glob, ggProgs);
    const int before = programCount_;
    programCount_ = ctx_.glob.ProgramCount;
    hooks_->ProgramsRefreshed(before, programCount_);
}

bool PlayerTriggers::ReloadChangedNetworkFile() { return ctx_.shell.ReloadChangedNetworkFile(); }

void PlayerTriggers::SystemFunction(char id) { ctx_.shell.SystemFunction(id); }

std::optional<int> PlayerTriggers::ChoosePopupItem(int, const TMacroRecord& menu) {
    const int chosen = ctx_.shell.ChooseAMacro(menu);
    if (chosen < 1 || chosen > ctx_.glob.MacroCount) return std::nullopt;
    // The chooser took the focus: the macro's window gets it back before the macro plays.
    if (const win::HWND target = dispatch_.TargetWindow()) BringToFront(ctx_.platform.desktop(), target);
    return chosen;
}

bool PlayerTriggers::Closing() { return ctx_.shell.Closing(); }

}  // namespace tessaro
