#include "editor/model/commands/window_forms.h"

namespace tessaro {
namespace {

// The wizard's fields hold four digits.
constexpr std::int32_t kWizardSizeLimit = 9999;
// The title that stands for the window in front.
constexpr const char* kCurrentWindowTitle = "\"CURRENT\"";

// The wizard's refusal of a field it cannot write, in the words of its page.
const char* WizardRefusal(std::int32_t kind, bool first) {
    if (kind == 2)
        return first ? "Invalid left position specified. Please correct."
                     : "Invalid top position specified. Please correct.";
    return first ? "Invalid width specified. Please correct." : "Invalid height specified. Please correct.";
}

// The title as typed and whether the current window is meant; refusals name WinTitle.
std::optional<FormError> ReadTarget(const WindowTarget& t, std::string& title) {
    title = FieldText(t.WinTitle);
    if (t.CurrentWin) return std::nullopt;
    if (title.empty()) return FormError{"No Window title specified.  Please correct", "WinTitle"};
    return CheckFreeText(title, "WinTitle");
}

}  // namespace

SizeLabels SizeLabelsOf(std::int32_t kind) {
    if (kind == 2) return {"Left", "Top", 5};
    return {"Width", "Height", 4};
}

SizeItForm SizeItDefaults() { return {1, {false, ""}, "", ""}; }

SizeItForm SizeItPreset(const TSizeRec& rec) {
    return {
        rec.Kind == 2 ? 2 : 1, {rec.CurrentWindow, rec.Title}, std::to_string(rec.X), std::to_string(rec.Y)};
}

FormResult<SizeItFields> BuildSizeIt(const SizeItForm& form) {
    const bool wizard = form.As == TextForm::Wizard;
    using R = FormResult<SizeItFields>;
    SizeItFields out;
    if (auto bad = ReadTarget(form.Target, out.WindowTitle))
        return Fail<SizeItFields>(bad->message, bad->focus);
    out.IsCurrentWindow = form.Target.CurrentWin;
    const std::string first = FieldText(form.TheWidth), second = FieldText(form.TheHeight);
    std::optional<std::int32_t> a, b;
    if (form.Kind != 1 && form.Kind != 2) return R{};
    if (wizard) {
        a = WholeInRange(first, 0, kWizardSizeLimit);
        if (!a) return Fail<SizeItFields>(WizardRefusal(form.Kind, true), "TheWidth");
        b = WholeInRange(second, 0, kWizardSizeLimit);
        if (!b) return Fail<SizeItFields>(WizardRefusal(form.Kind, false), "TheHeight");
    } else if (form.Kind == 1) {
        a = WholeInRange(first, 10, 9999);
        if (!a)
            return Fail<SizeItFields>(
                "Invalid width specified.  Width must be 10 or greater.  Please correct.", "TheWidth");
        b = WholeInRange(second, 30, 9999);
        if (!b)
            return Fail<SizeItFields>(
                "Invalid height specified.  Height must be 30 or greater.  Please correct.", "TheHeight");
    } else {
        a = WholeInRange(first, -9999, 99999);
        if (!a) return Fail<SizeItFields>("Invalid left position specified.  Please correct.", "");
        b = WholeInRange(second, -9999, 99999);
        if (!b) return Fail<SizeItFields>("Invalid top position specified.  Please correct.", "");
    }
    out.WindowCommandKind = form.Kind;
    out.FirstValue = *a;
    out.SecondValue = *b;
    TSizeRec rec{.Title = out.IsCurrentWindow ? std::string() : out.WindowTitle,
                 .Kind = form.Kind,
                 .CurrentWindow = out.IsCurrentWindow,
                 .X = *a,
                 .Y = *b};
    if (wizard && form.Kind == 2) {
        std::string text(SpecOf(TokenKind::WPos).prefix);
        AppendPadded(text, rec.X, 4);
        text += ",";
        AppendPadded(text, rec.Y, 4);
        text += rec.CurrentWindow ? kCurrentWindowTitle : rec.Title;
        return FinishText(std::move(out), cmd::WindowReposition, std::move(rec), text + ">");
    }
    return Finish(std::move(out), form.Kind == 1 ? cmd::WindowResize : cmd::WindowReposition, std::move(rec));
}

SystemCommandForm SystemCommandDefaults() { return {1, {false, ""}}; }

SystemCommandForm SystemCommandPreset(const TWindowRec& rec) {
    return {ChoiceOfKind(kSystemCommandChoices, rec.Kind) ? rec.Kind : 0, {rec.CurrentWindow, rec.Title}};
}

FormResult<SystemCommandFields> BuildSystemCommand(const SystemCommandForm& form) {
    const RadioChoice* choice = ChoiceOfKind(kSystemCommandChoices, form.Kind);
    if (!choice) return {};
    SystemCommandFields out;
    if (auto bad = ReadTarget(form.Target, out.WindowTitle))
        return Fail<SystemCommandFields>(bad->message, bad->focus);
    out.IsCurrentWindow = form.Target.CurrentWin;
    out.WindowCommandKind = form.Kind;
    TWindowRec rec{.Title = out.IsCurrentWindow ? std::string() : out.WindowTitle,
                   .Kind = form.Kind,
                   .CurrentWindow = out.IsCurrentWindow};
    return Finish(std::move(out), choice->code, std::move(rec));
}

}  // namespace tessaro
