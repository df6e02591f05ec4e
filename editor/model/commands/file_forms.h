#pragma once
// The file commands dialog (TDoDOSFiles): change directory, copy, rename, delete, create.
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/commands/command_form.h"

namespace tessaro {

inline constexpr std::array<RadioChoice, 5> kFileChoices{{
    {"ChangeDir", "Ch&ange Directory/Folder", 1, cmd::ChangeFolder, TokenKind::ChDir},
    {"CopyFile", "Cop&y File", 2, cmd::CopyFile, TokenKind::CopyFile},
    {"RenameFile", "&Rename File", 3, cmd::RenameFile, TokenKind::RenFile},
    {"DeleteFile", "&Delete File", 4, cmd::DeleteFile, TokenKind::DelFile},
    {"CreateFolder", "Cr&eate Directory/Folder", 5, cmd::CreateFolder, TokenKind::MkDir},
}};

// What the path's label reads and whether the new-name panel shows, by kind.
const char* FileLabelOf(std::int32_t kind);
bool FileNewNameShown(std::int32_t kind);
bool FileBrowsesFolders(std::int32_t kind);

struct FileForm {
    std::int32_t Kind = 0;
    std::string ProgPath, NewName;
    // The wizard writes a folder to change to as typed; the dialog drops trailing slashes.
    TextForm As = TextForm::Dialog;
    bool operator==(const FileForm&) const = default;
};

struct FileFields {
    std::int32_t FileKind = 0;
    std::string FilePath, FileNewName;
};

FileForm FileDefaults();  // change directory
FileForm FilePreset(const TFileOpRec& rec);
// Paths are Windows-1252; the file or folder must exist where the kind says so.
FormResult<FileFields> BuildFile(const FileForm& form);

// The path checks the dialogs share: an existing file (not a folder), an existing folder.
bool FileExistsAt(const std::string& cp1252Path);
bool FolderExistsAt(const std::string& cp1252Path);

}  // namespace tessaro
