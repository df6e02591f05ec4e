#pragma once
// A macro file's category file: lines of a name then its number, per category (CR LF in a
// new file; one edited by hand keeps its own line ends). The built-in "all categories"
// entry is never stored.
#include <string>
#include <vector>

namespace tessaro {

struct TCategory {
    std::string name;  // Windows-1252
    int id = 0;
};

// The stored categories; an unreadable file gives none. A pair whose number reads as 0
// is skipped, and a trailing name without a number is dropped.
std::vector<TCategory> LoadCategoryFile(const std::string& path);
// Replaces the file whole, keeping the bytes of unchanged lines; false when it cannot be
// written (also when it is not a regular file, which is refused without waiting), with the
// reason in *why, the old file then left as it was.
bool SaveCategoryFile(const std::string& path, const std::vector<TCategory>& categories,
                      std::string* why = nullptr);

}  // namespace tessaro
