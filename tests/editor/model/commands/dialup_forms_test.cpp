#include "editor/model/commands/dialup_forms.h"

#include <gtest/gtest.h>

#include "editor/model/commands/encrypt_forms.h"
#include "form_round_trip.h"
#include "foundation/strings.h"
#include "macro/encrypted_text.h"

namespace tessaro {
namespace {

using testing::ExpectRefused;
using testing::ParsedBack;

const std::vector<std::string> kEntries{"Work VPN", "Home DSL"};

TEST(DialForm, DialAndHangParseBackAndEditUnchanged) {
    const auto dial = BuildDial(DialForm{1, "", " ann ", " s3cret U "}, kEntries, 1);
    ASSERT_TRUE(dial.ok());
    EXPECT_EQ(dial.fields.DialEntry, "Home DSL");
    EXPECT_EQ(dial.fields.DialUserName, "ann");
    EXPECT_EQ(SwapPasswordChars(dial.fields.DialPassword), "s3cret U");
    EXPECT_EQ(dial.CommandText, "<DIAL:<NAME:ann><PASS:" + SwapPasswordChars("s3cret U") + ">Home DSL>");
    EXPECT_EQ(dial.CommandText.find("s3cret"), std::string::npos);
    const LineRecord rec = ParsedBack(dial, TokenKind::Dial);
    const DialForm edited = DialPreset(std::get<TDialRec>(rec));
    EXPECT_EQ(edited.Password, "s3cret U");
    const int selected = DialInitialSelection(kEntries, false, edited.DialEntry);
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(BuildDial(edited, kEntries, selected).CommandText, dial.CommandText);

    const auto hang = BuildDial(DialForm{2, "x", "y", "z"}, {}, -1);
    EXPECT_EQ(hang.CommandText, "<HANG>");
    EXPECT_EQ(hang.fields.DialKind, 2);
    EXPECT_TRUE(hang.fields.DialEntry.empty());
    EXPECT_EQ(DialPreset(std::get<TDialRec>(ParsedBack(hang, TokenKind::Hang))).Kind, 2);
}

TEST(DialForm, Checks) {
    ExpectRefused(BuildDial(DialDefaults(), {}, -1), kNoPhoneEntry, "PhoneList");
    ExpectRefused(BuildDial(DialDefaults(), kEntries, -1), kNoPhoneEntry, "PhoneList");
    // "W" would be substituted into the ">" that ends the command.
    ExpectRefused(BuildDial(DialForm{1, "", "u", "aWb"}, kEntries, 0), testing::BadChar('W'), "Password");
    EXPECT_TRUE(BuildDial(DialForm{1, "", "u", "a>b"}, kEntries, 0).ok());  // ">" becomes "W"
    ExpectRefused(BuildDial(DialForm{1, "", "u>", ""}, kEntries, 0), testing::BadChar('>'), "UserName");
    ExpectRefused(BuildDial(DialForm{1, "", "u", ""}, {"a>b"}, 0), testing::BadChar('>'), "PhoneList");
    EXPECT_TRUE(BuildDial(DialForm{0, "", "", ""}, kEntries, 0).CommandText.empty());
}

TEST(DialForm, Preselection) {
    EXPECT_EQ(DialInitialSelection(kEntries, true, "Home DSL"), 0);
    EXPECT_EQ(DialInitialSelection(kEntries, false, "home dsl"), 1);
    EXPECT_EQ(DialInitialSelection(kEntries, false, "Gone"), -1);
    EXPECT_EQ(DialInitialSelection(kEntries, false, ""), 0);
    EXPECT_EQ(DialInitialSelection({}, true, ""), -1);
}

TEST(EncryptForm, EncipheredWithThePlayersKey) {
    const auto r = BuildEncrypt("  open sesame ", 0x5A);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.CommandText, "<ETEXT:" + r.fields.EncryptedText + ">");
    EXPECT_EQ(r.CommandText.find("open"), std::string::npos);
    EXPECT_EQ(r.fields.EncryptedText.size(), 2u + 2u * 11u);
    EXPECT_EQ(DecryptMacroText(r.fields.EncryptedText), "open sesame");
    const LineRecord rec = ParsedBack(r, TokenKind::EText);
    EXPECT_EQ(EncryptPreset(std::get<TNameRec>(rec)), "open sesame");
    EXPECT_NE(BuildEncrypt("open sesame", 0x11).CommandText, r.CommandText);  // another seed
    EXPECT_EQ(BuildEncrypt("", 1).fields.EncryptedText.size(), 2u);
    EXPECT_EQ(EncryptPreset(TNameRec{"not hex"}), "");
}

TEST(EncryptForm, TextsThatWouldNotFitAreRefused) {
    const auto longest = BuildEncrypt(std::string(kMaxEncryptedText, 'a'), 3);
    ASSERT_TRUE(longest.ok());
    EXPECT_EQ(longest.CommandText.size(), 254u);
    ParsedBack(longest, TokenKind::EText);
    const auto over = BuildEncrypt(std::string(kMaxEncryptedText + 1, 'a'), 3);
    ASSERT_TRUE(over.error);
    EXPECT_EQ(over.error->focus, "Password");
}

}  // namespace
}  // namespace tessaro
