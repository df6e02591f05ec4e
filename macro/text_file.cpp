#include "macro/text_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/cp1252.h"

namespace tessaro {

std::optional<std::string> ReadTextFile(const std::string& path) {
    const std::filesystem::path file(win::Cp1252ToUtf8(path));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!bytes.empty() && bytes.back() == '\x1a') bytes.pop_back();
    return bytes;
}

}  // namespace tessaro
