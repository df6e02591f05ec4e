#pragma once
// Both programs work on an X desktop and on nothing else: without one, or asked to run on
// another Qt platform, they say why in one line and end, before Qt would abort on the missing
// display or show its windows where no one sees them.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/x11/x11_platform.h"

namespace tessaro {

// The exit status of a start without a display.
inline constexpr int kNoDisplayStatus = 1;

inline int NoDisplay(const char* program) {
    const std::string problem = win::x11::DisplayProblem().value_or("display cannot be opened");
    std::fprintf(stderr, "%s needs an X11 display: %s\n", program, problem.c_str());
    return kNoDisplayStatus;
}

// The Qt platform asked for (QT_QPA_PLATFORM, or "-platform" on the command line) when it is
// not X11's: the programs would run on a desktop nobody sees (a box no one can answer).
inline std::optional<std::string> ForeignPlatform(int argc, char** argv) {
    std::string asked;
    if (const char* env = std::getenv("QT_QPA_PLATFORM")) asked = env;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "-platform") asked = argv[i + 1];
    // The first of a list is tried first; options follow a colon.
    const std::string name = asked.substr(0, asked.find_first_of(";:"));
    if (name.empty() || name == "xcb") return std::nullopt;
    return name;
}

inline int ForeignPlatformRefused(const char* program, const std::string& platform) {
    std::fprintf(stderr, "%s runs only on an X11 display, not on the Qt platform \"%s\"\n", program,
                 platform.c_str());
    return kNoDisplayStatus;
}

}  // namespace tessaro
