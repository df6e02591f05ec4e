// The sent-mail log text, its index record and the index's name.
#include <gtest/gtest.h>

#include <cstring>

#include "protocol/mail_log.h"

using namespace tessaro;

TEST(MailLog, TextOfEveryList) {
    SentMail m;
    m.from = {"Ann", "ann@x"};
    m.to = {{"Bob", "bob@x"}, {"Cy", "cy@x"}};
    m.cc = {{"Di", "di@x"}, {"Ed", "ed@x"}};
    m.bcc = {{"F", "f@x"}, {"G", "g@x"}, {"H", "h@x"}};
    m.attachments = {"/a/one.txt", "/b/two.zip"};
    m.subject = "Report";
    EXPECT_EQ(MailLogText(m),
              "From: Ann <ann@x>\r\n"
              "To: Bob <bob@x>\r\n"
              "    Cy <cy@x>\r\n"
              "cc: Di <di@x>\r\n"
              "    Ed <ed@x>\r\n"
              "blind cc: F <f@x>\r\n"
              "          G <g@x>\r\n"
              "          H <h@x>\r\n"
              "Attachments: /a/one.txt\r\n"
              "             /b/two.zip\r\n"
              "Subject: Report\r\n"
              "Body: ");
    SentMail bare;
    bare.from = {"", "a@x"};
    bare.subject = "No Subject";
    bare.body = {"first", "", "third"};
    EXPECT_EQ(MailLogText(bare),
              "From:  <a@x>\r\nTo: \r\ncc: \r\nblind cc: \r\nAttachments: \r\nSubject: No Subject\r\n"
              "Body: first\r\n\r\nthird\r\n");
}

TEST(MailLog, IndexEntryBytes) {
    SentMail m;
    m.to = {{std::string(60, 'n'), "to@x"}};
    m.cc = {{"c", "c@x"}, {"d", "d@x"}};
    m.subject = "S";
    const TMailLogEntry e = MakeMailLogEntry(m, 45000.5, 1234, 99);
    unsigned char bytes[sizeof e];
    std::memcpy(bytes, &e, sizeof e);
    EXPECT_EQ(bytes[0], 50);  // cut to 50 in the index
    EXPECT_EQ(bytes[51], 4);
    EXPECT_EQ(std::memcmp(bytes + 52, "to@x", 4), 0);
    double when = 0;
    std::memcpy(&when, bytes + 102, 8);
    EXPECT_EQ(when, 45000.5);
    EXPECT_EQ(bytes[110], 1);
    EXPECT_EQ(bytes[111], 'S');
    std::int32_t start = 0, length = 0;
    std::memcpy(&start, bytes + 161, 4);
    std::memcpy(&length, bytes + 165, 4);
    EXPECT_EQ(start, 1234);
    EXPECT_EQ(length, 99);
    EXPECT_EQ(bytes[169], 0);
    EXPECT_EQ(bytes[170], 1);
    EXPECT_EQ(bytes[171], 0);
    for (int i = 172; i < 193; ++i) EXPECT_EQ(bytes[i], 0) << i;
    const TMailLogEntry none = MakeMailLogEntry(SentMail{}, 0, 0, 0);
    EXPECT_EQ(none.ToName.size(), 0u);
    EXPECT_EQ(none.ToAddress.size(), 0u);
}

TEST(MailLog, IndexName) {
    const struct {
        const char* log;
        const char* index;
    } table[] = {
        {"/h/MAILLOG.TXT", "/h/MAILLOG.MCI"},     {"/h/mail.log", "/h/mail.MCI"},
        {"/h/maillog", "/h/maillog.MCI"},         {"/h/mail.text", "/h/mail.text.MCI"},
        {"/h/MAILLOG.MCI", "/h/MAILLOG.MCI.MCI"}, {"/h/log.mci", "/h/log.mci.MCI"},
    };
    for (const auto& row : table) EXPECT_EQ(MailIndexName(row.log), row.index) << row.log;
}
