#include "player/ui/main_win.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QProcess>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "foundation/settings.h"
#include "foundation/start_gate.h"
#include "hook/qtmhook.h"
#include "platform/cp1252.h"
#include "platform/platform.h"
#include "platform/datetime.h"
#include "platform/desktop.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/shared_memory.h"
#include "hook/client/glob_data_sync.h"
#include "player/engine/network_lock.h"
#include "player/engine/peer_handlers.h"
#include "player/engine/player_triggers.h"
#include "player/ui/capture_shell.h"
#include "player/ui/player_automation.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

// While the player holds the lock of a shared macro file it renews it this often.

}  // namespace

void SystemError(const std::string& text) {
    win::MessageBox(text, "System Error", win::MbButtons::Ok, win::MbIcon::Error);
}

void SystemError(const std::string& text, const std::string& cause) {
    if (cause.empty()) return SystemError(text);
    std::fprintf(stderr, "tesrun: %s\n", cause.c_str());
    SystemError(text + "\n\n" + cause + ".");
}

std::vector<std::string> EditorArguments(std::uint32_t playerWindow) {
    return {kLaunchMarker, "/RH" + std::to_string(playerWindow)};
}

TMainWin::TMainWin(win::Platform& platform, TConfigRecord& config, TGlobData& glob)
    : QWidget(nullptr),
      platform_(platform),
      config_(config),
      glob_(glob),
      link_(platform.messages()),
      windows_(platform.desktop(), platform.windowControl()) {
    setWindowTitle("Tessaro 99");
    // Never shown: it exists for its window id, where messages arrive.
    setAttribute(Qt::WA_DontShowOnScreen, true);
    setGeometry(1, 1, 0, 0);
}

std::unique_ptr<TMainWin> TMainWin::Create(win::Platform& platform, TConfigRecord& config, TGlobData& glob,
                                           const std::vector<std::string>& args) {
    std::unique_ptr<TMainWin> w(new TMainWin(platform, config, glob));
    if (!w->FormCreate(args)) return nullptr;
    return w;
}

bool TMainWin::FormCreate(const std::vector<std::string>& args) {
    macros_ = std::make_unique<PlayerMacroFile>(
        PlayerMacroFile::Context{config_, glob_, link_, win::ProgramDirectory(), {}});
    macros_->LoadMacroFile(config_.RecentFiles[0].str());

    handle_ = static_cast<std::uint32_t>(winId());
    commandLineMessage_ = platform_.messages().RegisterWindowMessage(std::string(kCommandLineMessageName));
    receiver_ = std::make_unique<win::MessageReceiver>(
        platform_.messages(), handle_,
        [this](std::uint32_t msg, std::uint32_t w, std::int32_t l) { return PlayerWndProc(msg, w, l); });

    std::string error;
    swapBlock_ = SwapKeysBlock::Create(&error);
    if (!swapBlock_) {
        SystemError(kMappingNotCreated, error);
        return false;
    }
    swaps_ = std::make_unique<PlayerSwapKeys>(*swapBlock_, config_);
    // Also puts back a keyboard mapping that a player which died left remapped.
    swaps_->StartRemap(handle_);

    activationBlock_ = win::SharedMemory::Create(kActivationBlockName, sizeof(TActivationShared), &error);
    if (!activationBlock_) {
        SystemError(kMappingNotCreated, error);
        return false;
    }
    cbtHook_ = QtmHookCBT();
    TActivationShared activation{handle_, cbtHook_, handle_, handle_, 1};
    std::memcpy(activationBlock_->data(), &activation, sizeof activation);

    InitGlobData();

    networkLock_ = std::make_unique<PlayerNetworkLock>(*this);
    networkLock_->Configure(config_.NetworkMode, config_.RecentFiles[0].str());

    peerContext_ = std::make_unique<PlayerPeerContext>(
        PlayerPeerContext{config_, glob_, link_, *macros_, *this, platform_.windowControl()});
    RegisterPlayerPeerHandlers(dispatcher_, *peerContext_);

    ProcessParams(args, config_, switches_, *this);
    SaveSwitchSettings(config_);
    switches_.startMacro = StartMacroNickname(args);

    StartTriggers();
    capture_ = std::make_unique<CaptureShell>(*this);
    StartTray();

    if (!switches_.browseMode && config_.StartEditor) QTimer::singleShot(0, this, [this] { ActivateMe(); });
    return true;
}

void TMainWin::InitGlobData() {
    TGlobData& g = glob_;
    g.LibByte771 = g.LibByte741 = g.CapDoubleAlt = g.LibByte4 = 0;
    g.StopKeyVK = 0;
    g.StopKeyCtrl = g.StopKeyAlt = g.StopKeyShift = 0;
    g.LibByte14320 = 0;
    g.IsNT = 1;
    g.MouseSwapped = platform_.desktop().MouseButtonsSwapped() ? 1 : 0;
    QtmUpCapture(&g);
    QtmUpInit(&g);
    g.IdleSchedules = 0;
    g.IdleSeconds = 0;
    g.IdleFired = 0;
    QtmUpIdle(&g);
    g.PlayerWnd = handle_;
    QtmUpWindow(&g);
    g.SecWnd = g.CapWnd = handle_;
    g.SecWndOn = g.CapWndOn = 0;
    QtmUpWindow2(&g);
    g.ActiveProgram = "";
    QtmUpProg(&g);
    g.CaptureOn = 0;
    QtmUpCaptureOn(&g);
    g.WaitMouse = g.WaitKey = g.WaitText = g.WaitPlayback = 0;
    QtmUpWaits(&g);
    for (int i = 1; i <= kMaxPrograms; ++i) g.Programs[i] = "";
    g.ProgramCount = 0;
    QtmUpProgs(&g);
    SetHotKeys();
    g.KeyboardHook = QtmHookKeyboard();
    g.MouseHook = QtmHookMouse();
    QtmUpKeyHook(&g);
    QtmUpMouseHook(&g);
}

void TMainWin::SetHotKeys() {
    tessaro::SetHotKeys(glob_,
                        [this](std::uint32_t code, std::int32_t arg) { link_.NotifyEditor(code, arg); });
}

TMainWin::~TMainWin() { FormClose(); }

std::int32_t TMainWin::PlayerWndProc(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    if (msg == commandLineMessage_ && commandLineMessage_ != 0) {
        const auto text = handOver_.Receive(wParam, lParam);
        if (text) {
            const std::string nickname = NicknameFromHandOver(*text);
            std::fprintf(stderr, "tesrun: run by nickname \"%s\"\n", win::Cp1252ToUtf8(nickname).c_str());
            // The run itself comes after this message, from the event loop.
            QTimer::singleShot(0, this, [this, nickname] { RunByNickname(nickname); });
        }
        return 0;
    }
    if (triggers_ && triggers_->HandleMessage(msg, wParam, lParam)) return 0;
    if (capture_ && capture_->capture().HandleMessage(msg, wParam, lParam)) return 0;
    if (msg == WM_CLOSE) {
        // Another program asks the player to end, as the editor's close request does.
        QTimer::singleShot(0, this, [this] { Terminate(); });
        return 0;
    }
    if (automation_ && automation_->HandleMessage(msg, wParam, lParam)) return 0;
    if (msg == WM_PEER_UPDATE) {
        dispatcher_.Dispatch(wParam, lParam);
        return 0;
    }
    return 0;
}

void TMainWin::ActivateMe() {
    if (switches_.browseMode) {
        windows_.DoAMessage("Notice", "Tessaro Editor not available in Browse Mode.");
        return;
    }
    if (const std::uint64_t editor = link_.EditorWindow()) {
        platform_.desktop().SetForegroundWindow(static_cast<win::HWND>(editor));
        return;
    }
    const std::string program = win::JoinPath(win::ExecutableDirectory(), "tesdesk");
    QStringList arguments;
    for (const std::string& a : EditorArguments(handle_)) arguments << QString::fromStdString(a);
    qint64 pid = 0;
    if (!QProcess::startDetached(QString::fromStdString(program), arguments, QString(), &pid)) {
        windows_.DoAMessage("Error", win::Utf8ToCp1252(program) + " could not be started.");
        return;
    }
    std::erase_if(startedEditors_, [](const win::StartedProcess& p) { return !p.Running(); });
    startedEditors_.emplace_back(static_cast<pid_t>(pid));
}

bool TMainWin::CanDoMenu() {
    return !glob_.CaptureOn && !windows_.Paused() && !(triggers_ && triggers_->dispatch().PopupShowing());
}

void TMainWin::Terminate() {
    if (closed_ || endRequested_) return;
    endRequested_ = true;
    // A message or prompt that is open would hold the end until the user closed it.
    windows_.CloseAll();
    if (triggers_ && triggers_->Playing()) {
        // MacroEnded finishes the end once the interpreter has unwound.
        triggers_->AbortForShutDown();
        return;
    }
    QTimer::singleShot(0, this, [this] { close(); });
}

void TMainWin::closeEvent(QCloseEvent* event) {
    if (triggers_ && triggers_->Playing()) {
        // Nothing the macro uses may go while it runs.
        event->ignore();
        Terminate();
        return;
    }
    FormClose();
    event->accept();
    QCoreApplication::quit();
}

void TMainWin::FormClose() {
    if (closed_) return;
    closed_ = true;
    // The editor closes as if its user closed it, so it can save first.
    if (const std::uint64_t editor = link_.EditorWindow())
        platform_.messages().PostMessage(static_cast<win::HWND>(editor), WM_CLOSE, kQuitFromPlayer, 0);
    // An editor this player started that it never found, or that the message misses, ends
    // too (it closes as its user would).
    for (const win::StartedProcess& editor : startedEditors_) editor.Terminate();
    // A capture still running keeps what was recorded and gives the lock back.
    if (capture_) capture_->capture().EndForShutDown();
    closing_ = true;
    dispatcher_.SetClosing(true);
    automation_.reset();
    // The editor may have switched the keyboard and mouse hooks: their handles live in the
    // trigger table.
    for (const std::uint32_t hook :
         {std::uint32_t(glob_.KeyboardHook), std::uint32_t(glob_.MouseHook), cbtHook_})
        if (hook) QtmUnHook(hook);
    glob_.KeyboardHook = glob_.MouseHook = 0;
    cbtHook_ = 0;
    swaps_->StopRemap();
    activationBlock_.reset();
    swaps_.reset();
    swapBlock_.reset();
    tray_.reset();
    SaveAllSettings(config_);
    receiver_.reset();
}

void TMainWin::MacroStarted(const RunningMacro& macro) {
    windows_.SetRunningMacro(macro);
    // The icon changes at the macro's first turn of the message loop, once its first keys
    // are out, so that the keys are not held up by the tray; a macro that ended before
    // leaves the icon as it was.
    const std::uint64_t playback = ++playbacks_;
    QTimer::singleShot(0, this, [this, playback] {
        if (playback == playbacks_ && tray_) tray_->ShowRunning(true, config_.UseTray);
    });
}

void TMainWin::MacroEnded() {
    ++playbacks_;
    windows_.SetRunningMacro({});
    tray_->ShowRunning(false, config_.UseTray);
    if (endRequested_) QTimer::singleShot(0, this, [this] { close(); });
}

void TMainWin::SystemFunction(char id) {
    if (id == '2')
        QTimer::singleShot(0, this, [this] {
            if (capture_) capture_->capture().StartACapture();
        });
    else if (id == '5')
        QTimer::singleShot(0, this, [this] { Terminate(); });
    else if (id == '1')
        ActivateMe();
    else if (id == '4')
        MenuTopWindow();
}

bool TMainWin::ReloadChangedNetworkFile() { return networkLock_->ReloadIfChanged(); }

bool TMainWin::FileInUse() { return networkLock_->FileInUse(); }

void TMainWin::ReleaseSyncFile(int changes) { networkLock_->ReleaseSyncFile(changes); }

void TMainWin::UseLockFileOf(const std::string& macroFile) {
    networkLock_->Configure(config_.NetworkMode, macroFile);
}

void TMainWin::MacroFileSwitched() {
    macros_->LoadMacroFile(config_.RecentFiles[0].str());
    networkLock_->NoteLoaded();
    SetHotKeys();
    // The remap belongs to the macro file: the new file's table is in force from now on.
    GetSwapFile();
}

void TMainWin::GetSwapFile() { swaps_->ReloadRemap(); }

void TMainWin::CheckAndSetTime() {
    if (automation_) automation_->scheduler().CheckAndSetTime();
}

// One player runs per desktop session and players elsewhere cannot be reached by window
// messages: they see the change through the network lock.
void TMainWin::TellOtherPlayers() {}

void TMainWin::ReloadEverything() { dispatcher_.Dispatch(puReloadAll, 1); }

void TMainWin::HeartbeatTimer(bool running) {
    // The lock may be taken before the timers exist; they start with it then.
    heartbeatWanted_ = running;
    if (automation_) automation_->networkTimers().HeartbeatTimer(running);
}

void TMainWin::LockMessage(const std::string& caption, const std::string& text) {
    windows_.DoAMessage(caption, text);
}

double TMainWin::Now() { return win::Now(); }

std::int64_t TMainWin::LocalMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void TMainWin::PostEditor(std::uint32_t code, std::int32_t value) { link_.NotifyEditor(code, value); }

}  // namespace tessaro
