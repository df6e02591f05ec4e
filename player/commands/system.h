#pragma once
// The program, window and system commands as one family: launches, windows by title, the
// desktop's layout and special folders, keyboard repeat, screen saver, display mode,
// default printer, wallpaper, power and the re-hook. Settings hold for the session.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop.h"
#include "platform/power.h"
#include "platform/printers.h"
#include "platform/system_settings.h"
#include "platform/window_control.h"
#include "player/commands/programs.h"
#include "player/engine/command_family.h"
#include "player/engine/peer_handlers.h"
#include "player/engine/playback_services.h"

class QTimer;

namespace tessaro {

struct TGlobData;
class PeerLink;

// "<KEYDEL:" 0-3 as milliseconds (250-1000) and "<KEYSPD:" 0-31 as repeats a second
// (2.5-30); values beyond the ends are held at them.
int RepeatDelayMs(long setting);
double RepeatRate(long setting);

// The folder a special-folder token opens; empty for one the desktop has no counterpart
// of. Paths come from the desktop's user folders.
std::string SpecialFolder(TokenKind kind);
// The function name a desktop token's messages show ("Minimize All", "Open Explorer").
std::string_view DesktopFunctionName(TokenKind kind);
inline constexpr std::string_view kNotAvailableText = "This function is not available on this desktop.";

// "<SCREEN:" n: the mode at that index, the change, and its messages.
void SetScreenMode(win::SystemSettings& settings, PlayerWindows& windows, long index);
// "<WALLT:", "<WALLC:", "<WALLS:", "<WALLP:": the picture, and a message when no desktop
// shows it.
void SetWallpaper(win::SystemSettings& settings, PlayerWindows& windows, const Token& token);

struct SystemServices {
    win::Desktop& desktop;
    win::WindowControl& windows;
    win::SystemSettings& settings;
    win::Printers& printers;
    win::Power& power;
    TGlobData& glob;
    PeerLink& link;
    HookCalls hooks;
};

class ProgramsWindowsSystemFamily : public CommandFamily {
public:
    explicit ProgramsWindowsSystemFamily(SystemServices services);
    ~ProgramsWindowsSystemFamily() override;

    CommandOutcome Run(MacroPlayer& player, const CommandToken& token) override;
    Launches& launches() { return launches_; }

private:
    void RunSetting(const Token& token);
    void RunPower(TokenKind kind);
    void RunDesktopFunction(MacroPlayer& player, TokenKind kind);
    void Rehook();
    void WatchWindowStates(MacroPlayer& player);

    SystemServices s_;
    Launches launches_;
    std::unique_ptr<QTimer> stateTimer_;  // applies the state of launched windows
};

}  // namespace tessaro
