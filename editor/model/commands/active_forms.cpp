#include "editor/model/commands/active_forms.h"

namespace tessaro {

ActiveLayout ActiveLayoutOf(std::int32_t kind) {
    if (kind == 1) return {true, false, false};
    if (kind == 2) return {false, true, false};
    return {true, true, true};
}

ActiveForm ActiveDefaults() { return {}; }

ActiveForm ActivePreset(const TLaunchRec& rec) {
    ActiveForm f;
    f.Kind = rec.Kind >= 1 && rec.Kind <= 4 ? rec.Kind : 0;
    f.WinTitle = rec.WindowTitle;
    f.ProgPath = rec.ProgramPath;
    f.Params = rec.Parameters;
    f.DelaySecs = std::to_string(rec.Value1);
    f.MaxSecs = std::to_string(rec.Value2);
    f.RunStyle = rec.Value3 >= 0 && rec.Value3 <= 2 ? rec.Value3 : 0;
    return f;
}

FormResult<ActiveFields> BuildActive(const ActiveForm& form) {
    using R = FormResult<ActiveFields>;
    const std::int32_t kind = form.Kind;
    if (kind < 1 || kind > 4) return R{};
    const ActiveLayout shown = ActiveLayoutOf(kind);
    ActiveFields out;
    out.ActionKind = kind;
    TLaunchRec rec;
    rec.Kind = kind;
    rec.Value2 = 12;  // what the player assumes where the text carries no wait
    if (shown.title) {
        out.WindowTitle = FieldText(form.WinTitle);
        if (out.WindowTitle.empty())
            return Fail<ActiveFields>("No entry made for Window Title.  Please correct.", "WinTitle");
        // Before "<LAUNCH:" the title ends at "<"; alone it ends at ">".
        if (auto bad = CheckFreeText(out.WindowTitle, "WinTitle", shown.program ? "<>" : ">"))
            return Fail<ActiveFields>(bad->message, bad->focus);
        rec.WindowTitle = out.WindowTitle;
    }
    if (shown.program) {
        const std::string path = FieldText(form.ProgPath);
        if (auto bad = CheckFreeText(path, "ProgPath")) return Fail<ActiveFields>(bad->message, bad->focus);
        if (!form.Bypass && !ProgramExists(path))
            return Fail<ActiveFields>("Specified Path and Program does not exist.  Please correct.",
                                      "ProgPath");
        out.ProgramPath = path;
        out.ProgramParams = FieldText(form.Params);
        if (auto bad = CheckFreeText(out.ProgramParams, "Params"))
            return Fail<ActiveFields>(bad->message, bad->focus);
        const auto delay = WholeInRange(FieldText(form.DelaySecs), 0, 99);
        if (!delay) return Fail<ActiveFields>("Delay must be greater or equal to zero.", "DelaySecs");
        out.DelaySeconds = *delay;
        rec.ProgramPath = out.ProgramPath;
        rec.Parameters = out.ProgramParams;
        rec.Value1 = *delay;
        // The run style rides on the program; activating alone has none.
        out.RunStyleIndex = form.RunStyle >= 0 && form.RunStyle <= 2 ? form.RunStyle : 0;
        rec.Value3 = out.RunStyleIndex;
    }
    if (shown.maxSeconds) {
        const auto max = WholeInRange(FieldText(form.MaxSecs), 0, 99);
        if (!max) return Fail<ActiveFields>("Seconds must be greater or equal to zero.", "MaxSecs");
        out.MaxSeconds = *max;
        rec.Value2 = *max;
    }
    const RadioChoice* choice = ChoiceOfKind(kActiveChoices, kind);
    return Finish(std::move(out), choice->code, std::move(rec));
}

}  // namespace tessaro
