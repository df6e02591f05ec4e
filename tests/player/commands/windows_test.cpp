#include "player/commands/windows.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_window_control.h"

namespace tessaro::testing {
namespace {

using win::Bounds;

class WindowCommands : public ::testing::Test {
protected:
    void SetUp() override {
        sim.Clear();
        control.Clear();
        notepad = sim.AddWindow("Untitled - Notepad", 10, "notepad");
        calc = sim.AddWindow("Calculator", 11, "calc");
        sim.AddWindow("Calculator Help", 11, "calc");
        sim.foreground = calc;
    }
    void Run(std::string_view text) {
        const Token token = Recognise(text, 0);
        ASSERT_NE(token.kind, TokenKind::None) << text;
        ASSERT_TRUE(RunWindowCommand(sim, control, token)) << text;
    }

    win::sim::SimDesktop& sim = win::sim::TheSimDesktop();
    win::sim::SimWindowControl& control = win::sim::TheSimWindowControl();
    win::HWND notepad = 0, calc = 0;
};

TEST_F(WindowCommands, TitleFindsExactThenContainingThenTheForegroundForCurrent) {
    EXPECT_EQ(FindWindowByTitle(sim, control, "Calculator"), calc);
    EXPECT_EQ(FindWindowByTitle(sim, control, "notepad"), notepad);
    EXPECT_EQ(FindWindowByTitle(sim, control, "\"CURRENT\""), calc);
    EXPECT_EQ(FindWindowByTitle(sim, control, ""), 0u);
    EXPECT_EQ(FindWindowByTitle(sim, control, "Paint"), 0u);
}

TEST_F(WindowCommands, SizeAndPositionKeepTheOtherHalfOfTheFrame) {
    control.frames[notepad] = Bounds{30, 40, 300, 200};
    Run("<WSIZE:0640,0480Notepad>");
    EXPECT_EQ(control.frames[notepad], (Bounds{30, 40, 640, 480}));
    Run("<WPOS:0010,0020Notepad>");
    EXPECT_EQ(control.frames[notepad], (Bounds{10, 20, 640, 480}));
    Run("<WPOS2:-0050,00007Notepad>");
    EXPECT_EQ(control.frames[notepad], (Bounds{-50, 7, 640, 480}));
    Run("<WPOS:0001,0002No Such Window>");
    EXPECT_EQ(control.frames.size(), 1u);
}

TEST_F(WindowCommands, StateCommandsCloseAndEndingActOnTheRightWindow) {
    Run("<WMAX:notepad>");
    EXPECT_TRUE(control.IsMaximised(notepad));
    Run("<WRES:notepad>");
    EXPECT_FALSE(control.IsMaximised(notepad));
    Run("<WMIN:\"CURRENT\">");
    EXPECT_TRUE(sim.IsIconic(calc));
    Run("<WRES:Calculator>");  // un-minimises first
    EXPECT_FALSE(sim.IsIconic(calc));

    Run("<WSHUT:Help>");  // the whole program goes, both its windows
    EXPECT_EQ(control.log.back(), "end 11");
    EXPECT_EQ(sim.TopLevelWindows(), std::vector<win::HWND>{notepad});
    Run("<WCLS:Notepad>");
    EXPECT_TRUE(sim.TopLevelWindows().empty());
    Run("<WCLS:>");  // nothing left and nothing named: no change
    EXPECT_EQ(control.log.back(), "close " + std::to_string(notepad));
}

TEST_F(WindowCommands, ShowFindsTheWindowItHidAfterItLeftTheWindowList) {
    Run("<WHIDE:Notepad>");
    EXPECT_EQ(FindWindowByTitle(sim, control, "Notepad"), 0u);
    Run("<WSHOW:notepad>");
    EXPECT_EQ(FindWindowByTitle(sim, control, "Notepad"), notepad);
    EXPECT_TRUE(control.HiddenWindows().empty());
}

TEST(DesktopLayout, CascadeStepsFromTheCornerAndStartsAgainWhenItWouldLeave) {
    const Bounds area{0, 20, 300, 150};
    const auto frames = CascadeLayout(area, 4);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0], (Bounds{0, 20, 200, 100}));
    EXPECT_EQ(frames[1], (Bounds{kCascadeStep, 20 + kCascadeStep, 200, 100}));
    // 200 + 2 * 26 > 150 for the height: back to the corner.
    EXPECT_EQ(frames[2], (Bounds{0, 20, 200, 100}));
    EXPECT_TRUE(CascadeLayout(area, 0).empty());
}

TEST(DesktopLayout, TilesShareTheAreaWithoutGapsStackedOrSideBySide) {
    const Bounds area{10, 0, 1000, 700};
    const auto stacked = TileLayout(area, 3, true);
    ASSERT_EQ(stacked.size(), 3u);
    EXPECT_EQ(stacked[0], (Bounds{10, 0, 1000, 233}));
    EXPECT_EQ(stacked[1], (Bounds{10, 233, 1000, 233}));
    EXPECT_EQ(stacked[2], (Bounds{10, 466, 1000, 234}));
    const auto side = TileLayout(area, 2, false);
    EXPECT_EQ(side[0], (Bounds{10, 0, 500, 700}));
    EXPECT_EQ(side[1], (Bounds{510, 0, 500, 700}));
    EXPECT_TRUE(TileLayout(area, 0, true).empty());
}

TEST_F(WindowCommands, DesktopTokensArrangeOnlyVisibleWindowsBackToFront) {
    control.workArea = Bounds{0, 0, 900, 600};
    control.Minimise(calc);
    Run("<TILVDESK>");
    // Two windows stay: the back one (the help window) left, Notepad on its right.
    EXPECT_EQ(control.frames.size(), 2u);
    EXPECT_EQ(control.frames[notepad], (Bounds{450, 0, 450, 600}));
    Run("<MINIDESK>");
    EXPECT_TRUE(control.showingDesktop);
    Run("<RESTDESK>");
    EXPECT_FALSE(control.showingDesktop);
}

}  // namespace
}  // namespace tessaro::testing
