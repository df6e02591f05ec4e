// The fuzz corpus through the fuzz target's checks, in every build, compiler aside.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

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

// Damaged macro texts as a hand or a broken file leaves them: pieces of the seeds, cut
// anywhere, with characters dropped, doubled or put in that tokens are made of.
std::string Damaged(const std::vector<std::string>& seeds, std::mt19937& random) {
    static constexpr std::string_view kChars = "<>:;,.-+0123456789 \x01\r\nICDEFGHKLMNOPRSTUVWXYZ{}\"";
    const auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    std::string text;
    for (std::size_t pieces = 1 + below(3); pieces > 0; --pieces) {
        const std::string& seed = seeds[below(seeds.size())];
        const std::size_t from = below(seed.size());
        std::string piece = seed.substr(from, 1 + below(80));
        for (std::size_t changes = below(4); changes > 0 && !piece.empty(); --changes) {
            const std::size_t at = below(piece.size());
            switch (below(4)) {
                case 0: piece.erase(at, 1); break;
                case 1: piece.insert(at, 1, kChars[below(kChars.size())]); break;
                case 2: piece[at] = kChars[below(kChars.size())]; break;
                default: piece.insert(at, piece.substr(at, 1 + below(12))); break;
            }
        }
        text += piece;
    }
    return text;
}

TEST(ParseFuzzReplay, DamagedTextsAreWrittenTheSameOnTheirSecondSave) {
    std::vector<std::string> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(PARSE_FUZZ_CORPUS))
        if (std::string text = ReadAll(entry.path()); !text.empty()) seeds.push_back(std::move(text));
    ASSERT_GE(seeds.size(), 5u);
    std::mt19937 random(20261210);
    int failures = 0;
    for (int i = 0; i < 300000 && failures < 5; ++i) {
        const std::string text = Damaged(seeds, random);
        if (const std::string problem = CheckParse(text); !problem.empty()) {
            ADD_FAILURE() << problem << "\n  from: " << text;
            ++failures;
        }
    }
}

}  // namespace
}  // namespace tessaro::fuzz
