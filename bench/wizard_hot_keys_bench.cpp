// The quick wizard's hot-key page loaded over a full file of 500 macros: the 721 rows with
// their use and the keys global macros hold (target: under 20 ms).
#include <benchmark/benchmark.h>

#include <memory>

#include "editor/model/wizard/activation_pages.h"
#include "macro/macro_record.h"

namespace {

using namespace tessaro;

void BM_LoadP3With500Macros(benchmark::State& state) {
    auto glob = std::make_unique<TGlobData>();
    for (int n = 1; n <= kMaxMacros; ++n) {
        // Mostly hot keys, some shared, with every scope and the four other activations.
        glob->ActivationCode[n] = n % 9 == 0 ? acScheduled : static_cast<std::uint16_t>((n * 7) % 721);
        glob->Scope[n] = static_cast<std::uint16_t>(1 + n % 5);
    }
    glob->MacroCount = kMaxMacros;
    for (auto _ : state) {
        wizard::HotKeyPage page = wizard::LoadP3(*glob);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_LoadP3With500Macros)->Unit(benchmark::kMillisecond);

}  // namespace
