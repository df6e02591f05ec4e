#include "editor/model/macro_forms/spec_wind.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.h"

namespace tessaro {
namespace {

TEST(SpecWind, TextsByMode) {
    EXPECT_EQ(SpecWindTextsFor(true).caption, "Set Title");
    EXPECT_FALSE(SpecWindTextsFor(true).installedButton);
    EXPECT_EQ(SpecWindTextsFor(false).runningOption, "R&un Macro If Program Running");
    EXPECT_EQ(SpecWindTextsFor(false).listHeight, 77);
}

TEST(SpecWind, RunningWindowsAndPrograms) {
    win::sim::SimDesktop desktop;
    desktop.AddWindow("Editor", 10, "gedit");
    desktop.AddWindow("  ", 11, "blank");
    desktop.AddWindow(std::string(300, 'T'), 12, "long");
    desktop.AddProcess(13, "");  // another user's process: no name
    desktop.AddProcess(14, "gedit");
    const std::vector<std::string> titles = RunningWindowTitles(desktop);
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[1].size(), 255u);
    const std::vector<std::string> programs = RunningProgramNames(desktop);
    EXPECT_EQ(std::count(programs.begin(), programs.end(), "gedit"), 2)
        << "a program running twice is listed twice";
    EXPECT_EQ(std::count(programs.begin(), programs.end(), ""), 0);
}

TEST(SpecWind, OkTakesTypedTextOrAsksAboutTheHighlightedRow) {
    SpecWindOk ok = CheckSpecWind(true, "  Notes ", "Other");
    EXPECT_EQ(ok.status, SpecWindOk::Status::Done);
    EXPECT_EQ(ok.scopeText, "Notes");
    ok = CheckSpecWind(true, "  ", "");
    EXPECT_EQ(ok.status, SpecWindOk::Status::Refused);
    EXPECT_EQ(ok.message, "No window title has been entered.  Please correct.");
    ok = CheckSpecWind(false, "", "A very long program name that is kept whole");
    EXPECT_EQ(ok.status, SpecWindOk::Status::AskHighlighted);
    EXPECT_EQ(
        ok.message,
        "No program name has been entered.  \"A very long program name that is kept whole\" is currently "
        "highlighted.  Would you like to use it?");
    EXPECT_EQ(ok.scopeText, "A very long program name that is kept whole");
}

}  // namespace
}  // namespace tessaro
