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

class NoWindows : public PlayerWindows {
public:
    void DoAMessage(const std::string&, const std::string&) override {}
    void MyMessage(const std::string&, const std::string&) override {}
    std::uint16_t DoRepPrompt() override { return 0; }
    bool PauseMacro(int, int, const std::string&) override { return true; }
    int ScreenWidth() override { return 1024; }
    int ScreenHeight() override { return 768; }
    std::optional<std::string> PromptSavePath(const std::string&, const std::string&, const std::string&,
                                              bool) override {
        return std::nullopt;
    }
};

class NoClipboard : public ClipboardAccess {
public:
    std::string Text() override { return {}; }
    void SetText(const std::string&) override {}
    bool Image(QImage&) override { return false; }
    void SetImage(const QImage&) override {}
};

class NoDesktop : public PlayerDesktop {
public:
    bool ActivateWindow(const std::string&) override { return false; }
    bool OpenDocument(const std::string&) override { return false; }
    std::optional<std::string> Decrypt(const std::string&) override { return std::nullopt; }
};

class NoMacros : public MacroControlHost {
public:
    int MacroCount() override { return 0; }
    std::string Nickname(int) override { return {}; }
    std::uint16_t ActivationCode(int) override { return 0; }
    std::uint16_t Scope(int) override { return 0; }
    bool Enabled(int) override { return false; }
    std::optional<std::string> MacroText(int) override { return std::nullopt; }
    std::vector<std::uint16_t> PopupItems(int) override { return {}; }
    void SavePopupItems(int, const std::vector<std::uint16_t>&) override {}
    void DeleteMacroRecord(int) override {}
    void SetMacroEnabled(int, bool) override {}
    void SetTriggerEnabled(int, bool) override {}
    void ReloadMacroFile() override {}
    void LoadMacroFile(const std::string&) override {}
    void SetMacroFileName(const std::string&) override {}
    bool FileInUse() override { return false; }
    void ReleaseSyncFile(int) override {}
    void UseLockFileOf(const std::string&) override {}
    void GetSwapFile() override {}
    void SetHotKeys() override {}
    void CheckAndSetTime() override {}
    void ClearMenuTaskIcon() override {}
    void DoMenuTaskIcon() override {}
    void TellOtherPlayers() override {}
    void PostEditor(std::uint32_t, std::int32_t) override {}
};

class NoLink : public PeerLink {
public:
    void Push(const TGlobData&, int, int) override {}
    void Pull(TGlobData&, int, int) override {}
    void NotifyEditor(std::uint32_t, std::int32_t) override {}
    void ForgetEditor() override {}
};

// Plays "<WAITWIN:000:Target>x" while the window comes to the front after `delay`; the
// time from its coming to the macro's end (its next key) is the latency.
void BM_WindowWaitLatency(benchmark::State& state) {
    auto& desktop = win::sim::TheSimDesktop();
    desktop.Clear();
    const win::HWND other = desktop.AddWindow("Other", 1, "other");
    WallClock clock;
    clock.target = desktop.AddWindow("Target", 2, "target");
    auto glob = std::make_unique<TGlobData>();
    NoLink link;
    WaitReports reports;
    win::sim::SimInput input;
    NoWindows windows;
    NoClipboard clipboard;
    NoDesktop playerDesktop;
    NoMacros macros;
    CommandFamilies families;
    families.Register(CommandFamilyId::Waits, std::make_unique<WaitsFamily>(*glob, link, desktop, reports));
    MacroPlayer player{PlayerServices{input, clock, windows, clipboard, playerDesktop, macros, families}};
    const auto delay = std::chrono::milliseconds(state.range(0));
    for (auto _ : state) {
        desktop.foreground = other;
        clock.shown = false;
        clock.showAt = Steady::now() + delay;
        player.BeginMacro(false);
        player.DoMacro("<WAITWIN:000:Target>x", 1, 1, 1, true);
        player.EndMacro();
        state.SetIterationTime(std::chrono::duration<double>(Steady::now() - clock.shownAt).count());
    }
}
BENCHMARK(BM_WindowWaitLatency)->Arg(37)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

// Processor time of a wait that never ends on its own, per second of waiting.
void BM_IdleWaitCpuShare(benchmark::State& state) {
    auto& desktop = win::sim::TheSimDesktop();
    desktop.Clear();
    desktop.foreground = desktop.AddWindow("Other", 1, "other");
    WallClock clock;
    clock.showAt = Steady::time_point::max();
    auto glob = std::make_unique<TGlobData>();
    NoLink link;
    WaitReports reports;
    win::sim::SimInput input;
    NoWindows windows;
    NoClipboard clipboard;
    NoDesktop playerDesktop;
    NoMacros macros;
    CommandFamilies families;
    families.Register(CommandFamilyId::Waits, std::make_unique<WaitsFamily>(*glob, link, desktop, reports));
    MacroPlayer player{PlayerServices{input, clock, windows, clipboard, playerDesktop, macros, families}};
    clock.player = &player;
    double share = 0;
    for (auto _ : state) {
        clock.stop = false;
        const double cpu = CpuSeconds();
        const auto start = Steady::now();
        std::thread stopper([&] {
            std::this_thread::sleep_for(std::chrono::seconds(state.range(0)));
            clock.stop = true;
        });
        player.BeginMacro(false);
        player.DoMacro("<WAITWIN:000:Never>", 1, 1, 1, true);
        player.EndMacro();
        stopper.join();
        share = (CpuSeconds() - cpu) / std::chrono::duration<double>(Steady::now() - start).count();
    }
    state.counters["cpu_share_percent"] = share * 100;
}
BENCHMARK(BM_IdleWaitCpuShare)->Arg(5)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace tessaro
