// The SMTP client against a local server: delivery, refusals, hostile replies, silence,
// early close, cancel. Every failure leaves no temporary file and ends within TimeOut.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "mail/net/socket.h"
#include "smtp_fixture.h"
#include "tests/support/finishes_in_time.h"

using namespace tessaro::mail;
using namespace tessaro::testing;

namespace {

constexpr double kSlack = 2.0;  // seconds a failure may take beyond TimeOut

}  // namespace

TEST_F(SmtpFixture, DeliversTheEncodedMessageWithBlindCopiesInTheEnvelopeOnly) {
    message_.BCC.Add("hidden@example.org", "Hidden");
    message_.CC.Add("carl@example.org", "Carl");
    message_.Body = {"hello", ".", ".profile", "..two"};
    message_.Attachments.AddItem(
        {"/x/dots.bin", "application/octet-stream", kEncBase64, std::string(3000, 'z')});
    const auto error = SendAll();
    std::string trace;
    for (const auto& e : events_.log) trace += e + "\n";
    ASSERT_FALSE(error) << error->what() << "\n" << trace;
    FixedBoundaries again;
    ASSERT_EQ(server_.messages().size(), 1u);
    EXPECT_EQ(server_.messages()[0], message_.Encode(again) + "\r\n");
    EXPECT_EQ(server_.messages()[0].find("hidden@"), std::string::npos);
    const std::vector<std::string> expected = {"HELO " + smtp_.LocalHostName(),
                                               "MAIL FROM:<ann@example.org>",
                                               "RCPT TO:<bob@example.org>",
                                               "RCPT TO:<carl@example.org>",
                                               "RCPT TO:<hidden@example.org>",
                                               "DATA",
                                               "QUIT"};
    EXPECT_EQ(server_.commands(), expected);
    const auto at = [&](const std::string& e) {
        return std::find(events_.log.begin(), events_.log.end(), e) - events_.log.begin();
    };
    EXPECT_LT(at("open"), at("connected"));
    EXPECT_LT(at("prepare"), at("sending"));
    EXPECT_LT(at("sending"), at("progress 100"));
    EXPECT_LT(at("progress 100"), at("progress 0"));
    EXPECT_LT(at("progress 0"), at("sent"));
    EXPECT_LT(at("sent"), at("closing"));
    EXPECT_FALSE(smtp_.GetConnected());
}

// A transcript file that is a FIFO: written at the socket's end, it is refused at once
// instead of waiting for a reader.
TEST_F(SmtpFixture, ATranscriptOntoAFifoIsRefusedWithoutWaiting) {
    const std::string fifo = tmp_ + "/../transcript-" + std::filesystem::path(tmp_).filename().string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int code = ExitCodeWithin(
        [&] {
            {
                TagSocket socket(events_, resolver_);
                socket.LogFileName = fifo;
            }
            return 0;
        },
        std::chrono::seconds(10));
    EXPECT_EQ(code, 0) << "-1: the end of the socket hung on the FIFO";
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    std::filesystem::remove(fifo);
}

TEST_F(SmtpFixture, ResolvesNamesAndTakesThePortFromTheServerText) {
    smtp_.Server = "loopback.test:" + std::to_string(server_.port());
    smtp_.DefaultPort = 1;  // never used: the server text has a port
    ASSERT_FALSE(SendAll());
    EXPECT_EQ(resolver_.started, 1);
    EXPECT_EQ(server_.messages().size(), 1u);
    smtp_.Server = "127.0.0.1";
    smtp_.DefaultPort = server_.port();  // no port in the text: the non-zero default
    SmtpTestServer second;
    smtp_.DefaultPort = second.port();
    ASSERT_FALSE(SendAll());
    EXPECT_EQ(second.messages().size(), 1u);
}

TEST_F(SmtpFixture, BareHeloIsTriedAfterARefusedOne) {
    server_.On("HELO#1", Say("501 name please"));
    ASSERT_FALSE(SendAll());
    EXPECT_EQ(server_.commands()[1], "HELO");
    EXPECT_EQ(server_.messages().size(), 1u);
}

TEST_F(SmtpFixture, ServerRefusalsEndWithTheReplyLine) {
    const struct {
        const char* step;
        Reaction reaction;
        std::string text;
        bool dataSent;
    } table[] = {
        {"GREETING", Say("421 busy"), "421 busy", false},
        {"GREETING", Say("554 go away"), "554 go away", false},
        {"HELO", Say("550 no"), "550 no", false},
        {"MAIL", Say("550 sender refused"), "550 sender refused", false},
        {"DATA", Say("250 not what you think"), "250 not what you think", true},
        {"DATA", Say("554 no data"), "554 no data", true},
        {".", Say("452 full"), "452 full", true},
        {"GREETING", Say("abc"), "abc", false},
        {"GREETING", Say("25"), "25", false},
        {"GREETING", Say(std::string("2\0\0 x", 5)), "2   x", false},
    };
    for (const auto& row : table) {
        SmtpTestServer server;
        server.On(row.step, row.reaction);
        smtp_.Server = server.address();
        events_.log.clear();
        const auto error = SendAll();
        ASSERT_TRUE(error) << row.step;
        EXPECT_EQ(error->kind(), MailErrorKind::Server) << row.step;
        EXPECT_EQ(std::string(error->what()), row.text) << row.step;
        EXPECT_EQ(server.HasCommand("DATA"), row.dataSent) << row.step;
        EXPECT_TRUE(server.messages().empty() || std::string(row.step) == ".");
        EXPECT_TRUE(events_.Has("error " + row.text));
        EXPECT_FALSE(smtp_.GetConnected());
    }
}

TEST_F(SmtpFixture, SizeLimitedServerRefusesTheMessage) {
    server_.LimitSize(1000);
    message_.Body.assign(100, std::string(50, 'b'));
    const auto error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(std::string(error->what()), "552 message too large");
}

TEST_F(SmtpFixture, ARefusedRecipientStopsBeforeDataUnlessTheHandlerGoesOn) {
    message_.Recipients.Add("bad@example.org", "Bad");
    message_.Recipients.Add("carl@example.org", "Carl");
    server_.On("RCPT#2", Say("550 no such user"));
    auto error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(std::string(error->what()), "550 no such user");
    EXPECT_TRUE(events_.Has("rejected bad@example.org"));
    EXPECT_FALSE(server_.HasCommand("DATA"));
    EXPECT_FALSE(server_.HasCommand("RCPT TO:<carl"));

    SmtpTestServer second;
    second.On("RCPT#2", Say("550 no such user"));
    smtp_.Server = second.address();
    events_.continueAfterRejection = true;
    ASSERT_FALSE(SendAll());
    EXPECT_TRUE(second.HasCommand("RCPT TO:<carl@example.org>"));
    EXPECT_EQ(second.messages().size(), 1u);
}

TEST_F(SmtpFixture, MultiLineRepliesAreOneReply) {
    server_.On("GREETING", {"220-first\r\n220-second\r\n220 last\r\n"});
    server_.On("HELO", {"250-a\r\n250-b\r\n250 c\r\n"});
    ASSERT_FALSE(SendAll());
    EXPECT_EQ(server_.messages().size(), 1u);
}

TEST_F(SmtpFixture, MessageCheckAndMissingMessage) {
    message_.Recipients.Clear();
    auto error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), MailErrorKind::Message);
    EXPECT_EQ(error->code(), 57101);
    EXPECT_FALSE(server_.HasCommand("MAIL"));
    smtp_.MailMessage = nullptr;
    SmtpTestServer second;
    smtp_.Server = second.address();
    error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(std::string(error->what()), "MailMessage property must be assigned");
}

TEST_F(SmtpFixture, SilenceAfterEachStepTimesOut) {
    for (const char* step : {"GREETING", "HELO", "MAIL", "RCPT", "DATA", ".", "QUIT"}) {
        SmtpTestServer server;
        server.On(step, Silence());
        smtp_.Server = server.address();
        const auto begin = std::chrono::steady_clock::now();
        const auto error = SendAll();
        const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        ASSERT_TRUE(error) << step;
        EXPECT_EQ(error->kind(), MailErrorKind::TimedOut) << step;
        EXPECT_EQ(std::string(error->what()), "Operation timed out");
        EXPECT_GE(took, 1.0) << step;
        EXPECT_LE(took, smtp_.TimeOut() + kSlack) << step;
        EXPECT_FALSE(smtp_.GetConnected());
    }
}

// A reply past the bounds of any real server's, flooding lines or bytes, in the greeting or
// after a command, ends the send at once with the protocol error and closes the connection.
TEST_F(SmtpFixture, FloodingRepliesEndAtOnceWithTheProtocolError) {
    smtp_.SetTimeOut(10);  // a flood must end by its size, never by the clock
    std::string manyLines;
    for (int i = 0; i < 5000; ++i) manyLines += "220-line " + std::to_string(i) + "\r\n";
    const std::pair<std::string, Reaction> hostile[] = {
        {"GREETING", {"250-more\r\n", false, false, true}},
        {"HELO", {"250-more\r\n", false, false, true}},
        {".", {"250-queued\r\n", false, false, true}},
        {"GREETING", {manyLines}},
        {"GREETING", {std::string(10 * 1024 * 1024, 'x')}},  // one line that never ends
        {"MAIL", {"250-" + std::string(40 * 1024, 'y') + "\r\n"}},
    };
    for (const auto& [step, reaction] : hostile) {
        SmtpTestServer server;
        server.On(step, reaction);
        smtp_.Server = server.address();
        events_.log.clear();
        const auto error = SendAll();
        ASSERT_TRUE(error) << step;
        EXPECT_EQ(error->kind(), MailErrorKind::Protocol) << step << ": " << error->what();
        EXPECT_EQ(std::string(error->what()), "Server returned invalid reply") << step;
        EXPECT_TRUE(events_.Has("error Server returned invalid reply")) << step;
        EXPECT_FALSE(smtp_.GetConnected()) << step;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!server.clientClosed() && std::chrono::steady_clock::now() < until)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_TRUE(server.clientClosed()) << step;
    }
    // A long reply within the bounds is one reply.
    std::string longReply;
    for (int i = 1; i < kMaxReplyLines; ++i) longReply += "250-EXTENSION" + std::to_string(i) + "\r\n";
    server_.On("HELO", {longReply + "250 last\r\n"});
    smtp_.Server = server_.address();
    EXPECT_FALSE(SendAll());
    EXPECT_EQ(server_.messages().size(), 1u);
}

TEST_F(SmtpFixture, UnendedReplyStopsAtTimeOut) {
    server_.On("GREETING", {"220 only carriage returns\r220 again\r"});
    const auto error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), MailErrorKind::TimedOut);
    EXPECT_LE(Elapsed(), smtp_.TimeOut() + kSlack);
}

TEST_F(SmtpFixture, CloseMidReplyOrMidDataEndsAtOnceAsReset) {
    server_.On("GREETING", CloseNow("220-half a reply\r\n"));
    auto error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), 10054);
    EXPECT_EQ(std::string(error->what()), "[10054] Connection reset by peer");
    EXPECT_LT(Elapsed(), 1.5);

    SmtpTestServer second;
    second.On("MAIL", CloseNow());
    smtp_.Server = second.address();
    error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), 10054);

    SmtpTestServer third;
    third.CloseAfterDataBytes(100000);
    smtp_.Server = third.address();
    message_.Attachments.AddItem(
        {"big.bin", "application/octet-stream", kEncBase64, std::string(4 << 20, 'q')});
    start_ = std::chrono::steady_clock::now();
    error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), 10054);
    EXPECT_LT(Elapsed(), 1.5);
    EXPECT_TRUE(third.messages().empty());
}

TEST_F(SmtpFixture, NoListenerIsRefusedAtOnce) {
    quint16 port = 0;
    {
        SmtpTestServer gone;
        port = gone.port();
    }
    smtp_.Server = "127.0.0.1:" + std::to_string(port);
    const auto error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), 10061);
    EXPECT_EQ(std::string(error->what()), "[10061] Connection refused");
    EXPECT_LT(Elapsed(), 1.5);
}

TEST_F(SmtpFixture, FullAcceptQueueTimesOut) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    socklen_t len = sizeof addr;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
    ASSERT_EQ(::listen(listener, 0), 0);
    std::vector<int> queued;
    for (int i = 0; i < 2; ++i) {  // fill the queue (the kernel keeps backlog + 1)
        const int c = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ::connect(c, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        queued.push_back(c);
    }
    smtp_.Server = "127.0.0.1:" + std::to_string(ntohs(addr.sin_port));
    const auto error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->kind() == MailErrorKind::TimedOut || error->code() == 10054) << error->what();
    EXPECT_LE(Elapsed(), smtp_.TimeOut() + kSlack);
    for (int c : queued) ::close(c);
    ::close(listener);
}

TEST_F(SmtpFixture, UnknownEmptyAndSilentHosts) {
    smtp_.Server = "nowhere.test";
    auto error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(std::string(error->what()), "[11001] Host not found");
    smtp_.Server = ":25";
    error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), 11001);
    smtp_.Server = "";
    error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(std::string(error->what()), "Server property is required");
    smtp_.Server = "silent.test";
    start_ = std::chrono::steady_clock::now();
    error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), MailErrorKind::TimedOut);
    EXPECT_LE(Elapsed(), smtp_.TimeOut() + kSlack);
    EXPECT_GE(resolver_.aborted, 1);
}

TEST_F(SmtpFixture, CancelDuringAWaitEndsItAndOtherTimersKeepRunning) {
    server_.On("DATA", Silence());
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    QTimer::singleShot(700, [&] { smtp_.Cancel(); });
    const auto error = SendAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), MailErrorKind::Canceled);
    EXPECT_EQ(std::string(error->what()), "Operation has been canceled");
    EXPECT_TRUE(events_.Has("cancel"));
    EXPECT_GT(ticks, 10);
    EXPECT_LT(Elapsed(), 1.5);
    EXPECT_FALSE(server_.HasCommand("QUIT"));
}

TEST_F(SmtpFixture, TranscriptIsWrittenWithoutTheBody) {
    const std::string log = tmp_ + "/../mail-transcript-" + std::to_string(::getpid()) + ".txt";
    {
        SmtpTestServer server;
        RecordingEvents events;
        TmsSMTP smtp(events, resolver_);
        smtp.LogFileName = log;
        smtp.Server = server.address();
        smtp.MailMessage = &message_;
        smtp.Connect();
        smtp.Send();
        smtp.Disconnect();
    }
    std::ifstream in(log, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("MAIL FROM:<ann@example.org>\r\n"), std::string::npos);
    EXPECT_NE(text.find("Suppressing the message body\r\n"), std::string::npos);
    EXPECT_EQ(text.find("hello"), std::string::npos);
    std::filesystem::remove(log);
}
