#pragma once
// A macro file's category file: CR LF lines, a name then its number, per category. The
// built-in "all categories" entry is never stored.
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
// False when the file cannot be written (also when it is not a regular file, which is
// refused without waiting), with the reason in *why.
bool SaveCategoryFile(const std::string& path, const std::vector<TCategory>& categories,
                      std::string* why = nullptr);

}  // namespace tessaro
