// The resident player's memory with a full macro file (500 macros of 5,000 characters):
// the real tesrun on a private X server, measured from /proc/PID/smaps_rollup once it is
// up and settled. Reported in megabytes; the aim is under 30 resident and under 5 private
// dirty.
#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "tests/e2e/player_process.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

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

bool WriteFullMacroFile(const std::string& path) {
    if (!CreateEmptyMacroFile(path).ok()) return false;
    for (int n = 1; n <= 500; ++n) {
        TMacroRecord rec{};
        rec.Nickname = "Macro " + std::to_string(n);
        rec.Scope = scGlobal;
        rec.ActivationCode = 30000;  // none: started by nickname only
        rec.Enabled = 1;
        std::string text;
        while (text.size() < kMacroTextCapacity) text += "Typed text of macro " + std::to_string(n) + ". ";
        SetMacroText(rec, text.substr(0, kMacroTextCapacity));
        if (!WriteMacroRecordAt(path, -1, rec).ok()) return false;
    }
    return true;
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

}  // namespace
}  // namespace tessaro::testing
