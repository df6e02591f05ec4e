#include "editor/model/commands/display_forms.h"

#include <gtest/gtest.h>

#include "form_round_trip.h"

namespace tessaro {
namespace {

using testing::ExpectRefused;
using testing::ParsedBack;

TEST(DisplayModeText, ColumnsOfTheList) {
    EXPECT_EQ(FormatDisplayMode({640, 480, 256, 60}), " 640 x  480  256 Colors  60 hertz");
    EXPECT_EQ(FormatDisplayMode({1920, 1080, 16777216, 75}), "1920 x 1080  16777216 Colors  75 hertz");
    EXPECT_EQ(FormatDisplayMode({320, 240, 16777216, 0}), " 320 x  240  16777216 Colors  0 hertz");
    EXPECT_EQ(FormatDisplayMode({10240, 7, 2, 144}), "10240 x    7  2 Colors  144 hertz");
    // Equal modes are both listed, in the display's order.
    const auto list = DisplayModeList({{800, 600, 256, 60}, {800, 600, 256, 60}, {640, 480, 16, 72}});
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], list[1]);
    EXPECT_EQ(list[2], " 640 x  480  16 Colors  72 hertz");
}

TEST(ScreenForm, PositionIsTheModeNumber) {
    const auto r = BuildScreen(7);
    EXPECT_EQ(r.CommandText, "<SCREEN:007>");
    EXPECT_EQ(r.fields.ModeIndex, 7);
    for (int i : {0, 42, 999}) {
        const LineRecord rec = ParsedBack(BuildScreen(i), TokenKind::Screen);
        EXPECT_EQ(std::get<TDisplayRec>(rec).ModeIndex, i);
    }
    ExpectRefused(BuildScreen(-1), "No display setting selected.", "SettingBox");
    EXPECT_FALSE(BuildScreen(1000).ok());  // would not fit its three digits
    EXPECT_EQ(ScreenInitialSelection(3, true, 2), 0);
    EXPECT_EQ(ScreenInitialSelection(3, false, 2), 2);
    EXPECT_EQ(ScreenInitialSelection(3, false, 3), -1);
    EXPECT_EQ(ScreenInitialSelection(0, true, 0), -1);
}

TEST(DefPrintForm, ExactCaseInsensitivePreselection) {
    const std::vector<std::string> printers{"Office", "Lab", "Lab Annex"};
    EXPECT_EQ(FindListEntry(printers, "lab"), 1);
    EXPECT_EQ(FindListEntry(printers, "LAB ANNEX"), 2);
    EXPECT_EQ(FindListEntry(printers, "La"), -1);
    EXPECT_EQ(DefPrintInitialSelection(printers, false, "Gone"), -1);
    EXPECT_EQ(DefPrintInitialSelection(printers, true, "Gone"), 0);
    EXPECT_EQ(DefPrintInitialSelection({}, true, ""), -1);
    const auto r = BuildDefPrint(printers, 1);
    EXPECT_EQ(r.CommandText, "<DEFPRT:Lab>");
    EXPECT_EQ(r.fields.PrinterName, "Lab");
    EXPECT_EQ(std::get<TNameRec>(ParsedBack(r, TokenKind::DefPrt)).Name, "Lab");
    ExpectRefused(BuildDefPrint(printers, -1), "No printer setting selected.", "SettingBox");
    ExpectRefused(BuildDefPrint({}, 0), "No printer setting selected.", "SettingBox");
    ExpectRefused(BuildDefPrint({"a>b"}, 0), testing::BadChar('>'), "SettingBox");
}

}  // namespace
}  // namespace tessaro
