#include "editor/model/tools/swap_access.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "macro/swap_file.h"
#include "platform/named_mutex.h"
#include "platform/shared_memory.h"
#include "protocol/object_names.h"
#include "protocol/swap_keys.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

TEST(EditorSwapKeys, WithoutThePlayerNothingIsTouched) {
    testing::TempDir dir;
    const std::string file = dir.file("work.QTS");
    EXPECT_FALSE(ReadSwapEntry(0).has_value());
    EXPECT_FALSE(WriteSwapEntry(0, 'x'));
    EXPECT_FALSE(InitSwapKeys());
    for (const auto& entry : ReadSwapTable()) EXPECT_FALSE(entry.has_value());
    EXPECT_FALSE(SaveSwapKeys(file));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(win::SharedMemory::Exists(kSwapBlockName));  // never created by the editor
}

TEST(EditorSwapKeys, TheBlockIsEditedInPlaceAndSavedWhole) {
    testing::TempDir dir;
    // The player's side: the block and its mutex.
    const auto block = win::SharedMemory::Create(kSwapBlockName, sizeof(TSwapShared));
    const auto mutex = win::NamedMutex::Create(kSwapMutexName);
    ASSERT_TRUE(block && mutex);
    auto& shared = *static_cast<TSwapShared*>(block->data());

    ASSERT_TRUE(InitSwapKeys());
    EXPECT_EQ(ReadSwapEntry(26), 'a');
    ASSERT_TRUE(WriteSwapEntry(92, 'q'));
    const auto table = ReadSwapTable();
    for (std::size_t i = 0; i < kSwapKeyCount; ++i) EXPECT_EQ(table[i], ReadSwapEntry(i)) << i;
    EXPECT_EQ(table[92], 'q');
    ASSERT_TRUE(InitSwapKeys());
    const std::string file = dir.file("work.QTS");
    ASSERT_TRUE(SaveSwapKeys(file));
    EXPECT_EQ(std::filesystem::file_size(file), 93u);

    // A file in which "a" maps to "b" reaches the block at once.
    TSwapKeys keys = DefaultSwapKeys();
    keys.Lower[0] = 'b';
    ASSERT_EQ(SaveSwapKeysFile(file, keys), SwapFileStatus::Ok);
    ASSERT_TRUE(LoadSwapKeys(file));
    EXPECT_EQ(shared.Keys.Lower[0], 'b');
    EXPECT_FALSE(LoadSwapKeys(dir.file("missing.QTS")));
    EXPECT_EQ(shared.Keys.Lower[0], 'b');

    ASSERT_TRUE(WriteSwapEntry(62, '!'));
    EXPECT_EQ(shared.Keys.Punctuation[0], '!');
    EXPECT_FALSE(WriteSwapEntry(93, 'x'));
    EXPECT_FALSE(std::filesystem::exists(file + ".tmp~"));
}

}  // namespace
}  // namespace tessaro
