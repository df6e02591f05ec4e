#include "editor/model/wizard/menu_pages.h"

#include <gtest/gtest.h>

#include "tests/support/macro_fixtures.h"
#include "misc_rig.h"
#include "protocol/hotkey_names.h"

namespace tessaro::wizard {
namespace {

using testing::MiscRig;
using testing::TestMacro;

TEST(MenuPages, ListsEveryMacroButSystemMacrosWithTheirThreeColumns) {
    MiscRig rig;
    TMacroRecord snipra = TestMacro("Sign", acAbbreviation);
    snipra.Abbreviation = "sig";
    TMacroRecord program = TestMacro("Pad", 5, scProgram);
    program.ScopeText = "gedit";
    rig.Add(TestMacro("Hello", 0));
    rig.Add(TestMacro("Hidden", 3, scSystem));
    rig.Add(snipra);
    rig.Add(program);
    rig.Add(TestMacro("Menu", acNone, scPopupMenu));
    rig.Add(TestMacro("Timer", acScheduled));

    const std::vector<MenuCandidate> rows = MenuCandidates(*rig.glob, *rig.config);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].number, 1);
    EXPECT_EQ(rows[0].activation, HotKeyNames(0));
    EXPECT_EQ(rows[0].scope, "GLOBAL");
    EXPECT_EQ(rows[1].number, 3);  // the system macro is left out
    EXPECT_EQ(rows[1].activation, "sig");
    EXPECT_EQ(rows[2].nickname, "Pad");
    EXPECT_EQ(rows[2].scope, "gedit");
    EXPECT_EQ(rows[3].activation, "None");
    EXPECT_EQ(rows[3].scope, "Popup Menu");
    EXPECT_EQ(rows[4].activation, "Timed Macro");
}

TEST(MenuPages, QuickInfoTellsActivationScopeStateScheduleAndText) {
    TMacroRecord timed = TestMacro("Backup", acScheduled);
    timed.ScheduleType = 6;
    timed.IntervalMinutes = 15;
    timed.Enabled = 0;
    EXPECT_EQ(MacroQuickInfo(timed),
              "Timed Macro\r\n\r\nName: Backup\r\n\r\nScope: GLOBAL\r\n\r\nActive: No\r\n\r\n"
              "Schdedule: every 15 minutes\r\n\r\nMacro: Backup text");

    TMacroRecord snipra = TestMacro("Sign", acAbbreviation, scProgram);
    snipra.Abbreviation = "sig";
    snipra.ScopeText = "gedit";
    snipra.TopmostOnly = 1;
    SetMacroText(snipra, std::string(150, 'x'));
    EXPECT_EQ(MacroQuickInfo(snipra),
              "Snipra: sig\r\n\r\nName: Sign\r\n\r\nScope: gedit \"Window\" (Topmost Only)"
              "\r\n\r\nActive: Yes\r\n\r\nMacro: " +
                  std::string(100, 'x'));

    const std::string hotKey = MacroQuickInfo(TestMacro("Go", 7, scPopupMenu));
    EXPECT_EQ(hotKey.substr(0, hotKey.find('\r')), "Hot Key: " + HotKeyNames(7));
    EXPECT_NE(hotKey.find("Scope: Popup Menu"), std::string::npos);
    EXPECT_EQ(hotKey.find("Schdedule"), std::string::npos);
}

}  // namespace
}  // namespace tessaro::wizard
