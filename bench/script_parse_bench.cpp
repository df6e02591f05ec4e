// Opening and saving a full macro file in the script editor: 500 macros of 5,000
// characters, each parsed into lines and written back.
#include <benchmark/benchmark.h>

#include <iterator>
#include <string>
#include <vector>

#include "editor/script/parse_text.h"
#include "editor/script/script_writer.h"

namespace {

constexpr int kMacros = 500;
constexpr std::size_t kMacroLength = 5000;

// Typed text with key tokens and a spread of commands, as recorded and edited macros hold.
const char* const kPieces[] = {
    "Dear customer,<ENTER><ENTER>thank you for your letter of ",
    "<MM/DD/YY{YF000}>",
    "<DELAY:00.50>",
    "<ACTIVATE:Untitled - Notepad>",
    "<WSIZE:0640,0480\"CURRENT\">",
    "Regards<TAB>",
    "<MMS:00100,00200><LCLK>",
    "<REP:0005:000001:000001>",
    "line <I><ENTER>",
    "<ENDREP>",
    "<WAITWIN:005:Notepad>",
    "<CLIPC><CLIPP>",
    "<LAUNCHYES2:0512Calculator<LAUNCH:C:\\Windows\\calc.exe<PARAM>-x1\x01>",
    "<REM:fill in the form>",
    "<hh:mm:ss{Y}>",
    "<COPYFILE:C:\\a\\b.txt;D:\\c.txt>",
    "<EMAIL:RNR1TOJoe|joe@x.com;\x01S1Hello\x01Subject\x01"
    "A1>",
    "a < b and c > d; ",
    "<F10><KEYP+><ALT:065>",
    "<NWCP:<NAME:joe><PASS:sec>F:\\\\srv\\share>",
};

std::vector<std::string> MacroFile() {
    std::vector<std::string> macros;
    for (int m = 0; m < kMacros; ++m) {
        std::string text;
        for (std::size_t i = static_cast<std::size_t>(m); text.size() < kMacroLength; ++i) {
            text += kPieces[i % std::size(kPieces)];
        }
        text.resize(kMacroLength);
        macros.push_back(std::move(text));
    }
    return macros;
}

void BM_ParseMacroFile(benchmark::State& state) {
    const std::vector<std::string> macros = MacroFile();
    for (auto _ : state) {
        for (const std::string& text : macros) benchmark::DoNotOptimize(tessaro::ParseMacroText(text));
    }
    state.SetBytesProcessed(state.iterations() * kMacros * static_cast<long>(kMacroLength));
}
BENCHMARK(BM_ParseMacroFile)->Unit(benchmark::kMillisecond);

void BM_SerialiseMacroFile(benchmark::State& state) {
    std::vector<std::vector<tessaro::ScriptLine>> parsed;
    for (const std::string& text : MacroFile()) parsed.push_back(tessaro::ParseMacroText(text));
    for (auto _ : state) {
        for (const auto& lines : parsed) benchmark::DoNotOptimize(tessaro::BuildMacroText(lines));
    }
    state.SetBytesProcessed(state.iterations() * kMacros * static_cast<long>(kMacroLength));
}
BENCHMARK(BM_SerialiseMacroFile)->Unit(benchmark::kMillisecond);

// The target: the whole file opened and saved in under 50 ms.
void BM_ParseAndSerialiseMacroFile(benchmark::State& state) {
    const std::vector<std::string> macros = MacroFile();
    for (auto _ : state) {
        for (const std::string& text : macros) {
            benchmark::DoNotOptimize(tessaro::BuildMacroText(tessaro::ParseMacroText(text)));
        }
    }
    state.SetBytesProcessed(state.iterations() * kMacros * static_cast<long>(kMacroLength));
}
BENCHMARK(BM_ParseAndSerialiseMacroFile)->Unit(benchmark::kMillisecond);

}  // namespace
