// Scanning the desktop's application entries for the installed-program picker: 1,000
// entries should take well under 200 ms, and a second picker must not scan at all.
#include <benchmark/benchmark.h>

#include "bench/desktop_entry_tree.h"

namespace {

using Tree = tessaro::bench::DesktopEntryTree;

void BM_ScanThousandDesktopEntries(benchmark::State& state) {
    const Tree tree;
    for (auto _ : state) {
        auto rows = tessaro::ScanInstalledPrograms(tree.places);
        benchmark::DoNotOptimize(rows);
        if (rows.size() != 900) state.SkipWithError("unexpected row count");
    }
}
BENCHMARK(BM_ScanThousandDesktopEntries)->Unit(benchmark::kMillisecond);

void BM_SecondPickerDoesNotScan(benchmark::State& state) {
    const Tree tree;
    tessaro::InstalledPrograms programs(tree.places);
    programs.Get();
    for (auto _ : state) benchmark::DoNotOptimize(programs.Get().size());
}
BENCHMARK(BM_SecondPickerDoesNotScan);

}  // namespace
