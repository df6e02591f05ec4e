#pragma once
// The text of the encrypted-text command: ciphered with the key both programs share.
#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

inline constexpr std::string_view kMacroTextKey = "MUFRGXDPwzk";

// Nothing when the text is not cipher text.
std::optional<std::string> DecryptMacroText(std::string_view cipher);

}  // namespace tessaro
