#include "platform/cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(win::Utf8ToCp1252(win::Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, KnownCharacters) {
    EXPECT_EQ(win::Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(win::Cp1252ToUtf8("\xE9"), "\xC3\xA9");      // e acute
    EXPECT_EQ(win::Utf8ToCp1252("\xE2\x80\x94"), "\x97");  // em dash
    EXPECT_EQ(win::Utf8ToCp1252("\xE4\xB8\xAD"), "?");     // no byte for it
}

TEST(Cp1252, MalformedUtf8IsReplacedNotOverrun) {
    EXPECT_EQ(win::Utf8ToCp1252("a\xC3"), "a?");       // truncated sequence at the end
    EXPECT_EQ(win::Utf8ToCp1252("\xE2\x82z"), "??z");  // broken lead, stray continuation
    EXPECT_EQ(win::Utf8ToCp1252("\xFF"), "?");
}
