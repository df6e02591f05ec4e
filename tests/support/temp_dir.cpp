#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tessaro::testing {

TempDir::TempDir(const std::string& tag) {
    const std::string prefix = "tessaro-" + tag + "-";
    std::string tmpl = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (::mkdtemp(tmpl.data()) == nullptr) return;
    path_ = tmpl;
    ::setenv("TESSARO_HOME", path_.c_str(), 1);
    ::setenv("TESSARO_WINDIR", path_.c_str(), 1);
    const std::string ns = tag + std::filesystem::path(path_).filename().string().substr(prefix.size());
    ::setenv("TESSARO_NS", ns.c_str(), 1);
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::vector<char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tessaro::testing
