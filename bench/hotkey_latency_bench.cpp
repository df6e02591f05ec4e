// Hot-key latency on a private X server: from the XTEST press of Ctrl+Alt+K, and from its
// release, to the first key the player types into the focused window, for the key held 0,
// 80 and 300 ms (a hand holds a key 60 to 150 ms; the macro plays once the key is up).
// Reports the median and the 99th percentile over 200 presses, 150 ms after the previous
// playback. With TESSARO_BEFORE_BIN naming the program folder of another build, each hold
// is measured with that build's player too, right after this one's, in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
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

const char* BeforeBin() {
    const char* bin = std::getenv("TESSARO_BEFORE_BIN");
    return bin && *bin ? bin : nullptr;
}

// Each hold with this build's player (0) and, when there is one, the other build's (1).
void HoldsAndBuilds(benchmark::internal::Benchmark* b) {
    for (const int hold : {0, 80, 300})
        for (int build = 0; build <= (BeforeBin() ? 1 : 0); ++build) b->Args({hold, build});
}

void HotKeyLatency(benchmark::State& state) {
    const auto hold = std::chrono::milliseconds(state.range(0));
    const std::string program = state.range(1) ? std::string(BeforeBin()) + "/tesrun" : std::string();
    constexpr auto kGap = 150ms;
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
    tessaro::testing::PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log", program);
    if (!tessaro::testing::WaitFor(
            [&] { return tessaro::testing::HotKeyGrabbed(keyboard, XK_k, ControlMask | Mod1Mask); }, 15s)) {
        state.SkipWithError("the player never grabbed the hot key");
        return;
    }

    std::vector<double> fromPress, fromRelease;
    int lost = 0;
    for (auto _ : state) {
        for (int i = 0; i < kPresses; ++i) {
            std::this_thread::sleep_for(kGap);
            KeyTarget::Clock::time_point pressed, released;
            std::unique_ptr<tessaro::testing::HeldKeys> held;
            // The key is let go first; its modifiers only once the first key came (the target
            // stamps what it reads when it reads it).
            const auto latency = TimeToFirstPress(target, "x", [&] {
                pressed = KeyTarget::Clock::now();
                held = std::make_unique<tessaro::testing::HeldKeys>(
                    keyboard, std::vector<KeySym>{XK_Control_L, XK_Alt_L, XK_k});
                std::this_thread::sleep_for(hold);
                held->Release(XK_k);
                released = KeyTarget::Clock::now();
            });
            held.reset();
            if (!latency) {
                ++lost;
                continue;
            }
            fromPress.push_back(*latency);
            fromRelease.push_back(*latency -
                                  std::chrono::duration<double, std::milli>(released - pressed).count());
        }
    }
    XCloseDisplay(keyboard);
    ReportLatencies(state, std::move(fromPress), lost, "presses", "press_");
    ReportLatencies(state, std::move(fromRelease), lost, "presses", "release_");
}

BENCHMARK(HotKeyLatency)
    ->ArgNames({"hold_ms", "before"})
    ->Apply(HoldsAndBuilds)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
