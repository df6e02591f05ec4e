#pragma once
// A fresh directory per test, removed afterwards; TESSARO_HOME/WINDIR/NS point into it,
// so tests of one program and of programs side by side keep to their own files.
#include <filesystem>  // what tests do with the folder
#include <fstream>
#include <string>
#include <vector>

namespace tessaro::testing {

class TempDir {
public:
    // `tag` names the folder and starts the namespace.
    explicit TempDir(const std::string& tag = "mf");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Empty when no folder could be made.
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::vector<char> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<char>& bytes);

}  // namespace tessaro::testing
