#include "foundation/pell_encryption.h"

#include <chrono>
#include <random>

namespace tessaro {
namespace {

// Used when no key is given; anything fixed works, as long as both directions agree.
constexpr std::string_view kBuiltInKey = "q7Rw#Lz";

constexpr char kHex[] = "0123456789ABCDEF";

void AppendPair(std::string& out, unsigned v) {
    out += kHex[(v >> 4) & 0xF];
    out += kHex[v & 0xF];
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

unsigned PairAt(std::string_view text, std::size_t pos) {
    int hi = HexDigit(text[pos]);
    int lo = HexDigit(text[pos + 1]);
    if (hi < 0 || lo < 0)
        throw CipherError("'" + std::string(text.substr(pos, 2)) + "' is not a valid hexadecimal pair");
    return static_cast<unsigned>(hi * 16 + lo);
}

std::uint8_t DrawSeed() {
    static std::mt19937 gen(static_cast<std::mt19937::result_type>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device{}()));
    return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 255)(gen));
}

}  // namespace

std::string PellEncrypt(std::string_view plain, std::string_view key, std::uint8_t seed) {
    std::string out;
    out.reserve(2 + 2 * plain.size());
    unsigned s = seed;
    AppendPair(out, s);
    std::size_t k = 0;
    for (unsigned char c : plain) {
        const auto kc = static_cast<unsigned char>(key[k]);
        k = (k + 1) % key.size();
        s = ((c + s) % 255) ^ kc;
        AppendPair(out, s);
    }
    return out;
}

std::string PellDecrypt(std::string_view cipher, std::string_view key) {
    if (cipher.size() < 4)
        throw CipherError("Encrypted text \"" + std::string(cipher) + "\" holds no characters");
    unsigned prev = PairAt(cipher, 0);
    std::string out;
    std::size_t k = 0;
    // A lone digit at the end (a cut pair) carries no character.
    for (std::size_t pos = 2; pos + 1 < cipher.size(); pos += 2) {
        const unsigned cur = PairAt(cipher, pos);
        const auto kc = static_cast<unsigned char>(key[k]);
        k = (k + 1) % key.size();
        const unsigned t = kc ^ cur;
        unsigned c = prev >= t ? t + 255 - prev : t - prev;
        // 255 after a chain value of 255 comes out as 0; 0 itself is never produced by
        // encryption of a character other than 0, which reads back as 255 anyway.
        if (c == 0) c = 255;
        out += static_cast<char>(c);
        prev = cur;
    }
    return out;
}

void TPellEncryption::Execute() {
    const std::string_view input = Input_.view();
    if (input.empty()) {
        Output_ = "";
        return;
    }
    const std::string_view key = Key_.empty() ? kBuiltInKey : Key_.view();
    if (Action_ == TActionType::atEncryption) {
        if (input.size() > kMaxEncryptLength)
            throw CipherError("Text of " + std::to_string(input.size()) +
                              " characters is too long to encrypt (at most " +
                              std::to_string(kMaxEncryptLength) + ")");
        Output_ = PellEncrypt(input, key, DrawSeed());
    } else {
        Output_ = PellDecrypt(input, key);
    }
}

}  // namespace tessaro
