// The exported entry points: thin wrappers over the master block and the hook set.
#include "hook/qtmhook.h"

#include "hook/hooks.h"
#include "hook/key_remap.h"
#include "hook/master_block.h"
#include "hook/x11/server_time.h"

using tessaro::TGlobData;
using namespace tessaro::hook;

namespace {

void Push(const TGlobData* data, int group, int index = 0) {
    MasterBlock* master = Master();
    if (!data || !master) return;
    master->Push(*data, group, index);
    HookSet().GroupPushed(group);
}

// A capture begins: the keys the server stamps from now on are recorded, none before
// (the hook may read the key that started it only after the start).
void NoteCaptureStart(const TGlobData* data) {
    MasterBlock* master = Master();
    if (!data || !data->CaptureOn || !master || master->Snapshot().CaptureOn) return;
    const std::uint32_t now = ServerTimeNow();
    master->Update([now](TGlobData& m) { m.CapStartTime = now; });
}

}  // namespace

extern "C" {

std::uint32_t QtmHookKeyboard() { return HookSet().Install(HookKind::Keyboard); }
std::uint32_t QtmHookMouse() { return HookSet().Install(HookKind::Mouse); }
std::uint32_t QtmHookCBT() { return HookSet().Install(HookKind::Activation); }
std::uint32_t QtmHookSwap() {
    const std::uint32_t hook = HookSet().Install(HookKind::Remap);
    if (hook && !StartRemapFromSwapBlock()) {
        HookSet().Remove(hook);
        return 0;
    }
    return hook;
}
void QtmUnHook(std::uint32_t hook) {
    const bool remap = HookSet().KindOf(hook) == HookKind::Remap;
    HookSet().Remove(hook);
    if (remap && !HookSet().Installed(HookKind::Remap)) StopRemap();
}

void QtmUpCapture(const TGlobData* data) { Push(data, tessaro::ggCapture); }
void QtmUpCaptureOn(const TGlobData* data) {
    NoteCaptureStart(data);
    Push(data, tessaro::ggCaptureOn);
}
void QtmUpInUse(const TGlobData* data) { Push(data, tessaro::ggInUse); }
void QtmUpKeyHook(const TGlobData* data) { Push(data, tessaro::ggKeyHook); }
void QtmUpMouseHook(const TGlobData* data) { Push(data, tessaro::ggMouseHook); }
void QtmUpWindow(const TGlobData* data) { Push(data, tessaro::ggWindow); }
void QtmUpWindow2(const TGlobData* data) { Push(data, tessaro::ggWindow2); }
void QtmUpItem(const TGlobData* data, std::int32_t macro) { Push(data, tessaro::ggItem, macro); }
void QtmUpNumKeys(const TGlobData* data) { Push(data, tessaro::ggNumKeys); }
void QtmUpProg(const TGlobData* data) { Push(data, tessaro::ggProg); }
void QtmUpProgs(const TGlobData* data) { Push(data, tessaro::ggProgs); }
void QtmUpInit(const TGlobData* data) { Push(data, tessaro::ggInit); }
void QtmUpIdle(const TGlobData* data) { Push(data, tessaro::ggIdle); }
void QtmUpWaits(const TGlobData* data) { Push(data, tessaro::ggWaits); }
void QtmUpKeys(const TGlobData* data) { Push(data, tessaro::ggKeys); }

void QtmGetGlob(TGlobData** buffer) {
    if (!buffer || !*buffer) return;
    MasterBlock* master = Master();
    // Without the block there is nothing to copy: say so rather than hand back the
    // buffer's old contents as if they were the master.
    if (!master) {
        *buffer = nullptr;
        return;
    }
    master->Pull(**buffer);
}

void QtmDropCaptureClick() { HookSet().DropCaptureClick(); }
void QtmEndHotKeyGrab() { HookSet().EndHotKeyGrab(); }
void QtmCatchUp() { HookSet().CatchUp(); }

bool QtmSwapChanged() { return tessaro::hook::RefreshRemapFromSwapBlock(); }
bool QtmRestoreSwapLeftByCrash() { return tessaro::hook::RestoreRemapLeftByCrash(); }

}  // extern "C"
