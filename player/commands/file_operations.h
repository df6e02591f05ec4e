#pragma once
// The file and folder operations of the macro commands, on POSIX paths (UTF-8). None of
// them leaves a half-written file behind: a copy is built beside its target and renamed
// over it only when whole, and a move never replaces an existing file.
#include <optional>
#include <string>

namespace tessaro {

// Creates `path` level by level. Nothing when it is already a folder; else the first
// leading part that could not be created.
std::optional<std::string> MakeFolders(const std::string& path);

// Removes one file; never a folder. 0 or errno.
int DeleteOneFile(const std::string& path);

// Copies `from` onto `to`, replacing an existing `to`: the data go to a temporary file in
// the target's folder, which is flushed, given the source's mode and times and renamed over
// the target. A file copied onto itself is left alone. 0 or errno (the old target intact).
int CopyFileReplacing(const std::string& from, const std::string& to);

// Renames or moves `from` to `to`, never replacing an existing `to`. Across file systems
// the file is copied as above and the source removed only once the copy is whole.
// 0 or errno.
int MoveFileNoReplace(const std::string& from, const std::string& to);

}  // namespace tessaro
