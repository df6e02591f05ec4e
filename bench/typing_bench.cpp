// Typing throughput: a 5,000-character text of mixed case, digits, punctuation and
// accented letters, through the simulated backend and through XTest into a window on a
// private X server that checks every character it receives.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "platform/cp1252.h"
#include "platform/sim/sim_input.h"
#include "platform/virtual_keys.h"
#include "platform/x11/xtest_input.h"
#include "player/engine/input_synthesis.h"
// Last: Xlib's macros would clash with names above.
#include <X11/Xutil.h>

#include "tests/support/xvfb.h"

namespace {

using tessaro::InputSynthesis;
using tessaro::SynthesisHooks;

std::string MixedText(size_t length) {
    const std::string pieces[] = {
        "abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "0123456789",
        ".,;:!?'\"()-/@#&*+=", "\xE9\xE8\xEA\xE0\xE7\xF9\xF4\xF6\xFC\xE4\xC9\xC0\xDF\xF1"};
    const int weights[] = {60, 12, 10, 8, 10};
    std::mt19937 rng(2024);
    std::discrete_distribution<int> pick(std::begin(weights), std::end(weights));
    std::string text;
    while (text.size() < length) {
        if (rng() % 7 == 0) {
            text += ' ';
            continue;
        }
        const std::string& from = pieces[pick(rng)];
        text += from[rng() % from.size()];
    }
    return text;
}

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

// A bare X window that keeps the characters its key presses produce.
class Receiver {
public:
    explicit Receiver(Display* display) : display_(display) {
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

private:
    void Run() {
        while (!stop_) {
            while (XPending(display_)) {
                XEvent ev;
                XNextEvent(display_, &ev);
                if (ev.type == MappingNotify) XRefreshKeyboardMapping(&ev.xmapping);
                if (ev.type != KeyPress) continue;
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
    Window window_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::string text_;
};

void BM_TypeXTest(benchmark::State& state) {
    tessaro::testing::Xvfb server("640x480x24");
    Display* typist = server.Open();
    Display* target = server.Open();
    if (!typist || !target) {
        state.SkipWithError("Xvfb could not start");
        return;
    }
    const std::string text = MixedText(5000);
    int64_t wrong = 0;
    {
        Receiver receiver(target);
        win::x11::XTestInput input(typist);
        InputSynthesis synth(input, QuietHooks());
        synth.BeginMacro();
        for (auto _ : state) {
            for (char c : text) synth.TypeChar(static_cast<unsigned char>(c));
            // Done when the window has every character (or nothing more arrives).
            size_t seen = 0;
            for (auto quiet = std::chrono::steady_clock::now();
                 receiver.size() < text.size() &&
                 std::chrono::steady_clock::now() - quiet < std::chrono::seconds(2);) {
                if (receiver.size() != seen) {
                    seen = receiver.size();
                    quiet = std::chrono::steady_clock::now();
                }
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            }
            const std::string got = receiver.Take();
            if (got != text) {
                ++wrong;
                const size_t at = static_cast<size_t>(
                    std::mismatch(got.begin(), got.end(), text.begin(), text.end()).first - got.begin());
                state.SkipWithError(("typed text differs from character " + std::to_string(at) + " (" +
                                     win::Cp1252ToUtf8(text.substr(at, 12)) + " sent, " +
                                     win::Cp1252ToUtf8(got.substr(at, 12)) + " arrived) of " +
                                     std::to_string(got.size()) + " arrived")
                                        .c_str());
                break;
            }
        }
        synth.EndMacro();
    }
    state.counters["wrong_runs"] = static_cast<double>(wrong);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    XCloseDisplay(typist);
    XCloseDisplay(target);
}
BENCHMARK(BM_TypeXTest)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
