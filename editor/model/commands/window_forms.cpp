#include "editor/model/commands/window_forms.h"

namespace tessaro {
namespace {

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
    using R = FormResult<SizeItFields>;
    SizeItFields out;
    if (auto bad = ReadTarget(form.Target, out.WindowTitle))
        return Fail<SizeItFields>(bad->message, bad->focus);
    out.IsCurrentWindow = form.Target.CurrentWin;
    const std::string first = FieldText(form.TheWidth), second = FieldText(form.TheHeight);
    std::optional<std::int32_t> a, b;
    if (form.Kind == 1) {
        a = WholeInRange(first, 10, 9999);
        if (!a)
            return Fail<SizeItFields>(
                "Invalid width specified.  Width must be 10 or greater.  Please correct.", "TheWidth");
        b = WholeInRange(second, 30, 9999);
        if (!b)
            return Fail<SizeItFields>(
                "Invalid height specified.  Height must be 30 or greater.  Please correct.", "TheHeight");
    } else if (form.Kind == 2) {
        a = WholeInRange(first, -9999, 99999);
        if (!a) return Fail<SizeItFields>("Invalid left position specified.  Please correct.", "");
        b = WholeInRange(second, -9999, 99999);
        if (!b) return Fail<SizeItFields>("Invalid top position specified.  Please correct.", "");
    } else {
        return R{};
    }
    out.WindowCommandKind = form.Kind;
    out.FirstValue = *a;
    out.SecondValue = *b;
    TSizeRec rec{.Title = out.IsCurrentWindow ? std::string() : out.WindowTitle,
                 .Kind = form.Kind,
                 .CurrentWindow = out.IsCurrentWindow,
                 .X = *a,
                 .Y = *b};
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
