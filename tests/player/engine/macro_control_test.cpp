#include "player/engine/macro_control.h"

#include <gtest/gtest.h>

#include "interpreter_doubles.h"
#include "macro/macro_record.h"
#include "protocol/glob_data.h"

namespace tessaro {
namespace {

using testing::Rig;
using Log = std::vector<std::string>;

TEST(MacroControlDelete, DeletesTheFirstMatchAndRenumbersPopupMenus) {
    Rig rig;
    rig.macros.Add("menu", "").scope = scPopupMenu;
    rig.macros.macros[0].items = {2, 3, 4};
    rig.macros.Add("gone", "x").activation = acScheduled;
    rig.macros.Add("gone", "y");
    rig.macros.Add("last", "z");
    rig.Play("<MACDEL:gone>");

    ASSERT_EQ(rig.macros.macros.size(), 3u);
    EXPECT_EQ(rig.macros.macros[1].text, "y");  // the lower-numbered "gone" went
    EXPECT_EQ(rig.macros.macros[0].items, (std::vector<std::uint16_t>{2, 3}));
    EXPECT_EQ(rig.macros.log, (Log{"lock", "release0", "lock", "save1", "delete2", "reload", "swapkeys",
                                   "hotkeys", "schedule", "release1", "others", "editor21:0"}));
}

TEST(MacroControlDelete, PopupMacroDeletionRebuildsTheTrayIconAndNoMatchChangesNothing) {
    Rig rig;
    rig.macros.Add("m", "").scope = scPopupMenu;
    rig.Play("<MACDEL:m>");
    EXPECT_TRUE(rig.macros.macros.empty());
    EXPECT_EQ(rig.macros.log, (Log{"lock", "release0", "lock", "delete1", "trayoff", "reload", "swapkeys",
                                   "hotkeys", "trayon", "release1", "others", "editor21:0"}));

    Rig none;
    none.macros.Add("a", "");
    none.Play("<MACDEL:A>");
    EXPECT_EQ(none.macros.macros.size(), 1u);
    EXPECT_EQ(none.macros.log, (Log{"lock", "release0"}));
}

TEST(MacroControlDelete, FileHeldByAnotherUserIsReportedPerMatch) {
    Rig rig;
    rig.macros.Add("busy", "");
    rig.macros.Add("busy", "");
    rig.macros.lockHeldElsewhere = true;
    rig.Play("<MACDEL:busy>go");
    EXPECT_EQ(testing::Typed(rig.input.log), "go");
    EXPECT_EQ(rig.macros.macros.size(), 2u);
    ASSERT_EQ(rig.windows.messages.size(), 2u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Macro Delete Error");
    EXPECT_EQ(rig.windows.messages[0].text,
              "Cannot delete macro \"busy\" because the macro file is in use by another user.");
}

TEST(MacroControlEnable, ActivateAndDeactivateTouchOnlyMacrosInTheOtherState) {
    Rig rig;
    rig.macros.Add("t", "").enabledInTable = true;
    auto& off = rig.macros.Add("t", "");
    off.enabledInTable = false;
    off.enabledInFile = false;
    off.activation = acScheduled;
    rig.Play("<MACACT:t>");
    EXPECT_TRUE(rig.macros.macros[1].enabledInTable);
    EXPECT_TRUE(rig.macros.macros[1].enabledInFile);
    EXPECT_EQ(rig.macros.log, (Log{"lock", "release0", "lock", "table2on", "others", "editor8:2", "file2on",
                                   "schedule", "hotkeys", "editor1:0", "release1"}));

    rig.macros.log.clear();
    rig.Play("<MACDEACT:t>");
    EXPECT_FALSE(rig.macros.macros[0].enabledInTable);
    EXPECT_TRUE(rig.macros.macros[1].enabledInTable);  // stops after the first change
    EXPECT_EQ(rig.macros.log, (Log{"lock", "release0", "lock", "table1off", "others", "editor8:1", "file1off",
                                   "hotkeys", "editor1:0", "release1"}));

    Rig busy;
    busy.macros.Add("t", "").enabledInTable = false;
    busy.macros.lockHeldElsewhere = true;
    busy.Play("<MACACT:t>");
    ASSERT_EQ(busy.windows.messages.size(), 1u);
    EXPECT_EQ(busy.windows.messages[0].caption, "Macro Activate Error");
    EXPECT_EQ(busy.windows.messages[0].text,
              "Cannot activate macro \"t\" because the macro file is in use by another user.");
    EXPECT_FALSE(busy.macros.macros[0].enabledInTable);
}

TEST(MacroControlSwap, SwitchesTheMacroFileAndTellsEveryone) {
    Rig rig;
    rig.Play("<SWAP:/data/other.QTM>");
    EXPECT_EQ(rig.macros.macroFileName, "/data/other.QTM");
    EXPECT_EQ(rig.macros.log,
              (Log{"name /data/other.QTM", "lockfile /data/other.QTM", "trayoff", "load /data/other.QTM",
                   "hotkeys", "schedule", "trayon", "swapkeys", "others", "editor3:0"}));

    // A name the settings cannot hold is refused and changes nothing.
    Rig tooLong;
    tooLong.Play("<SWAP:/" + std::string(300, 'x') + ".QTM>go");
    EXPECT_TRUE(tooLong.macros.log.empty());
    ASSERT_EQ(tooLong.windows.messages.size(), 1u);
    EXPECT_EQ(tooLong.windows.messages[0].caption, "Error");
    EXPECT_EQ(testing::Typed(tooLong.input.log), "go");
}

}  // namespace
}  // namespace tessaro
