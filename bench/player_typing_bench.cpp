// Typing through the real player on a private X server: a macro's text played from its hot
// key into a plain X window that reads at once ("prompt") or late (its loop stops 300 ms
// every 150 keys, or every 25 for the mixed text), under the US and the German layout.
// Texts: "bench", 5,000 characters of letters, digits, punctuation and accented letters;
// "mixed", 1,200 characters of which every third is a Windows-1252 character of the upper
// half, among characters on Shift and AltGr. With TESSARO_BEFORE_BIN naming the program
// folder of another build, each case runs with that build's player too, in the same run;
// xdotool types the same text into the same window when it is installed.
// Rate: characters per second from the hot key's release to the last character read.
// "errors": characters the window did not get as sent (the edit distance).
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/latency_report.h"
#include "bench/typing_compare.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/cp1252.h"
#include "tests/e2e/player_process.h"
// Xlib's macros last.
#include "tests/support/key_target.h"
#include "tests/support/typed_characters.h"
#include "tests/support/xkb_layout.h"
#include "tests/support/xvfb.h"

namespace {

using namespace std::chrono_literals;
using tessaro::testing::KeyTarget;
using Clock = std::chrono::steady_clock;

constexpr int kCtrlAltK = 154;
const char* const kLayouts[] = {"us", "de"};
enum Typist { kThisBuild, kBeforeBuild, kXdotool };

const char* BeforeBin() {
    const char* bin = std::getenv("TESSARO_BEFORE_BIN");
    return bin && *bin ? bin : nullptr;
}

// args: layout, late, text (0 bench, 1 mixed), typist.
void PlayerTyping(benchmark::State& state) {
    const char* layout = kLayouts[state.range(0)];
    const bool late = state.range(1) != 0;
    const bool mixed = state.range(2) != 0;
    const auto typist = static_cast<Typist>(state.range(3));
    const std::string text =
        mixed ? tessaro::testing::MixedAbsentText(1200) : tessaro::bench::MixedText(5000);
    tessaro::testing::Xvfb xvfb("640x480x24");
    if (xvfb.name().empty() || !tessaro::testing::SetKeyboardLayout(xvfb.name(), layout)) {
        state.SkipWithError("no Xvfb or setxkbmap");
        return;
    }
    Display* keyboard = xvfb.Open();
    KeyTarget target(xvfb.Open(), "Typing Target");
    if (!ReadyToType(state, keyboard, target)) return;
    if (late) target.ReadLate(300ms, mixed ? 25 : 150);
    tessaro::testing::PlayerSandbox box(xvfb.name());
    std::unique_ptr<tessaro::testing::PlayerProcess> player;
    if (typist != kXdotool) {
        const std::string file = box.file("TYPING.QTM");
        tessaro::TMacroRecord rec{};
        rec.ActivationCode = kCtrlAltK;
        rec.Nickname = "Typing";
        rec.Scope = tessaro::scGlobal;
        rec.Enabled = 1;
        tessaro::SetMacroText(rec, text);
        if (!tessaro::CreateEmptyMacroFile(file).ok() || !tessaro::WriteMacroRecordAt(file, 1, rec).ok()) {
            state.SkipWithError("cannot write the macro file");
            return;
        }
        const std::string program =
            typist == kBeforeBuild ? std::string(BeforeBin()) + "/tesrun" : std::string();
        player = std::make_unique<tessaro::testing::PlayerProcess>(
            box, std::vector<std::string>{"/F" + file, "/EN"}, "player.log", program);
        if (!tessaro::testing::WaitFor(
                [&] { return tessaro::testing::HotKeyGrabbed(keyboard, XK_k, ControlMask | Mod1Mask); },
                15s)) {
            state.SkipWithError("the player never grabbed the hot key");
            return;
        }
    }
    std::int64_t errors = 0;
    for (auto _ : state) {
        target.Drain();
        target.keys.clear();
        Clock::time_point start;
        if (typist == kXdotool) {
            start = Clock::now();
            if (!tessaro::bench::Xdotool(xvfb.name(), win::Cp1252ToUtf8(text))) {
                state.SkipWithError("xdotool failed");
                return;
            }
        } else {
            tessaro::testing::HeldKeys held(keyboard, {XK_Control_L, XK_Alt_L, XK_k});
            std::this_thread::sleep_for(tessaro::testing::kHold);
            held.Release(XK_k);
            start = Clock::now();
        }
        // Until the whole text is in, or nothing more comes for a while.
        tessaro::testing::ReadUntilDoneOrQuiet(
            target, [&] { return tessaro::testing::TypedCharacters(target).size() >= text.size(); }, 5s,
            600s);
        const auto end = target.keys.empty() ? Clock::now() : target.keys.back().when;
        state.SetIterationTime(std::max(std::chrono::duration<double>(end - start).count(), 1e-6));
        errors += static_cast<std::int64_t>(
            tessaro::bench::EditDistance(tessaro::testing::TypedCharacters(target), text));
    }
    XCloseDisplay(keyboard);
    state.counters["errors"] =
        benchmark::Counter(static_cast<double>(errors), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    static const char* const kTypists[] = {"this build", "before", "xdotool"};
    state.SetLabel(std::string(layout) + (late ? " late " : " prompt ") + (mixed ? "mixed " : "bench ") +
                   kTypists[typist]);
}

void Cases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"layout", "late", "mixed", "typist"});
    for (int mixed = 0; mixed < 2; ++mixed)
        for (int layout = 0; layout < 2; ++layout)
            for (int late = 0; late < 2; ++late)
                for (int typist = kThisBuild; typist <= kXdotool; ++typist) {
                    if (typist == kBeforeBuild && !BeforeBin()) continue;
                    if (typist == kXdotool && !tessaro::bench::XdotoolInstalled()) continue;
                    b->Args({layout, late, mixed, typist});
                }
    b->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
}
BENCHMARK(PlayerTyping)->Apply(Cases);

}  // namespace
