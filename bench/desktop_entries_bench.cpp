// Scanning the desktop's application entries for the installed-program picker: 1,000
// entries should take well under 200 ms, and a second picker must not scan at all.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "editor/model/macro_forms/installed_programs.h"

namespace {

namespace fs = std::filesystem;

struct Tree {
    fs::path root;
    tessaro::XdgPlaces places;
    Tree() {
        root = fs::temp_directory_path() / ("tessaro-xdg-bench-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "bin");
        for (int p = 0; p < 50; ++p) {
            const fs::path exe = root / "bin" / ("prog" + std::to_string(p));
            std::ofstream(exe) << "#!/bin/sh\n";
            fs::permissions(exe, fs::perms::owner_all);
        }
        for (int i = 0; i < 1000; ++i) {
            const fs::path dir =
                root / (i % 2 ? "sys" : "home") / "applications" / ("group" + std::to_string(i % 7));
            fs::create_directories(dir);
            std::ofstream(dir / ("app" + std::to_string(i) + ".desktop"))
                << "[Desktop Entry]\nVersion=1.0\nType=Application\nName=Application " << i
                << "\nName[de]=Anwendung " << i << "\nComment=A program used by the benchmark\n"
                << "Exec=env LANG=C prog" << i % 50 << " %U\nIcon=app\nCategories=Utility;\n"
                << (i % 10 == 0 ? "NoDisplay=true\n" : "") << "\n[Desktop Action new]\nName=New\nExec=x\n";
        }
        places.dataHome = (root / "home").string();
        places.dataDirs = {(root / "sys").string()};
        places.path = {"/nonexistent", (root / "bin").string()};
        places.locale = "de_DE.UTF-8";
    }
    ~Tree() { fs::remove_all(root); }
};

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
