#pragma once
// The scope dialog ("Set Title" / "Set Program"): its texts by mode, the lists of running
// windows and programs it offers, and its OK.
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace tessaro {

struct SpecWindTexts {
    std::string caption, heading, listHeading, onTopOption, runningOption, helpKeyword;
    int listHeight = 0;
    bool installedButton = false;
};
SpecWindTexts SpecWindTextsFor(bool windowMode);

inline constexpr int kScopeTypedLimit = 20;

// Titles of the desktop's windows (first 255 characters; blank titles left out) and the
// executable base names of the running processes (a program running twice is listed twice).
std::vector<std::string> RunningWindowTitles(win::Desktop& desktop);
std::vector<std::string> RunningProgramNames(win::Desktop& desktop);

struct SpecWindOk {
    enum class Status { Done, Refused, AskHighlighted };
    Status status = Status::Refused;
    std::string scopeText;  // when done
    std::string message;    // for a box "Error": the refusal or the question
};
// OK with the typed text and the highlighted row (empty: none). After the question's Yes,
// the caller takes the whole row as the scope text.
SpecWindOk CheckSpecWind(bool windowMode, const std::string& typed, const std::string& highlightedRow);

}  // namespace tessaro
