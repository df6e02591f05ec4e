// Hot-key latency on a private X server: from the XTEST press of Ctrl+Alt+K (let go at
// once) to the first key typed into the focused window, over 200 presses 150 ms and 20 ms
// apart, with the median, the 99th percentile and the player's CPU time per press. Each gap
// is measured with this build's player, then, with TESSARO_BEFORE_BIN naming the program
// folder of another build, with that build's, then with the floor (hotkey_floor: a grab
// and one XTest key per press), in the same run, side by side.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/compared_players.h"
#include "bench/latency_report.h"
#include "bench/process_cpu.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/paths.h"
#include "tests/e2e/player_process.h"
#include "tests/support/key_target.h"
#include "tests/support/xvfb.h"

namespace {

using namespace std::chrono_literals;
using tessaro::testing::KeyTarget;

constexpr int kPresses = 200;
constexpr int kCtrlAltK = 154;
using namespace tessaro::bench;

void GapsAndPrograms(benchmark::internal::Benchmark* b) {
    for (const int gap : {150, 20})
        for (const int program : {kThisBuild, kBuildBefore, kFloor})
            if (program != kBuildBefore || BeforeBin()) b->Args({gap, program});
}

void HotKeyLatency(benchmark::State& state) {
    const auto gap = std::chrono::milliseconds(state.range(0));
    const int program = static_cast<int>(state.range(1));
    tessaro::testing::Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) {
        state.SkipWithError("no Xvfb");
        return;
    }
    tessaro::testing::PlayerSandbox box(xvfb.name());
    const std::string file = box.file("LATENCY.QTM");
    tessaro::TMacroRecord rec{};
    rec.ActivationCode = kCtrlAltK;
    if (!WriteLatencyMacro(state, file, rec)) return;
    Display* keyboard = xvfb.Open();
    KeyTarget target(xvfb.Open(), "Latency Target");
    if (!ReadyToType(state, keyboard, target)) return;
    const std::vector<std::string> args =
        program == kFloor ? std::vector<std::string>{} : std::vector<std::string>{"/F" + file, "/EN"};
    tessaro::testing::PlayerProcess player(box, args, "player.log", ProgramOf(program));
    if (!tessaro::testing::WaitFor(
            [&] { return tessaro::testing::HotKeyGrabbed(keyboard, XK_k, ControlMask | Mod1Mask); }, 15s)) {
        state.SkipWithError("the player never grabbed the hot key");
        return;
    }
    std::this_thread::sleep_for(1s);  // the start-up's own work is done

    std::vector<double> fromPress;
    int lost = 0;
    double cpu = 0;
    for (auto _ : state) {
        const double cpuBefore = ProcessCpuMs(player.pid());
        for (int i = 0; i < kPresses; ++i) {
            std::this_thread::sleep_for(gap);
            std::unique_ptr<tessaro::testing::HeldKeys> held;
            // The key is let go at once; its modifiers only once the first key came.
            const auto latency = TimeToFirstPress(target, "x", [&] {
                held = std::make_unique<tessaro::testing::HeldKeys>(
                    keyboard, std::vector<KeySym>{XK_Control_L, XK_Alt_L, XK_k});
                held->Release(XK_k);
            });
            held.reset();
            if (!latency) {
                ++lost;
                continue;
            }
            fromPress.push_back(*latency);
        }
        cpu = ProcessCpuMs(player.pid()) - cpuBefore;
    }
    XCloseDisplay(keyboard);
    state.counters["cpu_per_press_ms"] = cpu / kPresses;
    ReportLatencies(state, std::move(fromPress), lost, "presses");
}

BENCHMARK(HotKeyLatency)
    ->ArgNames({"gap_ms", "program"})
    ->Apply(GapsAndPrograms)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
