#pragma once
// A fresh directory per test, removed afterwards; TESSARO_HOME/WINDIR/NS point into it.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tessaro::testing {

class TempDir {
public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tessaro-mf-XXXXXX").string();
        path_ = ::mkdtemp(tmpl.data());
        ::setenv("TESSARO_HOME", path_.c_str(), 1);
        ::setenv("TESSARO_WINDIR", path_.c_str(), 1);
        ns_ = "mf" + std::filesystem::path(path_).filename().string().substr(11);
        ::setenv("TESSARO_NS", ns_.c_str(), 1);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
    std::string ns_;
};

inline std::vector<char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tessaro::testing
