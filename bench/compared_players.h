#pragma once
// The players the hot-key benchmarks set side by side: this build's, the build named by
// TESSARO_BEFORE_BIN (its bin folder), and the floor program that only grabs and types.
#include <cstdlib>
#include <string>

#include "platform/paths.h"

namespace tessaro::bench {

enum Program { kThisBuild, kBuildBefore, kFloor };

inline const char* BeforeBin() {
    const char* bin = std::getenv("TESSARO_BEFORE_BIN");
    return bin && *bin ? bin : nullptr;
}

// The program to start; empty for this build's own player.
inline std::string ProgramOf(int program) {
    if (program == kBuildBefore) return std::string(BeforeBin()) + "/tesrun";
    if (program == kFloor) return win::ExecutableDirectory() + "/hotkey_floor";
    return {};
}

}  // namespace tessaro::bench
