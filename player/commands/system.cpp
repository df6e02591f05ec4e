#include "player/commands/system.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>

#include "platform/cp1252.h"
#include "player/commands/windows.h"
#include "player/engine/macro_player.h"
#include "player/engine/peer_link.h"
#include "protocol/glob_data.h"

namespace tessaro {
namespace {

constexpr int kStatePollMs = 100;

std::string Arg(const Token& token, std::size_t i) {
    return i < token.args.size() ? std::string(token.args[i]) : std::string();
}

std::string UserFolder(QStandardPaths::StandardLocation location, const QString& below = {}) {
    QString path = QStandardPaths::writableLocation(location);
    if (!below.isEmpty()) path += "/" + below;
    return win::Utf8ToCp1252(path.toStdString());
}

win::WallpaperStyle StyleOf(TokenKind kind) {
    switch (kind) {
        case TokenKind::WallT: return win::WallpaperStyle::Tiled;
        case TokenKind::WallS: return win::WallpaperStyle::Stretched;
        case TokenKind::WallP: return win::WallpaperStyle::Positioned;
        default: return win::WallpaperStyle::Centred;
    }
}

}  // namespace

int RepeatDelayMs(long setting) { return 250 * (static_cast<int>(std::clamp(setting, 0L, 3L)) + 1); }

double RepeatRate(long setting) {
    return 2.5 + 27.5 * static_cast<double>(std::clamp(setting, 0L, 31L)) / 31.0;
}

std::string SpecialFolder(TokenKind kind) {
    using K = TokenKind;
    using L = QStandardPaths;
    switch (kind) {
        case K::ExpDt:
        case K::ExpDp: return UserFolder(L::DesktopLocation);
        case K::ExpUd: return UserFolder(L::DocumentsLocation);
        case K::ExpPf:
        case K::ExpSm: return UserFolder(L::ApplicationsLocation);
        case K::ExpSu: return UserFolder(L::GenericConfigLocation, "autostart");
        case K::ExpFt: return UserFolder(L::GenericDataLocation, "fonts");
        case K::ExpMc: return "/";
        case K::ExpRb: return "trash:///";
        case K::ExpNw: return "network:///";
        case K::ExpRd: return "recent:///";
        default: return {};
    }
}

std::string_view DesktopFunctionName(TokenKind kind) {
    using K = TokenKind;
    switch (kind) {
        case K::MiniDesk: return "Minimize All";
        case K::RestDesk: return "Undo Minimize All";
        case K::Suspend: return "Suspend";
        case K::Undock: return "Eject PC";
        case K::RunDt: return "Run Set Time";
        case K::RunFc: return "Run Find Computer";
        case K::RunFf: return "Run Find Files";
        case K::RunRp: return "Run File Run";
        default: return "Open Explorer";
    }
}

void SetScreenMode(win::SystemSettings& settings, PlayerWindows& windows, long index) {
    const auto modes = settings.DisplayModes();
    if (index < 0 || static_cast<std::size_t>(index) >= modes.size()) {
        windows.DoAMessage("Macro Execution Error",
                           "The specified Screen Display Settings does not exist on this computer.");
        return;
    }
    if (settings.SetDisplayMode(modes[static_cast<std::size_t>(index)]) != win::ModeChange::Done)
        windows.DoAMessage("Macro Execution Error",
                           "The attempt to switch to the specified Screen Display Settings failed.");
}

void SetWallpaper(win::SystemSettings& settings, PlayerWindows& windows, const Token& token) {
    const bool positioned = token.kind == TokenKind::WallP;
    const std::string file = Arg(token, positioned ? 2 : 0);
    const int x = positioned ? static_cast<int>(ArgInt(Arg(token, 0))) : 0;
    const int y = positioned ? static_cast<int>(ArgInt(Arg(token, 1))) : 0;
    const std::string quoted = "\"" + file + "\"";
    switch (settings.SetWallpaper(win::Cp1252ToUtf8(file), StyleOf(token.kind), x, y)) {
        case win::WallpaperChange::Done: break;
        case win::WallpaperChange::NotAPicture:
            windows.DoAMessage("Macro Execution Error",
                               "The wallpaper file " + quoted + " could not be read as a picture.");
            break;
        case win::WallpaperChange::NotTaken:
            windows.DoAMessage("Macro Execution Error",
                               "The wallpaper could not be set to " + quoted +
                                   ": the desktop that is running does not take it.");
            break;
    }
}

ProgramsWindowsSystemFamily::ProgramsWindowsSystemFamily(SystemServices services)
    : s_(std::move(services)), launches_(s_.desktop, s_.windows) {}

ProgramsWindowsSystemFamily::~ProgramsWindowsSystemFamily() = default;

void ProgramsWindowsSystemFamily::WatchWindowStates(MacroPlayer& player) {
    // Launched windows appear while the macro goes on, or after it ended: the player's
    // event loop looks for them.
    if (!QCoreApplication::instance()) return;
    if (!stateTimer_) {
        stateTimer_ = std::make_unique<QTimer>();
        stateTimer_->setInterval(kStatePollMs);
        PlaybackClock* clock = &player.services().clock;
        QObject::connect(stateTimer_.get(), &QTimer::timeout, [this, clock] {
            if (!launches_.watch().Poll(clock->NowMs())) stateTimer_->stop();
        });
    }
    stateTimer_->start();
}

void ProgramsWindowsSystemFamily::Rehook() {
    s_.hooks.unhook(s_.glob.KeyboardHook);
    s_.glob.KeyboardHook = s_.hooks.hookKeyboard();
    s_.link.Push(s_.glob, ggKeyHook);
    s_.hooks.unhook(s_.glob.MouseHook);
    s_.glob.MouseHook = s_.hooks.hookMouse();
    s_.link.Push(s_.glob, ggMouseHook);
}

void ProgramsWindowsSystemFamily::RunSetting(const Token& token) {
    using K = TokenKind;
    switch (token.kind) {
        case K::KeyDel: s_.settings.SetKeyRepeatDelay(RepeatDelayMs(ArgInt(Arg(token, 0)))); break;
        case K::KeySpd: s_.settings.SetKeyRepeatRate(RepeatRate(ArgInt(Arg(token, 0)))); break;
        case K::SsTime: {
            win::ScreenSaver saver = s_.settings.GetScreenSaver();
            saver.timeoutSeconds = static_cast<int>(std::max(0L, ArgInt(Arg(token, 0)))) * 60;
            s_.settings.SetScreenSaver(saver);
            break;
        }
        case K::SsOff: {
            win::ScreenSaver saver = s_.settings.GetScreenSaver();
            saver.timeoutSeconds = 0;
            s_.settings.SetScreenSaver(saver);
            break;
        }
        case K::SsOn:
            if (s_.settings.GetScreenSaver().timeoutSeconds > 0) s_.settings.ActivateScreenSaver();
            break;
        default: break;  // the border width belongs to the window manager
    }
}

void ProgramsWindowsSystemFamily::RunPower(TokenKind kind) {
    using K = TokenKind;
    if (kind == K::LogOff) {
        s_.power.EndSession();
        return;
    }
    const win::PowerAction action = kind == K::Reboot     ? win::PowerAction::Reboot
                                    : kind == K::Shutdown ? win::PowerAction::Halt
                                                          : win::PowerAction::PowerOff;
    if (win::PowerAllowed(s_.power.Can(action))) s_.power.Request(action);
}

void ProgramsWindowsSystemFamily::RunDesktopFunction(MacroPlayer& player, TokenKind kind) {
    const std::string name(DesktopFunctionName(kind));
    PlayerWindows& windows = player.services().windows;
    if (kind == TokenKind::Suspend) {
        if (!win::PowerAllowed(s_.power.Can(win::PowerAction::Suspend)))
            windows.DoAMessage(name + " Error", std::string(kNotAvailableText));
        else if (!s_.power.Request(win::PowerAction::Suspend))
            windows.DoAMessage(name + " Error", name + " failed.");
        return;
    }
    const std::string folder = SpecialFolder(kind);
    if (folder.empty()) {
        windows.DoAMessage(name + " Error", std::string(kNotAvailableText));
        return;
    }
    if (!player.services().desktop.OpenDocument(folder))
        windows.DoAMessage(name + " Error", name + " failed.");
}

CommandOutcome ProgramsWindowsSystemFamily::Run(MacroPlayer& player, const CommandToken& command) {
    using K = TokenKind;
    const Token& token = command.token;
    switch (token.kind) {
        case K::Launch:
        case K::LaunchDel:
        case K::LaunchNo:
        case K::LaunchYes:
        case K::LaunchNo2:
        case K::LaunchYes2: {
            const CommandOutcome outcome = launches_.Run(player, token);
            WatchWindowStates(player);
            return outcome;
        }
        case K::DoHook: Rehook(); return CommandOutcome::Done;
        case K::DefPrt:
            if (s_.printers.SetDefault(Arg(token, 0)) == win::PrinterResult::NotFound)
                player.services().windows.DoAMessage(
                    "Macro Execution Error",
                    "The specified Default Printer does not exist on this computer.");
            return CommandOutcome::Done;
        case K::Explore: player.services().desktop.OpenDocument(Arg(token, 0)); return CommandOutcome::Done;
        case K::Screen:
            SetScreenMode(s_.settings, player.services().windows, ArgInt(Arg(token, 0)));
            return CommandOutcome::Done;
        case K::WallT:
        case K::WallC:
        case K::WallS:
        case K::WallP:
            SetWallpaper(s_.settings, player.services().windows, token);
            return CommandOutcome::Done;
        case K::LogOff:
        case K::Reboot:
        case K::Shutdown:
        case K::PowerOff: RunPower(token.kind); return CommandOutcome::Done;
        case K::Suspend:
        case K::Undock:
        case K::RunDt:
        case K::RunFc:
        case K::RunFf:
        case K::RunRp:
        case K::ExpCp:
        case K::ExpDt:
        case K::ExpDp:
        case K::ExpFv:
        case K::ExpFt:
        case K::ExpMc:
        case K::ExpNw:
        case K::ExpPr:
        case K::ExpPf:
        case K::ExpRd:
        case K::ExpRb:
        case K::ExpSm:
        case K::ExpSu:
        case K::ExpUd: RunDesktopFunction(player, token.kind); return CommandOutcome::Done;
        case K::EmptyBin: return CommandOutcome::Done;
        default: break;
    }
    if (RunWindowCommand(s_.desktop, s_.windows, token)) return CommandOutcome::Done;
    RunSetting(token);
    return CommandOutcome::Done;
}

}  // namespace tessaro
