// The resident player's memory with a full macro file (500 macros of 5,000 characters):
// the real tesrun on a private X server, measured from /proc/PID/smaps_rollup once it is
// up and settled. Reported in megabytes; the aim is under 30 resident and under 5 private
// dirty. A second run sends a macro's mail to a server that floods its reply: its peak and
// what stays once the send has ended.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <chrono>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "bench/full_macro_file.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "tests/e2e/player_process.h"
#include "tests/mail/smtp_test_server.h"
#include "tests/support/qt_core_app.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kEnd = '\x01';

// Fields of smaps_rollup, in kB.
std::map<std::string, long> MemoryOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::map<std::string, long> fields;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string key;
        long kb = 0;
        if (words >> key >> kb && key.back() == ':') fields[key.substr(0, key.size() - 1)] = kb;
    }
    return fields;
}

// The peak resident size, in kB.
long PeakOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

void PlayerMemoryWithFullMacroFile(benchmark::State& state) {
    Xvfb xvfb;
    if (xvfb.name().empty()) {
        state.SkipWithError("no Xvfb");
        return;
    }
    PlayerSandbox box(xvfb.name());
    if (!WriteFullMacroFile(box.file("TESRO.QTM"))) {
        state.SkipWithError("the macro file could not be written");
        return;
    }
    std::map<std::string, long> memory;
    for (auto _ : state) {
        PlayerProcess player(box, {"/EN"}, "player.log");
        if (WaitForPlayerWindow() == 0) {
            state.SkipWithError(("the player did not start: " + player.Log()).c_str());
            return;
        }
        std::this_thread::sleep_for(5s);  // start-up timers and lazy set-up have run
        memory = MemoryOf(player.pid());
        player.Stop();
    }
    state.counters["resident_MB"] = static_cast<double>(memory["Rss"]) / 1024;
    state.counters["private_dirty_MB"] = static_cast<double>(memory["Private_Dirty"]) / 1024;
}
BENCHMARK(PlayerMemoryWithFullMacroFile)->Iterations(1)->Unit(benchmark::kMillisecond);

void PlayerMemoryAfterFloodingMailServer(benchmark::State& state) {
    EnsureCoreApplication();
    Xvfb xvfb;
    if (xvfb.name().empty()) {
        state.SkipWithError("no Xvfb");
        return;
    }
    PlayerSandbox box(xvfb.name());
    SmtpTestServer server;
    server.On("GREETING", {"250-more\r\n", false, false, true});
    const std::string path = box.file("TESRO.QTM");
    TMacroRecord flood{};
    flood.Nickname = "Flood";
    flood.Scope = scGlobal;
    flood.ActivationCode = 30000;
    flood.Enabled = 1;
    SetMacroText(flood, std::string("<EMAIL:RNR1TOa@example.org;") + kEnd + "S1body" + kEnd + "subject" +
                            kEnd + "A1>");
    if (!WriteFullMacroFile(path) || !WriteMacroRecordAt(path, 500, flood).ok()) {
        state.SkipWithError("the macro file could not be written");
        return;
    }
    std::ofstream(box.file("TESRO.INI"), std::ios::binary | std::ios::app)
        << "[EMail]\r\nSMTP Host=" << server.address()
        << "\r\nEMail Name=Ann\r\nEMail Address=ann@example.org\r\nSMTP Port=25\r\n";
    std::map<std::string, long> memory;
    long peak = 0;
    for (auto _ : state) {
        PlayerProcess player(box, {"/EN", "/AFlood"}, "player.log");
        if (WaitForPlayerWindow() == 0) {
            state.SkipWithError(("the player did not start: " + player.Log()).c_str());
            return;
        }
        // The flood runs until the send ends; then the player settles.
        const auto until = std::chrono::steady_clock::now() + 60s;
        while (!server.clientClosed() && std::chrono::steady_clock::now() < until)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        for (int i = 0; i < 50; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            std::this_thread::sleep_for(50ms);
        }
        memory = MemoryOf(player.pid());
        peak = PeakOf(player.pid());
        player.Stop();
    }
    state.counters["peak_resident_MB"] = static_cast<double>(peak) / 1024;
    state.counters["resident_after_MB"] = static_cast<double>(memory["Rss"]) / 1024;
    state.counters["private_dirty_after_MB"] = static_cast<double>(memory["Private_Dirty"]) / 1024;
}
BENCHMARK(PlayerMemoryAfterFloodingMailServer)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaro::testing
