#include "player/engine/peer_handlers.h"

#include "foundation/settings.h"
#include "hook/qtmhook.h"
#include "platform/window_control.h"
#include "player/engine/macro_control.h"
#include "player/engine/peer_link.h"
#include "player/engine/player_macro_file.h"

namespace tessaro {

namespace {

// The loaders of the settings sections the editor announces, by code.
struct SettingsReload {
    PeerUpdateCode code;
    void (*load)(TConfigRecord&);
};
constexpr SettingsReload kSettingsReloads[] = {
    {puSettingsSnipra, LoadSnipraSettings},
    {puSettingsCapture, LoadCaptureSettings},
    {puSettingsNetwork, LoadNetworkSettings},
    {puSettingsEMail, LoadEMailSettings},
    {puSettingsScheduler, LoadSchedulerSettings},
    {puSettingsMisc, LoadMiscSettings},
    {puSettingsPrintListFont, LoadPrintListFontSettings},
};

}  // namespace

HookCalls LibraryHookCalls() { return {QtmHookKeyboard, QtmHookMouse, QtmUnHook}; }

bool RefreshMacroMirrors(PlayerPeerContext& c, int n) {
    if (n < 1 || n > kMaxMacros) return false;
    TMacroRecord rec;
    if (!c.macros.ReadMacroRecord(n, rec)) return false;
    const TMacroIcon icon = FixUpMacroIcon(rec, c.macros.programDirectory());
    c.macros.StoreMirrors(n, rec, icon, PlayerMacroFile::MirrorMode::Save);
    return true;
}

void RegisterPlayerPeerHandlers(PeerUpdateDispatcher& d, PlayerPeerContext& c) {
    d.On(puSwapKeys, [&c](std::int32_t) { c.upkeep.GetSwapFile(); });

    d.On(puMacroFile, [&c](std::int32_t) {
        LoadCurrentFileSetting(c.config);
        c.upkeep.ClearMenuTaskIcon();
        c.upkeep.UseLockFileOf(c.config.RecentFiles[0].str());
        c.macros.ReloadMacroFile(false);
        c.upkeep.SetHotKeys();
        c.upkeep.CheckAndSetTime();
        c.upkeep.GetSwapFile();
        c.upkeep.DoMenuTaskIcon();
    });

    d.On(puEditorClosed, [&c](std::int32_t) { c.link.ForgetEditor(); });
    d.On(puPullGroup, [&c](std::int32_t group) {
        c.link.Pull(c.glob, group, 0);
        // The hook library in this process grabs the keys in use only when they are pushed
        // here: push them back at once, so a key the editor enabled is grabbed before its
        // first press instead of after it.
        if (group == ggKeys) c.link.Push(c.glob, ggKeys);
    });
    d.On(puPullMacro, [&c](std::int32_t n) { c.link.Pull(c.glob, ggItem, n); });

    d.On(puHooks, [&c](std::int32_t what) {
        switch (what) {
            case 1:
                c.glob.KeyboardHook = c.hooks.hookKeyboard();
                c.link.Push(c.glob, ggKeyHook);
                break;
            case 2: c.hooks.unhook(c.glob.KeyboardHook); break;
            case 3:
                c.glob.MouseHook = c.hooks.hookMouse();
                c.link.Push(c.glob, ggMouseHook);
                break;
            case 4: c.hooks.unhook(c.glob.MouseHook); break;
            default: break;
        }
    });

    for (const SettingsReload& s : kSettingsReloads)
        d.On(s.code, [&c, load = s.load](std::int32_t) { load(c.config); });
    d.On(puSettingsMainWindow,
         [&c](std::int32_t) { LoadMainWindowSettings(c.config, c.windowControl.Screen()); });

    d.On(puMacroChanged, [&c](std::int32_t n) { RefreshMacroMirrors(c, n); });

    d.On(puReloadAll, [&c](std::int32_t trayToo) {
        if (trayToo > 0) c.upkeep.ClearMenuTaskIcon();
        c.macros.ReloadMacroFile(false);
        c.upkeep.GetSwapFile();
        c.upkeep.SetHotKeys();
        c.upkeep.CheckAndSetTime();
        if (trayToo > 0) c.upkeep.DoMenuTaskIcon();
    });
}

}  // namespace tessaro
