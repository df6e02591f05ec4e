// A macro's e-mail command through the interpreter: the message reaches a local server, the
// status window reports each step, the sent-mail log grows, and every failure ends with its
// text and leaves the log alone.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTimer>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>

#include "foundation/config_record.h"
#include "player/commands/email/email_sender.h"
#include "mail/encodings.h"
#include "protocol/mail_log.h"
#include "tests/mail/smtp_fixture.h"
#include "tests/player/engine/interpreter_doubles.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using testing::SmtpTestServer;

constexpr char kEnd = '\x01';

class FakePrompts : public mail::MailPrompts {
public:
    std::deque<std::optional<std::array<std::string, 3>>> answers;
    std::vector<int> modes;
    std::vector<std::string> status;
    std::optional<std::array<std::string, 3>> GetTheEMail(mail::EMailPromptMode mode) override {
        modes.push_back(static_cast<int>(mode));
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    void ShowStatus(const std::string& text) override { status.push_back("show " + text); }
    void SetStatus(const std::string& text) override {
        if (status.empty() || status.back() != text) status.push_back(text);
    }
    void CloseStatus() override { status.push_back("close"); }
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class EMailCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ::EnsureCoreApplication();
        std::string tmpl = (std::filesystem::temp_directory_path() / "tessaro-email-XXXXXX").string();
        dir_ = ::mkdtemp(tmpl.data());
        tmp_ = dir_ + "/tmp";
        std::filesystem::create_directory(tmp_);
        ::setenv("TMPDIR", tmp_.c_str(), 1);
        server_ = std::make_unique<SmtpTestServer>();
        config_.SMTPHost = server_->address();
        config_.SMTPPort = 25;
        config_.EMailName = "Ann Sender";
        config_.EMailAddress = "ann@example.org";
        config_.KeepLog = true;
        config_.EMailLogPath = dir_ + "/MAILLOG.TXT";
        auto family =
            std::make_unique<EMailSenderFamily>(config_, prompts_, std::make_unique<testing::TestResolver>());
        sender_ = &family->sender();
        sender_->MySMTP().SetTimeOut(2);
        sender_->SetBoundaries(std::make_unique<testing::FixedBoundaries>());
        rig_.families.Register(CommandFamilyId::EMail, std::move(family));
    }
    void TearDown() override {
        EXPECT_TRUE(std::filesystem::is_empty(tmp_)) << "a temporary file was left behind";
        ::unsetenv("TMPDIR");
        std::filesystem::remove_all(dir_);
    }
    // What the macro typed, this run only.
    std::string Play(const std::string& text) {
        rig_.input.log.clear();
        return rig_.Play(text);
    }
    std::string Log() const { return ReadAll(dir_ + "/MAILLOG.TXT"); }
    std::string Index() const { return ReadAll(dir_ + "/MAILLOG.MCI"); }
    std::string File(const std::string& name, const std::string& content) {
        std::ofstream(dir_ + "/" + name, std::ios::binary) << content;
        return dir_ + "/" + name;
    }

    std::string dir_, tmp_;
    std::unique_ptr<SmtpTestServer> server_;
    TConfigRecord config_{};
    FakePrompts prompts_;
    EMailSender* sender_ = nullptr;
    testing::Rig rig_;
};

TEST_F(EMailCommand, TokenRecipientsTextAndFilesReachTheServerAndTheLog) {
    const std::string a = File("a.txt", ".profile\r\nsecond\r\n");
    const std::string b = File("b.bin", std::string(59, '\x01'));
    const std::string token = std::string("<EMAIL:RYR1TOBob|bob@x;Cy|cy@x;") + kEnd + "CCDi|di@x;Ed|ed@x;" +
                              kEnd + "BLF|f@x;G|g@x;H|h@x;" + kEnd + "S1Hello\r\n.\r\nQUIT\nafter" + kEnd +
                              "Report" + kEnd + "A2" + a + ";" + b + ";" + kEnd + ">";
    EXPECT_EQ(Play("x" + token + "y"), "xy");
    EXPECT_TRUE(rig_.windows.messages.empty());
    EXPECT_TRUE(rig_.windows.boxes.empty());
    ASSERT_EQ(server_->messages().size(), 1u);
    const std::string& sent = server_->messages()[0];
    testing::FixedBoundaries b2;
    EXPECT_EQ(sent, sender_->EMess().Encode(b2) + "\r\n");
    EXPECT_NE(sent.find("\r\nHello\r\n.\r\nQUIT\r\nafter\r\n"), std::string::npos);
    EXPECT_NE(sent.find("Return-Receipt-To: <ann@example.org>"), std::string::npos);
    EXPECT_NE(sent.find("X-Mailer: Tessaro"), std::string::npos);
    EXPECT_EQ(sent.find("f@x"), std::string::npos);
    EXPECT_TRUE(server_->HasCommand("RCPT TO:<h@x>"));
    EXPECT_FALSE(server_->HasCommand("after"));

    const std::string expectedLog =
        "From: Ann Sender <ann@example.org>\r\nTo: Bob <bob@x>\r\n    Cy <cy@x>\r\n"
        "cc: Di <di@x>\r\n    Ed <ed@x>\r\nblind cc: F <f@x>\r\n          G <g@x>\r\n          H <h@x>\r\n"
        "Attachments: " +
        a + "\r\n             " + b +
        "\r\nSubject: Report\r\n"
        "Body: Hello\r\n.\r\nQUIT\r\nafter\r\n";
    EXPECT_EQ(Log(), expectedLog);
    const std::string index = Index();
    ASSERT_EQ(index.size(), 193u);
    TMailLogEntry e{};
    std::memcpy(&e, index.data(), sizeof e);
    EXPECT_EQ(e.ToName.str(), "Bob");
    EXPECT_EQ(Unpacked(e.LogStart), 0);
    EXPECT_EQ(Unpacked(e.LogLength), static_cast<std::int32_t>(expectedLog.size()));
    EXPECT_EQ(e.HasAttachments + e.HasCC + e.HasBCC, 3);

    const std::vector<std::string> status = {"show Connecting", "Encoding Message", "Sending Message"};
    ASSERT_GE(prompts_.status.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(prompts_.status.begin(), prompts_.status.begin() + 3), status);
    const auto tail = std::vector<std::string>(prompts_.status.end() - 4, prompts_.status.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"100% Transferred", "Message Sent", "Disconnecting", "close"}));

    // A second message is appended behind the first, with its own index entry.
    EXPECT_EQ(Play(std::string("<EMAIL:RNR1TOz@x;") + kEnd + "S1" + kEnd + kEnd + "A1>z"), "z");
    EXPECT_TRUE(rig_.windows.messages.empty() && rig_.windows.boxes.empty())
        << (rig_.windows.messages.empty() ? rig_.windows.boxes.at(0).text : rig_.windows.messages[0].text);
    EXPECT_EQ(Log().substr(0, expectedLog.size()), expectedLog);
    EXPECT_NE(Log().find("Subject: No Subject\r\nBody: ", expectedLog.size()), std::string::npos);
    ASSERT_EQ(Index().size(), 386u);
    std::memcpy(&e, Index().data() + 193, sizeof e);
    EXPECT_EQ(Unpacked(e.LogStart), static_cast<std::int32_t>(expectedLog.size()));
}

// A FIFO in the index's place: the mail goes, the log grows, and nothing is written into
// the pipe (without a reader at its other end, opening it to write would hang the player).
TEST_F(EMailCommand, AFifoAsTheLogIndexIsLeftAlone) {
    const std::string index = dir_ + "/MAILLOG.MCI";
    ASSERT_EQ(::mkfifo(index.c_str(), 0600), 0);
    const int reader = ::open(index.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(Play(std::string("<EMAIL:RNR1TOz@x;") + kEnd + "S1" + kEnd + kEnd + "A1>z"), "z");
    EXPECT_EQ(server_->messages().size(), 1u);
    EXPECT_NE(Log().find("z@x"), std::string::npos);
    char c;
    EXPECT_LE(::read(reader, &c, 1), 0) << "nothing went into the pipe";
    ::close(reader);
    EXPECT_TRUE(std::filesystem::is_fifo(index));
}

TEST_F(EMailCommand, DialogsFillWhatTheTokenLeavesOpen) {
    const std::string f = File("c.txt", "file");
    prompts_.answers.push_back(std::array<std::string, 3>{
        std::string("Bob|bob@x;") + kEnd, std::string(1, kEnd), std::string("H|h@x;") + kEnd});
    prompts_.answers.push_back(std::array<std::string, 3>{"caf\xe9\r\nline", "Asked", "YES"});
    prompts_.answers.push_back(std::array<std::string, 3>{f + ";" + kEnd, "", ""});
    EXPECT_EQ(Play("<EMAIL:RNR2S2A3>ok"), "ok");
    EXPECT_EQ(prompts_.modes, (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(server_->messages().size(), 1u);
    const std::string& sent = server_->messages()[0];
    EXPECT_NE(sent.find("Subject: Asked"), std::string::npos);
    EXPECT_NE(sent.find("Return-Receipt-To:"), std::string::npos);
    // Text with bytes of 128 and more is declared as such.
    EXPECT_NE(sent.find("charset=\"iso-8859-1\"\r\nContent-Transfer-Encoding: "
                        "quoted-printable\r\n\r\ncaf=E9\r\nline\r\n"),
              std::string::npos);
    EXPECT_NE(sent.find("filename=\"c.txt\""), std::string::npos);
    EXPECT_TRUE(server_->HasCommand("RCPT TO:<h@x>"));
}

TEST_F(EMailCommand, AbortInAnyDialogEndsTheMacro) {
    for (int abortAt = 0; abortAt < 3; ++abortAt) {
        prompts_.answers.clear();
        for (int i = 0; i < abortAt; ++i)
            prompts_.answers.push_back(std::array<std::string, 3>{std::string("a@x;") + kEnd, "s", "NO"});
        prompts_.answers.push_back(std::nullopt);
        testing::Rig rig;
        rig.families.Register(CommandFamilyId::EMail,
                              std::make_unique<EMailSenderFamily>(config_, prompts_,
                                                                  std::make_unique<testing::TestResolver>()));
        EXPECT_EQ(rig.Play("<EMAIL:RNR2S2A3>after"), "");
    }
    EXPECT_TRUE(server_->commands().empty());
    EXPECT_EQ(Log(), "");
}

TEST_F(EMailCommand, BodyFromClipboardOrTextFile) {
    EXPECT_EQ(Play(std::string("<EMAIL:RNR1TOa@x;") + kEnd + "S3Clip" + kEnd + "A1>after"), "");
    ASSERT_EQ(rig_.windows.messages.size(), 1u);
    EXPECT_EQ(rig_.windows.messages[0].text,
              "There is no text in the clipboard to send. This E-Mail attempt will abort.");
    rig_.clipboard.text = "from the clipboard";
    EXPECT_EQ(Play(std::string("<EMAIL:RNR1TOa@x;") + kEnd + "S3Clip" + kEnd + "A1>go"), "go");
    ASSERT_EQ(server_->messages().size(), 1u);
    EXPECT_NE(server_->messages()[0].find("\r\nfrom the clipboard\r\n"), std::string::npos);

    rig_.windows.messages.clear();
    EXPECT_EQ(Play(std::string("<EMAIL:RNR1TOa@x;") + kEnd + "S4" + dir_ + "/none.txt" + kEnd + "s" + kEnd +
                   "A1>x"),
              "");
    ASSERT_EQ(rig_.windows.messages.size(), 1u);
    EXPECT_EQ(rig_.windows.messages[0].text,
              "The text file to use as the E-Mail message body could not be found. This E-Mail attempt will "
              "abort.");
    const std::string body = File("body.txt", std::string("one\r\ntwo\0hidden\x1a", 16));
    SmtpTestServer second;
    config_.SMTPHost = second.address();
    EXPECT_EQ(Play(std::string("<EMAIL:RNR1TOa@x;") + kEnd + "S4" + body + kEnd + kEnd + "A1>x"), "x");
    ASSERT_EQ(second.messages().size(), 1u);
    EXPECT_NE(second.messages()[0].find("\r\n\r\none\r\ntwo\r\n\r\n"), std::string::npos);
    EXPECT_EQ(second.messages()[0].find("hidden"), std::string::npos);
}

TEST_F(EMailCommand, FailuresEndWithTheirTextAndLeaveTheLogAlone) {
    const std::string fifo = dir_ + "/pipe";
    ::mkfifo(fifo.c_str(), 0600);
    const std::string folder = dir_ + "/folder";
    std::filesystem::create_directory(folder);
    for (const std::string& bad : {fifo, folder, std::string("/dev/zero")}) {
        rig_.windows.messages.clear();
        EXPECT_EQ(Play(std::string("<EMAIL:RNR1TOa@x;") + kEnd + "S1b" + kEnd + "s" + kEnd + "A2" + bad +
                       ";" + kEnd + ">x"),
                  "");
        ASSERT_EQ(rig_.windows.messages.size(), 1u);
        EXPECT_EQ(rig_.windows.messages[0].caption, "Error");
        EXPECT_EQ(rig_.windows.messages[0].text,
                  "Cannot open file \"" + bad + "\"  This E-Mail attempt will abort.");
    }
    for (const std::string& bad : {fifo, folder, std::string("/dev/zero")}) {
        rig_.windows.messages.clear();
        EXPECT_EQ(Play(std::string("<EMAIL:RNR1TOa@x;") + kEnd + "S4" + bad + kEnd + "s" + kEnd + "A1>x"),
                  "");
        ASSERT_EQ(rig_.windows.messages.size(), 1u) << bad;
        EXPECT_EQ(
            rig_.windows.messages[0].text,
            "The text file to use as the E-Mail message body could not be found. This E-Mail attempt will "
            "abort.");
    }
    EXPECT_TRUE(server_->commands().empty());

    // No recipient: the server is asked nothing, the macro goes on.
    rig_.windows.messages.clear();
    EXPECT_EQ(Play(std::string("<EMAIL:RNR1S1b") + kEnd + "s" + kEnd + "A1>on"), "on");
    ASSERT_EQ(rig_.windows.messages.size(), 1u);
    EXPECT_EQ(rig_.windows.messages[0].text,
              "No recipients specified or no return address specified.  This E-Mail attempt will abort.");
    EXPECT_FALSE(server_->HasCommand("MAIL"));

    // A refused recipient ends the macro with the server's words.
    SmtpTestServer refusing;
    refusing.On("RCPT", testing::Say("550 <b>no</b> such user"));
    config_.SMTPHost = refusing.address();
    rig_.windows.messages.clear();
    EXPECT_EQ(Play(std::string("<EMAIL:RNR1TOa@x;") + kEnd + "S1b" + kEnd + "s" + kEnd + "A1>x"), "");
    ASSERT_EQ(rig_.windows.messages.size(), 1u);
    EXPECT_EQ(rig_.windows.messages[0].text, "550 <b>no</b> such user  This E-Mail attempt will abort.");
    EXPECT_FALSE(refusing.HasCommand("DATA"));
    EXPECT_EQ(prompts_.status.back(), "close");

    // Nothing listens: the connection message, and the macro types on.
    quint16 port = 0;
    {
        SmtpTestServer gone;
        port = gone.port();
    }
    config_.SMTPHost = "127.0.0.1:" + std::to_string(port);
    EXPECT_EQ(Play(std::string("<EMAIL:RNR1TOa@x;") + kEnd + "S1b" + kEnd + "s" + kEnd + "A1>on"), "on");
    ASSERT_EQ(rig_.windows.boxes.size(), 1u);
    EXPECT_NE(rig_.windows.boxes[0].text.find("A connection could not be made to the SMTP Server."),
              std::string::npos);
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(Index(), "");
}

// The quoted-printable lines of the part whose headers hold `header`, up to its boundary.
std::vector<std::string> PartLines(const std::string& message, const std::string& header) {
    const std::vector<std::string> lines = mail::SplitTextLines(message);
    std::vector<std::string> part;
    auto at = std::find(lines.begin(), lines.end(), header);
    if (at == lines.end()) return part;
    at = std::find(at, lines.end(), std::string());
    for (++at; at != lines.end() && at->rfind("--", 0) != 0; ++at) part.push_back(*at);
    while (!part.empty() && part.back().empty()) part.pop_back();
    return part;
}

// A line of 30,000 characters in the body (typed or from a text file) and in a text
// attachment goes out in quoted-printable pieces and arrives whole.
TEST_F(EMailCommand, LongLinesInTheBodyAndInTextAttachmentsAreSent) {
    std::string line;
    for (int i = 0; line.size() < 30000; ++i) line += (i % 9 ? "word " : "caf\xe9=") + std::to_string(i);
    const std::string attachment = File("long.txt", line + "\r\nend\r\n");
    const std::string bodyFile = File("body.txt", line + "\r\n");
    for (const std::string& text :
         {"S1" + line + kEnd + "Long" + kEnd, "S4" + bodyFile + kEnd + "Long" + kEnd}) {
        SmtpTestServer server;
        config_.SMTPHost = server.address();
        rig_.windows.messages.clear();
        EXPECT_EQ(
            Play(std::string("<EMAIL:RNR1TOa@x;") + kEnd + text + "A2" + attachment + ";" + kEnd + ">go"),
            "go");
        for (const auto& m : rig_.windows.messages) ADD_FAILURE() << m.text;
        ASSERT_EQ(server.messages().size(), 1u);
        const std::string& sent = server.messages()[0];
        for (const std::string& l : mail::SplitTextLines(sent)) EXPECT_LT(l.size(), 998u);
        EXPECT_EQ(mail::DecodeQuotedPrintable(PartLines(sent, "Content-Transfer-Encoding: quoted-printable")),
                  line + "\r\n");
        EXPECT_EQ(mail::DecodeQuotedPrintable(PartLines(sent, "Content-Transfer-Encoding: Quoted-Printable")),
                  line + "\r\nend\r\n");
    }
    EXPECT_NE(Log().find("Body: " + line + "\r\n"), std::string::npos);
}

// A server that floods its reply ends the send at once with the protocol error; the macro
// ends, nothing is logged.
TEST_F(EMailCommand, FloodingServerEndsTheSendWithTheProtocolError) {
    sender_->MySMTP().SetTimeOut(10);
    for (const std::string step : {"GREETING", "HELO", "."}) {
        SmtpTestServer flooding;
        flooding.On(step, {"250-more\r\n", false, false, true});
        config_.SMTPHost = flooding.address();
        rig_.windows.messages.clear();
        EXPECT_EQ(Play(std::string("<EMAIL:RNR1TOa@x;") + kEnd + "S1b" + kEnd + "s" + kEnd + "A1>x"), "")
            << step;
        ASSERT_EQ(rig_.windows.messages.size(), 1u) << step;
        EXPECT_EQ(rig_.windows.messages[0].text,
                  "Server returned invalid reply  This E-Mail attempt will abort.");
        EXPECT_TRUE(rig_.windows.boxes.empty()) << step;
        EXPECT_EQ(prompts_.status.back(), "close");
        EXPECT_FALSE(sender_->MySMTP().GetConnected());
    }
    EXPECT_EQ(Log(), "");
}

TEST_F(EMailCommand, MacroAbortCancelsTheSendAndLogsNothing) {
    server_->On("DATA", testing::Silence());
    QTimer::singleShot(300, [&] { rig_.player.RequestAbort(); });
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(Play(std::string("<EMAIL:RNR1TOa@x;") + kEnd + "S1b" + kEnd + "s" + kEnd + "A1>x"), "");
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count(), 1.5);
    EXPECT_TRUE(rig_.windows.messages.empty());
    EXPECT_EQ(Log(), "");
}

TEST(EMailSettings, PlayerSmtpWaitsFortySecondsOnPortTwentyFive) {
    ::EnsureCoreApplication();
    TConfigRecord config{};
    FakePrompts prompts;
    EMailSender sender(config, prompts, std::make_unique<testing::TestResolver>());
    EXPECT_EQ(sender.MySMTP().TimeOut(), 40);
    EXPECT_EQ(sender.MySMTP().DefaultPort, 25);
    EXPECT_EQ(sender.MySMTP().Service, "smtp");
    EXPECT_EQ(ProgressText(0), "100% Transferred");
    EXPECT_EQ(ProgressText(37), "37% Transferred");
}

}  // namespace
}  // namespace tessaro
