#pragma once
// A light text cipher: a random seed, then one chained, keyed byte per character, written
// as upper-case hex pairs. It keeps stored text unreadable at a glance; it is not security.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "foundation/short_string.h"

namespace tessaro {

enum class TActionType { atEncryption, atDecryption };

// Input the cipher cannot turn into whole output: too long to encrypt into a short string,
// or not hex pairs when decrypting.
class CipherError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The longest text whose encrypted form (2 + 2 per character) fits into 255 characters.
inline constexpr std::size_t kMaxEncryptLength = 126;

// Pure forms of the two directions; `key` must not be empty.
std::string PellEncrypt(std::string_view plain, std::string_view key, std::uint8_t seed);
std::string PellDecrypt(std::string_view cipher, std::string_view key);

class TPellEncryption {
public:
    TPellEncryption() = default;

    std::string Input() const { return Input_.str(); }
    std::string Output() const { return Output_.str(); }
    std::string Key() const { return Key_.str(); }
    TActionType Action() const { return Action_; }
    void SetInput(std::string_view v) { Input_ = v; }
    void SetOutput(std::string_view v) { Output_ = v; }
    void SetKey(std::string_view v) { Key_ = v; }
    void SetAction(TActionType a) { Action_ = a; }

    // Output := Input transformed with Key (an empty Key selects the built-in key). Throws
    // CipherError and leaves Output unchanged when Input cannot be transformed whole.
    void Execute();

private:
    ShortString<255> Input_;
    ShortString<255> Output_;
    ShortString<255> Key_;
    TActionType Action_ = TActionType::atEncryption;
};

}  // namespace tessaro
