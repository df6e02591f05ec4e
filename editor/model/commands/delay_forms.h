#pragma once
// Timing dialogs: delays (TDoDelay2), the one-field delay / Alt-keypad / scheduler
// frequency dialog (TDoDelay) and the speeds (TDoSpeed). TDoDelay2 is the frame's worked
// example of a family: table, form, defaults, preset, builder.
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/commands/command_form.h"

namespace tessaro {

// ---- TDoDelay2 ----
// Kinds: 1 seconds, 2 milliseconds, 3 timed delay (the "Wait Time Delay" line).
inline constexpr std::array<RadioChoice, 3> kDelay2Choices{{
    {"TimedDel", "Timed Delay in Seconds", 3, cmd::WaitTimeDelay, TokenKind::TDelay},
    {"DelSecs", "Delay in Seconds", 1, cmd::Delay, TokenKind::Delay},
    {"DelMilli", "Delay in Milliseconds", 2, cmd::Delay, TokenKind::Msd},
}};

struct Delay2Form {
    std::int32_t Kind = 1;  // the checked radio button's kind
    std::string Seconds;
};

struct Delay2Fields {
    double DelayValue = 0;
    std::int32_t DelayKind = 0;
};

// Characters Seconds takes for a kind: 2 timed, 5 seconds, 4 milliseconds.
int Delay2MaxLength(std::int32_t kind);

Delay2Form Delay2Defaults();  // "Delay in Seconds", empty field
Delay2Form Delay2Preset(const TDelayRec& rec);
FormResult<Delay2Fields> BuildDelay2(const Delay2Form& form);

// ---- TDoDelay ----
enum class DelayPurpose : std::int32_t { Seconds = 1, AltKeypad = 3, SchedulerFrequency = 5 };

struct DelayLook {
    const char* caption;
    const char* label;
    int maxLength;
    bool secondsLabel;  // "Seconds" shown after the field
};
DelayLook DelayLookOf(DelayPurpose purpose);

struct DelayFields {
    double DelayValue = 0;
    std::int32_t TimerSeconds = 0;  // scheduler frequency: the value to store
};

// The scheduler frequency is not a command: its result has an empty CommandText and
// code 0, and the caller stores fields.TimerSeconds.
FormResult<DelayFields> BuildDelay(DelayPurpose purpose, const std::string& seconds);

// ---- TDoSpeed ----
inline constexpr std::array<RadioChoice, 3> kSpeedChoices{{
    {"KeyboardSpeed", "&Keyboard Speed", 1, cmd::KeystrokeSpeed, TokenKind::SpKey},
    {"MouseSpeed", "&Mouse Speed", 2, cmd::MouseSpeed, TokenKind::SpMse},
    {"MacroSpeed", "M&acro Speed", 3, cmd::MacroPlaybackSpeed, TokenKind::Speed},
}};

struct SpeedForm {
    std::int32_t Kind = 1;
    std::string Count;
};

struct SpeedFields {
    std::int32_t SpeedKind = 0;
    std::int32_t SpeedCount = 0;
    double SpeedFactor = 1.0;
};

const char* SpeedLabel(std::int32_t kind);  // caption of Lab1
SpeedForm SpeedDefaults();
SpeedForm SpeedPreset(const TSpeedRec& rec);
FormResult<SpeedFields> BuildSpeed(const SpeedForm& form);

}  // namespace tessaro
