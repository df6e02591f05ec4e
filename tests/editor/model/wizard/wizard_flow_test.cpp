#include "editor/model/wizard/wizard_flow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/model/wizard/activation_pages.h"
#include "editor/model/wizard/wizard_functions.h"

namespace tessaro::wizard {
namespace {

const std::initializer_list<std::string_view> kActivation = {"P2HotKey", "P2Snipra", "P2Timed", "P2None",
                                                             "P2Title"};

Answers Presets() { return CreationPresets({2026, 12, 9}, false, true); }

// The pages Next shows from the start to the last page.
std::vector<int> WalkForward(WizardFlow& flow, const Answers& a, bool menus) {
    std::vector<int> pages{flow.CurrentPage()};
    while (!flow.OnLastPage()) {
        EXPECT_STREQ(flow.NextCaption(), "&Next >");
        flow.Step(Direction::Forward, a, menus);
        pages.push_back(flow.CurrentPage());
    }
    EXPECT_STREQ(flow.NextCaption(), "&Finish");
    return pages;
}

std::vector<int> WalkBackward(WizardFlow& flow, const Answers& a, bool menus) {
    std::vector<int> pages{flow.CurrentPage()};
    while (flow.BackEnabled()) {
        flow.Step(Direction::Backward, a, menus);
        pages.push_back(flow.CurrentPage());
    }
    return pages;
}

struct Walk {
    const char* name;
    int function;
    std::vector<const char*> chosen;  // radio buttons / boxes checked on top of the presets
    bool menus;
    std::vector<int> pages;
};

// Radio buttons clear the other buttons of their group; check boxes are just ticked.
void Apply(Answers& a, const std::vector<const char*>& chosen) {
    static const std::vector<std::vector<std::string_view>> groups = {
        {"P2HotKey", "P2Snipra", "P2Timed", "P2None", "P2Title"},
        {"P7Global", "P7SpecProg", "P7SpecWin"},
        {"P17Date", "P17Time", "P17Both"},
        {"P27Dial", "P27Hang"},
        {"P30LaunchOnly", "P30OpenDoc", "P30Act", "P30ActLaunch", "P30LaunchAct"},
        {"P35RepTop", "P35RepChoice", "P35SizeTop", "P35SizeChoice"},
        {"P39Top", "P39Choice"},
        {"P43Play", "P43Audio", "P43MIDI"},
        {"P53Text", "P53System", "P53Program", "P53Macro"},
        {"P75Now", "P75Prompt"},
    };
    for (const char* name : chosen) {
        a.Set(name).checked = true;
        for (const auto& group : groups)
            if (std::find(group.begin(), group.end(), name) != group.end())
                for (std::string_view other : group)
                    if (other != name) a.Set(other).checked = false;
    }
}

TEST(WizardFlow, EverySequenceWalksToFinishAndBackThroughTheSamePages) {
    const std::vector<Walk> walks = {
        {"text, hot key, global, menus", 1, {}, true, {1, 14, 2, 3, 7, 9, 10}},
        {"text, program scope", 1, {"P7SpecProg"}, false, {1, 14, 2, 3, 7, 8, 10}},
        {"paste, none without menus", 2, {"P2None"}, false, {1, 13, 12, 2, 10}},
        {"symbol, window title appears", 3, {"P2Title"}, true, {1, 4, 2, 37, 9, 10}},
        {"launch only", 4, {"P30LaunchOnly"}, false, {1, 30, 31, 32, 2, 3, 7, 10}},
        {"open a document", 4, {"P30OpenDoc"}, false, {1, 30, 34, 2, 3, 7, 10}},
        {"activate a program", 4, {"P30Act"}, false, {1, 30, 33, 2, 3, 7, 10}},
        {"activate or launch", 4, {"P30ActLaunch"}, false, {1, 30, 31, 32, 33, 2, 3, 7, 10}},
        {"web, timed", 5, {"P2Timed"}, false, {1, 21, 22, 2, 3, 10}},
        {"time only", 6, {"P17Time"}, false, {1, 17, 19, 2, 3, 7, 10}},
        {"date only", 6, {"P17Date"}, false, {1, 17, 18, 20, 2, 3, 7, 10}},
        {"date and time", 6, {}, false, {1, 17, 18, 20, 19, 2, 3, 7, 10}},
        {"capture", 7, {}, true, {1, 59, 60, 61, 3, 10, 62, 63}},
        {"network", 8, {}, false, {1, 5, 6, 29, 2, 3, 7, 10}},
        {"reboot, snipra", 9, {"P2Snipra"}, false, {1, 11, 2, 3, 7, 10}},
        {"reminder", 10, {}, true, {1, 26, 3, 10}},
        {"files", 11, {}, false, {1, 48, 49, 2, 3, 7, 10}},
        {"dial", 12, {}, false, {1, 27, 28, 2, 3, 7, 10}},
        {"hang up", 12, {"P27Hang"}, false, {1, 27, 2, 3, 7, 10}},
        {"display", 13, {}, false, {1, 16, 2, 3, 7, 10}},
        {"printer", 14, {}, false, {1, 15, 2, 3, 7, 10}},
        {"cd", 15, {}, false, {1, 42, 2, 3, 7, 10}},
        {"video", 16, {}, false, {1, 24, 2, 3, 7, 10}},
        {"play a sound", 17, {}, false, {1, 43, 46, 2, 3, 7, 10}},
        {"audio controls", 17, {"P43Audio"}, false, {1, 43, 44, 2, 3, 7, 10}},
        {"midi controls", 17, {"P43MIDI"}, false, {1, 43, 45, 2, 3, 7, 10}},
        {"sweepstakes", 18, {}, false, {1, 71, 72, 2, 3, 7, 10, 73}},
        {"wallpaper", 19, {}, false, {1, 23, 2, 3, 7, 10}},
        {"move top window", 20, {}, false, {1, 35, 36, 2, 3, 7, 10}},
        {"move a window of choice", 20, {"P35RepChoice"}, false, {1, 35, 33, 36, 2, 3, 7, 10}},
        {"maximize top window", 21, {}, false, {1, 38, 39, 2, 3, 7, 10}},
        {"maximize a window of choice", 21, {"P39Choice"}, false, {1, 38, 39, 40, 2, 3, 7, 10}},
        {"explorer", 22, {}, false, {1, 25, 2, 3, 7, 10}},
        {"desktop", 23, {}, false, {1, 47, 2, 3, 7, 10}},
        {"saver", 24, {}, false, {1, 41, 2, 3, 7, 10}},
        {"menu", 25, {}, false, {1, 50, 51, 52, 3, 10}},
        {"combined", 26, {}, false, {1, 64, 2, 3, 7, 10}},
        {"single command, text", 27, {}, false, {1, 53, 54, 58, 2, 3, 7, 10}},
        {"single command, system", 27, {"P53System"}, false, {1, 53, 55, 58, 2, 3, 7, 10}},
        {"single command, program", 27, {"P53Program"}, false, {1, 53, 56, 58, 2, 3, 7, 10}},
        {"single command, control", 27, {"P53Macro"}, false, {1, 53, 57, 58, 2, 3, 7, 10}},
        {"first use", 28, {}, false, {65, 70, 66, 67, 74, 68, 69}},
        {"e-mail, recipients now", 29, {}, false, {1, 78, 75, 76, 83, 77, 2, 3, 7, 10}},
        {"e-mail, cc, blind cc, dial-up",
         29,
         {"P75cc", "P75Blind", "P78RAS"},
         false,
         {1, 78, 28, 75, 76, 81, 82, 83, 77, 2, 3, 7, 10}},
        {"e-mail, prompted", 29, {"P75Prompt", "P75cc"}, false, {1, 78, 75, 83, 77, 2, 3, 7, 10}},
    };
    for (const Walk& w : walks) {
        SCOPED_TRACE(w.name);
        Answers a = Presets();
        Apply(a, w.chosen);
        WizardFlow flow(w.function, false);
        EXPECT_FALSE(flow.BackEnabled());
        const std::vector<int> forward = WalkForward(flow, a, w.menus);
        EXPECT_EQ(forward, w.pages);
        std::vector<int> backward = WalkBackward(flow, a, w.menus);
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(backward, w.pages);
    }
}

TEST(WizardFlow, BypassStartsOnTheSecondPageExceptForFirstUse) {
    const Answers a = Presets();
    WizardFlow text(1, true);
    EXPECT_EQ(text.CurrentPage(), 14);
    EXPECT_TRUE(text.BackEnabled());
    text.Step(Direction::Backward, a, false);
    EXPECT_EQ(text.CurrentPage(), 1);
    EXPECT_EQ(WizardFlow(7, true).CurrentPage(), 59);
    EXPECT_EQ(WizardFlow(28, true).CurrentPage(), 65);
    EXPECT_EQ(WizardFlow(28, true).Index(), 1);
}

TEST(WizardFlow, NoneSkipsTheActivationTailBothWaysAndUnknownFunctionsHaveNoPages) {
    Answers a = Presets();
    a.Choose("P2None", kActivation);
    WizardFlow flow(1, false);
    flow.Step(Direction::Forward, a, false);
    flow.Step(Direction::Forward, a, false);
    ASSERT_EQ(flow.CurrentPage(), 2);
    flow.Step(Direction::Forward, a, false);
    EXPECT_EQ(flow.CurrentPage(), 10);
    EXPECT_STREQ(flow.NextCaption(), "&Finish");
    flow.Step(Direction::Backward, a, false);
    EXPECT_EQ(flow.CurrentPage(), 2);
    EXPECT_STREQ(flow.NextCaption(), "&Next >");

    for (int f : {0, 30, -1}) {
        WizardFlow none(f, true);
        EXPECT_TRUE(none.Empty());
        EXPECT_EQ(none.CurrentPage(), 0);
    }
}

TEST(WizardFunctions, TableHoldsTwentyNineFunctionsWithTheirTexts) {
    int total = 0;
    for (int f = 1; f <= kFunctionCount; ++f) {
        const FunctionInfo* info = Function(f);
        ASSERT_NE(info, nullptr) << f;
        total += static_cast<int>(info->pages.size());
        EXPECT_LE(info->pages.size(), static_cast<size_t>(kLongestSequence));
        EXPECT_EQ(info->pages.front() == 1, f != kFirstUseFunction) << f;
        EXPECT_FALSE(info->examples.empty()) << f;
    }
    EXPECT_EQ(total, 284);
    EXPECT_EQ(Function(0), nullptr);
    EXPECT_EQ(Function(30), nullptr);
    EXPECT_EQ(Caption(5), "Quick Wizard: Go To A Web Site");
    EXPECT_EQ(Caption(99), "Quick Wizard");
    EXPECT_STREQ(Function(6)->logoWord, "Date Or Time");
    EXPECT_EQ(Function(6)->logoSize, 13);
    EXPECT_EQ(ExamplesText(12),
              "»Quick one keystroke access to dialing up the Internet and hanging up the phone");
    EXPECT_EQ(ExamplesText(16 + 5),
              "»Maximize or Minimize the topmost Window with a keystroke\n\r»Temporarily hide "
              "windows and then restore (unhide) them when needed\n\r»Shut down the topmost "
              "program with a keystroke.");
}

}  // namespace
}  // namespace tessaro::wizard
