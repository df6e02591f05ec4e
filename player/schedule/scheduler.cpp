#include "player/schedule/scheduler.h"

#include <algorithm>

#include "foundation/config_record.h"
#include "macro/macro_record.h"
#include "player/engine/peer_link.h"
#include "protocol/glob_data.h"

namespace tessaro {

namespace {

constexpr int kDefaultTimerSeconds = 10;

bool AnyTimedMacro(const TGlobData& glob) {
    const int count = std::min<int>(glob.MacroCount, kMaxMacros);
    for (int n = 1; n <= count; ++n)
        if (glob.Enabled[n] && glob.ActivationCode[n] == acScheduled) return true;
    return false;
}

}  // namespace

Scheduler::Scheduler(const TConfigRecord& config, TGlobData& glob, PeerLink& link, ScheduleHost& host,
                     ScheduleClock& clock, ScreenSaverInhibitor& screenSaver)
    : config_(config), glob_(glob), link_(link), host_(host), clock_(clock), screenSaver_(screenSaver) {
    previous_ = MakeTickTime(clock_.Now());
    connect(&myTimer_, &QTimer::timeout, this, [this] { CheckOutTimerMacros(); });
    timer2_.setSingleShot(true);
    timer2_.setInterval(kStartUpDelayMs);
    connect(&timer2_, &QTimer::timeout, this, [this] { DoStartUpMacros(); });
}

Scheduler::~Scheduler() { screenSaver_.SetInhibited(false); }

int Scheduler::TimerSeconds() const {
    const int seconds = config_.TimerSeconds;
    return seconds >= 1 && seconds <= 60 ? seconds : kDefaultTimerSeconds;
}

void Scheduler::CheckAndSetTime() {
    table_ = BuildScheduleTable(glob_, host_, MakeTickTime(clock_.Now()).ms);
    if (table_.entries.empty())
        myTimer_.stop();
    else if (!myTimer_.isActive())
        myTimer_.start(TimerSeconds() * 1000);
    glob_.IdleSeconds = 0;
    if (bool(glob_.IdleSchedules) != table_.hasIdle) {
        glob_.IdleSchedules = table_.hasIdle;
        link_.Push(glob_, ggIdle);
    }
    timedMacros_ = AnyTimedMacro(glob_);
    ApplyScreenSaverRule();
}

void Scheduler::ApplyTimerSeconds() { myTimer_.setInterval(TimerSeconds() * 1000); }

void Scheduler::ApplyScreenSaverRule() {
    screenSaver_.SetInhibited(config_.DisableScreenSaver && timedMacros_);
}

void Scheduler::StartTimer2(const std::string& startMacro) {
    startMacro_ = startMacro;
    timer2_.start();
}

void Scheduler::CheckOutTimerMacros() {
    if (glob_.IdleSchedules) {
        // The library resets the counter on user activity; its push keeps that reset when
        // it came between this pull and the push.
        link_.Pull(glob_, ggIdle);
        glob_.IdleSeconds += static_cast<std::uint32_t>(TimerSeconds());
        link_.Push(glob_, ggIdle);
    }
    if (busy_) return;
    busy_ = true;
    const TickTime now = MakeTickTime(clock_.Now());
    const TickOutcome outcome = tessaro::CheckOutTimerMacros(table_, previous_, now, glob_.IdleSeconds);
    previous_ = now;
    if (outcome.idleFired) {
        glob_.IdleFired = 1;
        link_.Push(glob_, ggIdle);
    }
    for (const ScheduleEntry& entry : outcome.due) RunTimedMacro(entry);
    busy_ = false;
}

void Scheduler::WMUserActive() {
    glob_.IdleFired = 0;
    for (ScheduleEntry& e : table_.entries) e.idleFired = false;
}

bool Scheduler::BringScopeToFront(const TMacroRecord& rec) {
    if (rec.Scope == scWindow) return host_.ActivateWindow(rec.ScopeText.str());
    if (rec.Scope == scProgram) return host_.ActivateProgram(rec.ScopeText.str());
    return true;
}

void Scheduler::PlayWave() {
    if (config_.UseWaveFile) host_.PlaySound(config_.WaveFile.str(), config_.WaveFileWait);
}

void Scheduler::RunTimedMacro(const ScheduleEntry& entry) {
    if (host_.MacroPlaying()) return;  // this occurrence is lost
    TMacroRecord rec{};
    if (!host_.ReadMacro(entry.macro, rec)) return;
    if (!BringScopeToFront(rec)) return;
    PlayWave();
    // A popup menu's text is its item list: it shows its chooser instead.
    if (rec.Scope == scPopupMenu)
        host_.RunHotKeyMacro(entry.macro);
    else
        host_.PlayTimed(entry.macro, rec, host_.CapsLockLastKnown());
}

void Scheduler::DoStartUpMacros() {
    if (!startMacro_.empty() && !host_.MacroPlaying()) host_.RunByNickname(startMacro_);
    const int count = std::min<int>(glob_.MacroCount, kMaxMacros);
    for (int n = 1; n <= count && !host_.MacroPlaying(); ++n) {
        if (!glob_.Enabled[n] || glob_.ActivationCode[n] != acScheduled) continue;
        TMacroRecord rec{};
        if (!host_.ReadMacro(n, rec) || rec.ScheduleType != stStartUp) continue;
        // A start-up macro whose window or program is missing ends the start-up run.
        if (!BringScopeToFront(rec)) return;
        PlayWave();
        if (rec.Scope == scPopupMenu)
            host_.RunHotKeyMacro(n);
        else
            host_.PlayTimed(n, rec, false);
    }
}

}  // namespace tessaro
