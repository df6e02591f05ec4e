#pragma once
// The main window's side of abbreviations, schedules and the network timers: it owns
// them and answers what they ask of the player through the trigger dispatch.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/screen_saver.h"
#include "player/abbrev/abbreviation_trigger.h"
#include "player/schedule/network_timers.h"
#include "player/schedule/scheduler.h"
#include "player/schedule/wave_sound.h"

namespace tessaro {

class PeerLink;
class PeerUpdateDispatcher;
class PlayerNetworkLock;
class PlayerTriggers;

class PlayerAutomation : public AbbreviationHost,
                         public ForegroundInfo,
                         public ScheduleHost,
                         public ScheduleClock,
                         public NetworkUpkeep {
public:
    struct Context {
        win::Platform& platform;
        TConfigRecord& config;
        TGlobData& glob;
        PeerLink& link;
        PlayerTriggers& triggers;
        PeerUpdateDispatcher& dispatcher;
        PlayerNetworkLock& lock;
    };
    // Builds the schedule table, starts the timers and registers the peer-update handlers;
    // the "/A" macro (`startMacro`, may be empty) runs with the start-up macros.
    PlayerAutomation(Context context, const std::string& startMacro);
    ~PlayerAutomation() override;

    // WM_ABBREV_CHAR and WM_USER_ACTIVE; false for any other message.
    bool HandleMessage(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);
    Scheduler& scheduler() { return *scheduler_; }
    NetworkTimers& networkTimers() { return *networkTimers_; }

    // AbbreviationHost
    AbbrevActivity Activity() override;
    ForegroundInfo& Foreground() override { return *this; }
    void Warning(const std::string& text) override;
    bool ReadMacro(int n, TMacroRecord& rec) override;
    void MarkInUse() override;
    void LetGoOfKey(std::uint8_t vk, int capMs) override;
    void EraseOneCharacter() override;
    void Wait(int ms) override;
    void PlayTyped(int n, const TMacroRecord& rec, const AbbrevDecision& how) override;
    // ForegroundInfo
    std::string Title() override;
    std::string Program() override;
    // ScheduleHost
    bool MacroPlaying() override;
    bool CapsLockLastKnown() override;
    bool ActivateWindow(const std::string& title) override;
    bool ActivateProgram(const std::string& name) override;
    void PlaySound(const std::string& file, bool wait) override;
    void PlayTimed(int n, const TMacroRecord& rec, bool capsLockWasOn) override;
    void RunHotKeyMacro(int n) override;
    void RunByNickname(const std::string& nickname) override;
    // ScheduleClock
    double Now() override;
    // NetworkUpkeep
    void ReloadEverything() override;
    void Heartbeat() override;

private:
    Context ctx_;
    std::unique_ptr<win::ScreenSaverInhibitor> screenSaver_ = ctx_.platform.ScreenSaver("tesrun");
    win::SoundService sound_;
    WavePlayer wave_{sound_};
    std::unique_ptr<AbbreviationTrigger> abbreviations_;
    std::unique_ptr<Scheduler> scheduler_;
    std::unique_ptr<NetworkTimers> networkTimers_;
};

}  // namespace tessaro
