// Reply lines, reply codes, server text and port choice, error texts.
#include <gtest/gtest.h>

#include <random>

#include "mail/dot_stuffing.h"
#include "mail/mail_error.h"
#include "mail/reply_lines.h"
#include "mail/server_address.h"

using namespace tessaro::mail;

namespace {

std::vector<std::string> Lines(ReplyLineReader& r) {
    std::vector<std::string> out;
    while (auto l = r.TakeLine()) out.push_back(*l);
    return out;
}

}  // namespace

TEST(ReplyLines, EndsAndBounds) {
    ReplyLineReader r;
    r.Feed("250-first\r\n250 last\r\r\n");
    r.Feed("partial");
    EXPECT_EQ(Lines(r), (std::vector<std::string>{"250-first", "250 last"}));
    EXPECT_EQ(r.Pending(), 7u);
    r.Feed(std::string(5000, 'x'));
    EXPECT_EQ(r.Pending(), kMaxReplyLine);
    r.Feed("tail\nnext\n");
    const auto lines = Lines(r);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), kMaxReplyLine);
    EXPECT_EQ(lines[1], "next");
    r.Feed(std::string("a\0b\n", 4));
    EXPECT_EQ(Lines(r), (std::vector<std::string>{std::string("a\0b", 3)}));
}

TEST(ReplyLines, AnyChunkingGivesTheSameBoundedLines) {
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        const int n = static_cast<int>(rng() % 5000);
        for (int i = 0; i < n; ++i) {
            const unsigned pick = rng() % 20;
            bytes.push_back(pick == 0 ? '\n' : pick == 1 ? '\r' : static_cast<char>(rng() % 256));
        }
        ReplyLineReader whole;
        whole.Feed(bytes);
        const auto expected = Lines(whole);
        ReplyLineReader pieces;
        std::vector<std::string> got;
        for (std::size_t p = 0; p < bytes.size();) {
            const std::size_t k = std::min<std::size_t>(bytes.size() - p, 1 + rng() % 1500);
            pieces.Feed(std::string_view(bytes).substr(p, k));
            for (auto& l : Lines(pieces)) got.push_back(l);
            p += k;
        }
        EXPECT_EQ(got, expected);
        for (const auto& l : got) {
            EXPECT_LE(l.size(), kMaxReplyLine);
            EXPECT_EQ(l.find('\n'), std::string::npos);
        }
    }
}

TEST(ReplyCodes, FirstThreeCharactersAndGrouping) {
    const struct {
        const char* line;
        int code;
    } table[] = {{"250 ok", 250}, {"250", 250},  {"25", 25},       {"abc", -1},
                 {"", -1},        {"2x0 y", -1}, {"421-busy", 421}};
    for (const auto& row : table) EXPECT_EQ(GetReplyCode(row.line), row.code) << row.line;
    EXPECT_TRUE(OpensMultiLineReply("250-a"));
    EXPECT_FALSE(OpensMultiLineReply("250 a"));
    EXPECT_FALSE(OpensMultiLineReply("abc-"));
    EXPECT_TRUE(EndsMultiLineReply("250 done", 250));
    EXPECT_TRUE(EndsMultiLineReply("250", 250));
    EXPECT_FALSE(EndsMultiLineReply("250-more", 250));
    EXPECT_FALSE(EndsMultiLineReply("251 other", 250));
}

TEST(ServerText, HostPortAndTheChoiceOfPort) {
    const struct {
        const char* server;
        const char* host;
        std::uint16_t port;
    } split[] = {{"mail.example:2525", "mail.example", 2525},
                 {"mail.example", "mail.example", 0},
                 {"h:0", "h", 0},
                 {"h:abc", "h", 0},
                 {"h:70000", "h", 0},
                 {":25", "", 25}};
    for (const auto& row : split) {
        const ServerText s = SplitServer(row.server);
        EXPECT_EQ(s.host, row.host) << row.server;
        EXPECT_EQ(s.port, row.port) << row.server;
    }
    EXPECT_EQ(ChoosePort(2525, 26, 25), 2525);
    EXPECT_EQ(ChoosePort(0, 26, 25), 26);
    EXPECT_EQ(ChoosePort(0, 0, 25), 25);
    EXPECT_EQ(ChoosePort(0, 0, std::nullopt), 0);
    EXPECT_EQ(LookUpService("smtp"), std::optional<std::uint16_t>(25));
    EXPECT_EQ(LookUpService("no-such-service-here"), std::nullopt);
    EXPECT_EQ(ParseIPv4("127.0.0.1"), std::optional<std::uint32_t>(0x7f000001));
    for (const char* bad : {"127.0.0", "1.2.3.4.5", "256.1.1.1", "a.b.c.d", "", "1..2.3"})
        EXPECT_EQ(ParseIPv4(bad), std::nullopt) << bad;
}

TEST(ErrorTexts, StringTableAndUnknownCodes) {
    EXPECT_EQ(MailErrorText(57000), "Operation timed out");
    EXPECT_EQ(MailErrorText(10061), "[10061] Connection refused");
    EXPECT_EQ(MailErrorText(10054), "[10054] Connection reset by peer");
    EXPECT_EQ(MailErrorText(57101), "At least one Recipient, CC or BCC must be entered");
    EXPECT_EQ(MailErrorText(12345), "Error #12345");
}

TEST(DotStuffing, EveryLineStartingWithADotAcrossPieces) {
    DotStuffer s;
    std::string out = s.Stuff(".a\r\nb.\r\n");
    out += s.Stuff(".");
    out += s.Stuff("profile\r\n.\r\n");
    EXPECT_EQ(out, "..a\r\nb.\r\n..profile\r\n..\r\n");
}
