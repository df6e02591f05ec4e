#pragma once
// Files read and added to as wholes. AppendWhole goes through the shared replacement
// (platform/file_io.h): the file as it was with the new bytes after it is written beside it
// and renamed over it, so a kill or a full disk leaves the file as it was or with all of
// them, never with a part. AppendInPlace adds at the file's end, at a cost that does not
// grow with the file, for files whose readers find their entries by an index or by records.
#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

// The bytes of a regular file (native path). Nothing, with the reason in `why` and errno
// set (0 when it is no regular file), when it cannot be read.
std::optional<std::string> ReadRegularFile(const std::string& path, std::string& why);

// As ReadRegularFile, but a file that is not there reads as empty.
std::optional<std::string> ReadRegularFileOrEmpty(const std::string& path, std::string& why);

// Adds `bytes` at the end of the regular file `path`, creating it when missing. False with
// the reason in `why`; the file is then as it was.
bool AppendWhole(const std::string& path, std::string_view bytes, std::string& why);

// Adds `bytes` at the end of the regular file `path` under its lock, creating it when
// missing; in a file of records of `unit` bytes, after its last whole one. A full disk leaves
// the file as it was; a kill may leave a part of the bytes at its end, which the next addition
// takes away first. `*at` (when given) receives where they begin. False with the reason in
// `why`; the file is then as it was.
bool AppendInPlace(const std::string& path, std::string_view bytes, std::string& why, std::size_t unit = 1,
                   off_t* at = nullptr);

}  // namespace tessaro
