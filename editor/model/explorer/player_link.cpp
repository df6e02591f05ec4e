#include "editor/model/explorer/player_link.h"

#include <algorithm>

#include "hook/client/glob_data_sync.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

constexpr const char* kKeyHooksText =
    "It is possible for other programs which are run after Tessaro 99 to improperly install themselves into "
    "the "
    "system wide Windows keyboard hooks.  This causes Tessaro 99 to no longer be able to monitor keystrokes. "
    " This "
    "option will reinstall the Windows keyboard hooks used by Tessaro 99 so that Tessaro 99 will have the "
    "first "
    "look at the keystrokes and will be able to monitor the keystrokes again.  Continue?";
constexpr const char* kMouseHooksText =
    "It is possible for other programs which are run after Tessaro 99 to improperly install themselves into "
    "the "
    "system wide Windows mouse hooks.  This causes Tessaro 99 to no longer be able to monitor mouse "
    "movements and "
    "clicks.  This option will reinstall the Windows mouse hooks used by Tessaro 99 so that Tessaro 99 will "
    "have "
    "the first look at the mouse movements and will be able to monitor the mouse again.  Continue?";

void PushAndTell(const TGlobData& glob, PlayerLink& link, int group) {
    link.PushGroup(glob, group, 0);
    link.Notify(puPullGroup, group);
}

void RepairHooks(PlayerLink& link, const char* caption, const char* text, std::int32_t off, std::int32_t on) {
    if (win::MessageBox(text, caption, win::MbButtons::YesNo, win::MbIcon::Question) != win::MbResult::Yes)
        return;
    link.Notify(puHooks, off);
    link.Notify(puHooks, on);
}

}  // namespace

void HookPlayerLink::PushGroup(const TGlobData& glob, int group, int index) {
    PushGlobDataItem(glob, group, index);
}

void HookPlayerLink::Notify(std::uint32_t code, std::int32_t argument) {
    if (playerWindow != 0) messages_.PostMessage(playerWindow, WM_PEER_UPDATE, code, argument);
}

void HookPlayerLink::PullGroup(TGlobData& glob, int group, int index) { GetGlobDataItem(glob, group, index); }

void UpCapture(const TGlobData& glob, PlayerLink& link) { PushAndTell(glob, link, ggCapture); }
void UpCaptureOn(const TGlobData& glob, PlayerLink& link) { PushAndTell(glob, link, ggCaptureOn); }
void UpNumKeys(const TGlobData& glob, PlayerLink& link) { PushAndTell(glob, link, ggNumKeys); }

void SetHotKeys(TGlobData& glob, PlayerLink& link) {
    RebuildHotKeys(glob);
    PushAndTell(glob, link, ggKeys);
}

void SetSecWind(TGlobData& glob, PlayerLink& link, std::uint32_t window, bool on) {
    glob.SecWnd = window;
    glob.SecWndOn = on ? 1 : 0;
    PushAndTell(glob, link, ggWindow2);
}

void SetCapWind(TGlobData& glob, PlayerLink& link, std::uint32_t window, bool on) {
    glob.CapWnd = window;
    glob.CapWndOn = on ? 1 : 0;
    PushAndTell(glob, link, ggWindow2);
}

void MenuKeyHooks(PlayerLink& link) { RepairHooks(link, "Keyboard Hooks", kKeyHooksText, 2, 1); }
void MenuMouseHooks(PlayerLink& link) { RepairHooks(link, "Mouse Hooks", kMouseHooksText, 4, 3); }

bool ScreenSaverHeld(const TGlobData& glob, bool disableScreenSaver) {
    if (!disableScreenSaver) return false;
    const int count = std::clamp<int>(glob.MacroCount, 0, kMaxMacros);
    for (int n = 1; n <= count; ++n)
        if (glob.Enabled[n] && glob.ActivationCode[n] == acScheduled) return true;
    return false;
}

}  // namespace tessaro
