// Filling the explorer's list with 500 macros of one category, sorted by each of the three
// primary keys (target: under 10 ms a fill).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "editor/model/explorer/macro_list.h"
#include "macro/macro_record.h"

namespace {

using namespace tessaro;

struct Tables {
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();

    explicit Tables(const char* primary) {
        config->PrimarySort = primary;
        config->ActivationSort = "12345";
        config->ScopeSort = "12345";
        constexpr std::uint16_t kCodes[] = {acScheduled, acAbbreviation, acNone, acWindowTitle};
        for (int n = 1; n <= kMaxMacros; ++n) {
            // Mixed activations and scopes, nicknames in reverse order of the file.
            const std::uint16_t code =
                n % 5 == 0 ? kCodes[(n / 5) % 4] : static_cast<std::uint16_t>((n * 37) % 721);
            glob->ActivationCode[n] = code;
            glob->Scope[n] = static_cast<std::uint16_t>(1 + n % 4);
            glob->ScopeText[n] = "Window " + std::to_string(n % 13);
            glob->Enabled[n] = 1;
            config->MacroNicknames[n] = "Macro number " + std::to_string(1000 - n);
            config->MacroAbbreviations[n] = "ab" + std::to_string(n % 97);
            config->MacroCategoryIds[n] = 7;
        }
        glob->MacroCount = kMaxMacros;
    }
};

void BM_FillOneCategoryOf500(benchmark::State& state) {
    static const char* kPrimary[] = {"123", "213", "312"};
    const Tables tables(kPrimary[state.range(0)]);
    for (auto _ : state) {
        std::vector<int> rows = FillListRows(*tables.glob, *tables.config, 7);
        benchmark::DoNotOptimize(rows.data());
        if (rows.size() != static_cast<std::size_t>(kMaxMacros))
            state.SkipWithError("not every macro listed");
    }
}
BENCHMARK(BM_FillOneCategoryOf500)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
