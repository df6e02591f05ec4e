#pragma once
// The 29 quick-wizard functions: what the form shows of each (caption, logo word, the
// description and uses on page 1) and the pages it walks.
#include <span>
#include <string>

namespace tessaro::wizard {

inline constexpr int kFunctionCount = 29;
inline constexpr int kPageCount = 83;
inline constexpr int kFirstUseFunction = 28;
inline constexpr int kLongestSequence = 16;

struct FunctionInfo {
    const char* title;        // caption suffix and menu name
    const char* logoWord;     // drawn on the logo
    int logoSize;             // its font size in points
    const char* description;  // page 1, UTF-8
    std::span<const int> pages;
    std::span<const char* const> examples;  // page 1, one line each, UTF-8
};

// Nothing for a number outside 1..29.
const FunctionInfo* Function(int function);

// "Quick Wizard: " and the title; "Quick Wizard" outside 1..29.
std::string Caption(int function);
// The example lines joined by LF CR, as page 1 shows them (UTF-8).
std::string ExamplesText(int function);

}  // namespace tessaro::wizard
