#pragma once
// The counters of a latency benchmark: median, 99th percentile, extremes, the number of
// answered trials and the number lost.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "macro/macro_file.h"
#include "macro/macro_record.h"

// `prefix` names the series when a benchmark reports more than one.
inline void ReportLatencies(benchmark::State& state, std::vector<double> ms, int lost,
                            const std::string& trials, const std::string& prefix = "") {
    if (ms.empty()) {
        state.SkipWithError(("no " + trials + " answered").c_str());
        return;
    }
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) {
        return ms[std::min(ms.size() - 1, static_cast<std::size_t>(q * double(ms.size())))];
    };
    state.counters[prefix + "median_ms"] = at(0.5);
    state.counters[prefix + "p99_ms"] = at(0.99);
    state.counters[prefix + "min_ms"] = ms.front();
    state.counters[prefix + "max_ms"] = ms.back();
    state.counters[trials] = double(ms.size());
    state.counters["lost"] = lost;
}

// Milliseconds from `act` to the first press of `keysym` at the target (a KeyTarget);
// nothing when it did not come within five seconds.
template <typename Target, typename Act>
std::optional<double> TimeToFirstPress(Target& target, const std::string& keysym, Act act) {
    target.Drain();
    target.keys.clear();
    const auto start = Target::Clock::now();
    act();
    typename Target::Clock::time_point seen{};
    const bool got = target.WaitUntil(
        [&] {
            for (const auto& k : target.keys)
                if (k.press && k.keysym == keysym) {
                    seen = k.when;
                    return true;
                }
            return false;
        },
        std::chrono::seconds(5));
    if (!got) return std::nullopt;
    return std::chrono::duration<double, std::milli>(seen - start).count();
}

// Writes `file` with one enabled global macro "Latency" that types "x", started as `rec`
// says; false (and the benchmark skipped) when it cannot be written.
inline bool WriteLatencyMacro(benchmark::State& state, const std::string& file, tessaro::TMacroRecord rec) {
    rec.Nickname = "Latency";
    rec.Scope = tessaro::scGlobal;
    rec.Enabled = 1;
    tessaro::SetMacroText(rec, "x");
    if (tessaro::CreateEmptyMacroFile(file).ok() && tessaro::WriteMacroRecordAt(file, 1, rec).ok())
        return true;
    state.SkipWithError("cannot write the macro file");
    return false;
}

// The keyboard connection and the focused target window; false (and the benchmark
// skipped) when either is missing.
template <typename Display, typename Target>
bool ReadyToType(benchmark::State& state, Display* keyboard, Target& target) {
    if (keyboard && target.ok() && target.Focus()) return true;
    state.SkipWithError("no target window");
    return false;
}
