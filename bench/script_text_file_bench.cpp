// A 1 MB text file opened in the script editor's text-file mode: read, parsed into lines and
// shown in the window's list. Target: under 300 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "editor/script/ui/do_scripting.h"
#include "bench/script_bench_services.h"

namespace {

using namespace tessaro;

constexpr std::size_t kFileBytes = 1024 * 1024;

// Letters with the commands a text file to be typed holds.
const char* const kPieces[] = {
    "Dear customer,<ENTER><ENTER>thank you for your letter of ",
    "<MM/DD/YY{YF000}>",
    "<DELAY:00.50>",
    "Regards<TAB>",
    "<REP:0005:000001:000001>",
    "line <I><ENTER>\r\n",
    "<ENDREP>",
    "<CLIPC><CLIPP>",
    "<REM:fill in the form>",
    "a < b and c > d; ",
};

using bench::OpensTheFile;

void BM_OpenTextFileAsLines(benchmark::State& state) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "script_text_file_bench";
    char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);

    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tessaro-text-file-bench";
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "letter.txt").string();
    {
        std::string text;
        for (std::size_t i = 0; text.size() < kFileBytes; ++i) text += kPieces[i % std::size(kPieces)];
        text.resize(kFileBytes);
        std::ofstream(file, std::ios::binary) << text;
    }
    TConfigRecord config{};
    TMacroRecord current{};
    OpensTheFile services(file);
    TDoScripting editor(nullptr, current, config, services, dir.string(), [](std::uint32_t, std::int32_t) {});
    editor.ScriptMode = 6;
    editor.FormShow();
    for (auto _ : state) {
        editor.CommandMenuClick(15);
        state.PauseTiming();
        if (!editor.TextFile().Active) state.SkipWithError("the text file did not open");
        benchmark::DoNotOptimize(editor.Lines().Lines.size());
        editor.CancelButtonClick();
        state.ResumeTiming();
    }
    state.counters["lines"] = 0;
    editor.CommandMenuClick(15);
    state.counters["lines"] = static_cast<double>(editor.Lines().Lines.size());
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_OpenTextFileAsLines)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
