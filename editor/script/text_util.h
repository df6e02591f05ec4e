#pragma once
// Small text helpers of the script editor.
#include <string>
#include <string_view>

namespace tessaro {

// The characters after the last backslash (or slash) of a path; the whole text when it has
// none; empty when it ends with one.
std::string_view FileNamePart(std::string_view path);

}  // namespace tessaro
