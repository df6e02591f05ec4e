#include "player/engine/peer_handlers.h"

#include "foundation/settings.h"
#include "hook/qtmhook.h"
#include "player/engine/peer_link.h"
#include "player/engine/player_macro_file.h"
#include "player/engine/swap_table.h"

namespace tessaro {

namespace {

void Run(const std::function<void()>& step) {
    if (step) step();
}

void LoadRemapTable(PlayerPeerContext& c) {
    c.swaps.GetSwapFile();
    Run(c.steps.remapTableChanged);
}

// The loaders of the settings sections the editor announces, by code.
struct SettingsReload {
    PeerUpdateCode code;
    void (*load)();
};
constexpr SettingsReload kSettingsReloads[] = {
    {puSettingsSnipra, LoadSnipraSettings},
    {puSettingsCapture, LoadCaptureSettings},
    {puSettingsNetwork, LoadNetworkSettings},
    {puSettingsEMail, LoadEMailSettings},
    {puSettingsScheduler, LoadSchedulerSettings},
    {puSettingsMisc, LoadMiscSettings},
    {puSettingsPrintListFont, LoadPrintListFontSettings},
    {puSettingsMainWindow, LoadMainWindowSettings},
};

}  // namespace

void RefreshInstalledRemap() { QtmSwapChanged(); }

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
    d.On(puSwapKeys, [&c](std::int32_t) { LoadRemapTable(c); });

    d.On(puMacroFile, [&c](std::int32_t) {
        LoadCurrentFileSetting();
        Run(c.steps.removeTrayIcons);
        Run(c.steps.switchLockFile);
        c.macros.ReloadMacroFile();
        Run(c.setHotKeys);
        Run(c.steps.rebuildSchedules);
        LoadRemapTable(c);
        Run(c.steps.rebuildTrayIcons);
    });

    d.On(puEditorClosed, [&c](std::int32_t) { c.link.ForgetEditor(); });
    d.On(puPullGroup, [&c](std::int32_t group) { c.link.Pull(c.glob, group, 0); });
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

    for (const SettingsReload& s : kSettingsReloads) d.On(s.code, [load = s.load](std::int32_t) { load(); });

    d.On(puMacroChanged, [&c](std::int32_t n) { RefreshMacroMirrors(c, n); });

    d.On(puReloadAll, [&c](std::int32_t trayToo) {
        if (trayToo > 0) Run(c.steps.removeTrayIcons);
        c.macros.ReloadMacroFile();
        LoadRemapTable(c);
        Run(c.setHotKeys);
        Run(c.steps.rebuildSchedules);
        if (trayToo > 0) Run(c.steps.rebuildTrayIcons);
    });
}

}  // namespace tessaro
