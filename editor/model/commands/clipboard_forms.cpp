#include "editor/model/commands/clipboard_forms.h"

namespace tessaro {
namespace {

constexpr const char* kTextLabel = "Text File Path/Name";
constexpr const char* kGraphicLabel = "Graphic File Path/Name";
constexpr const char* kTextFilter = "Text Files (*.txt *.TXT)";

bool IsSave(std::int32_t kind) { return kind >= 9 && kind <= 11; }
bool IsCopy(std::int32_t kind) { return kind == 3 || kind == 6; }

}  // namespace

ClipboardLayout ClipboardLayoutOf(const ClipboardForm& f) {
    ClipboardLayout l{false, false, false, f.Kind == 7, false, kTextLabel, "Text Files", kTextFilter};
    if (IsCopy(f.Kind)) {
        l.pathPanel = l.pathEnabled = true;
    } else if (IsSave(f.Kind)) {
        l.pathPanel = l.promptEnabled = l.saveDialog = true;
        l.pathEnabled = !f.SavePrompt;
    }
    if (f.Kind == 6) {
        l.pathLabel = kGraphicLabel;
        l.dialogTitle = "Graphic Files";
        l.filter =
            "Graphic Files (*.bmp *.jpg *.wmf *.BMP *.JPG *.WMF);;Bitmap (*.bmp *.BMP);;JPeg (*.jpg *.JPG);;"
            "Windows MetaFile (*.wmf *.WMF)";
    } else if (f.Kind == 11) {
        l.pathLabel = kGraphicLabel;
        l.dialogTitle = "Graphic Files";
        l.filter = "Bitmap (*.bmp *.BMP);;JPeg (*.jpg *.JPG)";
    }
    return l;
}

ClipboardForm ClipboardDefaults() { return {}; }

ClipboardForm ClipboardPreset(const TClipRec& rec) {
    ClipboardForm f;
    f.Kind = rec.Kind == 8 ? 7 : (ChoiceOfKind(kClipboardChoices, rec.Kind) ? rec.Kind : 0);
    f.IgnoreCR = rec.Kind == 8 || (rec.Kind == 7 && rec.Flag);
    if (IsSave(rec.Kind) && rec.FileName == kPromptFileName)
        f.SavePrompt = true;
    else
        f.ProgPath = rec.FileName;
    return f;
}

FormResult<ClipboardFields> BuildClipboard(const ClipboardForm& form) {
    const RadioChoice* choice = ChoiceOfKind(kClipboardChoices, form.Kind);
    if (!choice) return {};
    ClipboardFields out;
    out.ClipKind = form.Kind;
    TClipRec rec{.Kind = form.Kind, .FileName = {}, .Flag = false};
    if (IsCopy(form.Kind)) {
        const std::string path = FieldText(form.ProgPath);
        if (auto bad = CheckFreeText(path, "ProgPath"))
            return Fail<ClipboardFields>(bad->message, bad->focus);
        if (!RegularFileExists(path))
            return Fail<ClipboardFields>(form.Kind == 3
                                             ? "Specified Text File does not exist.  Please correct."
                                             : "Specified Bitmap File does not exist.  Please correct.",
                                         "ProgPath");
        out.ClipFileName = rec.FileName = path;
    } else if (IsSave(form.Kind)) {
        const std::string path = form.SavePrompt ? std::string(kPromptFileName) : FieldText(form.ProgPath);
        if (path.empty())
            return Fail<ClipboardFields>("No file name specified.  Please correct.", "ProgPath");
        if (auto bad = CheckFreeText(path, "ProgPath"))
            return Fail<ClipboardFields>(bad->message, bad->focus);
        out.ClipFileName = rec.FileName = path;
    } else if (form.Kind == 7 && form.IgnoreCR) {
        out.IgnoreCRLF = true;
        out.ClipKind = rec.Kind = 8;
        rec.Flag = true;
    }
    return Finish(std::move(out), choice->code, std::move(rec));
}

}  // namespace tessaro
