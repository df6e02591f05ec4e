#pragma once
// The SMTP client against the test server: event recorder, a resolver that keeps every
// name on this machine, a private temporary folder and a stopwatch.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "fixed_boundaries.h"
#include "mail/mail_error.h"
#include "mail/net/smtp.h"
#include "smtp_test_server.h"
#include "tests/support/qt_core_app.h"

namespace tessaro::testing {

class RecordingEvents : public mail::SmtpEvents {
public:
    std::vector<std::string> log;
    bool continueAfterRejection = false;
    std::function<void()> onProgress;  // a test's own reaction to progress

    void OnOpen() override { log.push_back("open"); }
    void OnConnected() override { log.push_back("connected"); }
    void OnClosing() override { log.push_back("closing"); }
    void OnClosed() override { log.push_back("closed"); }
    void OnCancel() override { log.push_back("cancel"); }
    void OnProgress(int percent, std::int64_t) override {
        log.push_back("progress " + std::to_string(percent));
        if (onProgress) onProgress();
    }
    void OnError(const std::string& text) override { log.push_back("error " + text); }
    void OnLineSent(const std::string& line) override { log.push_back("> " + line); }
    void OnLineReceived(const std::string& line) override { log.push_back("< " + line.substr(0, 80)); }
    void OnPrepare() override { log.push_back("prepare"); }
    void OnSending() override { log.push_back("sending"); }
    void OnMailSent() override { log.push_back("sent"); }
    void OnAddressRejected(const std::string& address, bool& go, const std::string&) override {
        log.push_back("rejected " + address);
        go = continueAfterRejection;
    }
    bool Has(const std::string& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }
};

// Names of the tests' world: "loopback.test" is 127.0.0.1, "silent.test" never answers,
// anything else is not found.
class TestResolver : public mail::HostResolver {
public:
    int Start(const std::string& host, std::function<void(const mail::HostAnswer&)> done) override {
        const int id = ++next_;
        ++started;
        if (host == "silent.test") return id;
        mail::HostAnswer answer;
        if (host == "loopback.test")
            answer.ipv4 = {0x7f000001};
        else
            answer.error = 11001;
        QTimer::singleShot(0, [done, answer] { done(answer); });
        return id;
    }
    void Abort(int) override { ++aborted; }
    int started = 0;
    int aborted = 0;

private:
    int next_ = 0;
};

class SmtpFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tessaro-mail-XXXXXX").string();
        tmp_ = ::mkdtemp(tmpl.data());
        oldTmp_ = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
        ::setenv("TMPDIR", tmp_.c_str(), 1);
        smtp_.SetBoundaries(std::make_unique<FixedBoundaries>());
        smtp_.SetTimeOut(2);
        smtp_.Server = server_.address();
        message_.Sender = {"Ann", "ann@example.org"};
        message_.Recipients.Add("bob@example.org", "Bob");
        message_.Subject = "Hi";
        message_.Body = {"hello"};
        smtp_.MailMessage = &message_;
        start_ = std::chrono::steady_clock::now();
    }
    void TearDown() override {
        EXPECT_TRUE(std::filesystem::is_empty(tmp_)) << "a temporary file was left behind";
        if (oldTmp_.empty())
            ::unsetenv("TMPDIR");
        else
            ::setenv("TMPDIR", oldTmp_.c_str(), 1);
        std::filesystem::remove_all(tmp_);
    }

    double Elapsed() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

    // Connect, send and disconnect; the failure's kind and text, or nothing.
    std::optional<mail::MailError> SendAll() {
        try {
            smtp_.Connect();
            smtp_.Send();
            smtp_.Disconnect();
        } catch (const mail::MailError& e) {
            smtp_.Close();
            return e;
        }
        return std::nullopt;
    }

    struct AppFirst {
        AppFirst() { ::EnsureCoreApplication(); }
    } app_;  // the server below needs the application's event loop
    SmtpTestServer server_;
    RecordingEvents events_;
    TestResolver resolver_;
    mail::TmsSMTP smtp_{events_, resolver_};
    mail::TmsMessage message_;
    std::string tmp_;
    std::string oldTmp_;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace tessaro::testing
