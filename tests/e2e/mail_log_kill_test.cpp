// The sent-mail log and its index as a macro that sends mail leaves them: killed at any
// moment the log holds whole messages (and at most a part of the next, which the next message
// takes away) and no entry of the index points past them; on a full
// disk the mail goes out, the player says the log could not keep it, and both files keep
// their bytes.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>

#include "protocol/mail_log.h"
#include "tests/mail/smtp_test_server.h"
#include "tests/support/qt_core_app.h"
#include "tests/support/unpacked.h"
// After Qt: the X11 headers define names that Qt uses.
#include "kill_rig.h"
#include "tray_host.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kEnd = '\x01';
constexpr int kMails = 12;

// The test SMTP server on a thread of its own: it answers while the test sleeps until the
// moment of a kill.
class SmtpOnItsOwnThread {
public:
    SmtpOnItsOwnThread() {
        EnsureCoreApplication();
        thread_.reset(QThread::create([this] {
            SmtpTestServer server;
            QEventLoop loop;
            QTimer look;
            QObject::connect(&look, &QTimer::timeout, [&] {
                received_ = int(server.messages().size());
                if (stop_) loop.quit();
            });
            look.start(20);
            port_ = server.port();
            loop.exec();
        }));
        thread_->start();
        WaitFor([this] { return port_ != 0; }, 10s);
    }
    ~SmtpOnItsOwnThread() {
        stop_ = true;
        thread_->wait();
    }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    int received() const { return received_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> port_{0};
    std::atomic<int> received_{0};
    std::unique_ptr<QThread> thread_;
};

class MailLogKillTest : public PlayerWritesTest {
protected:
    void SetUp() override {
        PlayerWritesTest::SetUp();
        if (IsSkipped()) return;
        body_ = box_->file("body.txt");
        std::string text;
        for (int i = 0; text.size() < 100000; ++i) text += "line " + std::to_string(i) + " of the body\r\n";
        WriteFileBytes(body_, text);
    }
    void Settings(const std::string& logPath) {
        WriteFileBytes(box_->file("TESRO.INI"),
                       "[EMail]\r\nSMTP Host=" + server_.address() +
                           "\r\nEMail Name=Ann Sender\r\nEMail Address=ann@example.org\r\n"
                           "SMTP Port=25\r\nAttachment Encoding=0\r\nKeep Log=Yes\r\n"
                           "[Misc]\r\nFirst Use=No\r\nEMail Log Path=" +
                           logPath + "\r\n");
    }
    std::string Mail() const {
        return std::string("<EMAIL:RNR1TOBob|bob@example.org;") + kEnd + "S4" + body_ + kEnd + "Logged" +
               kEnd + "A1>";
    }

    SmtpOnItsOwnThread server_;
    std::string body_;
};

std::vector<TMailLogEntry> Entries(const std::string& index) {
    std::vector<TMailLogEntry> out(index.size() / sizeof(TMailLogEntry));
    if (!out.empty()) std::memcpy(out.data(), index.data(), out.size() * sizeof(TMailLogEntry));
    return out;
}

TEST_F(MailLogKillTest, KilledWhileLoggingLeavesWholeMessagesAndAnIndexWithinTheLog) {
    const std::string log = box_->file("MAILLOG.TXT"), index = box_->file("MAILLOG.MCI");
    Settings(log);
    char repeat[32];
    std::snprintf(repeat, sizeof repeat, "<REP:%04d:000001:000001>", kMails);
    WriteRunMacro(repeat + Mail() + "<ENDREP>");
    RandomKills kills(
        [&] {
            std::filesystem::remove(log);
            std::filesystem::remove(index);
        },
        [&] { return StartRun(); }, log);
    kills.RunToTheEnd([&] { return ReadFileBytes(index).size() == kMails * sizeof(TMailLogEntry); });
    const std::string all = ReadFileBytes(log);
    ASSERT_EQ(all.size() % kMails, 0u);
    const std::string one = all.substr(0, all.size() / kMails);
    ASSERT_EQ(one.rfind("From: Ann Sender <ann@example.org>\r\n", 0), 0u) << one.substr(0, 200);

    kills.KillAtRandomMoments(
        [&]() -> std::string {
            const std::string text = ReadFileBytes(log), entries = ReadFileBytes(index);
            const std::size_t messages = text.size() / one.size();
            // After the whole messages, at most a part of the next, which no entry names.
            std::string expected;
            for (std::size_t i = 0; i < messages; ++i) expected += one;
            expected += one.substr(0, text.size() % one.size());
            if (text != expected) return "the log holds " + std::to_string(text.size()) + " bytes";
            if (entries.size() % sizeof(TMailLogEntry) != 0)
                return "the index holds " + std::to_string(entries.size()) + " bytes";
            const std::vector<TMailLogEntry> list = Entries(entries);
            if (list.size() > messages || list.size() + 1 < messages)
                return std::to_string(list.size()) + " entries for " + std::to_string(messages) + " messages";
            for (std::size_t i = 0; i < list.size(); ++i)
                if (Unpacked(list[i].LogStart) != std::int32_t(i * one.size()) ||
                    Unpacked(list[i].LogLength) != std::int32_t(one.size()))
                    return "entry " + std::to_string(i) + " does not name its message";
            return {};
        },
        8, 2 * kMails);
}

// The log on a full disk: the mail goes out, an Error box says the log could not keep it,
// and the log and its index keep every byte.
TEST_F(MailLogKillTest, OnAFullDiskTheMailGoesAndTheLogIsToldAndKept) {
    SmallFileSystem& small = Small();
    if (!small.mounted()) GTEST_SKIP() << "no small file system here (needs root): " << small.error();
    const std::string log = small.file("MAILLOG.TXT"), index = small.file("MAILLOG.MCI");
    const std::string before = "From: Ann Sender <ann@example.org>\r\nTo: \r\nBody: earlier\r\n";
    const std::string entry(sizeof(TMailLogEntry), '\0');
    WriteFileBytes(log, before);
    WriteFileBytes(index, entry);
    Settings(log);
    WriteRunMacro(Mail());
    ASSERT_TRUE(small.Fill());
    Display* d = xvfb_.Open();
    ASSERT_NE(d, nullptr);
    const auto player = StartRun();
    EXPECT_TRUE(WaitFor([&] { return server_.received() == 1; }, 20s)) << player->Log();
    EXPECT_TRUE(WaitFor([&] { return FindTitled(d, "Error") != 0; }, 20s)) << player->Log();
    const std::string left = ReadFileBytes(log);
    EXPECT_TRUE(left == before) << "the log holds " << left.size() << " bytes, not " << before.size();
    EXPECT_EQ(ReadFileBytes(index), entry);
    EXPECT_EQ(Strays(small.path(), log), std::vector<std::string>{});
    XCloseDisplay(d);
}

}  // namespace
}  // namespace tessaro::testing
