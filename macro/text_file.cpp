#include "macro/text_file.h"

#include <iterator>

#include "platform/cp1252.h"
#include "platform/regular_file_stream.h"

namespace tessaro {

std::optional<std::string> ReadTextFile(const std::string& path) {
    win::RegularFileStream in(win::Cp1252ToUtf8(path));
    if (!in.is_open()) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!bytes.empty() && bytes.back() == '\x1a') bytes.pop_back();
    return bytes;
}

}  // namespace tessaro
