#pragma once
// The network drives the player has mapped, kept in a file of the desktop session so that
// the editor can list them: one line per drive, "F:", the share as the command named it
// ("\\server\share", Windows-1252), the share's address and where its files appear, split
// by tabs. The mappings last for the session only, so the file lives in the runtime folder.
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

struct MappedDrive {
    char letter = 0;     // 'A'..'Z'
    std::string remote;  // "\\server\share"
    std::string uri;     // "smb://server/share"
    std::string location;
    bool operator==(const MappedDrive&) const = default;
};

// The session's table file; nullopt when the session has no private runtime folder.
std::optional<std::string> DriveTablePath();

// The drives in the file, by letter; lines that are not a drive are skipped. No file: none.
std::vector<MappedDrive> ReadDriveTable(const std::string& path);

// Replaces the file (written aside, then renamed); no drives removes it. False on failure.
bool WriteDriveTable(const std::string& path, const std::vector<MappedDrive>& drives);

}  // namespace tessaro
