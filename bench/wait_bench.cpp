// The wait commands' loop on the wall clock: how soon a macro goes on once its window came
// to the front, and how much processor time a wait costs while nothing happens.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_input.h"
#include "player/commands/waits.h"
#include "player/engine/macro_control.h"
#include "player/engine/macro_player.h"
#include "player/engine/peer_link.h"
#include "protocol/glob_data.h"
#include "null_player_services.h"

namespace tessaro {
namespace {

using Steady = std::chrono::steady_clock;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The wall clock; each pump may bring the awaited window to the front once its time came.
class WallClock : public PlaybackClock {
public:
    std::int64_t NowMs() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now().time_since_epoch())
            .count();
    }
    void PumpMessages() override {
        if (stop && player) player->RequestAbort();
        if (!shown && Steady::now() >= showAt) {
            win::sim::TheSimDesktop().foreground = target;
            shownAt = showAt;  // it came then; the loop sees it at its next turn
            shown = true;
        }
    }
    void Sleep(std::int64_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    Steady::time_point showAt, shownAt;
    bool shown = false;
    win::HWND target = 0;
    std::atomic<bool> stop = false;  // set by another thread: abort on the next pump
    MacroPlayer* player = nullptr;
};

class NoLink : public PeerLink {
public:
    void Push(const TGlobData&, int, int) override {}
    void Pull(TGlobData&, int, int) override {}
    void NotifyEditor(std::uint32_t, std::int32_t) override {}
    void ForgetEditor() override {}
    void MarkPlayback() override {}
};

// The interpreter with the wait family over the simulated desktop and the wall clock.
struct WaitRig {
    WaitRig() {
        desktop.Clear();
        families.Register(CommandFamilyId::Waits,
                          std::make_unique<WaitsFamily>(*glob, link, desktop, reports));
        clock.player = &player;
    }
    void Play(const char* text) {
        player.BeginMacro(false);
        player.DoMacro(text, 1, 1, 1, true);
        player.EndMacro();
    }
    win::sim::SimDesktop& desktop = win::sim::TheSimDesktop();
    WallClock clock;
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    NoLink link;
    WaitReports reports;
    win::sim::SimInput input;
    NoWindows windows;
    NoClipboard clipboard;
    NoDesktop playerDesktop;
    NoMacros macros;
    CommandFamilies families;
    MacroPlayer player{PlayerServices{input, clock, windows, clipboard, playerDesktop, macros, families}};
};

// Plays "<WAITWIN:000:Target>x" while the window comes to the front after `delay`; the
// time from its coming to the macro's end (its next key) is the latency.
void BM_WindowWaitLatency(benchmark::State& state) {
    WaitRig rig;
    const win::HWND other = rig.desktop.AddWindow("Other", 1, "other");
    rig.clock.target = rig.desktop.AddWindow("Target", 2, "target");
    const auto delay = std::chrono::milliseconds(state.range(0));
    for (auto _ : state) {
        rig.desktop.foreground = other;
        rig.clock.shown = false;
        rig.clock.showAt = Steady::now() + delay;
        rig.Play("<WAITWIN:000:Target>x");
        state.SetIterationTime(std::chrono::duration<double>(Steady::now() - rig.clock.shownAt).count());
    }
}

BENCHMARK(BM_WindowWaitLatency)->Arg(37)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

// Processor time of a wait that never ends on its own, per second of waiting.
// Processor time of a wait that never ends on its own, per second of waiting.
void BM_IdleWaitCpuShare(benchmark::State& state) {
    WaitRig rig;
    rig.desktop.foreground = rig.desktop.AddWindow("Other", 1, "other");
    rig.clock.showAt = Steady::time_point::max();
    double share = 0;
    for (auto _ : state) {
        rig.clock.stop = false;
        const double cpu = CpuSeconds();
        const auto start = Steady::now();
        std::thread stopper([&] {
            std::this_thread::sleep_for(std::chrono::seconds(state.range(0)));
            rig.clock.stop = true;
        });
        rig.Play("<WAITWIN:000:Never>");
        stopper.join();
        share = (CpuSeconds() - cpu) / std::chrono::duration<double>(Steady::now() - start).count();
    }
    state.counters["cpu_share_percent"] = share * 100;
}

BENCHMARK(BM_IdleWaitCpuShare)->Arg(5)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace tessaro
