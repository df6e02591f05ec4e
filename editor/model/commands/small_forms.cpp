#include "editor/model/commands/small_forms.h"

#include <cctype>

namespace tessaro {

// ---- TDoSound ----

SoundForm SoundDefaults() { return {}; }

SoundForm SoundPreset(const TSoundRec& rec) {
    return {rec.Kind == 2 ? 2 : 1, rec.FileName, rec.Kind == 2 && rec.WaitFlag};
}

FormResult<SoundFields> BuildSound(const SoundForm& form) {
    if (form.Kind != 2)
        return Finish(SoundFields{1, "", false}, cmd::SoundBeep,
                      TSoundRec{.Kind = 1, .FileName = {}, .WaitFlag = true});
    const std::string path = FieldText(form.ProgPath);
    if (auto bad = CheckFreeText(path, "ProgPath")) return Fail<SoundFields>(bad->message, bad->focus);
    if (!RegularFileExists(path)) return Fail<SoundFields>(kNoWaveFile, "ProgPath");
    return Finish(SoundFields{2, path, form.WaitFor}, cmd::SoundWaveFile,
                  TSoundRec{.Kind = 2, .FileName = path, .WaitFlag = form.WaitFor});
}

SoundForm AlarmPreset(const TConfigRecord& s) {
    return {s.UseWaveFile ? 2 : 1, s.WaveFile.str(), s.WaveFileWait};
}

std::optional<FormError> StoreAlarm(const SoundForm& form, TConfigRecord& s) {
    if (form.Kind != 2) {
        s.UseWaveFile = false;
        return std::nullopt;
    }
    const std::string path = FieldText(form.ProgPath);
    if (!RegularFileExists(path)) return FormError{kNoWaveFile, "ProgPath"};
    s.UseWaveFile = true;
    s.WaveFile = path;
    s.WaveFileWait = form.WaitFor;
    return std::nullopt;
}

// ---- TDoPausePos ----

PauseForm PauseDefaults() { return {}; }

PauseForm PausePreset(const TPauseRec& rec) {
    return {rec.Kind == 1 ? 1 : 2, std::to_string(rec.X), std::to_string(rec.Y), rec.Message};
}

FormResult<PauseFields> BuildPause(const PauseForm& form) {
    if (form.Kind == 1)
        return Finish(PauseFields{1, 0, 0, ""}, cmd::Pause,
                      TPauseRec{.Kind = 1, .X = 0, .Y = 0, .Message = {}});
    const auto top = WholeInRange(FieldText(form.TopCoord), 0, 999);
    if (!top) return Fail<PauseFields>("Invalid Top Window Coordinate entered.  Please correct.", "TopCoord");
    const auto left = WholeInRange(FieldText(form.LeftCoord), 0, 999);
    if (!left)
        return Fail<PauseFields>("Invalid Left Window Coordinate entered.  Please correct.", "LeftCoord");
    const std::string message = FieldText(form.PauseMessage);
    if (auto bad = CheckFreeText(message, "PauseMessage")) return Fail<PauseFields>(bad->message, bad->focus);
    return Finish(PauseFields{2, *left, *top, message}, cmd::Pause,
                  TPauseRec{.Kind = 2, .X = *top, .Y = *left, .Message = message});
}

// ---- TDoSwap, TDoRemark, TDoKeyUpDown ----

FormResult<SwapFields> BuildSwap(const std::string& progPath) {
    const std::string path = FieldText(progPath);
    if (auto bad = CheckFreeText(path, "ProgPath")) return Fail<SwapFields>(bad->message, bad->focus);
    if (!RegularFileExists(path))
        return Fail<SwapFields>("Specified Macro File does not exist.  Please correct.", "ProgPath");
    return Finish(SwapFields{path}, cmd::LoadNewMacroFile, TNameRec{path});
}

FormResult<RemarkFields> BuildRemark(const std::string& comments) {
    const std::string text = FieldText(comments);
    if (auto bad = CheckFreeText(text, "Comments")) return Fail<RemarkFields>(bad->message, bad->focus);
    return Finish(RemarkFields{}, cmd::Remark, TNameRec{text});
}

FormResult<KeyUpDownFields> BuildKeyUpDown(std::int32_t kind) {
    const RadioChoice* choice = ChoiceOfKind(kKeyUpDownChoices, kind);
    if (!choice) return {};
    return Finish(KeyUpDownFields{kind}, choice->code, TKeyRec{kind});
}

// ---- TDoWebStuff ----

WebLook WebLookOf(bool isFtp) {
    if (isFtp) return {"Internet FTP", "FTP URL", "ftp://"};
    return {"Internet Web Site", "Web Site URL", "http://"};
}

FormResult<WebFields> BuildWeb(bool isFtp, const std::string& progPath, const std::string& stored) {
    std::string address = FieldText(progPath);
    const bool unchanged = !stored.empty() && address == FieldText(stored);
    if (unchanged) address = stored;
    if (!isFtp && !unchanged && address.size() >= 3) {
        std::string head = address.substr(0, 3);
        for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (head == "WWW") address = "http://" + address;
    }
    if (auto bad = CheckFreeText(address, "ProgPath")) return Fail<WebFields>(bad->message, bad->focus);
    return Finish(WebFields{address}, isFtp ? cmd::WebFtp : cmd::WebSite, TNameRec{address});
}

}  // namespace tessaro
