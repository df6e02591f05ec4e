// The wizard's hot-key page loading over a file of 500 macros: the 721 rows with their use
// counts and the keys global macros hold, put into the page's list (target: under 20 ms).
#include <QApplication>
#include <QListWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>

#include <memory>
#include <string>

#include "editor/model/macro_forms/hot_key_list.h"
#include "macro/macro_record.h"
#include "platform/cp1252.h"

namespace {

using namespace tessaro;

std::unique_ptr<TGlobData> FiveHundredMacros() {
    auto glob = std::make_unique<TGlobData>();
    constexpr std::uint16_t kSpecial[] = {acScheduled, acAbbreviation, acNone, acWindowTitle};
    for (int n = 1; n <= kMaxMacros; ++n) {
        // Many keys shared by several macros, some special activations, every scope.
        glob->ActivationCode[n] =
            n % 7 == 0 ? kSpecial[(n / 7) % 4] : static_cast<std::uint16_t>((n * 53) % 300);
        glob->Scope[n] = static_cast<std::uint16_t>(1 + n % 5);
        glob->Enabled[n] = 1;
    }
    glob->MacroCount = kMaxMacros;
    return glob;
}

void BM_LoadHotKeyPageWith500Macros(benchmark::State& state) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "wizard_activation_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    const std::unique_ptr<TGlobData> glob = FiveHundredMacros();
    QListWidget list;
    for (auto _ : state) {
        const HotKeyFlags global = GlobalHotKeysUsed(*glob, true);
        list.clear();
        for (const std::string& row : HotKeyListRows(*glob))
            list.addItem(QString::fromStdString(win::Cp1252ToUtf8(row)));
        benchmark::DoNotOptimize(global.data());
        if (list.count() != kHotKeyCodeCount) state.SkipWithError("not every hot key listed");
    }
}
BENCHMARK(BM_LoadHotKeyPageWith500Macros)->Unit(benchmark::kMillisecond);

}  // namespace
