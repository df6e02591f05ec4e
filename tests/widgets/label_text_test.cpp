#include "widgets/label_text.h"

#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(LabelText, CaptionShownDropsMarksAndTakesEachBreakOnce) {
    EXPECT_EQ(CaptionShown("&Enter Text, Symbols, Keystrokes"), "Enter Text, Symbols, Keystrokes");
    EXPECT_EQ(CaptionShown("     Headers && Footers"), "     Headers & Footers");
    EXPECT_EQ(CaptionShown("one\n\r     two\r\nthree\nfour\rfive"), "one\n     two\nthree\nfour\nfive");
    EXPECT_EQ(CaptionShown("last\n\r"), "last\n");
    EXPECT_EQ(CaptionShown("trailing &"), "trailing ");
    EXPECT_EQ(CaptionShown("&&&x"), "&x");
    EXPECT_EQ(CaptionShown(""), "");
}

TEST(LabelText, CaptionUnderlinedUnderlinesTheMarkedLetterOnly) {
    QTextDocument doc;
    doc.setHtml(CaptionUnderlined("Insert &Date <current> && more"));
    EXPECT_EQ(doc.toPlainText(), "Insert Date <current> & more");
    const auto underlined = [&](int at) {
        QTextCursor c(&doc);
        c.setPosition(at + 1);
        return c.charFormat().fontUnderline();
    };
    EXPECT_TRUE(underlined(7)) << "D";
    EXPECT_FALSE(underlined(8));
    EXPECT_FALSE(underlined(0));
}

}  // namespace
}  // namespace tessaro
