#pragma once
// The counters of a latency benchmark: median, 99th percentile, extremes, the number of
// answered trials and the number lost.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

inline void ReportLatencies(benchmark::State& state, std::vector<double> ms, int lost,
                            const std::string& trials) {
    if (ms.empty()) {
        state.SkipWithError(("no " + trials + " answered").c_str());
        return;
    }
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) {
        return ms[std::min(ms.size() - 1, static_cast<std::size_t>(q * double(ms.size())))];
    };
    state.counters["median_ms"] = at(0.5);
    state.counters["p99_ms"] = at(0.99);
    state.counters["min_ms"] = ms.front();
    state.counters["max_ms"] = ms.back();
    state.counters[trials] = double(ms.size());
    state.counters["lost"] = lost;
}
