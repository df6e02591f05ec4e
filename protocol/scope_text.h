#pragma once
// How a macro's scope text is compared with window titles and program names: upper-cased,
// as a "contains" test. The library and the player decide alike.
#include <string>
#include <string_view>

namespace tessaro {

// Windows-1252 upper case, as window titles and program names are compared.
std::string UpperCase1252(std::string_view text);

// Whether a macro's scope text occurs in a title or program name. An empty scope text
// names no window: it never matches.
bool ScopeTextMatches(std::string_view scopeText, std::string_view subject);

}  // namespace tessaro
