// The import readers over arbitrary bytes: the first byte picks the reader (macro file,
// Lindrel, Snipra, item text, category file), the rest is the file. Each listed record is
// also converted as an import would.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "editor/explorer/category_file.h"
#include "editor/model/tools/macro_exchange.h"
#include "editor/model/tools/text_import.h"
#include "platform/message_box.h"

namespace {

using namespace tessaro;

// Takes every record without storing it.
class CountingAppender final : public MacroAppender {
public:
    int MacroCount() const override { return count_; }
    bool AppendMacro(TMacroRecord&) override {
        ++count_;
        return true;
    }

private:
    int count_ = 0;
};

void ReadBinary(ImportKind kind, const std::string& bytes) {
    std::istringstream in(bytes);
    const ImportSource source = ReadImportSource(kind, in);
    if (!source.Error.empty() && !source.Entries.empty()) __builtin_trap();
    std::vector<int> sources;
    for (const ImportEntry& e : source.Entries) sources.push_back(e.SourceRecord);
    for (const ImportEntry& e : source.Entries) ConvertForImport(kind, e, sources, 3, 46000.0);
}

void ReadText(const std::string& bytes) {
    std::istringstream in(bytes);
    CountingAppender target;
    ImportTextItems(in, target, 46000.0);
}

void ReadCategories(const std::string& bytes) {
    char name[] = "/tmp/tessaro-fuzz-qtc-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd < 0) return;
    const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    if (written)
        for (const TCategory& c : LoadCategoryFile(name))
            if (c.id == 0) __builtin_trap();  // number 0 is the built-in entry, never read
    ::unlink(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static win::ScopedMessageBoxHandler quiet(
        [](const win::MessageBoxCall& call) { return win::FirstButton(call.buttons); });
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 5) {
        case 0: ReadBinary(ImportKind::Macro, bytes); break;
        case 1: ReadBinary(ImportKind::Lindrel, bytes); break;
        case 2: ReadBinary(ImportKind::Snipra, bytes); break;
        case 3: ReadText(bytes); break;
        default: ReadCategories(bytes); break;
    }
    return 0;
}
