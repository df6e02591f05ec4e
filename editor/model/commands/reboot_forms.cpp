#include "editor/model/commands/reboot_forms.h"

#include "editor/model/commands/refusal.h"
#include "editor/model/commands/text_forms.h"

namespace tessaro {

FormResult<RebootFields> BuildReboot(std::int32_t kind) {
    const RadioChoice* choice = ChoiceOfKind(kRebootChoices, kind);
    if (!choice) return {};
    return Finish(RebootFields{kind}, choice->code, TDeskRec{kind});
}

std::string WithCrLf(const std::string& text, std::string_view lineBreak) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += lineBreak;
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += lineBreak;
        } else {
            out += c;
        }
    }
    return out;
}

FormResult<TBoxFields> BuildTBox(const std::string& header, const std::string& contents,
                                 const TBoxKept* kept) {
    TBoxFields out{FieldText(header), !kept ? WithCrLf(contents)
                                      : contents == kept->presetMemo
                                          ? kept->stored
                                          : WithCrLf(contents, StyleOfTypedText(kept->stored).LineBreak)};
    if (auto bad = CheckFreeText(out.BoxHeader, "Header")) return Refused<TBoxFields>(*bad);
    if (auto bad = CheckFreeText(out.Contents, "Contents")) return Refused<TBoxFields>(*bad);
    TWTextRec rec{out.BoxHeader, out.Contents};
    return Finish(std::move(out), cmd::WindowOfText, std::move(rec));
}

}  // namespace tessaro
