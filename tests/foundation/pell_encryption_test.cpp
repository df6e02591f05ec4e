#include "foundation/pell_encryption.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

using tessaro::CipherError;
using tessaro::PellDecrypt;
using tessaro::PellEncrypt;
using tessaro::TActionType;
using tessaro::TPellEncryption;

namespace {

const std::string kKey = "MUFRGXDPwzk";

std::string Transform(TPellEncryption& c, TActionType action, const std::string& input) {
    c.SetAction(action);
    c.SetInput(input);
    c.Execute();
    return c.Output();
}

bool IsUpperHex(const std::string& s) {
    for (char ch : s)
        if (!std::isxdigit(static_cast<unsigned char>(ch)) || std::islower(static_cast<unsigned char>(ch)))
            return false;
    return true;
}

TEST(PellEncryption, KnownVectorsFollowTheChain) {
    // Seed 0: the first pair is the code xor the first key character.
    EXPECT_EQ(PellEncrypt("a", kKey, 0).substr(2), "2C");  // 0x61 ^ 'M'(0x4D)
    // Chain by hand: s0=0x10; 'a': (0x61+0x10)%255=0x71 ^ 'M' = 0x3C;
    // 'b': (0x62+0x3C)%255=0x9E ^ 'U'(0x55) = 0xCB; 'c': (0x63+0xCB)%255=0x2F ^ 'F'(0x46) = 0x69.
    EXPECT_EQ(PellEncrypt("abc", kKey, 0x10), "103CCB69");
    EXPECT_EQ(PellDecrypt("103CCB69", kKey), "abc");
    EXPECT_EQ(PellDecrypt("103ccb69", kKey), "abc");  // lower-case digits are read too
    // The key wraps after its last character.
    const std::string twelve = "AAAAAAAAAAAA";
    EXPECT_EQ(PellDecrypt(PellEncrypt(twelve, "xy", 200), "xy"), twelve);
}

TEST(PellEncryption, EveryByteRoundTripsForEverySeed) {
    for (unsigned seed = 0; seed <= 255; ++seed) {
        for (unsigned c = 1; c <= 255; ++c) {
            // Put the character after a prefix too, so it meets chain values other than the seed.
            const std::string plain = {static_cast<char>(c), 'Q', static_cast<char>(c)};
            const std::string enc = PellEncrypt(plain, kKey, static_cast<std::uint8_t>(seed));
            ASSERT_EQ(PellDecrypt(enc, kKey), plain) << "seed " << seed << " char " << c;
        }
        // Code 0 cannot be told from 255; it comes back as 255.
        EXPECT_EQ(PellDecrypt(PellEncrypt(std::string(1, '\0'), kKey, static_cast<std::uint8_t>(seed)), kKey),
                  "\xFF");
    }
}

TEST(PellEncryption, ComponentEncryptsRandomlyAndDecryptsBack) {
    TPellEncryption c;
    EXPECT_EQ(c.Action(), TActionType::atEncryption);
    c.SetKey(kKey);
    const std::string first = Transform(c, TActionType::atEncryption, "abc");
    EXPECT_EQ(first.size(), 8u);
    EXPECT_TRUE(IsUpperHex(first)) << first;
    EXPECT_EQ(Transform(c, TActionType::atDecryption, first), "abc");

    std::set<std::string> seen;
    for (int i = 0; i < 40; ++i) seen.insert(Transform(c, TActionType::atEncryption, "abc"));
    EXPECT_GT(seen.size(), 20u);  // the seed is drawn per run

    // An empty key selects the built-in key, the same in both directions.
    TPellEncryption d;
    const std::string withBuiltIn = Transform(d, TActionType::atEncryption, "secret text");
    EXPECT_EQ(Transform(d, TActionType::atDecryption, withBuiltIn), "secret text");

    // Empty input gives empty output both ways.
    c.SetOutput("stale");
    EXPECT_EQ(Transform(c, TActionType::atEncryption, ""), "");
    c.SetOutput("stale");
    EXPECT_EQ(Transform(c, TActionType::atDecryption, ""), "");
}

TEST(PellEncryption, LengthLimits) {
    TPellEncryption c;
    c.SetKey(kKey);
    const std::string longest(tessaro::kMaxEncryptLength, 'z');
    const std::string enc = Transform(c, TActionType::atEncryption, longest);
    EXPECT_EQ(enc.size(), 254u);
    EXPECT_EQ(Transform(c, TActionType::atDecryption, enc), longest);

    // One more would be cut inside the short string: refused, Output kept.
    c.SetOutput("kept");
    c.SetAction(TActionType::atEncryption);
    c.SetInput(longest + "z");
    EXPECT_THROW(c.Execute(), CipherError);
    EXPECT_EQ(c.Output(), "kept");

    // A cut text (odd length) still decrypts; the lone digit is ignored.
    EXPECT_EQ(PellDecrypt(PellEncrypt("xyz", kKey, 7) + "F", kKey), "xyz");
}

TEST(PellEncryption, MalformedCipherTextIsRefusedAndOutputKept) {
    TPellEncryption c;
    c.SetKey(kKey);
    c.SetAction(TActionType::atDecryption);
    for (const char* bad : {"1", "10", "10F", "10ZZ", "G03C", "103CCB6-", "hello world"}) {
        c.SetOutput("kept");
        c.SetInput(bad);
        EXPECT_THROW(c.Execute(), CipherError) << bad;
        EXPECT_EQ(c.Output(), "kept") << bad;
    }
}

}  // namespace
