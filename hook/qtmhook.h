#pragma once
// The hook library's entry points (libqtmhook.so), with C linkage. The library keeps the
// master TGlobData in the shared block "QTBA1KGR", watches the user's keyboard and mouse
// and reports to the player by window messages. Nothing else of the library is visible to
// the programs that load it.
#include <cstdint>

#include "protocol/glob_data.h"

// The library is built with hidden visibility; these alone are exported.
#pragma GCC visibility push(default)
extern "C" {

// Hook handles: 0 means the hook could not be installed.
std::uint32_t QtmHookKeyboard();
std::uint32_t QtmHookMouse();
std::uint32_t QtmHookCBT();
std::uint32_t QtmHookSwap();
void QtmUnHook(std::uint32_t hook);

// Each push copies exactly its group of the program's block into the master copy. A push
// of CaptureOn that starts a capture also notes the server's time in CapStartTime: keys
// pressed before it are not recorded, however late they are read.
void QtmUpCapture(const tessaro::TGlobData* data);
void QtmUpCaptureOn(const tessaro::TGlobData* data);
void QtmUpInUse(const tessaro::TGlobData* data);
void QtmUpKeyHook(const tessaro::TGlobData* data);
void QtmUpMouseHook(const tessaro::TGlobData* data);
void QtmUpWindow(const tessaro::TGlobData* data);
void QtmUpWindow2(const tessaro::TGlobData* data);
void QtmUpItem(const tessaro::TGlobData* data, std::int32_t macro);
void QtmUpNumKeys(const tessaro::TGlobData* data);
void QtmUpProg(const tessaro::TGlobData* data);
void QtmUpProgs(const tessaro::TGlobData* data);
void QtmUpInit(const tessaro::TGlobData* data);
void QtmUpIdle(const tessaro::TGlobData* data);
void QtmUpWaits(const tessaro::TGlobData* data);
void QtmUpKeys(const tessaro::TGlobData* data);

// Fills *buffer (19,789 bytes) with the master copy; sets *buffer to null when the master
// block cannot be reached.
void QtmGetGlob(tessaro::TGlobData** buffer);

// The capture ends by a click on the player's own recording icon: the click in progress is
// not recorded, nor anything after it (the player then ends the capture itself).
void QtmDropCaptureClick();

// A window of the player (the popup chooser) takes the keyboard while the user still holds
// the hot key that opened it: the grab that key began ends now. Its auto-repeat would start
// the grab again, so the window grabs the keyboard itself right after.
void QtmEndHotKeyGrab();

// Every input event up to now is read and its reports posted (a hot key pressed in the
// instant the last one came up is reported before the player goes on).
void QtmCatchUp();

// The remap table in "QTTT1KGR" changed: applied at once while the remap hook is installed.
// False when no remap is on.
bool QtmSwapChanged();
// At the start of the one player instance: puts back the keyboard a player that died with
// the remap on left behind. True when it restored one.
bool QtmRestoreSwapLeftByCrash();

}  // extern "C"
#pragma GCC visibility pop
