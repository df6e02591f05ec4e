#pragma once
// Small text helpers of the script editor.
#include <string>
#include <string_view>

namespace tessaro {

// The characters after the last backslash (or slash) of a path; the whole text when it has
// none; empty when it ends with one.
std::string_view FileNamePart(std::string_view path);

// How a text writes its line breaks and tabs. A new text: CR LF and "<TAB>"; a stored one
// keeps its own (a text file edited with LF endings and tab bytes keeps both).
struct TypedTextStyle {
    std::string_view LineBreak = "\r\n";
    bool TabBytes = false;
};
// The style of `stored`; what it does not show (a text without a line break, or without a
// tab) is `fallback`'s: the macro's own, or that of the text file the text belongs to.
TypedTextStyle StyleOfTypedText(std::string_view stored, const TypedTextStyle& fallback = {});

}  // namespace tessaro
