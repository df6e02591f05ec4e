#include "macro/encrypted_text.h"

#include <gtest/gtest.h>

#include <set>

namespace tessaro {
namespace {

TEST(EncryptedText, EncryptItRoundTripsDiffersPerCallAndFitsAShortString) {
    const std::string plain = "p@ssw0rd <not a token>";
    std::set<std::string> seen;
    for (int i = 0; i < 8; ++i) {
        const std::string cipher = EncryptMacroText(plain);
        EXPECT_EQ(cipher.size(), 2 + 2 * plain.size());
        EXPECT_EQ(DecryptMacroText(cipher), plain);
        seen.insert(cipher);
    }
    EXPECT_GT(seen.size(), 1u);

    const std::string longText(300, 'x');
    const std::string cipher = EncryptMacroText(longText);
    EXPECT_LE(cipher.size(), 255u);
    EXPECT_EQ(DecryptMacroText(cipher), std::string(126, 'x'));
    EXPECT_EQ(DecryptMacroText("not hex at all"), std::nullopt);
}

}  // namespace
}  // namespace tessaro
