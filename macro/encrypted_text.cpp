#include "macro/encrypted_text.h"

#include <random>

#include "foundation/pell_encryption.h"

namespace tessaro {

std::string EncryptMacroText(std::string_view plain) {
    std::random_device random;
    const auto seed = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 255)(random));
    return PellEncrypt(plain.substr(0, kMaxEncryptLength), kMacroTextKey, seed);
}

std::optional<std::string> DecryptMacroText(std::string_view cipher) {
    try {
        return PellDecrypt(cipher, kMacroTextKey);
    } catch (const CipherError&) {
        return std::nullopt;
    }
}

}  // namespace tessaro
