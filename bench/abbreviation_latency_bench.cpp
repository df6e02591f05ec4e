// Abbreviation latency on a private X server: from the XTEST press of the space that
// completes "sig" to the first Backspace the player types into the focused window.
// Reports the median and the 99th percentile over 200 expansions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
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

constexpr int kExpansions = 200;
// Time for the player to finish the macro the last expansion started.
constexpr auto kPlaybackQuiet = 400ms;

void Tap(Display* d, KeySym sym) {
    const KeyCode code = XKeysymToKeycode(d, sym);
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    XFlush(d);
}

void AbbreviationLatency(benchmark::State& state) {
    tessaro::testing::Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) {
        state.SkipWithError("no Xvfb");
        return;
    }
    tessaro::testing::PlayerSandbox box(xvfb.name());
    std::ofstream(box.file("TESRO.INI")) << "[Snipra]\nUse Suffix=Yes\nRetype Suffix=No\n";
    const std::string file = box.file("LATENCY.QTM");
    tessaro::TMacroRecord rec{};
    rec.ActivationCode = tessaro::acAbbreviation;
    rec.Abbreviation = "sig";
    rec.AbbrevCase = 3;
    rec.AbbrevErase = 1;
    if (!WriteLatencyMacro(state, file, rec)) return;
    Display* keyboard = xvfb.Open();
    KeyTarget target(xvfb.Open(), "Latency Target");
    if (!ReadyToType(state, keyboard, target)) return;
    tessaro::testing::PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    if (!tessaro::testing::WaitForPlayerWindow()) {
        state.SkipWithError("the player did not start");
        return;
    }
    std::this_thread::sleep_for(2s);

    std::vector<double> ms;
    int lost = 0;
    for (auto _ : state) {
        for (int i = 0; i < kExpansions; ++i) {
            std::this_thread::sleep_for(kPlaybackQuiet);
            for (KeySym k : {XK_s, XK_i, XK_g}) Tap(keyboard, k);
            std::this_thread::sleep_for(30ms);
            const auto latency = TimeToFirstPress(target, "BackSpace", [&] { Tap(keyboard, XK_space); });
            if (latency)
                ms.push_back(*latency);
            else
                ++lost;
        }
    }
    XCloseDisplay(keyboard);
    ReportLatencies(state, std::move(ms), lost, "expansions");
}

BENCHMARK(AbbreviationLatency)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
