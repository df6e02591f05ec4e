#pragma once
// Both programs work on an X desktop and on nothing else: without one they say why in one
// line and end, before Qt would abort on the missing display.
#include <cstdio>
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

}  // namespace tessaro
