#include "editor/model/wizard/activation_pages.h"

#include <gtest/gtest.h>

#include "editor/model/wizard/activation_names.h"

namespace tessaro::wizard {
namespace {

TEST(WizardPresets, EveryPageStartsWithAValidChoiceAndTodaysOnceDate) {
    const Answers a = CreationPresets({2026, 12, 31}, true, true);
    for (const char* on : {"P2HotKey", "P5Toggle", "P7Global", "P8Installed", "P9AddNo", "P11Logoff",
                           "P13Text", "P17Both", "P20Today", "P21Web", "P29UseDefault", "P31No",
                           "P32Installed", "P52Yes", "P53Text", "P75Now", "P83Now", "Monday", "Friday"})
        EXPECT_TRUE(a.Checked(on)) << on;
    EXPECT_FALSE(a.Checked("Saturday"));
    EXPECT_FALSE(a.Checked("P65Show"));  // first use: the welcome page shows on startup
    EXPECT_FALSE(a.Get("P8Path").enabled);
    EXPECT_FALSE(a.Get("P31Path").enabled);
    EXPECT_EQ(a.Index("OnceMonth"), 11);
    EXPECT_EQ(a.Text("OnceDay"), "31");
    EXPECT_EQ(a.Text("OnceYear"), "2026");
    EXPECT_EQ(a.Text("MonthlyDay"), "31");
    EXPECT_EQ(a.Text("HourlyMinutes"), "30");
    EXPECT_EQ(a.Text("IdleMinutes"), "10");
    EXPECT_EQ(a.Text("WeeklyMin"), "00");
    EXPECT_EQ(a.Text("OnceTimeHour"), "1");
    EXPECT_EQ(a.Text("P8Examples"),
              "Examples:\n\r   For Microsoft Word: Microsoft Word\n\r   For WordPad: wordp\n\r   For "
              "notepad: tepad");
    EXPECT_EQ(a.Text("P37Examples"), a.Text("P8Examples"));
    EXPECT_EQ(a.Text("P70Lab1").substr(0, 34), "Type text, symbols && keystrokes\n\r");
    EXPECT_EQ(a.Text("P70Lab2").substr(a.Text("P70Lab2").size() - 28), "Play a video clip or sound\n\r");
    EXPECT_FALSE(a.Has("P47Notice"));
    EXPECT_TRUE(CreationPresets({2026, 1, 1}, false, true).Checked("P65Show"));
}

TEST(WizardPresets, WithoutTheShellServicesPagesFortySevenAndTwentyFiveAreCutDown) {
    const Answers a = CreationPresets({2026, 5, 1}, false, false);
    for (const char* off :
         {"P47Minimize", "P47Restore", "P47Suspend", "P47Undock", "P25Special", "P25SpecList"})
        EXPECT_FALSE(a.Get(off).enabled) << off;
    EXPECT_TRUE(a.Get("P47Notice").visible);
    EXPECT_FALSE(a.Get("P25Special").visible);
    EXPECT_FALSE(a.Get("P25SpecList").visible);
    EXPECT_TRUE(a.Checked("P25Folder"));
    EXPECT_TRUE(a.Get("P47Cascade").enabled);
}

TEST(WizardActivation, PopupMenusAreListedInMacroOrderByNickname) {
    TGlobData glob{};
    TConfigRecord config;
    EXPECT_FALSE(MenusExist(glob));
    glob.MacroCount = 4;
    glob.Scope[1] = 1;
    glob.Scope[2] = 4;
    glob.Scope[3] = 5;
    glob.Scope[4] = 4;
    config.MacroNicknames[2] = "Tools";
    config.MacroNicknames[4] = "Letters";
    EXPECT_TRUE(MenusExist(glob));
    const std::vector<MenuEntry> menus = PopupMenus(glob, config);
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].nickname, "Tools");
    EXPECT_EQ(menus[0].macro, 2);
    EXPECT_EQ(menus[1].macro, 4);
    glob.MacroCount = 1;  // macros past the count are gone
    EXPECT_FALSE(MenusExist(glob));
}

TEST(WizardActivation, HotKeyPageCountsEveryUseAndMarksOnlyGlobalScopes) {
    TGlobData glob{};
    glob.MacroCount = 6;
    const std::pair<std::uint16_t, std::uint16_t> macros[] = {{2, 5}, {1, 5}, {4, 6},
                                                              {5, 7}, {3, 8}, {1, acScheduled}};
    for (int n = 1; n <= 6; ++n) {
        glob.Scope[n] = macros[n - 1].first;
        glob.ActivationCode[n] = macros[n - 1].second;
    }
    const HotKeyPage page = LoadP3(glob);
    ASSERT_EQ(page.rows.size(), 721u);
    EXPECT_NE(page.rows[5].find("  (2 macros in use)"), std::string::npos);
    EXPECT_NE(page.rows[8].find("  (1 macro in use)"), std::string::npos);
    EXPECT_NE(page.rows[9].find("  (Not in Use)"), std::string::npos);
    EXPECT_TRUE(page.globalUse[5] && page.globalUse[6] && page.globalUse[7]);
    EXPECT_FALSE(page.globalUse[8]);  // a program-scope macro: in use, not global
    EXPECT_FALSE(page.globalUse[9]);
}

TEST(WizardActivation, SchedulePanelsReadTheChosenKindAndItsAmPmBox) {
    Answers a = CreationPresets({2026, 3, 4}, false, true);
    a.Set("Weekly").checked = true;
    a.Set("WeeklyPM").index = 1;
    a.Set("WeeklyDayOfWeek").index = 3;
    a.Set("WeeklyHour").text = "7";
    const SchedulePanels p = SchedulePanelsOf(a);
    EXPECT_EQ(p.kind, 4);
    EXPECT_TRUE(p.pm);
    EXPECT_EQ(p.weekdayIndex, 3);
    EXPECT_EQ(p.hour[2], "7");
    EXPECT_EQ(p.monthIndex, 2);
    EXPECT_TRUE(p.days[0]);
    EXPECT_FALSE(p.days[6]);
    const std::array<bool, 4> pm = PmOf(a);
    EXPECT_FALSE(pm[0]);
    EXPECT_TRUE(pm[2]);

    EXPECT_EQ(ProgramOfItem(InstalledItem({"Text Editor", "gedit"})), "gedit");
    EXPECT_EQ(ProgramOfItem("mousepad"), "mousepad");
}

}  // namespace
}  // namespace tessaro::wizard
