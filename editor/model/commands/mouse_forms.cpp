#include "editor/model/commands/mouse_forms.h"

namespace tessaro {

MouseLayout MouseLayoutOf(std::int32_t kind, std::int32_t moveKind) {
    if (kind == 1) return {true, false, moveKind != 4};
    if (kind == 14 || kind == 15) return {false, true, false};
    return {false, false, false};
}

MouseForm MouseDefaults() { return {}; }

MouseForm MousePreset(const TMouseRec& rec) {
    MouseForm f;
    f.Kind = ChoiceOfKind(kMouseChoices, rec.Action) ? rec.Action : 0;
    f.MoveKind = rec.MoveKind >= 1 && rec.MoveKind <= 4 ? rec.MoveKind : 0;
    f.XPos = std::to_string(rec.X);
    f.YPos = std::to_string(rec.Y);
    f.NumClicks = std::to_string(rec.WheelCount);
    return f;
}

FormResult<MouseFields> BuildMouse(const MouseForm& form) {
    const RadioChoice* choice = ChoiceOfKind(kMouseChoices, form.Kind);
    if (!choice) return {};
    MouseFields out;
    out.MouseKind = form.Kind;
    // The parser gives button and wheel lines "relative to the window"; keep them alike.
    TMouseRec rec{.X = 0, .Y = 0, .WheelCount = 0, .Action = form.Kind, .MoveKind = 2};
    if (form.Kind == 14 || form.Kind == 15) {
        const auto clicks = WholeInRange(FieldText(form.NumClicks), 1, 999);
        if (!clicks)
            return Fail<MouseFields>("Invalid number of wheel clicks specified.  Please correct.",
                                     "NumClicks");
        out.WheelClicks = rec.WheelCount = *clicks;
    } else if (form.Kind == 1) {
        if (form.MoveKind < 1 || form.MoveKind > 4) return {};
        out.MoveKind = rec.MoveKind = form.MoveKind;
        if (form.MoveKind != 4) {
            // Only a move from the last position goes backwards; five characters hold -9999.
            const std::int32_t low = form.MoveKind == 3 ? -9999 : 0;
            const auto x = WholeInRange(FieldText(form.XPos), low, 30000);
            if (!x) return Fail<MouseFields>("Invalid X Position specified.  Please correct.", "XPos");
            const auto y = WholeInRange(FieldText(form.YPos), low, 30000);
            if (!y) return Fail<MouseFields>("Invalid Y Position specified.  Please correct.", "YPos");
            out.MouseX = rec.X = *x;
            out.MouseY = rec.Y = *y;
        }
    }
    return Finish(out, choice->code, rec);
}

}  // namespace tessaro
