#include "player/engine/hook_upkeep.h"

#include "player/engine/peer_link.h"
#include "protocol/glob_data.h"

namespace tessaro {

void ReHook(TGlobData& glob, PeerLink& link, const HookCalls& hooks) {
    hooks.unhook(glob.KeyboardHook);
    glob.KeyboardHook = hooks.hookKeyboard();
    link.Push(glob, ggKeyHook);
    hooks.unhook(glob.MouseHook);
    glob.MouseHook = hooks.hookMouse();
    link.Push(glob, ggMouseHook);
}

HookUpkeep::HookUpkeep(TGlobData& glob, PeerLink& link, const bool& autoHooks, HookCalls hooks,
                       std::function<bool()> macroPlaying, std::chrono::milliseconds delay)
    : glob_(glob),
      link_(link),
      autoHooks_(autoHooks),
      hooks_(std::move(hooks)),
      macroPlaying_(std::move(macroPlaying)) {
    hookTimer_.setSingleShot(true);
    hookTimer_.setInterval(delay);
    connect(&hookTimer_, &QTimer::timeout, this, [this] { TestHooks(); });
}

void HookUpkeep::ProgramsRefreshed(int countBefore, int countNow) {
    if (countBefore == countNow || !autoHooks_) return;
    TestHooks();
    hookTimer_.start();
}

void HookUpkeep::TestHooks() {
    if (!macroPlaying_()) ReHook(glob_, link_, hooks_);
}

}  // namespace tessaro
