// Repainting the keyboard remapper reads all 93 entries of the player's table, each under
// its own lock (target: under 10 ms).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "editor/model/tools/swap_access.h"
#include "platform/named_mutex.h"
#include "platform/shared_memory.h"
#include "protocol/object_names.h"
#include "protocol/swap_keys.h"

namespace {

using namespace tessaro;

void BM_RemapperRepaintReads(benchmark::State& state) {
    // A namespace of its own, so that a running player is not disturbed.
    ::setenv("TESSARO_NS", ("bench-remap-" + std::to_string(::getpid())).c_str(), 1);
    const auto block = win::SharedMemory::Create(kSwapBlockName, sizeof(TSwapShared));
    const auto mutex = win::NamedMutex::Create(kSwapMutexName);
    if (!block || !mutex || !InitSwapKeys()) {
        state.SkipWithError("no table to read");
        return;
    }
    for (auto _ : state) {
        int read = 0;
        for (const std::optional<char>& entry : ReadSwapTable()) read += entry.has_value();
        if (read != static_cast<int>(kSwapKeyCount)) state.SkipWithError("an entry could not be read");
    }
}
BENCHMARK(BM_RemapperRepaintReads)->Unit(benchmark::kMillisecond);

}  // namespace
