#include "editor/model/commands/repeat_forms.h"

namespace tessaro {

RepeatLayout RepeatLayoutOf(std::int32_t kind) {
    if (kind == 1) return {"Repeat Count", true};
    if (kind == 4) return {"Counter Width", false};
    return {"", false};
}

RepeatForm RepeatDefaults() { return {1, "10", "1", "1"}; }

RepeatForm RepeatPreset(int code, const TRepeatRec& rec) {
    const RadioChoice* c = ChoiceOfCode(kRepeatChoices, code);
    return {c ? c->kind : 0, std::to_string(rec.Count), std::to_string(rec.StartAt),
            std::to_string(rec.StepBy)};
}

FormResult<RepeatFields> BuildRepeat(const RepeatForm& form) {
    const std::string count = FieldText(form.Count);
    switch (form.Kind) {
        case 1: {
            const auto n = WholeNumber(count);
            if (!n || *n < 1) return Fail<RepeatFields>("Value must be greater than zero.", "Count");
            if (*n > 9999)  // four digits in the token
                return Fail<RepeatFields>("Value must be greater than zero and less than 10000.", "Count");
            // Six characters each, a minus sign counting as one.
            const auto start = WholeInRange(FieldText(form.CStart), -99999, 999999);
            if (!start)
                return Fail<RepeatFields>("Invalid start counter specified.  Please Correct.", "CStart");
            const auto step = WholeInRange(FieldText(form.CStep), -99999, 999999);
            if (!step) return Fail<RepeatFields>("Invalid step counter specified.  Please Correct.", "CStep");
            return Finish(RepeatFields{1, *n, *start, *step}, cmd::RepeatStart,
                          TRepeatRec{.Kind = 1, .Count = *n, .StartAt = *start, .StepBy = *step});
        }
        case 4: {
            const auto width = WholeInRange(count, 1, 4);
            if (!width) return Fail<RepeatFields>("Width must be between 1 and 4.", "Count");
            return Finish(RepeatFields{4, *width, 1, 1}, cmd::RepeatCounter,
                          TRepeatRec{.Kind = 4, .Count = *width, .StartAt = 1, .StepBy = 1});
        }
        case 2:
            return Finish(RepeatFields{2, 0, 1, 1}, cmd::RepeatPromptStart,
                          TRepeatRec{.Kind = 2, .Count = 0, .StartAt = 1, .StepBy = 1});
        default:
            return Finish(RepeatFields{3, 0, 1, 1}, cmd::RepeatEnd,
                          TRepeatRec{.Kind = 3, .Count = 0, .StartAt = 1, .StepBy = 1});
    }
}

}  // namespace tessaro
