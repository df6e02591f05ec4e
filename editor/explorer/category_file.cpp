#include "editor/explorer/category_file.h"

#include <string>

#include "foundation/strings.h"
#include "platform/file_io.h"
#include "platform/regular_file_stream.h"

namespace tessaro {

namespace {

constexpr std::size_t kMaxLine = 255;

bool ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kMaxLine) line.resize(kMaxLine);
    return true;
}

}  // namespace

std::vector<TCategory> LoadCategoryFile(const std::string& path) {
    std::vector<TCategory> categories;
    win::RegularFileStream in(path);
    std::string name;
    std::string number;
    while (ReadLine(in, name) && ReadLine(in, number)) {
        const int id = IntegerValue(number);
        if (id != 0) categories.push_back({name, id});
    }
    return categories;
}

bool SaveCategoryFile(const std::string& path, const std::vector<TCategory>& categories, std::string* why) {
    std::vector<std::string> lines;
    for (const TCategory& c : categories) {
        if (c.id == 0) continue;
        lines.push_back(c.name);
        lines.push_back(std::to_string(c.id));
    }
    // Lines as LoadCategoryFile reads them, a number written with blanks as its value: a
    // file edited by hand keeps what is unchanged.
    const auto readAs = [](std::string_view line) {
        const std::string kept(line.substr(0, kMaxLine));
        const std::string trimmed = TrimBlanks(kept);
        const bool number = !trimmed.empty() && trimmed.find_first_not_of("0123456789") == std::string::npos;
        return number && trimmed != kept ? std::to_string(IntegerValue(trimmed)) : kept;
    };
    std::string reason;
    if (win::ReplaceTextFileLines(path, lines, "\r\n", readAs, reason)) return true;
    if (why) *why = reason;
    return false;
}

}  // namespace tessaro
