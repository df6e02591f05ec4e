// The hook library shows the programs that load it its public header and nothing else.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "tests/build/elf_symbols.h"

namespace tessaro::testing {
namespace {

std::set<std::string> DeclaredFunctions(const std::string& header) {
    static const std::regex declaration(R"(\b(Qtm\w+)\s*\()");
    std::ifstream in(header);
    std::set<std::string> names;
    std::smatch m;
    for (std::string line; std::getline(in, line);)
        if (std::regex_search(line, m, declaration)) names.insert(m[1]);
    return names;
}

TEST(HookLibrary, ExportsExactlyTheFunctionsOfItsPublicHeader) {
    const std::set<std::string> declared = DeclaredFunctions(TESSARO_SOURCE_DIR "/hook/qtmhook.h");
    ASSERT_GE(declared.size(), 20u) << "the public header's functions were not found";
    const auto exported = DefinedDynamicSymbols(TESSARO_TEST_BIN_DIR "/libqtmhook.so");
    ASSERT_TRUE(exported) << "libqtmhook.so is no readable shared object";
    std::string extra, missing;
    for (const auto& name : *exported)
        if (!declared.count(name)) extra += "  " + name + "\n";
    for (const auto& name : declared)
        if (!exported->count(name)) missing += "  " + name + "\n";
    EXPECT_TRUE(extra.empty()) << "exported but not in hook/qtmhook.h:\n" << extra;
    EXPECT_TRUE(missing.empty()) << "declared in hook/qtmhook.h but not exported:\n" << missing;
}

}  // namespace
}  // namespace tessaro::testing
