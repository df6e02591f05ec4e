#pragma once
// The editor's link to the hook library and the player: every change goes into the
// editor's copy of the trigger table, is pushed to the library, and the player is told
// by WM_PEER_UPDATE which group, macro or file to re-read.
#include <cstdint>

#include "macro/loaded_macro_file.h"
#include "platform/messages.h"
#include "protocol/glob_data.h"

namespace tessaro {

// Pushes to the hook library and posts notices to the player's window (none while it is
// 0: an editor started by hand). Tests give a recording one.
class PlayerLink : public MacroFilePeer {
public:
    // Pulls one group of the library's master copy into the editor's copy.
    virtual void PullGroup(TGlobData& glob, int group, int index) = 0;
};

class HookPlayerLink : public PlayerLink {
public:
    // The notices go as `messages` carries them.
    explicit HookPlayerLink(win::Messages& messages) : messages_(messages) {}

    void PushGroup(const TGlobData& glob, int group, int index) override;
    void Notify(std::uint32_t code, std::int32_t argument) override;
    void PullGroup(TGlobData& glob, int group, int index) override;

    win::HWND playerWindow = 0;  // from "/RH"

private:
    win::Messages& messages_;
};

// The push-and-notify routines: push the group, post (6, group).
void UpCapture(const TGlobData& glob, PlayerLink& link);
void UpCaptureOn(const TGlobData& glob, PlayerLink& link);
void UpNumKeys(const TGlobData& glob, PlayerLink& link);
// Rebuilds the hot keys in use from the enabled macros, pushes group 14, posts (6, 14).
void SetHotKeys(TGlobData& glob, PlayerLink& link);
// Stores the window and flag (SecWnd/SecWndOn or CapWnd/CapWndOn), pushes group 6, posts (6, 6).
void SetSecWind(TGlobData& glob, PlayerLink& link, std::uint32_t window, bool on);
void SetCapWind(TGlobData& glob, PlayerLink& link, std::uint32_t window, bool on);

// The two hook-repair menu commands: on Yes, (7, 2) then (7, 1) (keyboard) or (7, 4) then
// (7, 3) (mouse); on any other answer nothing is posted.
void MenuKeyHooks(PlayerLink& link);
void MenuMouseHooks(PlayerLink& link);

// DisableScreenSaver is on and an enabled timed macro exists: keep the screen saver off.
bool ScreenSaverHeld(const TGlobData& glob, bool disableScreenSaver);

}  // namespace tessaro
