// Hot-key latency on a private X server: from the XTEST press of Ctrl+Alt+K to the first
// key the player types into the focused window. Reports the median and the 99th
// percentile over 200 presses, with presses 300 ms apart and 150 ms apart (close behind
// the previous playback and its end key).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "bench/latency_report.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "tests/e2e/player_process.h"
#include "tests/support/key_target.h"
#include "tests/support/xvfb.h"

namespace {

using namespace std::chrono_literals;
using tessaro::testing::KeyTarget;

constexpr int kPresses = 200;
constexpr int kCtrlAltK = 154;
void HotKeyLatency(benchmark::State& state) {
    // Time from one answered press to the next.
    const auto gap = std::chrono::milliseconds(state.range(0));
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
    tessaro::testing::PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    if (!tessaro::testing::WaitFor(
            [&] { return tessaro::testing::HotKeyGrabbed(keyboard, XK_k, ControlMask | Mod1Mask); }, 15s)) {
        state.SkipWithError("the player never grabbed the hot key");
        return;
    }

    std::vector<double> ms;
    int lost = 0;
    for (auto _ : state) {
        for (int i = 0; i < kPresses; ++i) {
            std::this_thread::sleep_for(gap);
            const auto latency = TimeToFirstPress(target, "x", [&] {
                tessaro::testing::PressWithModifiers(keyboard, XK_k, {XK_Control_L, XK_Alt_L});
            });
            if (latency)
                ms.push_back(*latency);
            else
                ++lost;
        }
    }
    XCloseDisplay(keyboard);
    ReportLatencies(state, std::move(ms), lost, "presses");
}

BENCHMARK(HotKeyLatency)->Arg(300)->Arg(150)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
