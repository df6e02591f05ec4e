#pragma once
// The file and folder operations of the macro commands, on POSIX paths (UTF-8). None of
// them leaves a half-written file behind: a copy is written beside its target and renamed
// over it only when whole, and a move never replaces an existing file.
#include <optional>
#include <string>

namespace tessaro {

// Creates `path` level by level. Nothing when it is already a folder; else the first
// leading part that could not be created.
std::optional<std::string> MakeFolders(const std::string& path);

// Removes one file; never a folder. 0 or errno.
int DeleteOneFile(const std::string& path);

// What came of a copy or a move.
struct FileResult {
    int error = 0;  // 0 or errno
    // Why the new file could not be written, when that is where it failed (a full disk, a
    // folder that cannot be written, something other than a file in its place): the user
    // is told. Empty for every other failure.
    std::string notWritten;
};

// Copies `from` onto `to`, replacing an existing `to` as a whole and giving it the
// source's mode and times. A file copied onto itself is left alone. On failure the old
// target is as it was.
FileResult CopyFileReplacing(const std::string& from, const std::string& to);

// Renames or moves `from` to `to`, never replacing an existing `to` (EEXIST). Across file
// systems the file is copied as above and the source removed only once the copy is whole.
FileResult MoveFileNoReplace(const std::string& from, const std::string& to);

}  // namespace tessaro
