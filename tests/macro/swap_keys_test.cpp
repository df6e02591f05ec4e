#include "protocol/swap_keys.h"
#include "macro/swap_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "tests/support/finishes_in_time.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(SwapKeysTest, AnyChangedEntryMeansInUse) {
    EXPECT_FALSE(SwapsInUse(DefaultSwapKeys()));
    for (std::size_t i : {std::size_t{0}, std::size_t{40}, std::size_t{92}}) {
        TSwapKeys keys = DefaultSwapKeys();
        keys.at(i) = '\xE9';
        EXPECT_TRUE(SwapsInUse(keys)) << i;
    }
}

TEST(SwapKeysTest, FifoInPlaceOfTheFileIsNeitherWaitedForNorReplaced) {
    TempDir dir;
    const std::string path = SwapFileName(dir.file("TESRO.QTM"));
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const int code = testing::ExitCodeWithin(
        [&] {
            TSwapKeys keys = DefaultSwapKeys();
            return LoadSwapKeysFile(path, keys) == SwapFileStatus::Unreadable &&
                           SaveSwapKeysFile(path, keys) == SwapFileStatus::WriteFailed
                       ? 0
                       : 1;
        },
        std::chrono::seconds(10));
    EXPECT_EQ(code, 0) << (code < 0 ? "waited on the FIFO" : "not refused");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(SwapKeysTest, FileHoldsExactlyTheRecordAndRoundTrips) {
    TempDir dir;
    const std::string path = SwapFileName(dir.file("Work.qtm"));
    EXPECT_EQ(path, dir.file("Work.QTS"));

    TSwapKeys keys = DefaultSwapKeys();
    keys.Lower[0] = 'q';  // a -> q
    keys.Punctuation[1] = '?';
    ASSERT_EQ(SaveSwapKeysFile(path, keys), SwapFileStatus::Ok);
    const auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), kSwapKeyCount);
    EXPECT_EQ(bytes[26], 'q');
    EXPECT_EQ(bytes[63], '?');

    TSwapKeys back = DefaultSwapKeys();
    ASSERT_EQ(LoadSwapKeysFile(path, back), SwapFileStatus::Ok);
    EXPECT_EQ(std::memcmp(&back, &keys, sizeof keys), 0);
}

TEST(SwapKeysTest, MissingOrShortFilesLeaveTheTableAlone) {
    TempDir dir;
    TSwapKeys keys = DefaultSwapKeys();
    keys.Upper[1] = 'X';
    const TSwapKeys before = keys;

    EXPECT_EQ(LoadSwapKeysFile(dir.file("none.QTS"), keys), SwapFileStatus::Missing);
    const std::string shortFile = dir.file("short.QTS");
    WriteBytes(shortFile, std::vector<char>(40, 'z'));
    EXPECT_EQ(LoadSwapKeysFile(shortFile, keys), SwapFileStatus::Damaged);
    EXPECT_EQ(std::memcmp(&before, &keys, sizeof keys), 0);
    EXPECT_EQ(ReadBytes(shortFile).size(), 40u);  // not rewritten by a failed load
}

}  // namespace
}  // namespace tessaro
