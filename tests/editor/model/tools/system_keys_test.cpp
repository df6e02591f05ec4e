#include "editor/model/tools/system_keys.h"

#include <gtest/gtest.h>

#include "macro/macro_record.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"

namespace tessaro {
namespace {

std::vector<MacroKeyUse> File() {
    return {{100, scSystem, "1"}, {101, scSystem, "2"}, {102, scSystem, "3"},
            {103, scSystem, "4"}, {104, scSystem, "5"}, {7, scGlobal, ""},
            {8, scWindow, "x"},   {9, scPopupMenu, ""}, {acScheduled, scGlobal, ""}};
}

TEST(SystemKeys, SlotsFollowTheFirstScopeCharacter) {
    const SystemKeys keys = LoadSystemKeys(File());
    EXPECT_EQ(keys.Current, (std::array<std::uint16_t, 5>{104, 100, 101, 102, 103}));
    EXPECT_EQ(keys.Macro, (std::array<int, 5>{5, 1, 2, 3, 4}));
    EXPECT_TRUE(ChangedSystemSlots(keys).empty());
    EXPECT_FALSE(SystemKeysRepeat(keys));
}

TEST(SystemKeys, KeysOfGlobalPopupAndSystemMacrosAreTakenOthersAreFree) {
    const auto file = File();
    EXPECT_EQ(
        SystemKeyTaken(file, 7),
        "The hot key \"" + HotKeyNames(7) +
            "\" is already in use by a macro.  If you wish to use this hot key combination, you will first "
            "need to either remove or move the macro which is assigned to it.");
    EXPECT_FALSE(SystemKeyTaken(file, 9).empty());
    EXPECT_FALSE(SystemKeyTaken(file, 100).empty());  // a system command's own key too
    EXPECT_EQ(SystemKeyTaken(file, 8), "");           // only a window-scoped macro uses it
    EXPECT_EQ(SystemKeyTaken(file, 50), "");
}

TEST(SystemKeys, RepeatsAndChangesAreFound) {
    SystemKeys keys = LoadSystemKeys(File());
    keys.Current[2] = 50;
    EXPECT_EQ(ChangedSystemSlots(keys), std::vector<int>{2});
    keys.Current[4] = 50;
    EXPECT_TRUE(SystemKeysRepeat(keys));
}

}  // namespace
}  // namespace tessaro
