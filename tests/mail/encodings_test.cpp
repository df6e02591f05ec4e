// Golden bytes of the text encodings, and quoted-printable both ways.
#include <gtest/gtest.h>

#include <random>

#include "mail/encodings.h"
#include "mail/mail_error.h"
#include "mail/message_parts.h"

using namespace tessaro::mail;
using Lines = std::vector<std::string>;

TEST(Base64, BlocksOf57BytesAndTheirLastLine) {
    EXPECT_EQ(Base64("Man"), "TWFu");
    EXPECT_EQ(Base64("Ma"), "TWE=");
    EXPECT_EQ(Base64("M"), "TQ==");
    EXPECT_EQ(Base64("\xff\xfe\xfd"), "//79");
    const std::string b57(57, 'a');
    const Lines l57 = EncodeBase64Lines(b57);
    ASSERT_EQ(l57.size(), 2u);
    EXPECT_EQ(l57[0].size(), 76u);
    EXPECT_EQ(l57[1], "");
    const Lines l59 = EncodeBase64Lines(std::string(59, 'a'));
    ASSERT_EQ(l59.size(), 2u);
    EXPECT_EQ(l59[1], "YWE=");
    EXPECT_EQ(EncodeBase64Lines(""), Lines{""});
}

TEST(Uuencode, LengthCharacterAndShortLastLine) {
    const Lines l45 = EncodeUuLines(std::string(45, 'a'));
    ASSERT_EQ(l45.size(), 2u);
    EXPECT_EQ(l45[0].size(), 61u);
    EXPECT_EQ(l45[0][0], 'M');
    EXPECT_EQ(l45[1], "`");
    // "Cat" is the classic example: #0V%T
    EXPECT_EQ(EncodeUuLines("Cat"), Lines{"#0V%T"});
    // One byte: length '!', 4/3 + 1 = 2 characters.
    EXPECT_EQ(EncodeUuLines("a"), Lines{"!80"});
    // 14 bytes of dots: the line starts with "." and must survive the transfer as is.
    const Lines l14 = EncodeUuLines(std::string(14, '\0'));
    EXPECT_EQ(l14[0], "." + std::string(19, '`'));
    const Lines l59 = EncodeUuLines(std::string(59, 'b'));
    ASSERT_EQ(l59.size(), 2u);
    EXPECT_EQ(l59[1][0], static_cast<char>(14 + 32));
    EXPECT_EQ(l59[1].size(), 1u + 14 * 4 / 3 + 1);
}

TEST(QuotedPrintable, CutsAtBlanksEscapesAndDecodesBack) {
    EXPECT_EQ(EncodeQuotedPrintable("a=b\tc\xe9"), Lines{"a=3Db=09c=E9"});
    EXPECT_EQ(EncodeQuotedPrintable("one\r\n\r\ntwo\nthree\rfour\n\rfive"),
              (Lines{"one", "", "two", "three", "four", "five"}));
    std::string words;
    for (int i = 0; i < 30; ++i) words += "word" + std::to_string(i) + " ";
    const Lines cut = EncodeQuotedPrintable(words);
    ASSERT_GT(cut.size(), 1u);
    for (std::size_t i = 0; i + 1 < cut.size(); ++i) {
        EXPECT_LE(cut[i].size(), 66u);
        EXPECT_EQ(cut[i].back(), '=');
        EXPECT_EQ(cut[i + 1][0], ' ');  // the blank begins the next piece
    }
    const Lines hard = EncodeQuotedPrintable(std::string(130, 'x'));
    EXPECT_EQ(hard, (Lines{std::string(65, 'x') + "=", std::string(65, 'x')}));
    // Soft breaks carry a paragraph of any length, with or without blanks, and it comes back whole.
    std::string longWords;
    while (longWords.size() < 30000) longWords += "long=line\xe9 ";
    for (const std::string& paragraph : {std::string(30000, 'x'), longWords}) {
        const Lines pieces = EncodeQuotedPrintable(paragraph + "\r\nnext");
        ASSERT_GT(pieces.size(), 400u);
        for (const std::string& piece : pieces)
            EXPECT_LE(piece.size(), 65u * 3 + 1);  // all escaped, soft "="
        EXPECT_EQ(DecodeQuotedPrintable(pieces), paragraph + "\r\nnext\r\n");
    }

    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        std::string text;
        const int lines = 1 + static_cast<int>(rng() % 6);
        for (int l = 0; l < lines; ++l) {
            const int n = static_cast<int>(rng() % 200);
            for (int i = 0; i < n; ++i) {
                char c = static_cast<char>(rng() % 256);
                if (c == '\r' || c == '\n') c = ' ';
                text.push_back(c);
            }
            text += "\r\n";
        }
        EXPECT_EQ(DecodeQuotedPrintable(EncodeQuotedPrintable(text)), text);
    }
    EXPECT_EQ(DecodeQuotedPrintable({"a=ZZb=", "c"}), "a=ZZbc\r\n");
}

TEST(HeaderWord, OnlyTextStartingWithEscapeIsEncoded) {
    EXPECT_EQ(EncodedHeaderWord("plain"), "plain");
    EXPECT_EQ(EncodedHeaderWord("\x1b$B"), "=?ISO-2022-JP?B?GyRC?=");
}

TEST(TextLines, EveryKindOfLineEndIsOneEnd) {
    EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd\n\re\r\n"), (Lines{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(SplitTextLines("a\n\nb"), (Lines{"a", "", "b"}));
    EXPECT_TRUE(SplitTextLines("").empty());
}

namespace tessaro::mail {
namespace {

// What a receiver makes of quoted-printable lines sent each with CR LF: soft breaks go,
// "=XX" is its byte, the other line ends stay CR LF.
std::string Received(const std::vector<std::string>& lines) {
    std::string wire;
    for (const std::string& l : lines) wire += l + "\r\n";
    std::string out;
    for (std::size_t i = 0; i < wire.size(); ++i) {
        if (wire.compare(i, 3, "=\r\n") == 0) {
            i += 2;
        } else if (wire[i] == '=') {
            out += static_cast<char>(std::stoi(wire.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += wire[i];
        }
    }
    return out;
}

TEST(QuotedPrintable, FileContentComesBackByteForByte) {
    for (const std::string& content :
         {std::string("no end"), std::string("crlf\r\n"), std::string("lf\nonly\n"), std::string("cr\ronly"),
          std::string("a\r\n\r\nb"), std::string(""), std::string("blank at end \r\n"),
          std::string(150, 'w') + " " + std::string(70, 'v'), std::string("\r\n")}) {
        const auto lines = EncodeQuotedPrintableExact(content);
        EXPECT_EQ(Received(lines), content) << content;
        for (const std::string& l : lines) {
            EXPECT_LE(l.size(), 76u);
            EXPECT_TRUE(l.empty() || (l.back() != ' ' && l.back() != '\t')) << l;
        }
    }
    // A file's CR LF stays a line break of the text.
    EXPECT_EQ(EncodeQuotedPrintableExact("one\r\ntwo\r\n"), (std::vector<std::string>{"one", "two"}));
}

TEST(HeaderLines, LongOnesAreFoldedBeforeABlankWithinTheLimit) {
    const std::string words = "Subject:" + [] {
        std::string s;
        for (int i = 0; i < 300; ++i) s += " word" + std::to_string(i % 10);
        return s;
    }();
    const auto folded = FoldHeaderLine(words);
    ASSERT_GT(folded.size(), 1u);
    std::string joined;
    for (const std::string& l : folded) {
        EXPECT_LE(l.size(), kMaxHeaderLine);
        joined += l;
    }
    EXPECT_EQ(joined, words);
    for (std::size_t i = 1; i < folded.size(); ++i) EXPECT_EQ(folded[i].front(), ' ');
    EXPECT_EQ(FoldHeaderLine("To: short"), std::vector<std::string>{"To: short"});
    // No blank to fold at: cut at the limit, a blank starting the next line.
    const auto hard = FoldHeaderLine("X-Long:" + std::string(2500, 'z'));
    ASSERT_EQ(hard.size(), 3u);
    for (const std::string& l : hard) EXPECT_LE(l.size(), kMaxHeaderLine);
    EXPECT_EQ(hard[1].front(), ' ');
}

}  // namespace
}  // namespace tessaro::mail
