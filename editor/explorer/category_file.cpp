#include "editor/explorer/category_file.h"

#include <fcntl.h>

#include <string>

#include "foundation/strings.h"
#include "platform/file_io.h"
#include "platform/regular_file_stream.h"

namespace tessaro {

namespace {

bool ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 255) line.resize(255);
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
    std::string text;
    for (const TCategory& c : categories)
        if (c.id != 0) text += c.name + "\r\n" + std::to_string(c.id) + "\r\n";
    std::string reason;
    if (win::WriteToRegularFile(path, text, O_TRUNC, reason)) return true;
    if (why) *why = reason;
    return false;
}

}  // namespace tessaro
