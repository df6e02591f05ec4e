// Playback of a full-size macro (5,000 characters of text, key tokens and nested repeats)
// into the simulated input backend: events per second, and the cost of one step (a typed
// character or a token) including the interpreter's own work.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/sim/sim_input.h"
#include "player/macro_control.h"
#include "player/macro_player.h"

namespace tessaro {
namespace {

class StillClock : public PlaybackClock {
public:
    std::int64_t steps = 0;
    std::int64_t NowMs() override { return 0; }
    void PumpMessages() override { ++steps; }
    void Sleep(std::int64_t) override {}
};

class NoWindows : public PlayerWindows {
public:
    void DoAMessage(const std::string&, const std::string&) override {}
    void MyMessage(const std::string&, const std::string&) override {}
    std::uint16_t DoRepPrompt() override { return 0; }
    bool PauseMacro(int, int, const std::string&) override { return true; }
    int ScreenWidth() override { return 1024; }
    int ScreenHeight() override { return 768; }
    std::optional<std::string> PromptSavePath(const std::string&, const std::string&,
                                              const std::string&, bool) override {
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
    bool ActivateWindow(const std::string&) override { return true; }
    bool OpenDocument(const std::string&) override { return true; }
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

// 5,000 characters: prose, key tokens, held modifiers, counters and two levels of repeats.
std::string MixedMacro() {
    const std::string pieces[] = {
        "Dear customer, thank you for your order.",
        "<TAB>",
        "<ENTER>",
        "\r\n",
        "<CTLD>s<CTLU>",
        "<F5>",
        "<REPEAT:0003>ab<REP:0002:000010:000005>[<III>]<ENDREP>c<ENDREP>",
        "<LEFT ARROW><SHFD><END><SHFU>",
        "Total: <ALT:156> 42,00",
        "<KEYP1><KEYP2>",
        "a<b & c>d",
    };
    std::string text;
    for (std::size_t i = 0; text.size() < 5000; ++i) {
        const std::string& piece = pieces[(i * 7) % std::size(pieces)];
        if (text.size() + piece.size() > 5000) {
            text.append(5000 - text.size(), 'z');
            break;
        }
        text += piece;
    }
    return text;
}

void BM_PlayMixedMacro(benchmark::State& state) {
    win::sim::SimInput input;
    StillClock clock;
    NoWindows windows;
    NoClipboard clipboard;
    NoDesktop desktop;
    NoMacros macros;
    CommandFamilies families;
    MacroPlayer player{PlayerServices{input, clock, windows, clipboard, desktop, macros, families}};
    const std::string text = MixedMacro();
    std::int64_t events = 0;
    for (auto _ : state) {
        input.log.clear();
        player.BeginMacro(false);
        player.DoMacro(text, 1, 1, 1, true);
        player.EndMacro();
        events += std::int64_t(input.log.size());
    }
    // Each step (a character or a token) pumps once.
    state.counters["events/s"] = benchmark::Counter(double(events), benchmark::Counter::kIsRate);
    state.counters["steps"] = benchmark::Counter(double(clock.steps) / double(state.iterations()));
    state.counters["time/step"] = benchmark::Counter(
        double(clock.steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(std::to_string(text.size()) + " characters");
}
BENCHMARK(BM_PlayMixedMacro)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessaro
