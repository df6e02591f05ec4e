// The e-mail token's fields, tag by tag, and tokens that end early.
#include <gtest/gtest.h>

#include <random>

#include "player/commands/email/email_token.h"

using namespace tessaro;

namespace {

std::vector<std::string> Addresses(const std::vector<EmailRecipient>& list) {
    std::vector<std::string> out;
    for (const auto& r : list) out.push_back(r.name + "|" + r.address);
    return out;
}

}  // namespace

TEST(EmailToken, EveryFieldInItsPlace) {
    const EmailCommand c = ReadEmailToken(
        "<EMAIL:RYR1TOAnn|a@x;Bob|b@x;\x01"
        "CCc@x;\x01"
        "BLDi|d@x;\x01S1body>text\x01subj\x01"
        "A2/f/one.txt;/f/two;\x01>");
    EXPECT_TRUE(c.receipt);
    EXPECT_FALSE(c.askRecipients);
    EXPECT_EQ(Addresses(c.to), (std::vector<std::string>{"Ann|a@x", "Bob|b@x"}));
    EXPECT_EQ(Addresses(c.cc), (std::vector<std::string>{"|c@x"}));  // no "|": an address
    EXPECT_EQ(Addresses(c.bcc), (std::vector<std::string>{"Di|d@x"}));
    EXPECT_EQ(c.textTag, "S1");
    EXPECT_EQ(c.body, "body>text");
    EXPECT_EQ(c.subject, "subj");
    EXPECT_EQ(c.attachTag, "A2");
    EXPECT_EQ(c.paths, (std::vector<std::string>{"/f/one.txt", "/f/two"}));
}

TEST(EmailToken, TagsPerSource) {
    const struct {
        const char* token;
        bool receipt, ask;
        const char* textTag;
        const char* body;
        const char* path;
        const char* subject;
        const char* attach;
    } table[] = {
        {"<EMAIL:RNR2S2A3>", false, true, "S2", "", "", "", "A3"},
        {"<EMAIL:RXR1CCx@y;\x01S3Sub\x01"
         "A1>",
         false, false, "S3", "", "", "Sub", "A1"},
        {"<EMAIL:RYR1S4/t/b.txt\x01\x01"
         "A1>",
         true, false, "S4", "", "/t/b.txt", "", "A1"},
        {"<EMAIL:RNR1TOa@b;\x01S1\x01\x01"
         "A1>",
         false, false, "S1", "", "", "", "A1"},
    };
    for (const auto& row : table) {
        const EmailCommand c = ReadEmailToken(row.token);
        EXPECT_EQ(c.receipt, row.receipt) << row.token;
        EXPECT_EQ(c.askRecipients, row.ask) << row.token;
        EXPECT_EQ(c.textTag, row.textTag) << row.token;
        EXPECT_EQ(c.body, row.body) << row.token;
        EXPECT_EQ(c.bodyPath, row.path) << row.token;
        EXPECT_EQ(c.subject, row.subject) << row.token;
        EXPECT_EQ(c.attachTag, row.attach) << row.token;
    }
}

TEST(EmailToken, ListsWithoutSemicolonOrEndAndTruncatedTokens) {
    std::string_view list = "a@b;c@d\x01rest";
    EXPECT_EQ(ReadItems(list), (std::vector<std::string>{"a@b", "c@d"}));
    EXPECT_EQ(list, "rest");
    std::string_view open = "x|y@z";
    EXPECT_EQ(ReadItems(open), std::vector<std::string>{"x|y@z"});
    EXPECT_EQ(Recipients(std::string("\x01")).size(), 0u);
    const EmailCommand cut = ReadEmailToken("<EMAIL:RYR1TOa@b;c@d");
    EXPECT_EQ(Addresses(cut.to), (std::vector<std::string>{"|a@b", "|c@d"}));
    EXPECT_EQ(cut.textTag, "");
    const EmailCommand paths = ReadEmailToken(
        "<EMAIL:RNR1TOa@b;\x01S1b\x01s\x01"
        "A2/x/one;/x/two>");
    EXPECT_EQ(paths.paths, (std::vector<std::string>{"/x/one", "/x/two"}));
    for (const char* t : {"", "<EMAIL:", "<EMAIL:R", "<EMAIL:RNR1T", "<EMAIL:RNR1TO", "<EMAIL:RNR1S1"}) {
        const EmailCommand c = ReadEmailToken(t);
        EXPECT_TRUE(c.to.empty()) << t;
    }
}

TEST(EmailToken, AnyBytesReadWithoutFault) {
    std::mt19937 rng(3);
    const std::string alphabet = std::string("RYNS1234ATOCBL|;>x@\x01", 20);
    for (int round = 0; round < 5000; ++round) {
        std::string token = "<EMAIL:";
        const int n = static_cast<int>(rng() % 60);
        for (int i = 0; i < n; ++i) token.push_back(alphabet[rng() % alphabet.size()]);
        const EmailCommand c = ReadEmailToken(token);
        for (const auto& r : c.to) EXPECT_EQ(r.address.find(';'), std::string::npos);
        for (const auto& p : c.paths) EXPECT_EQ(p.find('\x01'), std::string::npos);
    }
}
