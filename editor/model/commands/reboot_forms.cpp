#include "editor/model/commands/reboot_forms.h"

#include "editor/model/commands/refusal.h"

namespace tessaro {

FormResult<RebootFields> BuildReboot(std::int32_t kind) {
    const RadioChoice* choice = ChoiceOfKind(kRebootChoices, kind);
    if (!choice) return {};
    return Finish(RebootFields{kind}, choice->code, TDeskRec{kind});
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

FormResult<TBoxFields> BuildTBox(const std::string& header, const std::string& contents) {
    TBoxFields out{FieldText(header), WithCrLf(contents)};
    if (auto bad = CheckFreeText(out.BoxHeader, "Header")) return Refused<TBoxFields>(*bad);
    if (auto bad = CheckFreeText(out.Contents, "Contents")) return Refused<TBoxFields>(*bad);
    TWTextRec rec{out.BoxHeader, out.Contents};
    return Finish(std::move(out), cmd::WindowOfText, std::move(rec));
}

}  // namespace tessaro
