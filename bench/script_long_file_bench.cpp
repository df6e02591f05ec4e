// A 132,000-line text file (1.4 MB) in the script editor's text-file mode, with the window
// shown and its list laid out and painted as a person sees it: opening the file, and one
// Delete of a line in the middle. Targets: open under 0.5 s, Delete under 50 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "editor/script/ui/do_scripting.h"
#include "bench/script_bench_services.h"

namespace {

using namespace tessaro;

constexpr int kFileLines = 132000;

// Short typed lines with a delay each, and now and then a repeat that is never closed, so
// that the indentation keeps growing down the file.
std::string LongFile() {
    std::string text;
    for (int i = 0; i < kFileLines; ++i) {
        if (i % 400 == 0)
            text += "<REP:0002:000001:000001>\n";
        else
            text += "ab<MSD:0010>\n";
    }
    return text;
}

using bench::OpensTheFile;

// What the event loop does before a person sees the list: its posted layout, then a paint.
void LayOutAndPaint(TDoScripting& editor) {
    QApplication::processEvents();
    QApplication::processEvents();
    benchmark::DoNotOptimize(editor.Script->viewport()->grab());
}

struct Session {
    Session() {
        if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "script_long_file_bench";
        static char* argv[] = {name, nullptr};
        static QApplication app(argc, argv);
        std::filesystem::create_directories(dir);
        std::ofstream(file, std::ios::binary) << LongFile();
    }
    ~Session() { std::filesystem::remove_all(dir); }

    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tessaro-long-file-bench";
    const std::string file = (dir / "long.txt").string();
};

Session& TheSession() {
    static Session session;
    return session;
}

// The script editor shown on the long file's folder, in text file mode.
struct ShownEditor {
    ShownEditor() {
        editor.ScriptMode = 6;
        editor.show();
    }
    Session& s = TheSession();
    TConfigRecord config{};
    TMacroRecord current{};
    OpensTheFile services{s.file};
    TDoScripting editor{nullptr,  current,        config,
                        services, s.dir.string(), [](std::uint32_t, std::int32_t) {}};
};

void BM_OpenLongTextFile(benchmark::State& state) {
    ShownEditor shown;
    TDoScripting& editor = shown.editor;
    LayOutAndPaint(editor);
    for (auto _ : state) {
        editor.CommandMenuClick(15);
        LayOutAndPaint(editor);
        state.PauseTiming();
        if (!editor.TextFile().Active) state.SkipWithError("the text file did not open");
        state.counters["items"] = editor.Script->model()->rowCount();
        editor.CancelButtonClick();
        LayOutAndPaint(editor);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLongTextFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DeleteLineOfLongTextFile(benchmark::State& state) {
    ShownEditor shown;
    TDoScripting& editor = shown.editor;
    editor.CommandMenuClick(15);
    LayOutAndPaint(editor);
    if (!editor.TextFile().Active) state.SkipWithError("the text file did not open");
    const int middle = editor.Script->model()->rowCount() / 2;
    editor.Script->setCurrentIndex(editor.Script->model()->index(middle, 0));
    LayOutAndPaint(editor);
    for (auto _ : state) {
        editor.DoDeleteClick();
        LayOutAndPaint(editor);
    }
    state.counters["items"] = editor.Script->model()->rowCount();
    editor.CancelButtonClick();
}
BENCHMARK(BM_DeleteLineOfLongTextFile)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
