#include "protocol/glob_data.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "hook/master_block.h"
#include "hook/qtmhook.h"
#include "hook/client/glob_data_sync.h"
#include "protocol/window_messages.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using Range = std::pair<std::size_t, std::size_t>;  // [first, end)

// The byte ranges each group owns, as the table of the layout lists them.
std::vector<Range> GroupBytes(int group, int n = 0) {
    switch (group) {
        case 0: return {{739, 741}, {742, 743}, {763, 783}, {785, 790}, {798, 800}};
        case 1: return {{738, 739}};
        case 2: return {{783, 784}};
        case 3: return {{749, 753}};
        case 4: return {{745, 749}};
        case 5: return {{0, 4}};
        case 6: return {{753, 763}};
        case 7: {
            const std::size_t i = static_cast<std::size_t>(n);
            return {{814 + 2 * i, 816 + 2 * i},
                    {1795 + 21 * i, 1816 + 21 * i},
                    {12315 + i, 12316 + i},
                    {12814 + 2 * i, 12816 + 2 * i},
                    {13815 + i, 13816 + i}};
        }
        case 8: return {{14316, 14320}};
        case 9: return {{14323, 14574}};
        case 10: return {{14574, 14578}, {14589, 19789}};
        case 11: return {{741, 742}, {743, 745}, {790, 798}, {14320, 14322}, {4, 5}, {14578, 14579}};
        case 12: return {{14579, 14581}, {14585, 14589}};
        case 13: return {{14581, 14585}};
        case 14: return {{17, 738}, {14322, 14323}};
    }
    return {};
}

// Copies one group from a block of 0xA5 bytes (string lengths kept in range) into zeros
// and returns which bytes changed.
std::vector<bool> ChangedBytes(int group, int n = 0) {
    auto from = std::make_unique<TGlobData>();
    auto to = std::make_unique<TGlobData>();
    std::memset(static_cast<void*>(from.get()), 0x15, sizeof(TGlobData));
    std::memset(static_cast<void*>(to.get()), 0, sizeof(TGlobData));
    CopyGlobGroup(*to, *from, group, n);
    std::vector<bool> changed(kGlobDataSize);
    const auto* bytes = reinterpret_cast<const unsigned char*>(to.get());
    for (std::size_t i = 0; i < kGlobDataSize; ++i) changed[i] = bytes[i] != 0;
    return changed;
}

TEST(GlobDataGroups, EachGroupCopiesExactlyItsFields) {
    for (int group = 0; group < kGlobGroupCount; ++group) {
        const int n = group == ggItem ? 37 : 0;
        std::vector<bool> expected(kGlobDataSize, false);
        for (auto [first, end] : GroupBytes(group, n))
            for (std::size_t i = first; i < end; ++i) expected[i] = true;
        EXPECT_EQ(ChangedBytes(group, n), expected) << "group " << group;
    }
}

TEST(GlobDataGroups, UnknownGroupsAndSlotsCopyNothing) {
    const std::vector<bool> none(kGlobDataSize, false);
    EXPECT_EQ(ChangedBytes(15), none);
    EXPECT_EQ(ChangedBytes(-1), none);
    EXPECT_EQ(ChangedBytes(ggItem, 0), none);
    EXPECT_EQ(ChangedBytes(ggItem, 501), none);
}

TEST(GlobDataGroups, OversizedStringLengthsAreCutToTheField) {
    auto from = std::make_unique<TGlobData>();
    auto to = std::make_unique<TGlobData>();
    std::memset(static_cast<void*>(from.get()), 0xff, sizeof(TGlobData));
    CopyGlobGroup(*to, *from, ggItem, 3);
    CopyGlobGroup(*to, *from, ggProg);
    CopyGlobGroup(*to, *from, ggProgs);
    EXPECT_EQ(to->ScopeText[3].len, 20);
    EXPECT_EQ(to->ActiveProgram.len, 250);
    EXPECT_EQ(to->Programs[200].len, 25);
}

class GlobSync : public ::testing::Test {
protected:
    void SetUp() override {
        static int serial = 0;
        const std::string ns = "globsync-" + std::to_string(::getpid()) + "-" + std::to_string(++serial);
        ::setenv("TESSARO_NS", ns.c_str(), 1);
        hook::DetachMaster();
        own = std::make_unique<TGlobData>();
    }
    void TearDown() override {
        hook::DetachMaster();
        ::unsetenv("TESSARO_NS");
    }
    void AddMacro(int n, std::uint16_t code, bool enabled) {
        own->ActivationCode[n] = code;
        own->Enabled[n] = enabled ? 1 : 0;
        own->MacroCount = std::max(own->MacroCount, n);
    }
    std::unique_ptr<TGlobData> own;
};

TEST_F(GlobSync, SetHotKeysMarksEnabledHotKeyMacrosOnly) {
    AddMacro(1, 5, true);
    AddMacro(2, 6, false);  // disabled: its code stays free
    AddMacro(3, 7, true);
    AddMacro(4, 7, true);  // two on one code
    AddMacro(5, acScheduled, true);
    AddMacro(6, acWindowTitle, true);
    AddMacro(7, acNone, true);
    AddMacro(8, 9000, true);   // damaged slot: no hot key, no stray write
    own->HotKeyUsed[100] = 1;  // stale entries are cleared
    std::vector<std::pair<std::uint32_t, std::int32_t>> notices;
    SetHotKeys(*own, [&](std::uint32_t c, std::int32_t a) { notices.emplace_back(c, a); });
    std::vector<int> used;
    for (int c = 0; c < kHotKeyCodeCount; ++c)
        if (own->HotKeyUsed[c]) used.push_back(c);
    EXPECT_EQ(used, (std::vector<int>{5, 7}));
    EXPECT_EQ(own->HasAbbreviations, 0);
    EXPECT_EQ(notices, (std::vector<std::pair<std::uint32_t, std::int32_t>>{{puPullGroup, ggKeys}}));

    // The push reached the library.
    auto other = std::make_unique<TGlobData>();
    ASSERT_TRUE(GetGlobDataItem(*other, ggKeys));
    EXPECT_EQ(std::memcmp(other->HotKeyUsed, own->HotKeyUsed, sizeof own->HotKeyUsed), 0);
}

TEST_F(GlobSync, AbbreviationsCountEvenWhenDisabled) {
    AddMacro(1, acAbbreviation, false);
    SetHotKeys(*own);
    EXPECT_EQ(own->HasAbbreviations, 1);
    for (int c = 0; c < kHotKeyCodeCount; ++c) EXPECT_EQ(own->HotKeyUsed[c], 0);
}

TEST_F(GlobSync, PullingOneMacroSlotCopiesOnlyThatSlot) {
    auto editor = std::make_unique<TGlobData>();
    editor->ScopeText[4] = "NOTEPAD";
    editor->ActivationCode[4] = 12;
    editor->ActivationCode[5] = 13;
    QtmUpItem(editor.get(), 4);
    QtmUpItem(editor.get(), 5);
    ASSERT_TRUE(GetGlobDataItem(*own, ggItem, 4));
    EXPECT_EQ(own->ScopeText[4], "NOTEPAD");
    EXPECT_EQ(own->ActivationCode[4], 12);
    EXPECT_EQ(own->ActivationCode[5], 0);
    EXPECT_FALSE(GetGlobDataItem(*own, 15));
    EXPECT_FALSE(GetGlobDataItem(*own, ggItem, 0));
}

TEST_F(GlobSync, PullOfTheLibraryGroupClearsTheProgramsOwnMark) {
    own->LibDword812 = 77;
    auto player = std::make_unique<TGlobData>();
    player->IsNT = 1;
    player->MouseSwapped = 1;
    QtmUpInit(player.get());
    ASSERT_TRUE(GetGlobDataItem(*own, ggInit));
    EXPECT_EQ(own->IsNT, 1);
    EXPECT_EQ(own->MouseSwapped, 1);
    EXPECT_EQ(Unpacked(own->LibDword812), 0u);
}

TEST_F(GlobSync, AnUnreachableBlockChangesNothing) {
    // A namespace too long for a shared-memory name: the library cannot reach its block.
    ::setenv("TESSARO_NS", std::string(300, 'n').c_str(), 1);
    hook::DetachMaster();
    own->MacroCount = 9;
    own->HotKeyUsed[3] = 1;
    QtmUpNumKeys(own.get());  // ignored, without harm
    EXPECT_FALSE(GetGlobDataItem(*own, ggNumKeys));
    EXPECT_FALSE(GetGlobDataItem(*own, ggKeys));
    EXPECT_EQ(Unpacked(own->MacroCount), 9);
    EXPECT_EQ(own->HotKeyUsed[3], 1);
}

}  // namespace
}  // namespace tessaro
