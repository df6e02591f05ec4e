#pragma once
// WM_PEER_UPDATE: the codes the player and the editor exchange, and the player's
// dispatcher. Each subsystem registers the handlers of the codes it owns; a code without a
// handler, an unknown code, and every code while the player is closing are ignored.
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "protocol/window_messages.h"

namespace tessaro {

struct PeerUpdateInfo {
    PeerUpdateCode code;
    std::string_view name;
    bool fromEditor;  // the editor sends it to the player
    bool fromPlayer;  // the player sends it to the editor
    std::string_view argument;
};

inline constexpr std::array<PeerUpdateInfo, 19> kPeerUpdateCodes = {{
    {puSwapKeys, "puSwapKeys", true, true, "-"},
    {puMacroFile, "puMacroFile", true, false, "-"},
    {puSchedule, "puSchedule", true, true, "-"},
    {puEditorClosed, "puEditorClosed", true, false, "-"},
    {puTrayMenu, "puTrayMenu", true, false, "-"},
    {puPullGroup, "puPullGroup", true, true, "group 0..14"},
    {puHooks, "puHooks", true, false, "1 hook keyboard, 2 unhook keyboard, 3 hook mouse, 4 unhook mouse"},
    {puPullMacro, "puPullMacro", true, true, "macro number"},
    {puTrayIcon, "puTrayIcon", true, false, "0 hide, 1 show"},
    {puSettingsSnipra, "puSettings", true, false, "[Snipra]"},
    {puSettingsCapture, "puSettings", true, false, "[Capture]"},
    {puSettingsNetwork, "puSettings", true, false, "[Network]"},
    {puSettingsEMail, "puSettings", true, false, "[EMail]"},
    {puSettingsScheduler, "puSettings", true, false, "[Scheduler]"},
    {puSettingsMisc, "puSettings", true, false, "[Misc]"},
    {puSettingsPrintListFont, "puSettings", true, false, "[Print List Font]"},
    {puSettingsMainWindow, "puSettings", true, false, "[Main Window]"},
    {puMacroChanged, "puMacroChanged", true, true, "macro number"},
    {puReloadAll, "puReloadAll", true, true, "> 0: also rebuild the tray menus"},
}};

// The entry of a code, or nullptr for 0, 18, 19 and anything above 21.
const PeerUpdateInfo* FindPeerUpdate(std::uint32_t code);

class PeerUpdateDispatcher {
public:
    using Handler = std::function<void(std::int32_t argument)>;

    // Installs (or replaces) the handler of a code the editor sends.
    void On(PeerUpdateCode code, Handler handler);
    // Adds a step that runs after the code's handler (or alone when it has none).
    void After(PeerUpdateCode code, Handler then);

    // Runs the handler of wParam; false when the message was ignored.
    bool Dispatch(std::uint32_t wParam, std::int32_t lParam) const;

    // Once the player is closing every code is ignored.
    void SetClosing(bool closing) { closing_ = closing; }
    bool closing() const { return closing_; }

private:
    std::array<Handler, puReloadAll + 1> handlers_;
    bool closing_ = false;
};

}  // namespace tessaro
