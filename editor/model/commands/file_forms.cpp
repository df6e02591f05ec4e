#include "editor/model/commands/file_forms.h"

#include <filesystem>

#include "editor/model/commands/refusal.h"
#include "platform/cp1252.h"
#include "platform/paths.h"

namespace tessaro {
namespace {

constexpr const char* kNoFile = "Specified Text File does not exist.  Please correct.";
constexpr const char* kNoFolder = "Specified directory/folder does not exist.  Please correct.";

}  // namespace

bool FileExistsAt(const std::string& cp1252Path) {
    if (cp1252Path.empty()) return false;
    std::error_code ec;
    const auto status = std::filesystem::status(win::Cp1252ToUtf8(cp1252Path), ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool FolderExistsAt(const std::string& cp1252Path) {
    return !cp1252Path.empty() && win::DirectoryExists(cp1252Path);
}

const char* FileLabelOf(std::int32_t kind) {
    return kind == 1 || kind == 5 ? "Directory/Folder" : "Text File Path/Name";
}

bool FileNewNameShown(std::int32_t kind) { return kind == 2 || kind == 3; }
bool FileBrowsesFolders(std::int32_t kind) { return kind == 1 || kind == 5; }

FileForm FileDefaults() { return {1, "", ""}; }

FileForm FilePreset(const TFileOpRec& rec) { return {rec.Kind, rec.Source, rec.Target}; }

FormResult<FileFields> BuildFile(const FileForm& form) {
    FileFields out;
    out.FileNewName = FieldText(form.NewName);
    const RadioChoice* choice = ChoiceOfKind(kFileChoices, form.Kind);
    if (!choice) return {};
    const std::string path = FieldText(form.ProgPath);
    switch (form.Kind) {
        case 2:
        case 3:
            if (out.FileNewName.empty())
                return Fail<FileFields>("No new name specified.  Please correct.", "");
            if (auto bad = CheckFreeText(out.FileNewName, "NewName")) return Refused<FileFields>(*bad);
            [[fallthrough]];
        case 4:
            if (!FileExistsAt(path)) return Fail<FileFields>(kNoFile, "ProgPath");
            // The source of a copy or rename ends at ";".
            if (auto bad = CheckFreeText(path, "ProgPath", form.Kind == 4 ? ">" : ">;"))
                return Refused<FileFields>(*bad);
            out.FilePath = path;
            break;
        case 1: {
            std::string folder = path;
            while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
            if (!FolderExistsAt(folder)) return Fail<FileFields>(kNoFolder, "ProgPath");
            if (form.As == TextForm::Wizard) folder = path;
            if (auto bad = CheckFreeText(folder, "ProgPath")) return Refused<FileFields>(*bad);
            out.FilePath = folder;
            break;
        }
        default:
            if (auto bad = CheckFreeText(path, "ProgPath")) return Refused<FileFields>(*bad);
            out.FilePath = path;
            break;
    }
    out.FileKind = form.Kind;
    TFileOpRec rec{form.Kind, out.FilePath, FileNewNameShown(form.Kind) ? out.FileNewName : std::string()};
    return Finish(std::move(out), choice->code, std::move(rec));
}

}  // namespace tessaro
