#pragma once
// Whether this process has a library mapped, by part of its file name: for code that must
// load its libraries only on first use.
#include <fstream>
#include <sstream>
#include <string>

namespace tessaro::testing {

inline bool Mapped(const std::string& library) {
    std::ifstream in("/proc/self/maps");
    std::stringstream maps;
    maps << in.rdbuf();
    return maps.str().find(library) != std::string::npos;
}

}  // namespace tessaro::testing
