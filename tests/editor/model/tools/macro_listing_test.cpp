#include "editor/model/tools/macro_listing.h"

#include <gtest/gtest.h>

#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"

namespace tessaro {
namespace {

TMacroRecord Macro(const std::string& name, int activation, int scope, const std::string& text = "") {
    TMacroRecord m{};
    m.Nickname.assign(name);
    m.ActivationCode = static_cast<std::uint16_t>(activation);
    m.Scope = static_cast<std::uint16_t>(scope);
    m.IconName.assign("MAIN");
    SetMacroText(m, text);
    return m;
}

std::string Sched(const TMacroRecord& m) { return "every " + std::string(m.Nickname.view()); }

TEST(MacroListing, WritesTheTickedLinesInTheirOrderForEachMacro) {
    TMacroRecord hot = Macro("Greeting", 3, scWindow, "Hello\r\nWorld");
    hot.ScopeText.assign("Untitled - Editor");
    hot.TopmostOnly = 1;
    hot.IconName.assign("ABCDEFGH.ICO");
    TMacroRecord timed = Macro("Backup", acScheduled, scProgram, "<BEEP>");
    timed.ScopeText.assign("gedit");
    TMacroRecord abbr = Macro("brb", acAbbreviation, scGlobal, "be right back");
    abbr.Abbreviation.assign("brb");
    abbr.IconName.assign("MENU");
    TMacroRecord system = Macro("Activate Tessaro", 4, scSystem, "x");
    TMacroRecord menu = Macro("Menu", acNone, scPopupMenu, "\x02");

    const std::string out = MacroListing({hot, timed, abbr, system, menu}, ListingChoice{}, Sched);
    const std::string expected =
        "Icon: ABCDEFGH.ICO\r\nHot Key: " + HotKeyNames(3) +
        "\r\nName: Greeting\r\nWindow: Untitled - Editor, Topmost Only\r\nText: Hello\r\nWorld\r\n\r\n"
        "Icon: (Default Icon)\r\nTimed Macro\r\nName: Backup\r\nProgram: gedit, If Active\r\n"
        "Schedule: every Backup\r\nText: <BEEP>\r\n\r\n"
        "Icon: (Default Menu Icon)\r\nSnipra: brb\r\nName: brb\r\nScope: GLOBAL\r\nText: be right "
        "back\r\n\r\n"
        "Icon: (None)\r\nHot Key: " +
        HotKeyNames(4) +
        "\r\nName: Activate Tessaro\r\nScope: SYSTEM\r\n\r\n"
        "Icon: (Default Icon)\r\nNone\r\nName: Menu\r\nScope: Popup Menu\r\n\r\n";
    EXPECT_EQ(out, expected);
}

TEST(MacroListing, OnlyScheduleTickedGivesScheduleLinesAndOneEmptyLineEach) {
    ListingChoice only{false, false, false, false, true, false};
    EXPECT_TRUE(only.Any());
    const std::string out = MacroListing(
        {Macro("a", 3, scGlobal), Macro("t", acScheduled, scGlobal), Macro("w", acWindowTitle, 9)}, only,
        Sched);
    EXPECT_EQ(out, "\r\nSchedule: every t\r\n\r\n\r\n");
    EXPECT_EQ(MacroListing({}, ListingChoice{}, Sched), "");
    EXPECT_FALSE((ListingChoice{false, false, false, false, false, false}.Any()));
    // A scope the listing has no words for writes no line.
    ListingChoice window{false, false, true, false, false, false};
    EXPECT_EQ(MacroListing({Macro("w", 3, 9)}, window, Sched), "\r\n");
}

}  // namespace
}  // namespace tessaro
