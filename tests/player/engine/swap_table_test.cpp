#include "player/engine/swap_table.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <thread>

#include "foundation/config_record.h"
#include "macro/swap_file.h"
#include "platform/message_box.h"
#include "platform/named_mutex.h"
#include "platform/shared_memory.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

class SwapTableTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string macroFile = dir.file("Work.qtm");
    std::unique_ptr<TConfigRecord> config = [this] {
        auto c = std::make_unique<TConfigRecord>();
        c->RecentFiles[0] = macroFile;
        return c;
    }();
    std::unique_ptr<SwapKeysBlock> block = SwapKeysBlock::Create();
    std::vector<win::MessageBoxCall> boxes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& c) {
        boxes.push_back(c);
        return win::MbResult::Ok;
    }};

    PlayerSwapKeys Swaps() { return PlayerSwapKeys(*block, *config); }

    // What the hook library sees: the block mapped a second time.
    TSwapShared Seen() {
        auto view = win::SharedMemory::Open(kSwapBlockName, sizeof(TSwapShared));
        TSwapShared s{};
        if (view) std::memcpy(&s, view->data(), sizeof s);
        return s;
    }
};

TEST_F(SwapTableTest, MissingTableFileIsCreatedWithTheDefaults) {
    ASSERT_TRUE(block);
    PlayerSwapKeys swaps = Swaps();
    swaps.GetSwapFile();
    const std::string qts = dir.file("Work.QTS");
    EXPECT_EQ(swaps.SwapFilePath(), qts);
    const auto bytes = ReadBytes(qts);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kSwapDefaultChars);
    EXPECT_FALSE(swaps.SwapsInUse());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SwapTableTest, FileEntriesReachTheSharedBlockAtTheirOffsets) {
    ASSERT_TRUE(block);
    ASSERT_TRUE(block->SetHeader(0x1234, 7));
    TSwapKeys keys = DefaultSwapKeys();
    keys.Digits[0] = '9';  // 0 -> 9
    ASSERT_EQ(SaveSwapKeysFile(dir.file("Work.QTS"), keys), SwapFileStatus::Ok);

    PlayerSwapKeys swaps = Swaps();
    swaps.GetSwapFile();
    EXPECT_TRUE(swaps.SwapsInUse());
    const TSwapShared seen = Seen();
    EXPECT_EQ(+seen.PlayerWnd, 0x1234u);
    EXPECT_EQ(+seen.SwapHook, 7u);
    const auto* raw = reinterpret_cast<const char*>(&seen);
    EXPECT_EQ(raw[60], '9');
    EXPECT_EQ(raw[8], 'A');
    EXPECT_EQ(raw[70], ' ');

    // Saving writes the block back as the file's one record.
    TSwapKeys changed = keys;
    changed.Upper[25] = 'Q';
    ASSERT_TRUE(block->SetKeys(changed));
    ASSERT_TRUE(swaps.SaveSwapKeys(swaps.SwapFilePath()));
    EXPECT_EQ(ReadBytes(dir.file("Work.QTS"))[25], 'Q');
}

TEST_F(SwapTableTest, DamagedTableFileIsReportedKeptAndNotApplied) {
    ASSERT_TRUE(block);
    TSwapKeys previous = DefaultSwapKeys();
    previous.Lower[3] = 'x';
    ASSERT_TRUE(block->SetKeys(previous));  // the table of the file loaded before
    WriteBytes(dir.file("Work.QTS"), std::vector<char>(20, 'k'));

    Swaps().GetSwapFile();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(ReadBytes(dir.file("Work.QTS")), std::vector<char>(20, 'k'));
    EXPECT_FALSE(Swaps().SwapsInUse());
}

TEST_F(SwapTableTest, RemapHookOnlyWhenTheTableRemapsSomething) {
    ASSERT_TRUE(block);
    std::vector<std::string> calls;
    const PlayerSwapKeys::RemapCalls fake{
        [&] {
            calls.push_back("restore");
            return false;
        },
        [&] {
            calls.push_back("hook");
            return std::uint32_t{77};
        },
        [&] {
            calls.push_back("changed");
            return true;
        },
        [&](std::uint32_t h) { calls.push_back("unhook " + std::to_string(h)); }};
    PlayerSwapKeys swaps = Swaps();
    EXPECT_EQ(swaps.StartRemap(0x500, fake), 0u);  // no table file: defaults, no hook
    swaps.StopRemap(fake);
    EXPECT_EQ(calls, (std::vector<std::string>{"restore"}));
    EXPECT_EQ(+Seen().PlayerWnd, 0x500u);

    TSwapKeys keys = DefaultSwapKeys();
    keys.Lower[4] = '3';
    ASSERT_EQ(SaveSwapKeysFile(swaps.SwapFilePath(), keys), SwapFileStatus::Ok);
    calls.clear();
    EXPECT_EQ(swaps.StartRemap(0x500, fake), 77u);
    EXPECT_EQ(+Seen().SwapHook, 77u);
    swaps.StopRemap(fake);
    swaps.StopRemap(fake);  // once only
    EXPECT_EQ(calls, (std::vector<std::string>{"restore", "hook", "unhook 77"}));
}

// The hook library's side as a test sees it: what was installed and which table it read.
struct RecordedRemap {
    SwapKeysBlock& block;
    std::vector<std::string> calls;
    std::vector<TSwapKeys> tables;
    PlayerSwapKeys::RemapCalls Calls() {
        auto read = [this] {
            if (auto keys = block.Keys()) tables.push_back(*keys);
        };
        return {[] { return false; },
                [this, read] {
                    calls.push_back("hook");
                    read();
                    return std::uint32_t{41};
                },
                [this, read] {
                    calls.push_back("changed");
                    read();
                    return true;
                },
                [this](std::uint32_t h) { calls.push_back("unhook " + std::to_string(h)); }};
    }
};

TEST_F(SwapTableTest, LaterEditsAndOtherMacroFilesAreInForceAtOnce) {
    ASSERT_TRUE(block);
    RecordedRemap remap{*block, {}, {}};
    PlayerSwapKeys swaps = Swaps();
    ASSERT_EQ(swaps.StartRemap(0x600, remap.Calls()), 0u);  // identity table: nothing to install
    EXPECT_TRUE(remap.calls.empty());

    // The remapper changed "a" into "b" and saved the file: the notice installs the hook.
    TSwapKeys edited = DefaultSwapKeys();
    edited.Lower[0] = 'b';
    ASSERT_EQ(SaveSwapKeysFile(swaps.SwapFilePath(), edited), SwapFileStatus::Ok);
    EXPECT_EQ(swaps.ReloadRemap(remap.Calls()), 41u);
    EXPECT_EQ(+Seen().SwapHook, 41u);
    EXPECT_EQ(+Seen().PlayerWnd, 0x600u);

    // A second edit goes to the hook already installed.
    edited.Lower[1] = 'c';
    ASSERT_EQ(SaveSwapKeysFile(swaps.SwapFilePath(), edited), SwapFileStatus::Ok);
    EXPECT_EQ(swaps.ReloadRemap(remap.Calls()), 41u);

    // Another macro file without a table: its defaults replace the old file's remap.
    const std::string other = dir.file("Other.QTM");
    config->RecentFiles[0] = other;
    EXPECT_EQ(swaps.ReloadRemap(remap.Calls()), 41u);
    EXPECT_TRUE(std::filesystem::exists(dir.file("Other.QTS")));

    // And one with its own table brings that table.
    TSwapKeys third = DefaultSwapKeys();
    third.Digits[1] = '7';
    config->RecentFiles[0] = dir.file("Third.qtm");
    ASSERT_EQ(SaveSwapKeysFile(dir.file("Third.QTS"), third), SwapFileStatus::Ok);
    swaps.ReloadRemap(remap.Calls());
    swaps.StopRemap(remap.Calls());

    EXPECT_EQ(remap.calls, (std::vector<std::string>{"hook", "changed", "changed", "changed", "unhook 41"}));
    ASSERT_EQ(remap.tables.size(), 4u);
    EXPECT_EQ(remap.tables[0].Lower[0], 'b');
    EXPECT_EQ(remap.tables[0].Lower[1], 'b');
    EXPECT_EQ(remap.tables[1].Lower[1], 'c');
    EXPECT_FALSE(tessaro::SwapsInUse(remap.tables[2]));
    EXPECT_EQ(remap.tables[3].Digits[1], '7');
    EXPECT_EQ(remap.tables[3].Lower[0], 'a');
}

TEST_F(SwapTableTest, BlockIsNotTouchedWhileAnotherHoldsTheMutex) {
    ASSERT_TRUE(block);
    auto mutex = win::NamedMutex::Open(kSwapMutexName);
    ASSERT_TRUE(mutex);
    std::atomic<bool> held{false}, release{false};
    std::thread holder([&] {
        win::MutexLock lock(*mutex, -1);
        held = true;
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
    while (!held) std::this_thread::sleep_for(std::chrono::milliseconds(5));

    TSwapKeys keys = DefaultSwapKeys();
    keys.Upper[0] = 'Z';
    EXPECT_FALSE(block->SetKeys(keys));
    EXPECT_FALSE(block->Keys().has_value());
    release = true;
    holder.join();

    EXPECT_EQ(Seen().Keys.Upper[0], '\0');  // never written
    EXPECT_TRUE(block->SetKeys(keys));
    EXPECT_EQ(Seen().Keys.Upper[0], 'Z');
}

}  // namespace
}  // namespace tessaro
