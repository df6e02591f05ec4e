// Resident memory over 10,000 plays of an accented macro through the XTest backend on a
// private X server. Each play puts its letter on a spare keycode and the keycode is given
// back later, so every play changes the keyboard map and every client, this one included,
// is sent notices of it. Reports resident memory after a warm-up and at the end.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QCoreApplication>
#include <fstream>

#include "platform/x11/xtest_input.h"
#include "player/engine/input_synthesis.h"
#include "tests/support/xvfb.h"

namespace {

constexpr int kPlays = 10000;
constexpr int kWarmUp = 300;

double ResidentMb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void PlaybackMemory(benchmark::State& state) {
    tessaro::testing::Xvfb xvfb("320x240x24");
    if (xvfb.name().empty()) {
        state.SkipWithError("no Xvfb");
        return;
    }
    int argc = 1;
    char name[] = "playback_memory_bench";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    Display* display = xvfb.Open();
    double warm = 0, end = 0;
    {
        win::x11::XTestInput input(display);
        if (!input.ok()) {
            state.SkipWithError("no XTEST");
            return;
        }
        tessaro::InputSynthesis synth(input, {[] { QCoreApplication::processEvents(); }, [] { return false; },
                                              nullptr, nullptr, nullptr});
        for (auto _ : state) {
            for (int play = 0; play < kPlays; ++play) {
                if (play == kWarmUp) warm = ResidentMb();
                synth.BeginMacro();
                // One of the 64 accented capitals and small letters of Windows-1252.
                synth.TypeChar(static_cast<unsigned char>(0xC0 + play % 64));
                synth.EndMacro();
                QCoreApplication::processEvents();
            }
        }
        end = ResidentMb();
    }
    XCloseDisplay(display);
    state.counters["plays"] = kPlays;
    state.counters["rss_after_warmup_mb"] = warm;
    state.counters["rss_end_mb"] = end;
    state.counters["growth_kb"] = (end - warm) * 1024.0;
}

BENCHMARK(PlaybackMemory)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
