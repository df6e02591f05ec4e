#include "editor/model/macro_forms/text_aids.h"

#include <gtest/gtest.h>

#include <set>

namespace tessaro {
namespace {

QString Chars(int n) { return QString(n, 'x'); }

TEST(TokenTables, KeyEntriesAndMiscellaneousListAreComplete) {
    EXPECT_EQ(KeyTokenEntries().size(), 30u);
    std::set<std::string> tokens;
    for (const auto& e : KeyTokenEntries()) tokens.insert(e.token);
    EXPECT_EQ(tokens.size(), 30u) << "a token listed twice";
    EXPECT_STREQ(KeyTokenEntries()[18].token, "<F1>");
    EXPECT_STREQ(KeyTokenEntries()[29].token, "<F12>");
}

TEST(CheckSize, CountsStoredCharactersWithLineBreaksAsTwo) {
    EXPECT_FALSE(FitsMacroText(Chars(4995), 7));   // "<SHIFT>"
    EXPECT_TRUE(FitsMacroText(Chars(4995), 5));    // "<END>"
    EXPECT_FALSE(FitsMacroText(Chars(4991), 10));  // "<UP ARROW>"
    EXPECT_TRUE(FitsMacroText(Chars(4991), 9));
    // 4,993 typed characters with one line break are 4,994 stored ones.
    const QString withBreak = Chars(4000) + "\n" + Chars(992);
    EXPECT_EQ(StoredLength(withBreak), 4994);
    EXPECT_TRUE(FitsMacroText(withBreak, 6));
    EXPECT_FALSE(FitsMacroText(withBreak, 7));
}

TEST(SetIt, InsertsAtTheCaretKeepingTheSelectionText) {
    const Insertion i = InsertAt("hello world", 6, "<TAB>");
    EXPECT_EQ(i.text, "hello <TAB>world");
    EXPECT_EQ(i.caret, 11);
    EXPECT_EQ(InsertAt("ab", 99, "<F1>").text, "ab<F1>");
    EXPECT_EQ(InsertAt("", 0, "<F1>").caret, 4);
}

TEST(FindAgain, ResumesRightAfterEachMatchAndWrapsAfterAMiss) {
    SearchState s{0, "ab"};
    const QString text = "abab";
    SearchHit h = SearchFrom(text, s);
    ASSERT_TRUE(h.found);
    EXPECT_EQ(h.start, 0);
    h = SearchFrom(text, s);
    ASSERT_TRUE(h.found) << "the second of two adjacent matches must be met";
    EXPECT_EQ(h.start, 2);
    EXPECT_EQ(h.length, 2);
    EXPECT_FALSE(SearchFrom(text, s).found);
    EXPECT_EQ(s.pos, 0);
    EXPECT_EQ(SearchFrom(text, s).start, 0) << "after a miss the search starts at the top";

    SearchState overlapping{0, "aa"};
    EXPECT_EQ(SearchFrom("aaa", overlapping).start, 0);
    EXPECT_FALSE(SearchFrom("aaa", overlapping).found);
}

TEST(FindAgain, IgnoresAsciiCaseAndNeverFindsTheEmptyText) {
    SearchState s{0, "HeLLo"};
    EXPECT_EQ(SearchFrom("say hello", s).start, 4);
    SearchState empty;
    EXPECT_FALSE(SearchFrom("anything", empty).found);
    SearchState accented{0, QString::fromUtf8("\xc3\xa9")};  // é does not match É
    EXPECT_FALSE(SearchFrom(QString::fromUtf8("\xc3\x89"), accented).found);
}

TEST(StoredText, TabsLineBreaksAndCharactersOutsideTheCodePage) {
    StoredText s = ToStoredText("a\tb\nc", true);
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.bytes, "a<TAB>b\r\nc");
    EXPECT_EQ(ToStoredText("a\tb", false).bytes, "a\tb");
    s = ToStoredText(QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac"), true);  // é and € exist in 1252
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.bytes, "caf\xe9 \x80");
    s = ToStoredText(QString::fromUtf8("ok \xe2\x86\x92 \xe4\xb8\xad"), true);  // → then 中
    EXPECT_FALSE(s.ok);
    EXPECT_TRUE(s.bytes.empty());
    EXPECT_TRUE(s.problem.contains(QString::fromUtf8("\xe2\x86\x92")));
    EXPECT_TRUE(s.problem.contains("U+2192"));
    EXPECT_EQ(FromStoredText("a\r\nb\nc\xe9"), QString::fromUtf8("a\nb\nc\xc3\xa9"));
}

TEST(StoredText, ThousandTabsGrowByFourThousand) {
    const StoredText s = ToStoredText(QString(1000, '\t'), true);
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.bytes.size(), 5000u);
}

}  // namespace
}  // namespace tessaro

#include "editor/model/macro_forms/command_entries.h"

namespace tessaro {
namespace {

TEST(CommandEntries, ThirtySixEntriesAndTheTextBoxAssembly) {
    ASSERT_EQ(CommandEntries().size(), 36u);
    EXPECT_STREQ(CommandEntries()[8].dialog, "TDoDialup");
    EXPECT_EQ(CommandEntries()[8].preset, CommandPreset::DialUp);
    EXPECT_EQ(TextBoxToken("Hi", "there"), "<TBOX:<HEAD:Hi>there>");
    EXPECT_EQ(TextBoxInsertSize("Hi", "there"), 2 + 15 + 5 + 1);
    EXPECT_EQ(EMailInsertSize(std::string(300, 'e')), 301);
    EXPECT_EQ(TextBoxProblem("Hi", "a < b"), "") << "\"<\" ends nothing and stays allowed";
    EXPECT_NE(TextBoxProblem("A>B", "x"), "");
    EXPECT_NE(TextBoxProblem("Hi", "1 > 0"), "");
}

}  // namespace
}  // namespace tessaro
