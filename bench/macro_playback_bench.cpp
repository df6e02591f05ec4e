// Playback of a full-size macro (5,000 characters of text, key tokens and nested repeats)
// into the simulated input backend: events per second, and the cost of one step (a typed
// character or a token) including the interpreter's own work.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/sim/sim_input.h"
#include "platform/virtual_keys.h"
#include "player/engine/macro_control.h"
#include "player/engine/macro_player.h"
#include "null_player_services.h"

namespace tessaro {
namespace {

// A backend that sends nothing: what remains is the interpreter's and the pacing's own work.
class NullInput : public win::InputBackend {
public:
    short KeyScan(unsigned char ch) override { return win::VkKeyScanUs(ch); }
    win::Point CursorPos() override { return {}; }
    win::Point ScreenSize() override { return {1024, 768}; }
    std::optional<win::Rect> ForegroundWindowRect() override { return std::nullopt; }
    std::optional<win::Point> CaretPos() override { return std::nullopt; }
    void AwaitRelease(unsigned char, const std::function<void()>&) override {}  // nothing is held
    void LetGoOfUserModifiers() override {}
    std::int64_t sent = 0;

protected:
    void SendKey(unsigned char, bool) override { ++sent; }
    void SendMouse(unsigned, int, int, int) override { ++sent; }
};

class StillClock : public PlaybackClock {
public:
    std::int64_t steps = 0;
    std::int64_t NowMs() override { return 0; }
    void PumpMessages() override { ++steps; }
    void Sleep(std::int64_t) override {}
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

// Plays the macro into `input` and reports events per second and time per step.
template <typename Input>
void PlayInto(benchmark::State& state, Input& input, std::int64_t (*events)(Input&)) {
    StillClock clock;
    NoWindows windows;
    NoClipboard clipboard;
    NoDesktop desktop;
    NoMacros macros;
    CommandFamilies families;
    MacroPlayer player{PlayerServices{input, clock, windows, clipboard, desktop, macros, families}};
    const std::string text = MixedMacro();
    std::int64_t total = 0;
    for (auto _ : state) {
        player.BeginMacro(false);
        player.DoMacro(text, 1, 1, 1, true);
        player.EndMacro();
        total += events(input);
    }
    // Each step (a character or a token) pumps once.
    state.counters["events/s"] = benchmark::Counter(double(total), benchmark::Counter::kIsRate);
    state.counters["steps"] = benchmark::Counter(double(clock.steps) / double(state.iterations()));
    state.counters["time/step"] =
        benchmark::Counter(double(clock.steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(std::to_string(text.size()) + " characters");
}

void BM_PlayMixedMacroIntoSimulatedDesktop(benchmark::State& state) {
    win::sim::SimInput input;
    PlayInto<win::sim::SimInput>(state, input, [](win::sim::SimInput& in) {
        const auto n = std::int64_t(in.log.size());
        in.log.clear();
        return n;
    });
}
BENCHMARK(BM_PlayMixedMacroIntoSimulatedDesktop)->Unit(benchmark::kMicrosecond);

// The same without any output: the interpreter's own overhead per step.
void BM_InterpreterOverhead(benchmark::State& state) {
    NullInput input;
    PlayInto<NullInput>(state, input, [](NullInput& in) {
        const auto n = in.sent;
        in.sent = 0;
        return n;
    });
}
BENCHMARK(BM_InterpreterOverhead)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessaro
