#include "editor/model/commands/media_forms.h"

#include "editor/model/commands/file_forms.h"
#include "editor/model/commands/refusal.h"

namespace tessaro {

AviForm AviDefaults() { return {1, ""}; }

AviForm AviPreset(const TVideoRec& rec) { return {rec.Kind, rec.FileName}; }

FormResult<AviFields> BuildAvi(const AviForm& form) {
    const std::string path = FieldText(form.ProgPath);
    if (!FileExistsAt(path))
        return Fail<AviFields>("Specified AVI File does not exist.  Please correct.", "ProgPath");
    if (auto bad = CheckFreeText(path, "ProgPath")) return Refused<AviFields>(*bad);
    const std::int32_t kind = form.Kind == 1 || form.Kind == 2 ? form.Kind : 3;
    return Finish(AviFields{path, kind}, cmd::VideoClipPlay, TVideoRec{path, kind});
}

const char* CDNumberLabel(std::int32_t kind) {
    if (kind == 6) return "Track Number";
    if (kind == 7 || kind == 8) return "Seconds";
    return nullptr;
}

CDForm CDDefaults() { return {1, "1"}; }

CDForm CDPreset(const TCDRec& rec) { return {rec.Kind, std::to_string(rec.Track)}; }

FormResult<CDFields> BuildCD(const CDForm& form) {
    CDFields out;
    if (CDNumberLabel(form.Kind)) {
        const auto n = WholeNumber(FieldText(form.Track));
        if (!n || *n < 1)
            return Fail<CDFields>(form.Kind == 6 ? "Invalid track number specified.  Please correct."
                                                 : "Invalid seconds specified.  Please correct.",
                                  "Track");
        out.CDNumber = *n;
    }
    const RadioChoice* choice = ChoiceOfKind(kCDChoices, form.Kind);
    if (!choice) return {};
    out.CDKind = form.Kind;
    TCDRec rec{form.Kind, out.CDNumber};
    return Finish(std::move(out), choice->code, rec);
}

FormResult<VolumeFields> BuildVolume(std::int32_t kind) {
    const RadioChoice* choice = ChoiceOfKind(kVolumeChoices, kind);
    if (!choice) return {};
    return Finish(VolumeFields{kind}, choice->code, TVolumeRec{kind});
}

std::string MixerCapabilitiesText(MixerControls& mixer) {
    struct Line {
        int index;
        const char* what;
    };
    static constexpr Line kLines[] = {
        {1, "Audio Volume and Balance Control"}, {3, "Audio Mute"}, {4, "Audio Treble"}, {5, "Audio Bass"},
        {0, "MIDI Volume and Balance Control"},  {2, "MIDI Mute"},
    };
    std::string text;
    for (const Line& l : kLines)
        text += std::string(l.what) + (mixer.Available(l.index) ? " Supported.\n\r" : " NOT Supported.\n\r");
    return text;
}

}  // namespace tessaro
