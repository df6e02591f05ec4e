#pragma once
// The text of the encrypted-text command: ciphered with the key both programs share.
#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

inline constexpr std::string_view kMacroTextKey = "MUFRGXDPwzk";

// The cipher text of `plain` (cut to the 126 characters whose cipher fits a short string);
// a random first value makes each call's text differ.
std::string EncryptMacroText(std::string_view plain);

// Nothing when the text is not cipher text.
std::optional<std::string> DecryptMacroText(std::string_view cipher);

}  // namespace tessaro
