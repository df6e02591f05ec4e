#pragma once
// Keeping the keyboard and mouse hooks last in line: a program started after the player
// would otherwise see input before the player's hooks do. With AutoHooks a change in the
// number of running programs re-installs both at once and once more a little later, when
// the new program has settled; never while a macro plays.
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

#include "player/engine/peer_handlers.h"

namespace tessaro {

class PeerLink;
struct TGlobData;

// Unhooks the keyboard hook, installs a new one and tells the library its handle; the
// same for the mouse hook.
void ReHook(TGlobData& glob, PeerLink& link, const HookCalls& hooks);

class HookUpkeep : public QObject {
public:
    static constexpr std::chrono::milliseconds kHookDelay{5000};

    // `autoHooks` is read on each refresh, so a settings reload takes effect at once.
    HookUpkeep(TGlobData& glob, PeerLink& link, const bool& autoHooks, HookCalls hooks,
               std::function<bool()> macroPlaying, std::chrono::milliseconds delay = kHookDelay);

    // After each refresh of the running-program list, with the count before it.
    void ProgramsRefreshed(int countBefore, int countNow);
    // Re-hooks unless a macro plays.
    void TestHooks();
    bool HookTimerActive() const { return hookTimer_.isActive(); }

private:
    TGlobData& glob_;
    PeerLink& link_;
    const bool& autoHooks_;
    HookCalls hooks_;
    std::function<bool()> macroPlaying_;
    QTimer hookTimer_;
};

}  // namespace tessaro
