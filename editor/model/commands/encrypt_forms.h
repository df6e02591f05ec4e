#pragma once
// The encrypted text dialog (TDoEncrypt): a text typed masked, kept in the macro only
// enciphered with the key the player deciphers it with.
#include <cstdint>
#include <string>

#include "editor/model/commands/command_form.h"

namespace tessaro {

// Longest text whose enciphered form (2 + 2 per character) fits with "<ETEXT:" and ">".
inline constexpr std::size_t kMaxEncryptedText = 122;

struct EncryptFields {
    std::string EncryptedText;  // the enciphered form
};

// The text the edit shows for a stored command: its plain text, empty when unreadable.
std::string EncryptPreset(const TNameRec& rec);
// `seed`: the cipher's random first value.
FormResult<EncryptFields> BuildEncrypt(const std::string& password, std::uint8_t seed);

}  // namespace tessaro
