// Both programs load every settings section from TESRO.INI at start and save them all at
// exit. With a 5 MB file (many keys, or one huge line) the load must cost one parse of the
// file, not one per key read.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "foundation/config_record.h"
#include "foundation/settings.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = 5 * 1024 * 1024;

std::string SettingsText(bool oneLine) {
    std::string text = "[Misc]\r\nUse Tray=Yes\r\nStart Editor=No\r\n[Junk]\r\n";
    if (oneLine) return text + "Huge=" + std::string(kFileSize, 'x') + "\r\n";
    for (int i = 0; text.size() < kFileSize; ++i)
        text += "Key " + std::to_string(i) + "=" + std::string(180, 'v') + "\r\n";
    return text;
}

// Two folders with the same file: each load reads a file it has not read just before, as
// a program does at its start.
class SettingsFolders {
public:
    explicit SettingsFolders(bool oneLine) {
        std::string tmpl = (fs::temp_directory_path() / "tessaro-bench-XXXXXX").string();
        root_ = ::mkdtemp(tmpl.data());
        const std::string text = SettingsText(oneLine);
        for (const char* name : {"a", "b"}) {
            fs::create_directory(root_ / name);
            std::ofstream(root_ / name / "TESRO.INI", std::ios::binary) << text;
        }
        ::setenv("TESSARO_HOME", (root_ / "a").c_str(), 1);
        ::sleep(1);  // written well before it is read
    }
    ~SettingsFolders() { fs::remove_all(root_); }
    void UseNext() {
        next_ = !next_;
        ::setenv("TESSARO_WINDIR", (root_ / (next_ ? "a" : "b")).c_str(), 1);
    }

private:
    fs::path root_;
    bool next_ = false;
};

void BM_LoadAllSettings(benchmark::State& state) {
    SettingsFolders folders(state.range(0) != 0);
    auto record = std::make_unique<tessaro::TConfigRecord>();
    for (auto _ : state) {
        folders.UseNext();
        tessaro::LoadAllSettings(*record, win::kDefaultScreenSize);
        benchmark::DoNotOptimize(record->UseTray);
    }
}
BENCHMARK(BM_LoadAllSettings)->ArgName("oneLine")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SaveAllSettings(benchmark::State& state) {
    SettingsFolders folders(state.range(0) != 0);
    auto record = std::make_unique<tessaro::TConfigRecord>();
    folders.UseNext();
    tessaro::LoadAllSettings(*record, win::kDefaultScreenSize);
    for (auto _ : state) benchmark::DoNotOptimize(tessaro::SaveAllSettings(*record));
}
BENCHMARK(BM_SaveAllSettings)
    ->ArgName("oneLine")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
