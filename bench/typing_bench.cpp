// Typing speed and exactness. A 5,000-character text of mixed case, digits, punctuation,
// the characters behind AltGr on a German keyboard and accented letters, typed through
// the simulated backend, and through XTest into a window on a private X server under the
// US and the German layout. The window reads at once ("prompt") or late ("late": its loop
// stops 300 ms at the first key and every 150 keys, as busy programs do). The same text
// typed by xdotool, when it is installed, into the same window for comparison.
// Rate: characters per second of sending. "errors": characters the window did not get as
// sent (the edit distance between the two texts), per run.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/cp1252.h"
#include "platform/sim/sim_input.h"
#include "platform/virtual_keys.h"
#include "platform/x11/xtest_input.h"
#include "player/engine/input_synthesis.h"
#include "bench/typing_compare.h"
// Last: Xlib's macros would clash with names above.
#include <X11/Xutil.h>

#include "tests/support/xkb_layout.h"
#include "tests/support/xvfb.h"

namespace {

using Clock = std::chrono::steady_clock;
using tessaro::InputSynthesis;
using tessaro::SynthesisHooks;
using tessaro::bench::EditDistance;
using tessaro::bench::MixedText;
using tessaro::bench::Xdotool;
using tessaro::bench::XdotoolInstalled;

const char* const kLayouts[] = {"us", "de"};
constexpr auto kStall = std::chrono::milliseconds(300);
constexpr int kStallEvery = 150;

SynthesisHooks QuietHooks() {
    return {[] {}, [] { return false; }, nullptr, nullptr, nullptr};
}

void BM_TypeSimulated(benchmark::State& state) {
    const std::string text = MixedText(5000);
    win::sim::SimInput input;
    InputSynthesis synth(input, QuietHooks());
    for (auto _ : state) {
        input.log.clear();
        for (char c : text) synth.TypeChar(static_cast<unsigned char>(c));
        benchmark::DoNotOptimize(input.log.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_TypeSimulated)->Unit(benchmark::kMillisecond);

// A bare X window that keeps the characters its key presses produce, read on a thread of
// its own, at once or late.
class Receiver {
public:
    Receiver(Display* display, bool late) : display_(display), late_(late) {
        // The keyboard map is read now, as a toolkit does at start: Xlib asks for the
        // notices of its changes only from its first key look-up on.
        XKeysymToKeycode(display_, XK_space);
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 200, 100, 0, 0, 0);
        XSelectInput(display_, window_, KeyPressMask | StructureNotifyMask);
        XMapWindow(display_, window_);
        for (XEvent ev;;) {
            XNextEvent(display_, &ev);
            if (ev.type == MapNotify) break;
        }
        XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
        XSync(display_, False);
        thread_ = std::thread([this] { Run(); });
    }
    ~Receiver() {
        stop_ = true;
        thread_.join();
    }
    std::string Take() {
        std::lock_guard lock(mutex_);
        return std::exchange(text_, {});
    }
    size_t size() {
        std::lock_guard lock(mutex_);
        return text_.size();
    }
    // Waits until `length` characters arrived, or nothing more does for a while.
    void AwaitText(size_t length) {
        size_t seen = 0;
        for (auto quiet = Clock::now(); size() < length && Clock::now() - quiet < std::chrono::seconds(3);) {
            if (size() != seen) {
                seen = size();
                quiet = Clock::now();
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }

private:
    void Run() {
        int presses = 0;
        while (!stop_) {
            while (XPending(display_)) {
                XEvent ev;
                XNextEvent(display_, &ev);
                if (ev.type == MappingNotify) XRefreshKeyboardMapping(&ev.xmapping);
                if (ev.type != KeyPress) continue;
                if (late_ && presses++ % kStallEvery == 0) std::this_thread::sleep_for(kStall);
                KeySym sym = NoSymbol;
                char buf[8];
                XLookupString(&ev.xkey, buf, sizeof buf, &sym, nullptr);
                if (char32_t cp = win::KeysymToChar(sym)) {
                    unsigned char byte = '?';
                    win::UnicodeToCp1252(cp, byte);
                    std::lock_guard lock(mutex_);
                    text_ += static_cast<char>(byte);
                }
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }

    Display* display_;
    bool late_;
    Window window_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::string text_;
};

// A private X server with the layout and the reader of the benchmark's arguments.
class Desk {
public:
    explicit Desk(const benchmark::State& state)
        : server_("640x480x24"), layout_(kLayouts[state.range(0)]), late_(state.range(1) != 0) {
        if (server_.name().empty() || !tessaro::testing::SetKeyboardLayout(server_.name(), layout_)) return;
        typist_ = server_.Open();
        target_ = server_.Open();
        if (typist_ && target_) receiver_ = std::make_unique<Receiver>(target_, late_);
    }
    ~Desk() {
        receiver_.reset();
        if (typist_) XCloseDisplay(typist_);
        if (target_) XCloseDisplay(target_);
    }
    bool ok() const { return receiver_ != nullptr; }
    const std::string& name() const { return server_.name(); }
    Display* typist() const { return typist_; }
    Receiver& receiver() { return *receiver_; }
    void Label(benchmark::State& state) const {
        state.SetLabel(std::string(layout_) + (late_ ? " late" : " prompt"));
    }

private:
    tessaro::testing::Xvfb server_;
    const char* layout_;
    bool late_;
    Display* typist_ = nullptr;
    Display* target_ = nullptr;
    std::unique_ptr<Receiver> receiver_;
};

// One run: `type` sends the text; its time is the iteration's, the window's text is checked.
template <typename Type>
void Runs(benchmark::State& state, Desk& desk, const std::string& text, Type type) {
    int64_t errors = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!type()) {
            state.SkipWithError("the typist failed");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        desk.receiver().AwaitText(text.size());
        errors += static_cast<int64_t>(EditDistance(desk.receiver().Take(), text));
    }
    state.counters["errors"] =
        benchmark::Counter(static_cast<double>(errors), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    desk.Label(state);
}

void BM_TypeXTest(benchmark::State& state) {
    Desk desk(state);
    if (!desk.ok()) {
        state.SkipWithError("Xvfb or setxkbmap could not start");
        return;
    }
    const std::string text = MixedText(5000);
    // One backend for all runs, as the player keeps one.
    win::x11::XTestInput input(desk.typist());
    InputSynthesis synth(input, QuietHooks());
    Runs(state, desk, text, [&] {
        synth.BeginMacro();
        for (char c : text) synth.TypeChar(static_cast<unsigned char>(c));
        XSync(desk.typist(), False);
        synth.EndMacro();
        return true;
    });
}

void BM_TypeXdotool(benchmark::State& state) {
    if (!XdotoolInstalled()) {
        state.SkipWithError("xdotool is not installed: nothing to compare with");
        return;
    }
    Desk desk(state);
    if (!desk.ok()) {
        state.SkipWithError("Xvfb or setxkbmap could not start");
        return;
    }
    const std::string text = MixedText(5000);
    const std::string utf8 = win::Cp1252ToUtf8(text);
    Runs(state, desk, text, [&] { return Xdotool(desk.name(), utf8); });
}

void Layouts(benchmark::internal::Benchmark* b) {
    b->ArgNames({"layout", "late"});
    for (int layout = 0; layout < 2; ++layout)
        for (int late = 0; late < 2; ++late) b->Args({layout, late});
    b->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
}
BENCHMARK(BM_TypeXTest)->Apply(Layouts);
BENCHMARK(BM_TypeXdotool)->Apply(Layouts);

}  // namespace
