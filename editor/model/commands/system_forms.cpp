#include "editor/model/commands/system_forms.h"

#include "editor/model/commands/file_forms.h"
#include "editor/model/commands/refusal.h"

namespace tessaro {
namespace {

struct NumberRule {
    std::int32_t kind, low, high;
    const char* message;
};

constexpr NumberRule kNumberRules[] = {
    {3, 1, 60, "Invalid minutes specified.  Valid values or 1 to 60.  Please correct."},
    {4, 0, 3, "Invalid factor specified.  Valid values or 0 to 3.  0 = shortest delay.  Please correct."},
    {5, 0, 31, "Invalid factor specified.  Valid values or 0 to 31.  0 = slowest speed.  Please correct."},
    {7, 1, 10, "Invalid value specified.  Valid values or 1 to 10.  Please correct."},
};

}  // namespace

const char* SysNumberLabel(std::int32_t kind) {
    if (kind == 3) return "Minutes";
    if (kind == 4 || kind == 5 || kind == 7) return "Factor";
    return nullptr;
}

WallEnables CheckWallStuff(const SysForm& form) {
    if (form.Tile) return {false, false};
    return {true, form.Placement == 3};
}

SysForm SysDefaults() { return SysForm{1, "1", "", true, 1, "", ""}; }

SysForm SysPreset(const TSysRec& rec) {
    SysForm f;
    f.Kind = rec.Kind;
    f.Track = rec.FileName;
    f.Number = std::to_string(rec.Value);
    f.XPos = std::to_string(rec.X);
    f.YPos = std::to_string(rec.Y);
    f.Tile = rec.Style == 0;
    f.Placement = rec.Style == 0 ? 1 : rec.Style;
    return f;
}

FormResult<SysFields> BuildSys(const SysForm& form) {
    SysFields out;
    TSysRec rec;
    for (const NumberRule& rule : kNumberRules) {
        if (rule.kind != form.Kind) continue;
        const auto v = WholeInRange(FieldText(form.Number), rule.low, rule.high);
        if (!v) return Fail<SysFields>(rule.message, "Number");
        out.SysValue = *v;
    }
    if (form.Kind == 6) {
        out.SysWallStyle = form.Tile ? 0 : form.Placement;
        if (out.SysWallStyle == 3) {
            const auto x = WholeNumber(FieldText(form.XPos));
            if (!x) return Fail<SysFields>("Invalid X Coordinate specified. Please correct.", "XPos");
            const auto y = WholeNumber(FieldText(form.YPos));
            if (!y) return Fail<SysFields>("Invalid Y Coordinate specified. Please correct.", "YPos");
            out.SysWallX = *x;
            out.SysWallY = *y;
        }
        out.SysBitmapPath = FieldText(form.Track);
        if (!FileExistsAt(out.SysBitmapPath))
            return Fail<SysFields>("Specified bitmap file does not exist.  Please correct.", "Track");
        if (auto bad = CheckFreeText(out.SysBitmapPath, "Track")) return Refused<SysFields>(*bad);
    }
    const RadioChoice* choice = ChoiceOfKind(kSysChoices, form.Kind);
    if (!choice) return {};
    out.SysKind = form.Kind;
    rec = TSysRec{form.Kind, out.SysBitmapPath, out.SysValue, out.SysWallX, out.SysWallY, out.SysWallStyle};
    return Finish(std::move(out), choice->code, std::move(rec));
}

}  // namespace tessaro
