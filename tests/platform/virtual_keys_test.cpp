#include "platform/virtual_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace win {
namespace {

TEST(VirtualKeys, EveryKeyWithAKeysymMapsBackToItself) {
    int mapped = 0;
    for (unsigned vk = 1; vk < 256; ++vk) {
        Keysym ks = VkToKeysym(vk);
        if (ks == 0) continue;
        ++mapped;
        unsigned back = VkFromKeysym(ks);
        // Left/right modifier keys come back as the generic modifier.
        if (vk == VK_LSHIFT || vk == VK_RSHIFT)
            EXPECT_EQ(back, VK_SHIFT);
        else if (vk == VK_LCONTROL || vk == VK_RCONTROL)
            EXPECT_EQ(back, VK_CONTROL);
        else if (vk == VK_LMENU || vk == VK_RMENU)
            EXPECT_EQ(back, VK_MENU);
        else
            EXPECT_EQ(back, vk) << "vk " << vk << " keysym " << std::hex << ks;
    }
    // Letters, digits, keypad, F1-F24, navigation, modifiers and OEM keys at least.
    EXPECT_GT(mapped, 26 + 10 + 16 + 24 + 11);
}

TEST(VirtualKeys, FamiliesMapToTheirKeysymRuns) {
    EXPECT_EQ(VkToKeysym('Q'), Keysym('q'));
    EXPECT_EQ(VkFromKeysym('Q'), unsigned('Q'));
    EXPECT_EQ(VkToKeysym(VK_F24) - VkToKeysym(VK_F1), 23u);
    EXPECT_EQ(VkToKeysym(VK_NUMPAD9) - VkToKeysym(VK_NUMPAD0), 9u);
    EXPECT_EQ(VkFromKeysym(VkToKeysym(VK_F13)), unsigned(VK_F13));
    // Keypad navigation keysyms (NumLock off) give the navigation keys.
    EXPECT_EQ(VkFromKeysym(0xff95 /* KP_Home */), unsigned(VK_HOME));
    EXPECT_EQ(VkFromKeysym(0xff8d /* KP_Enter */), unsigned(VK_RETURN));
    EXPECT_EQ(VkFromKeysym(0x12345678), 0u);
    EXPECT_EQ(VkToKeysym(0x07), 0u);
}

TEST(VirtualKeys, UsScanOfPrintableCharactersAgreesWithTheKeysymTable) {
    for (int ch = 0x20; ch <= 0x7E; ++ch) {
        short scan = VkKeyScanUs(static_cast<unsigned char>(ch));
        ASSERT_NE(scan, -1) << ch;
        unsigned vk = scan & 0xFF;
        int shift = scan >> 8;
        ASSERT_TRUE(shift == 0 || shift == kScanShift) << ch;
        // The keysym of a character is its code; the key found for it must be the key that
        // carries that keysym, shifted or not.
        // "less" is the base keysym of the extra ISO key, so it names that key instead.
        const unsigned expected = ch == '<' ? VK_OEM_102 : vk;
        EXPECT_EQ(VkFromKeysym(KeysymForChar(static_cast<char32_t>(ch))), expected) << char(ch);
        if (shift == 0) {
            EXPECT_EQ(KeysymToChar(VkToKeysym(vk)), char32_t(ch)) << char(ch);
        }
        const bool upper = ch >= 'A' && ch <= 'Z';
        const bool symbol = std::string(R"(~!@#$%^&*()_+{}|:"<>?)").find(char(ch)) != std::string::npos;
        EXPECT_EQ(shift == kScanShift, upper || symbol) << char(ch);
    }
}

TEST(VirtualKeys, UsScanOfControlCharacters) {
    EXPECT_EQ(VkKeyScanUs('\r'), VK_RETURN);
    EXPECT_EQ(VkKeyScanUs('\n'), (kScanCtrl << 8) | VK_RETURN);
    EXPECT_EQ(VkKeyScanUs('\t'), VK_TAB);
    EXPECT_EQ(VkKeyScanUs(0x01), (kScanCtrl << 8) | 'A');
    EXPECT_EQ(VkKeyScanUs(0x1A), (kScanCtrl << 8) | 'Z');
    EXPECT_EQ(VkKeyScanUs(0xE9), -1);
    EXPECT_EQ(VkKeyScanUs(0x80), -1);
}

TEST(VirtualKeys, CharacterKeysymsRoundTrip) {
    for (char32_t cp : {char32_t('a'), char32_t(' '), char32_t(0xE9), char32_t(0xFF), char32_t(0x20AC),
                        char32_t(0x2122), char32_t('\r'), char32_t('\t')})
        EXPECT_EQ(KeysymToChar(KeysymForChar(cp)), cp) << unsigned(cp);
    EXPECT_EQ(KeysymForChar(0x01), 0u);
    EXPECT_EQ(KeysymForChar(0x85), 0u);
    EXPECT_EQ(KeysymToChar(0x20AC /* EuroSign */), char32_t(0x20AC));
    EXPECT_EQ(KeysymToChar(VkToKeysym(VK_SHIFT)), 0u);
}

}  // namespace
}  // namespace win
