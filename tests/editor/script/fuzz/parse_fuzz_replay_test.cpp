// The fuzz corpus through the fuzz target's checks, in every build, compiler aside.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "parse_fuzz_check.h"

namespace tessaro::fuzz {
namespace {

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ParseFuzzReplay, EverySeedKeepsTheParserRules) {
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PARSE_FUZZ_CORPUS)) {
        const std::string text = ReadAll(entry.path());
        EXPECT_EQ(CheckParse(text), "") << entry.path();
        // Every cut of a seed is a truncated macro too.
        for (std::size_t n = 0; n < text.size(); ++n) {
            const std::string problem = CheckParse(std::string_view(text).substr(0, n));
            ASSERT_EQ(problem, "") << entry.path() << " cut at " << n;
        }
        ++seeds;
    }
    EXPECT_GE(seeds, 5);
}

}  // namespace
}  // namespace tessaro::fuzz
