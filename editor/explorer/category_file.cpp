#include "editor/explorer/category_file.h"

#include <fstream>

#include "foundation/strings.h"
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

bool SaveCategoryFile(const std::string& path, const std::vector<TCategory>& categories) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const TCategory& c : categories)
        if (c.id != 0) out << c.name << "\r\n" << c.id << "\r\n";
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace tessaro
