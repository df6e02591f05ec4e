#pragma once
// The scheduler: the table of timed macros, the tick of MyTimer, the start-up run of
// Timer2 and the idle-time bookkeeping. It plays through the player's trigger dispatch.
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <string>

#include "player/schedule/schedule_table.h"
#include "player/schedule/schedule_tick.h"
#include "platform/screen_saver.h"

namespace tessaro {

struct TConfigRecord;
struct TGlobData;
class PeerLink;

// What the scheduler needs from the player around it.
class ScheduleHost : public ScheduleRecords {
public:
    virtual bool MacroPlaying() = 0;
    // The Caps Lock state the hook library last reported, or the one seen at start.
    virtual bool CapsLockLastKnown() = 0;
    // The window (title contained) or program (name contained) to the front.
    virtual bool ActivateWindow(const std::string& title) = 0;
    virtual bool ActivateProgram(const std::string& name) = 0;
    // Plays a sound file, until its end when `wait`; a missing or broken file plays nothing.
    virtual void PlaySound(const std::string& file, bool wait) = 0;
    // Plays the record once with the running icon: no InUse, no end-of-playback key.
    virtual void PlayTimed(int n, const TMacroRecord& rec, bool capsLockWasOn) = 0;
    // The hot-key path (a popup menu shows its chooser).
    virtual void RunHotKeyMacro(int n) = 0;
    virtual void RunByNickname(const std::string& nickname) = 0;
};

using ScreenSaverInhibitor = win::ScreenSaverInhibitor;

// The local date and time (days since 1899-12-30).
class ScheduleClock {
public:
    virtual ~ScheduleClock() = default;
    virtual double Now() = 0;
};

inline constexpr int kStartUpDelayMs = 5000;

class Scheduler : public QObject {
    Q_OBJECT
public:
    Scheduler(const TConfigRecord& config, TGlobData& glob, PeerLink& link, ScheduleHost& host,
              ScheduleClock& clock, ScreenSaverInhibitor& screenSaver);
    ~Scheduler() override;

    // Rebuilds the table (every entry counts from now) and starts or stops MyTimer.
    void CheckAndSetTime();
    // The [Scheduler] settings changed: the tick length.
    void ApplyTimerSeconds();
    // The screen saver stays off while DisableScreenSaver is set and an enabled timed
    // macro exists.
    void ApplyScreenSaverRule();
    // Starts Timer2: once, after 5 s, the "/A" macro (`startMacro`, may be empty) and the
    // start-up macros.
    void StartTimer2(const std::string& startMacro);

    // MyTimer's tick.
    void CheckOutTimerMacros();
    void DoStartUpMacros();
    // WM_USER_ACTIVE: every idle-time entry may fire again.
    void WMUserActive();

    const ScheduleTable& table() const { return table_; }
    bool timerActive() const { return myTimer_.isActive(); }
    int timerInterval() const { return myTimer_.interval(); }

private:
    void RunTimedMacro(const ScheduleEntry& entry);
    // Scope 2 and 3: their window or program to the front; false when it cannot be.
    bool BringScopeToFront(const TMacroRecord& rec);
    void PlayWave();
    int TimerSeconds() const;

    const TConfigRecord& config_;
    TGlobData& glob_;
    PeerLink& link_;
    ScheduleHost& host_;
    ScheduleClock& clock_;
    ScreenSaverInhibitor& screenSaver_;
    bool timedMacros_ = false;
    ScheduleTable table_;
    TickTime previous_;
    bool busy_ = false;
    std::string startMacro_;
    QTimer myTimer_;
    QTimer timer2_;
};

}  // namespace tessaro
