#include "editor/model/tools/mail_log_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "protocol/mail_log.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

void Append(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
}

std::string Bytes(const TMailLogEntry& e) { return std::string(reinterpret_cast<const char*>(&e), sizeof e); }

struct LogFixture {
    testing::TempDir dir;
    std::string log = dir.file("SENT.LOG");
    std::string index = MailIndexName(log);

    TMailLogEntry Log(const std::string& text, SentMail mail) {
        std::ifstream in(log, std::ios::binary | std::ios::ate);
        const auto start = in ? static_cast<std::int32_t>(in.tellg()) : 0;
        Append(log, text);
        return MakeMailLogEntry(mail, 45000.5, start, static_cast<std::int32_t>(text.size()));
    }
};

TEST(MailLogView, RowsCarryTheFirstRecipientAndFlagsAndShowTheirText) {
    LogFixture f;
    SentMail first;
    first.to = {{"Ann", "ann@example.org"}, {"Bob", "bob@example.org"}};
    first.cc = {{"Cy", "cy@example.org"}};
    first.subject = "Hello";
    SentMail second;
    second.to = {{"Dee", "dee@example.org"}};
    second.attachments = {"/tmp/a"};
    Append(f.index, Bytes(f.Log("one\r\n", first)) + Bytes(f.Log("two\r\n", second)));
    Append(f.index, "partial");

    const MailLogIndex index = ReadMailLogIndex(f.log);
    ASSERT_FALSE(index.NoRecords);
    ASSERT_EQ(index.Rows.size(), 2u);
    EXPECT_EQ(index.Rows[0].Name, "Ann");
    EXPECT_EQ(index.Rows[0].Subject, "Hello");
    EXPECT_TRUE(index.Rows[0].CC);
    EXPECT_FALSE(index.Rows[0].Attachments);
    EXPECT_FALSE(index.Rows[0].BCC);
    EXPECT_TRUE(index.Rows[1].Attachments);
    EXPECT_FALSE(index.Rows[0].When.empty());

    std::string text, error;
    ASSERT_TRUE(ReadLoggedMessage(f.log, index, 1, text, error)) << error;
    EXPECT_EQ(text, "two\r\n");
}

TEST(MailLogView, NothingLoggedGivesOneEmptyRowAndItsMessage) {
    LogFixture f;
    const MailLogIndex index = ReadMailLogIndex(f.log);
    EXPECT_TRUE(index.NoRecords);
    ASSERT_EQ(index.Rows.size(), 1u);
    std::string text, error;
    EXPECT_FALSE(ReadLoggedMessage(f.log, index, 0, text, error));
    EXPECT_EQ(error, "There are no logged e-mail records to review.");
}

TEST(MailLogView, DamagedEntriesReportTheTruncationNeverReadingBeyond) {
    LogFixture f;
    SentMail m;
    m.to = {{"Ann", "a@b"}};
    TMailLogEntry ok = f.Log("message\r\n", m);
    TMailLogEntry beyond = ok;
    beyond.LogStart = 1 << 30;
    TMailLogEntry negative = ok;
    negative.LogStart = -5;
    TMailLogEntry huge = ok;
    huge.LogLength = std::numeric_limits<std::int32_t>::max();
    TMailLogEntry nan = ok;
    nan.SentAt = std::numeric_limits<double>::quiet_NaN();
    Append(f.index, Bytes(beyond) + Bytes(negative) + Bytes(huge) + Bytes(nan));
    const MailLogIndex index = ReadMailLogIndex(f.log);
    ASSERT_EQ(index.Rows.size(), 4u);
    for (std::size_t row = 0; row < 3; ++row) {
        std::string text, error;
        EXPECT_FALSE(ReadLoggedMessage(f.log, index, row, text, error));
        EXPECT_EQ(error, "EMail log file has been truncated.  Entry no longer available.");
        EXPECT_TRUE(text.empty());
    }
    EXPECT_EQ(index.Rows[3].When, "");
    std::string text, error;
    EXPECT_FALSE(ReadLoggedMessage(f.dir.file("gone.log"), index, 3, text, error));
    EXPECT_EQ(error, "Unable to open EMail Log File.");
}

TEST(MailLogView, MidnightShowsTheDateOnly) {
    EXPECT_EQ(MailLogWhen(45000.0).find(':'), std::string::npos);
    EXPECT_NE(MailLogWhen(45000.5).find(':'), std::string::npos);
    EXPECT_EQ(MailLogWhen(1e300), "");
}

TEST(MailOptions, PortsAreWholeNumbersFromOneTo65535) {
    std::int32_t port = 0;
    std::string error;
    EXPECT_TRUE(ReadMailPort("  587 ", port, error));
    EXPECT_EQ(port, 587);
    EXPECT_TRUE(ReadMailPort("65535", port, error));
    for (const char* bad : {"", "2x", "-25", "0", "65536", "999999", " 2 5"}) {
        EXPECT_FALSE(ReadMailPort(bad, port, error)) << bad;
        EXPECT_EQ(error, "Invalid port specified.  Normal port number for e-mail is 25.");
    }
}

}  // namespace
}  // namespace tessaro
