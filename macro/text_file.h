#pragma once
// Text files that macros play or copy: read whole as raw bytes, a last Ctrl-Z (the old
// end-of-file mark) dropped.
#include <optional>
#include <string>

namespace tessaro {

// `path` is Windows-1252. Nothing when it names no readable regular file (a device or a
// pipe would never end).
std::optional<std::string> ReadTextFile(const std::string& path);

}  // namespace tessaro
