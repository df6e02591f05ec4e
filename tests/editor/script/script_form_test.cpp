#include "editor/script/script_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_dir.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

TEST(ScriptForm, CaptionNamesTheScopeAfterTwoBlanks) {
    EXPECT_EQ(ScriptCaption(true, false, "gedit"), "Macro Scripting Editor  (Program: gedit)");
    EXPECT_EQ(ScriptCaption(false, true, "Notes"), "Macro Scripting Editor  (Window Title: Notes)");
    EXPECT_EQ(ScriptCaption(false, false, "x"), "Macro Scripting Editor  (GLOBAL)");
}

TEST(ScriptForm, ThePanelFollowsTheMode) {
    EXPECT_TRUE(PanelForMode(1).HotKeyLabel);
    EXPECT_FALSE(PanelForMode(1).TimerLabel);
    EXPECT_TRUE(PanelForMode(2).SetSchedule);
    EXPECT_EQ(PanelForMode(2).TimerText, "Timed Macros");
    EXPECT_TRUE(PanelForMode(3).ShortProp);
    EXPECT_EQ(PanelForMode(3).SnipraLimit, 10);
    EXPECT_EQ(PanelForMode(7).SnipraLimit, 20);
    EXPECT_FALSE(PanelForMode(7).ScopeButtonsEnabled);
    EXPECT_EQ(PanelForMode(6).TimerText, "None");
    EXPECT_FALSE(PanelForMode(6).SnipraName || PanelForMode(6).SetSchedule || PanelForMode(6).ShortProp);
}

TEST(ScriptForm, AnExistingMacroKeepsItsFieldsWithOptionsPutRight) {
    testing::TempDir dir;
    TConfigRecord config{};
    config.SnipraCaseMode = 2;
    config.SnipraNoRemove = true;
    TMacroRecord rec{};
    rec.Nickname.assign("Mail");
    rec.Scope = scProgram;
    rec.IconName.assign("GONE.ICO");
    rec.AbbrevCase = 9;
    rec.AbbrevErase = 0;
    ScriptStart start = PrepareScriptMacro(rec, true, 1, false, config, dir.path(), 45000);
    EXPECT_EQ(Unpacked(start.Scope), ScriptScope::Program);
    EXPECT_EQ(start.IconName, "MAIN");
    EXPECT_EQ(start.NickName, "Mail");
    EXPECT_EQ(Unpacked(rec.AbbrevCase), 2);
    EXPECT_EQ(Unpacked(rec.AbbrevErase), 2);

    std::filesystem::create_directories(dir.file("Icons"));
    std::ofstream(dir.file("Icons/MINE.ICO")) << "x";
    rec.IconName.assign("MINE.ICO");
    rec.Scope = scGlobal;
    start = PrepareScriptMacro(rec, true, 1, true, config, dir.path(), 45000);
    EXPECT_EQ(start.IconName, "MINE.ICO");
    EXPECT_EQ(Unpacked(start.Scope), ScriptScope::Window);  // another macro holds the key globally
    EXPECT_FALSE(start.GlobalEnabled);
}

TEST(ScriptForm, ANewMacroGetsTheDefaults) {
    TConfigRecord config{};
    config.SnipraCaseMode = 3;
    TMacroRecord rec{};
    rec.ScopeText.assign("old");
    rec.TopmostOnly = 0;
    const ScriptStart start = PrepareScriptMacro(rec, false, 1, false, config, "/nowhere", 45000.5);
    EXPECT_EQ(Unpacked(start.Scope), ScriptScope::Global);
    EXPECT_EQ(start.NickName, "");
    EXPECT_EQ(rec.ScopeText.view(), "");
    EXPECT_EQ(rec.TopmostOnly, 1);
    EXPECT_EQ(Unpacked(rec.ScheduleType), 3);
    EXPECT_EQ(Unpacked(rec.AbbrevCase), 3);
    EXPECT_EQ(Unpacked(rec.AbbrevErase), 1);
    TMacroRecord titled{};
    titled.ScopeText.assign("Notes");
    PrepareScriptMacro(titled, false, 7, false, config, "/nowhere", 45000.5);
    EXPECT_EQ(titled.ScopeText.view(), "Notes");  // a window-title macro keeps its title
}

TEST(ScriptForm, TheHeadingCarriesTheModesSuffix) {
    TMacroRecord rec{};
    rec.Nickname.assign("Mail");
    rec.Abbreviation.assign("ml");
    rec.ScopeText.assign("Inbox");
    EXPECT_EQ(ScriptHeading(1, rec, "Ctrl+M"), "Tessaro Script for Mail  (Ctrl+M)");
    EXPECT_EQ(ScriptHeading(2, rec, ""), "Tessaro Script for Mail  (Timed Macro)");
    EXPECT_EQ(ScriptHeading(3, rec, ""), "Tessaro Script for Mail  (Snipra:ml)");
    EXPECT_EQ(ScriptHeading(7, rec, ""), "Tessaro Script for Mail  (Window Title: Inbox)");
    EXPECT_EQ(ScriptHeading(6, rec, ""), "Tessaro Script for Mail");
}

}  // namespace
}  // namespace tessaro
