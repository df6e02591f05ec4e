#include "platform/cp1252.h"

#include <gtest/gtest.h>

#include <QString>

#include "platform/message_box.h"

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

// What crosses to and from Qt, and what an entry, a file's text and the system's names make.
TEST(Cp1252, TheCrossingsToAndFromTheSystemsOwnTexts) {
    struct Case {
        const char* utf8;        // as typed, or as a file or the system spells it
        const char* cp1252;      // the stored bytes; nullptr when an entry refuses the text
        const char* refused;     // the character an entry names then
        const char* shownInBox;  // a message of the stored bytes, as shown
    };
    const Case cases[] = {
        {"Gr\u00FC\u00DFe",
         "Gr\xFC\xDF"
         "e",
         "",
         "Gr\u00FC\u00DF"
         "e"},
        {"\u20AC \u0160\u0153\u201E", "\x80 \x8A\x9C\x84", "",
         "\u20AC \u0160\u0153\u201E"},  // beyond Latin-1
        {"a\u0416b", nullptr, "\u0416", ""},
        {"\u0432", nullptr, "\u0432", ""},
        {"x\U0001F600", nullptr, "\U0001F600", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        const QString typed = QString::fromUtf8(c.utf8);
        QString refused;
        const auto entry = win::EntryText(typed, &refused);
        std::string named;
        const auto file = win::Utf8TextToCp1252(c.utf8, &named);
        if (c.cp1252) {
            ASSERT_TRUE(entry);
            EXPECT_EQ(*entry, c.cp1252);
            EXPECT_EQ(win::ToQt(*entry), typed);
            EXPECT_EQ(win::FromQt(typed), c.cp1252);
            EXPECT_EQ(file, std::optional<std::string>(c.cp1252));
            EXPECT_EQ(win::OsToCp1252(c.utf8), c.cp1252);
            std::string shown;
            win::ScopedMessageBoxHandler boxes([&](const win::MessageBoxCall& call) {
                shown = call.text;
                return win::MbResult::Ok;
            });
            win::MessageBox(std::string(c.cp1252), "Error");
            EXPECT_EQ(shown, c.shownInBox);
        } else {
            EXPECT_FALSE(entry);
            EXPECT_EQ(refused.toStdString(), c.refused);
            EXPECT_FALSE(file);
            EXPECT_EQ(named, c.refused);
            EXPECT_EQ(win::RefusedCharacterText(refused).toStdString(),
                      std::string("The character \"") + c.refused +
                          "\" cannot be used in this entry.  Please correct.");
        }
    }
}

TEST(Cp1252, OnlyWholeShortestFormUtf8IsTakenForUtf8) {
    EXPECT_TRUE(win::IsUtf8("plain"));
    EXPECT_TRUE(
        win::IsUtf8("Gr\xC3\xBC\xC3\x9F"
                    "e"));
    EXPECT_FALSE(
        win::IsUtf8("Gr\xFC\xDF"
                    "e"));                      // Windows-1252
    EXPECT_FALSE(win::IsUtf8("\xC0\xAF"));      // overlong "/"
    EXPECT_FALSE(win::IsUtf8("\xED\xA0\x80"));  // a surrogate
    EXPECT_FALSE(win::IsUtf8("end\xE2\x82"));   // cut short
}
