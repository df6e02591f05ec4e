#include "editor/model/commands/active_forms.h"

namespace tessaro {
namespace {

// What the player waits for a launched program's window where the text names no wait.
constexpr std::int32_t kPlayerWindowWait = 12;
// The wizard's launch-and-activate forms wait one second before launching: their "01".
constexpr std::int32_t kWizardLaunchDelay = 1;

// The wizard's launch forms of a checked record: program and title as they stand.
std::string WizardLaunchText(const TLaunchRec& rec) {
    std::string text;
    if (rec.Kind != 2) {
        text = SpecOf(rec.Kind == 3 ? TokenKind::LaunchNo : TokenKind::LaunchYes).prefix;
        AppendPadded(text, rec.Value1, 2);
        text += rec.WindowTitle;
    }
    return text + std::string(SpecOf(TokenKind::Launch).prefix) + rec.ProgramPath + ">";
}

}  // namespace

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
    // A program that names no file was accepted past the check: it opens as it was taken,
    // so that OK on it unchanged is accepted again.
    f.Bypass = ActiveLayoutOf(f.Kind).program && !ProgramExists(FieldText(rec.ProgramPath));
    return f;
}

FormResult<ActiveFields> BuildActive(const ActiveForm& form) {
    using R = FormResult<ActiveFields>;
    const std::int32_t kind = form.Kind;
    if (kind < 1 || kind > 4) return R{};
    const bool wizard = form.As == TextForm::Wizard;
    const ActiveLayout shown = ActiveLayoutOf(kind);
    ActiveFields out;
    out.ActionKind = kind;
    TLaunchRec rec;
    rec.Kind = kind;
    rec.Value2 = kPlayerWindowWait;
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
        if (!wizard && !form.Bypass && !ProgramExists(path))
            return Fail<ActiveFields>("Specified Path and Program does not exist.  Please correct.",
                                      "ProgPath");
        out.ProgramPath = path;
        rec.ProgramPath = out.ProgramPath;
        if (wizard) {
            rec.Value1 = kind == 2 ? 0 : kWizardLaunchDelay;
            out.DelaySeconds = rec.Value1;
        } else {
            out.ProgramParams = FieldText(form.Params);
            if (auto bad = CheckFreeText(out.ProgramParams, "Params"))
                return Fail<ActiveFields>(bad->message, bad->focus);
            const auto delay = WholeInRange(FieldText(form.DelaySecs), 0, 99);
            if (!delay) return Fail<ActiveFields>("Delay must be greater or equal to zero.", "DelaySecs");
            out.DelaySeconds = *delay;
            rec.Parameters = out.ProgramParams;
            rec.Value1 = *delay;
            // The run style rides on the program; activating alone has none.
            out.RunStyleIndex = form.RunStyle >= 0 && form.RunStyle <= 2 ? form.RunStyle : 0;
            rec.Value3 = out.RunStyleIndex;
        }
    }
    if (shown.maxSeconds) {
        if (!wizard) {
            const auto max = WholeInRange(FieldText(form.MaxSecs), 0, 99);
            if (!max) return Fail<ActiveFields>("Seconds must be greater or equal to zero.", "MaxSecs");
            rec.Value2 = *max;
        }
        out.MaxSeconds = rec.Value2;
    }
    const RadioChoice* choice = ChoiceOfKind(kActiveChoices, kind);
    if (wizard && shown.program) {
        std::string text = WizardLaunchText(rec);
        return FinishText(std::move(out), choice->code, std::move(rec), std::move(text));
    }
    return Finish(std::move(out), choice->code, std::move(rec));
}

}  // namespace tessaro
