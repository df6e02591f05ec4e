// Moving 500 macros between files: an import of 500 records read, converted and appended to
// a macro file (target: under 1 s), and the export and the listing of 500 (each under 100 ms).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "editor/model/tools/macro_exchange.h"
#include "editor/model/tools/macro_listing.h"
#include "editor/model/tools/text_import.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/message_box.h"

namespace {

using namespace tessaro;
namespace fs = std::filesystem;

constexpr int kCount = 500;

struct Folder {
    fs::path path;
    Folder() {
        std::string tmpl = (fs::temp_directory_path() / "tessaro-xbench-XXXXXX").string();
        path = ::mkdtemp(tmpl.data());
    }
    ~Folder() { fs::remove_all(path); }
    std::string file(const char* name) const { return (path / name).string(); }
};

TMacroRecord Sample(int n) {
    TMacroRecord r{};
    r.Nickname = "Macro number " + std::to_string(n);
    r.ActivationCode = static_cast<std::uint16_t>(n % 5 == 0 ? acScheduled : (n * 37) % 721);
    r.Scope = static_cast<std::uint16_t>(n % 3 == 0 ? scWindow : scGlobal);
    r.ScopeText = "Untitled - Editor";
    r.Enabled = 1;
    r.IconName = "MAIN";
    SetMacroText(r, "Dear customer,<ENTER>thank you for order " + std::to_string(n) + ".<ENTER>" +
                        std::string(400, 'x'));
    return r;
}

std::string MacroFileOf500(const Folder& folder) {
    const std::string path = folder.file("source.qtm");
    CreateEmptyMacroFile(path);
    for (int n = 1; n <= kCount; ++n) WriteMacroRecordAt(path, -1, Sample(n));
    return path;
}

void BM_ImportOf500Records(benchmark::State& state) {
    const Folder folder;
    std::stringstream source;
    {
        std::ifstream in(MacroFileOf500(folder), std::ios::binary);
        source << in.rdbuf();
    }
    const std::string bytes = source.str();
    for (auto _ : state) {
        const std::string target = folder.file("target.qtm");
        fs::remove(target);
        CreateEmptyMacroFile(target);
        std::istringstream in(bytes);
        const ImportSource src = ReadImportSource(ImportKind::Macro, in);
        std::vector<int> selected;
        for (const ImportEntry& e : src.Entries) selected.push_back(e.SourceRecord);
        for (const ImportEntry& e : src.Entries) {
            ImportedMacro m = ConvertForImport(ImportKind::Macro, e, selected, 0, 46000.0);
            WriteMacroRecordAt(target, -1, m.Record);
        }
        if (CountMacroRecords(target) != kCount) {
            const std::string why = "imported " + std::to_string(CountMacroRecords(target)) + " of " +
                                    std::to_string(src.Entries.size()) + " listed " + src.Error;
            state.SkipWithError(why.c_str());
        }
    }
}
BENCHMARK(BM_ImportOf500Records)->Unit(benchmark::kMillisecond);

// Appends to the file as the editor does, counting the macros.
class FileAppender final : public MacroAppender {
public:
    explicit FileAppender(std::string path) : path_(std::move(path)) {}
    int MacroCount() const override { return count_; }
    bool AppendMacro(TMacroRecord& rec) override {
        if (!WriteMacroRecordAt(path_, -1, rec).ok()) return false;
        ++count_;
        return true;
    }

private:
    std::string path_;
    int count_ = 0;
};

void BM_TextImportOf500Items(benchmark::State& state) {
    const Folder folder;
    win::ScopedMessageBoxHandler quiet(
        [](const win::MessageBoxCall& c) { return win::FirstButton(c.buttons); });
    std::string text;
    for (int n = 0; n < kCount; ++n)
        text += "<ITEM NAME>ab" + std::to_string(n) + "\r\nItem " + std::to_string(n) + "\r\n" +
                std::string(300, 'y') + "\r\nsecond line\r\n";
    for (auto _ : state) {
        const std::string target = folder.file("items.qtm");
        fs::remove(target);
        CreateEmptyMacroFile(target);
        FileAppender appender(target);
        std::istringstream in(text);
        const TextImportResult r = ImportTextItems(in, appender, 46000.0);
        if (r.Imported != kCount) state.SkipWithError("not every item imported");
    }
}
BENCHMARK(BM_TextImportOf500Items)->Unit(benchmark::kMillisecond);

void BM_ExportOf500(benchmark::State& state) {
    const Folder folder;
    const std::string source = MacroFileOf500(folder);
    std::vector<int> numbers;
    for (int n = kCount; n >= 1; --n) numbers.push_back(n);
    for (auto _ : state) {
        const std::string error = ExportMacros(source, numbers, folder.file("export.qtm"));
        if (!error.empty()) state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_ExportOf500)->Unit(benchmark::kMillisecond);

void BM_ListingOf500(benchmark::State& state) {
    std::vector<TMacroRecord> macros;
    for (int n = 1; n <= kCount; ++n) macros.push_back(Sample(n));
    const auto schedule = [](const TMacroRecord&) { return std::string("Daily at 12:00PM,Mon,Tue"); };
    for (auto _ : state) {
        const std::string text = MacroListing(macros, ListingChoice{}, schedule);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_ListingOf500)->Unit(benchmark::kMillisecond);

}  // namespace
