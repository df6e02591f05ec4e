#include "editor/model/commands/delay_forms.h"

#include <cmath>

#include "foundation/strings.h"

namespace tessaro {
namespace {

constexpr const char* kUpTo60 = "Value must be greater than zero and no larger than 60.";

// The value as its two-decimal macro text holds it, so the record equals what the
// player and the parser read back.
double AsWritten(double value) { return std::round(value * 100.0) / 100.0; }

}  // namespace

int Delay2MaxLength(std::int32_t kind) { return kind == 3 ? 2 : kind == 1 ? 5 : 4; }

Delay2Form Delay2Defaults() { return {1, ""}; }

Delay2Form Delay2Preset(const TDelayRec& rec) {
    if (rec.Unit == 1) return {1, FormatReal(rec.Amount, 1, 2)};
    return {rec.Unit == 2 ? 2 : 3, FormatReal(rec.Amount, 1, 0)};
}

FormResult<Delay2Fields> BuildDelay2(const Delay2Form& form) {
    const std::string text = FieldText(form.Seconds);
    if (form.Kind == 3) {
        const auto v = WholeInRange(text, 1, 60);
        if (!v) return Fail<Delay2Fields>(kUpTo60, "Seconds");
        return Finish(Delay2Fields{double(*v), 3}, cmd::WaitTimeDelay, TDelayRec{3, double(*v)});
    }
    if (form.Kind == 1) {
        const auto v = RealNumber(text);
        if (!v || !(*v > 0) || *v > 60) return Fail<Delay2Fields>(kUpTo60, "Seconds");
        // Below 0.005 the written text would be a zero delay.
        if (AsWritten(*v) <= 0) return Fail<Delay2Fields>(kUpTo60, "Seconds");
        return Finish(Delay2Fields{*v, 1}, cmd::Delay, TDelayRec{1, AsWritten(*v)});
    }
    const auto v = WholeNumber(text);
    if (!v || *v < 1) return Fail<Delay2Fields>("Value must be greater than zero.", "Seconds");
    if (*v > 9999) return Fail<Delay2Fields>("Value must be less than 9999.", "Seconds");
    return Finish(Delay2Fields{double(*v), 2}, cmd::Delay, TDelayRec{2, double(*v)});
}

DelayLook DelayLookOf(DelayPurpose purpose) {
    switch (purpose) {
        case DelayPurpose::AltKeypad: return {"Alt Keypad Sequence", "Keypad Numbers", 4, false};
        case DelayPurpose::SchedulerFrequency: return {"Scheduler Frequency", "Check Every", 2, true};
        case DelayPurpose::Seconds: break;
    }
    return {"Set Delay", "Seconds To Delay", 10, false};
}

FormResult<DelayFields> BuildDelay(DelayPurpose purpose, const std::string& seconds) {
    const std::string text = FieldText(seconds);
    switch (purpose) {
        case DelayPurpose::Seconds: {
            const auto v = RealNumber(text);
            if (!v || !(*v > 0) || *v > 60 || AsWritten(*v) <= 0)
                return Fail<DelayFields>(kUpTo60, "Seconds");
            return Finish(DelayFields{*v, 0}, cmd::Delay, TDelayRec{1, AsWritten(*v)});
        }
        case DelayPurpose::AltKeypad: {
            // Only the keypad's digits make a sequence; a sign would end in a bad token.
            const bool digits = !text.empty() && text.size() <= 4 &&
                                text.find_first_not_of("0123456789") == std::string::npos;
            if (!digits) return Fail<DelayFields>("Value must be numeric.", "Seconds");
            std::string code = text.size() == 4 ? text : std::string(3 - text.size(), '0') + text;
            const std::string token = (code.size() == 4 ? "<ALT4:" : "<ALT:") + code + ">";
            return Finish(DelayFields{double(*WholeNumber(text)), 0}, cmd::Text, TTextRec{token});
        }
        case DelayPurpose::SchedulerFrequency: {
            const auto v = WholeInRange(text, 1, 60);
            if (!v) return Fail<DelayFields>("Value must be between 1 and 60.", "Seconds");
            FormResult<DelayFields> r;
            r.fields = DelayFields{double(*v), *v};
            return r;
        }
    }
    return Fail<DelayFields>("Value must be numeric.", "Seconds");
}

const char* SpeedLabel(std::int32_t kind) { return kind == 3 ? "Playback Factor" : "Delay in Milliseconds"; }

SpeedForm SpeedDefaults() { return {1, ""}; }

SpeedForm SpeedPreset(const TSpeedRec& rec) {
    if (rec.Kind == 1 || rec.Kind == 2) return {rec.Kind, FormatReal(rec.Speed, 1, 0)};
    return {3, FormatReal(rec.PlaybackSpeed, 1, 2)};
}

FormResult<SpeedFields> BuildSpeed(const SpeedForm& form) {
    const std::string text = FieldText(form.Count);
    if (form.Kind == 3) {
        const auto v = RealNumber(text);
        if (!v || *v < 0) return Fail<SpeedFields>("Value must be zero or greater.", "Count");
        // The token holds five characters: 99.99 is the largest factor it can carry.
        if (AsWritten(*v) >= 100)
            return Fail<SpeedFields>("Value must be zero or greater and less than 100.", "Count");
        return Finish(SpeedFields{3, 0, *v}, cmd::MacroPlaybackSpeed,
                      TSpeedRec{.Kind = 3, .Speed = 0, .PlaybackSpeed = AsWritten(*v)});
    }
    const std::int32_t kind = form.Kind == 2 ? 2 : 1;
    const auto v = WholeNumber(text);
    if (!v || *v < 0) return Fail<SpeedFields>("Value must be zero or greater.", "Count");
    if (*v > 9999) return Fail<SpeedFields>("Value must be zero or greater and less than 10000.", "Count");
    return Finish(SpeedFields{kind, *v, 1.0}, kind == 1 ? cmd::KeystrokeSpeed : cmd::MouseSpeed,
                  TSpeedRec{.Kind = kind, .Speed = *v, .PlaybackSpeed = 1.0});
}

}  // namespace tessaro
