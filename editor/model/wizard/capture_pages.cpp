#include "editor/model/wizard/capture_pages.h"

#include <algorithm>

#include "editor/model/commands/delay_forms.h"
#include "editor/model/macro_forms/capture_setup.h"
#include "editor/model/wizard/wizard_builder.h"
#include "macro/capture_file.h"
#include "macro/nickname.h"

namespace tessaro::wizard {

void LoadCapturePages(const TConfigRecord& c, Answers& a) {
    a.Choose(c.CapKeys ? "P59Yes" : "P59No", {"P59Yes", "P59No"});
    a.Set("P59AltKey").checked = c.CapDoubleAlt;
    a.Choose(c.CapMouse ? "P60Yes" : "P60No", {"P60Yes", "P60No"});
    static constexpr std::string_view kRelative[] = {"P60Screen", "P60Window", "P60Position"};
    const int relative = c.CapRelativeToScreen >= 1 && c.CapRelativeToScreen <= 3 ? c.CapRelativeToScreen : 1;
    a.Choose(kRelative[relative - 1], {"P60Screen", "P60Window", "P60Position"});
    a.Choose(c.CapClicksOnly ? "P60CapOnly" : "P60AllMoves", {"P60CapOnly", "P60AllMoves"});
    // The settings count 1 same, 2 half, 3 twice, 4 four times.
    static constexpr std::string_view kSpeeds[] = {"P61Same", "P61Half", "P61Two", "P61Four"};
    const int speed = c.CapSpeed >= 1 && c.CapSpeed <= 4 ? c.CapSpeed : 1;
    a.Choose(c.CapTime ? kSpeeds[speed - 1] : "P61Fast",
             {"P61Fast", "P61Same", "P61Two", "P61Four", "P61Ten", "P61Half"});
}

std::vector<std::string> CaptureWindowTitles(win::Desktop& desktop) {
    std::vector<std::string> titles = CaptureWindowList(desktop);
    titles.erase(titles.begin());  // the last-active-window entry is the dialog's own
    std::sort(titles.begin(), titles.end());
    return titles;
}

int CaptureSpeedOf(const Answers& a) {
    if (a.Checked("P61Ten")) return 5;
    if (a.Checked("P61Four")) return 4;
    if (a.Checked("P61Two")) return 3;
    if (a.Checked("P61Half")) return 2;
    if (a.Checked("P61Same")) return 1;
    return 0;
}

std::string CaptureSpeedToken(int speed) {
    if (speed <= 0) return {};
    // The capture dialog's speeds stop at four times; ten times is a playback factor.
    if (speed < 5) return tessaro::CaptureSpeedToken(speed);
    return BuildSpeed(SpeedForm{3, "0.10"}).CommandText;
}

std::variant<WizardOutcome, FormError> ArmWizardCapture(const Answers& a, WizardContext& ctx) {
    const int speed = CaptureSpeedOf(a);
    CaptureChoices choices;
    choices.doKey = a.Checked("P59Yes");
    choices.doDouble = a.Checked("P59AltKey");
    choices.doMouse = a.Checked("P60Yes");
    choices.relativeTo = a.Checked("P60Screen") ? 1 : a.Checked("P60Window") ? 2 : 3;
    choices.doSize = false;
    choices.clicksOnly = a.Checked("P60CapOnly");
    choices.doTime = speed != 0;
    choices.speed = std::max(speed, 1);
    choices.global = !a.Checked("P62Specific");

    // Armed on copies first, so a refusal leaves the editor's state as it was.
    TGlobData glob = ctx.GlobData;
    TMacroRecord rec = ctx.CurrentMacro;
    const int number = glob.MacroCount + 1;  // the append makes the record this macro
    const std::string nickname = FieldText(OneLineNickname(a.Text("P10Nick")));
    // The new macro's slot holds its hot key while arming, so the capture knows its own key.
    const int code = std::max(0, a.Index("P3KeyList"));
    if (!glob.ActivationCode.Valid(number)) return FormError{kMacroFileFull, ""};
    const std::uint16_t previous = glob.ActivationCode[number];
    glob.ActivationCode[number] = static_cast<std::uint16_t>(code);
    const CaptureArming armed = ArmCapture(glob, rec, choices, number, true, nickname);
    glob.ActivationCode[number] = previous;
    if (!armed.ok) return FormError{armed.error, ""};

    const std::string fault = CreateCaptureFile(CaptureFilePath(ctx.programDir), CaptureSpeedToken(speed));
    if (!fault.empty()) return FormError{fault, ""};

    rec.Enabled = 1;
    rec.Nickname = nickname;
    rec.IconName = IconNameOf(a);
    // The recording fills the text; nothing of the macro built before may stay.
    SetMacroText(rec, "");
    rec.Abbreviation = "";
    rec.Scope = scGlobal;
    rec.ScopeText = "";
    rec.TopmostOnly = 1;
    rec.ActivationCode = static_cast<std::uint16_t>(code);
    ctx.GlobData = glob;
    ctx.CurrentMacro = rec;

    WizardOutcome out;
    out.Finished = true;
    out.StartCapture = true;
    out.CaptureSpeed = std::max(speed, 1);
    out.CaptureProgramOnly = a.Checked("P62Specific");
    out.CaptureWindowTitle = a.ChosenItem("P62ProgList");
    return out;
}

}  // namespace tessaro::wizard
