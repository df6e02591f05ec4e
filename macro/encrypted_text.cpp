#include "macro/encrypted_text.h"

#include "foundation/pell_encryption.h"

namespace tessaro {

std::optional<std::string> DecryptMacroText(std::string_view cipher) {
    try {
        return PellDecrypt(cipher, kMacroTextKey);
    } catch (const CipherError&) {
        return std::nullopt;
    }
}

}  // namespace tessaro
