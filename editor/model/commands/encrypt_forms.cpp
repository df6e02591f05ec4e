#include "editor/model/commands/encrypt_forms.h"

#include "foundation/pell_encryption.h"
#include "macro/encrypted_text.h"

namespace tessaro {

std::string EncryptPreset(const TNameRec& rec) { return DecryptMacroText(rec.Name).value_or(std::string()); }

FormResult<EncryptFields> BuildEncrypt(const std::string& password, std::uint8_t seed) {
    const std::string plain = FieldText(password);
    if (plain.size() > kMaxEncryptedText)
        return Fail<EncryptFields>("The text is too long.  At most " + std::to_string(kMaxEncryptedText) +
                                       " characters can be encrypted.  Please correct.",
                                   "Password");
    const std::string cipher = PellEncrypt(plain, kMacroTextKey, seed);
    return Finish(EncryptFields{cipher}, cmd::EncryptedText, TNameRec{cipher});
}

}  // namespace tessaro
