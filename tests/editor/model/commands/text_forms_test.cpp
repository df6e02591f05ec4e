#include "editor/model/commands/text_forms.h"

#include <gtest/gtest.h>

#include "parse_back.h"

namespace tessaro {
namespace {

using testing::ExpectParsesBack;

TEST(TypedText, CheckSizeAtTheLimit) {
    EXPECT_TRUE(FitsTypedText(4995, std::string_view("<F1>").size()));      // 4999
    EXPECT_FALSE(FitsTypedText(4995, std::string_view("<ENTER>").size()));  // 5002
    EXPECT_TRUE(FitsTypedText(4993, 7));
}

TEST(TypedText, InsertKeepsTheSelectionAndPutsTheCaretAfter) {
    const Inserted r = InsertAtCaret("hello world", 5, "<ENTER>");
    EXPECT_EQ(r.text, "hello<ENTER> world");
    EXPECT_EQ(r.caret, 12u);
    EXPECT_EQ(InsertAtCaret("ab", 99, "x").text, "abx");  // a caret past the end appends
}

TEST(TypedText, UpdateTabsLineBreaksAndTheLimit) {
    EXPECT_EQ(UpdateTypedText("a\tb\nc").TextBuffer, "a<TAB>b\r\nc");
    EXPECT_EQ(UpdateTypedText("a\r\nb").TextBuffer, "a\r\nb");
    const std::string exact(5000, 'x');
    const UpdatedText five = UpdateTypedText(exact);
    EXPECT_FALSE(five.truncated);
    EXPECT_EQ(five.TextBuffer, exact);
    const UpdatedText over = UpdateTypedText(exact + "y");
    EXPECT_TRUE(over.truncated);
    EXPECT_EQ(over.TextBuffer, exact);
    // The five characters of a Tab count toward the limit.
    const UpdatedText tabbed = UpdateTypedText(std::string(4996, 'x') + "\t");
    EXPECT_TRUE(tabbed.truncated);
    EXPECT_EQ(tabbed.TextBuffer, std::string(4996, 'x') + "<TAB");
    // A megabyte pasted in is cut, never copied whole.
    const UpdatedText huge = UpdateTypedText(std::string(1 << 20, 'z'));
    EXPECT_EQ(huge.TextBuffer.size(), 5000u);
    EXPECT_EQ(TruncationNotice(),
              "The size of the macro exceeds the 5000 character limit.  The macro will be truncated to 5000 "
              "characters.");
}

// A stored text (a text file's, edited as lines) keeps its own line breaks and tab bytes.
TEST(TypedText, AStoredTextKeepsItsBytesUnchangedAndItsStyleWhenEdited) {
    const std::string lf = "first\n\tindented\nlast\n";
    const std::string memo = TypedTextPreset(TTextRec{lf});
    EXPECT_EQ(memo, lf);
    EXPECT_EQ(UpdateStoredText(memo, memo, lf).TextBuffer, lf);
    const UpdatedText edited = UpdateStoredText(memo + "more\tto\ncome", memo, lf);
    EXPECT_EQ(edited.TextBuffer, lf + "more\tto\ncome");
    EXPECT_FALSE(edited.truncated);

    const std::string crlf = "a\r\nb";
    EXPECT_EQ(UpdateStoredText("a\nb\nc\td", "a\nb", crlf).TextBuffer, "a\r\nb\r\nc<TAB>d");
    EXPECT_EQ(UpdateStoredText("a\nb!", "a\nb", "a\rb").TextBuffer, "a\rb!");
    // Mixed breaks, or a text longer than a macro holds, come back whole while unchanged.
    const std::string mixed = "x\r\ny\nz\r" + std::string(6000, 'w');
    const std::string shown = TypedTextPreset(TTextRec{mixed});
    const UpdatedText kept = UpdateStoredText(shown, shown, mixed);
    EXPECT_EQ(kept.TextBuffer, mixed);
    EXPECT_FALSE(kept.truncated);

    EXPECT_EQ(StyleOfTypedText("no breaks").LineBreak, "\r\n");
    EXPECT_FALSE(StyleOfTypedText("a<TAB>b").TabBytes);
    EXPECT_EQ(StyleOfTypedText("end\r").LineBreak, "\r");
    // What a text does not show comes from the file it belongs to.
    const TypedTextStyle file{"\n", true};
    EXPECT_EQ(StyleOfTypedText("no breaks", file).LineBreak, "\n");
    EXPECT_TRUE(StyleOfTypedText("no tabs", file).TabBytes);
    EXPECT_EQ(StyleOfTypedText("own\r\n", file).LineBreak, "\r\n");
    EXPECT_EQ(UpdateStoredText("a\nb", "a", "a", kMaxTypedText, file).TextBuffer, "a\nb");
}

TEST(TypedText, KeyTokensSymbolsAndAltCodesStayOneTextLine) {
    std::string memo = "Dear Sir,\n";
    for (const TokenButton& b : kTokenButtons) memo += std::string(b.text);
    for (const MiscEntry& m : kMiscEntries) memo += std::string(m.text);
    memo += "\xE9<ALT:065><ALT4:0225>\x80";
    const auto r = BuildTypedText(memo);
    ExpectParsesBack(r, TokenKind::None);
    EXPECT_EQ(TypedTextPreset(std::get<TTextRec>(r.record)), memo);
    EXPECT_TRUE(
        testing::SameRecord(BuildTypedText(TypedTextPreset(std::get<TTextRec>(r.record))).record, r.record));
}

TEST(TypedText, EveryButtonAndMiscEntryIsAKeyTheRecogniserKnows) {
    for (const TokenButton& b : kTokenButtons) {
        const Token t = Recognise(b.text, 0);
        EXPECT_NE(t.kind, TokenKind::None) << b.text;
        EXPECT_EQ(t.length, b.text.size()) << b.text;
    }
    for (const MiscEntry& m : kMiscEntries) {
        const Token t = Recognise(m.text, 0);
        EXPECT_NE(t.kind, TokenKind::None) << m.text;
        EXPECT_EQ(t.length, m.text.size()) << m.text;
        EXPECT_LE(m.name.size(), 12u);
    }
}

TEST(Search, FindAgainWalksThenRestarts) {
    const std::string memo = "abAB";
    auto first = FindFrom(memo, 0, "ab");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->start, 0u);
    auto second = FindFrom(memo, first->nextFrom, "ab");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->start, 2u);
    EXPECT_FALSE(FindFrom(memo, second->nextFrom, "ab"));
    EXPECT_EQ(NotFoundMessage("ab"), "\"ab\" was not found.");
    // Only a-z fold: accented letters compare as they are.
    EXPECT_FALSE(FindFrom("\xC9t\xE9", 0, "\xE9T\xE9"));
    EXPECT_TRUE(FindFrom("\xE9T\xE9", 0, "\xE9t\xE9"));
}

TEST(Search, ReplaceCountsAndNeverRescansTheReplacement) {
    const Replaced r = ReplaceAll("aXa xa", "a", "aa");
    EXPECT_EQ(r.text, "aaXaa xaa");
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(ReplacedMessage("a", 3), "\"a\" was replaced 3 times.");
    EXPECT_EQ(ReplaceAll("none", "z", "y").count, 0);
    const SearchFields f = ConfirmSearch({std::string(300, 'q'), ""});
    EXPECT_TRUE(f.SearchConfirmed);
    EXPECT_EQ(f.FindText.size(), 255u);
    EXPECT_FALSE(ConfirmSearch({"", "x"}).SearchConfirmed);
}

TEST(Symbols, GridIsColumnMajorFrom128) {
    EXPECT_EQ(SymbolAt(0, 0), 128);
    EXPECT_EQ(SymbolAt(0, 1), 129);
    EXPECT_EQ(SymbolAt(1, 0), 136);
    EXPECT_EQ(SymbolAt(15, 7), 255);
    for (int x = 0; x < kSymbolColumns; ++x)
        for (int y = 0; y < kSymbolRows; ++y) ExpectParsesBack(BuildSymbol(x, y), TokenKind::None);
}

}  // namespace
}  // namespace tessaro
