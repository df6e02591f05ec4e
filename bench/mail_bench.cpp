// Mail transport speed: encoding, sending to a loopback server that discards, and the CPU a
// silent wait costs.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <random>

#include "mail/encodings.h"
#include "mail/mail_error.h"
#include "mail/net/socket.h"
#include "tests/support/qt_core_app.h"

namespace {

using namespace tessaro::mail;

std::string Data(std::size_t size) {
    std::string s(size, '\0');
    std::mt19937 rng(1);
    for (char& c : s) c = static_cast<char>(rng() % 96 + 32);
    for (std::size_t i = 70; i < s.size(); i += 71) s[i] = '\n';
    return s;
}

const std::string& TwentyMiB() {
    static const std::string data = Data(20u << 20);
    return data;
}

void BM_EncodeBase64(benchmark::State& state) {
    const std::string& data = TwentyMiB();  // made before the clock runs
    for (auto _ : state) benchmark::DoNotOptimize(EncodeBase64Lines(data));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * TwentyMiB().size()));
}
BENCHMARK(BM_EncodeBase64)->Unit(benchmark::kMillisecond);

void BM_EncodeQuotedPrintable(benchmark::State& state) {
    const std::string& data = TwentyMiB();  // made before the clock runs
    for (auto _ : state) benchmark::DoNotOptimize(EncodeQuotedPrintable(data));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * TwentyMiB().size()));
}
BENCHMARK(BM_EncodeQuotedPrintable)->Unit(benchmark::kMillisecond);

void BM_EncodeUu(benchmark::State& state) {
    const std::string& data = TwentyMiB();  // made before the clock runs
    for (auto _ : state) benchmark::DoNotOptimize(EncodeUuLines(data));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * TwentyMiB().size()));
}
BENCHMARK(BM_EncodeUu)->Unit(benchmark::kMillisecond);

class QuietEvents : public SocketEvents {
public:
    void OnOpen() override {}
    void OnConnected() override {}
    void OnClosing() override {}
    void OnClosed() override {}
    void OnCancel() override {}
    void OnProgress(int, std::int64_t) override {}
    void OnError(const std::string&) override {}
    void OnLineSent(const std::string&) override {}
    void OnLineReceived(const std::string&) override {}
};

class NoResolver : public HostResolver {
public:
    int Start(const std::string&, std::function<void(const HostAnswer&)>) override { return 1; }
    void Abort(int) override {}
};

// A server that accepts one client and reads everything it sends, or says nothing.
struct Sink {
    QTcpServer server;
    std::unique_ptr<QTcpSocket> client;
    std::int64_t received = 0;
    Sink() {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            client.reset(server.nextPendingConnection());
            QObject::connect(client.get(), &QTcpSocket::readyRead,
                             [this] { received += client->readAll().size(); });
        });
    }
};

// A socket connected to the sink.
struct Connected {
    class Client : public TagSocket {
    public:
        using TagSocket::ConnectSocket;
        using TagSocket::TagSocket;
    };
    QuietEvents events;
    NoResolver resolver;
    Client socket{events, resolver};
    Connected(Sink& sink, int timeOut) {
        socket.Server = "127.0.0.1:" + std::to_string(sink.server.serverPort());
        socket.Service = "smtp";
        socket.SetTimeOut(timeOut);
        socket.Open();
        socket.ConnectSocket();
    }
};

void BM_SendTenMiB(benchmark::State& state) {
    EnsureCoreApplication();
    const std::string data = Data(10u << 20);
    for (auto _ : state) {
        Sink sink;
        Connected link(sink, 10);
        TagSocket& socket = link.socket;
        QByteArray bytes(data.data(), static_cast<qsizetype>(data.size()));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        socket.SendStream(buffer, true);
        socket.Close();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_SendTenMiB)->Unit(benchmark::kMillisecond)->UseRealTime();

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// A server that never answers: the wait should sleep, not spin.
void BM_SilentWaitCpu(benchmark::State& state) {
    EnsureCoreApplication();
    double cpu = 0;
    for (auto _ : state) {
        Sink sink;
        Connected link(sink, 5);
        TagSocket& socket = link.socket;
        const double before = CpuSeconds();
        try {
            std::string line;
            socket.ReadLine(line);
        } catch (const MailError&) {
        }
        cpu += CpuSeconds() - before;
    }
    state.counters["cpu_percent_of_a_core"] = 100.0 * cpu / (5.0 * static_cast<double>(state.iterations()));
}
BENCHMARK(BM_SilentWaitCpu)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
