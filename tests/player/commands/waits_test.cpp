#include "player/commands/waits.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.h"
#include "protocol/glob_data.h"
#include "protocol/window_messages.h"
#include "tests/player/engine/interpreter_doubles.h"
#include "tests/player/engine/recording_link.h"
#include "tests/support/unpacked.h"

namespace tessaro::testing {
namespace {

// The interpreter with the wait family over the simulated desktop; the hook library's
// reports are fed in by the clock's pumps.
struct WaitRig : Rig {
    WaitRig() {
        win::sim::TheSimDesktop().Clear();
        glob = std::make_unique<TGlobData>();
        auto family = std::make_unique<WaitsFamily>(*glob, link, sim, reports);
        families.Register(CommandFamilyId::Waits, std::move(family));
        // Every flag change is pushed: record the flags as pushed.
        clock.onPump = [this](int n) {
            flagsSeen.push_back(glob->WaitMouse + 2 * glob->WaitKey + 4 * glob->WaitText +
                                8 * glob->WaitPlayback);
            if (onPump) onPump(n);
        };
    }
    bool FlagsClear() const {
        return glob->WaitMouse == 0 && glob->WaitKey == 0 && glob->WaitText == 0 && glob->WaitPlayback == 0;
    }
    std::int64_t Elapsed() const { return clock.now - 1'000'000; }

    win::sim::SimDesktop& sim = win::sim::TheSimDesktop();
    std::unique_ptr<TGlobData> glob;
    RecordingLink link;
    WaitReports reports;
    std::function<void(int)> onPump;
    std::vector<int> flagsSeen;
};

constexpr std::int64_t kMinute = 60'000;

TEST(WaitKeyTable, NamesAndVirtualKeysOfEveryNumber) {
    struct Row {
        long n;
        std::string_view name;
        int vk;
    };
    for (const Row& r :
         {Row{0, "A", 65}, Row{25, "Z", 90}, Row{26, "0", 48}, Row{35, "9", 57}, Row{36, "F1", 112},
          Row{47, "F12", 123}, Row{48, "ESC", 27}, Row{49, "TAB", 9}, Row{50, "ENTER", 13},
          Row{51, "CTRL", 17}, Row{52, "ALT", 18}, Row{53, "SHIFT", 16}}) {
        const auto key = WaitKeyFor(r.n);
        ASSERT_TRUE(key) << r.n;
        EXPECT_EQ(key->name, r.name) << r.n;
        EXPECT_EQ(key->vk, r.vk) << r.n;
    }
    EXPECT_FALSE(WaitKeyFor(-1));
    EXPECT_FALSE(WaitKeyFor(54));
}

TEST(WaitMessages, CaptionsAndTextsWithTheirDoubleBlanks) {
    using K = TokenKind;
    struct Row {
        K kind;
        std::string_view subject;
        std::string caption, text;
    };
    const Row rows[] = {
        {K::WaitWin, "NOTEPAD", "Wait For Window Error",
         "The Window Title of \"NOTEPAD\" did not appear within the specified time of 5 minutes.  Macro will "
         "abort."},
        {K::WaitWlf, "NOTEPAD", "Wait For Window Error",
         "The Window Title of \"NOTEPAD\" did not lose focus within the specified time of 5 minutes.  Macro "
         "will "
         "abort."},
        {K::WaitProg, "EDIT", "Wait For Program To Terminate Error",
         "The Program \"EDIT\" did not terminate within the specified time of 5 minutes.  Macro will abort."},
        {K::WaitRM, "Right", "Wait For Mouse Click Error",
         "Right click did not occur within the specified time of 5 minutes.  Macro will abort."},
        {K::WaitKey, "ESC", "Wait For Key Press",
         "The \"ESC\" key was not pressed within the specified time of 5 minutes.  Macro will abort."},
        {K::WaitTxtN, "abc", "Wait For Text Error",
         " Text \"abc\" was not typed within the specified time of 5 minutes.  Macro will abort."},
    };
    for (const Row& r : rows) {
        const auto m = TimeOutMessage(r.kind, r.subject, 5);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->caption, r.caption);
        EXPECT_EQ(m->text, r.text);
    }
    EXPECT_FALSE(TimeOutMessage(K::WaitPb, "", 5));
}

TEST(WindowWaits, EndWhenTheTitleComesOrGoesInAnyCase) {
    WaitRig rig;
    const auto other = rig.sim.AddWindow("Other", 1, "other");
    rig.sim.foreground = other;
    rig.onPump = [&](int n) {
        if (n == 5) rig.sim.foreground = rig.sim.AddWindow("Untitled - NotePad", 2, "notepad");
    };
    rig.Play("<WAITWIN:000:notepad>x");
    EXPECT_EQ(Typed(rig.input.log), "x");
    EXPECT_TRUE(rig.windows.messages.empty());

    rig.input.log.clear();
    rig.onPump = [&](int n) {
        if (n == 200) rig.sim.foreground = other;
    };
    rig.clock.pumps = 0;
    rig.Play("<WAITWLF:001:NOTEPAD>y");
    EXPECT_EQ(Typed(rig.input.log), "y");
    EXPECT_TRUE(rig.windows.messages.empty());
}

TEST(WindowWaits, TimeOutAfterWholeMinutesShowsTheMessageAndAbortsTheMacro) {
    WaitRig rig;
    rig.sim.foreground = rig.sim.AddWindow("Other", 1, "other");
    rig.Play("<WAITWIN:002:Missing>x");
    ASSERT_EQ(rig.windows.messages.size(), 2u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Wait For Window Error");
    EXPECT_NE(rig.windows.messages[0].text.find("\"MISSING\" did not appear"), std::string::npos);
    EXPECT_EQ(rig.windows.messages[1].caption, "Macro Abort");
    EXPECT_EQ(Typed(rig.input.log), "");
    EXPECT_GT(rig.Elapsed(), 2 * kMinute);
    EXPECT_LT(rig.Elapsed(), 2 * kMinute + 1000);
    // The loop rests between turns instead of spinning.
    EXPECT_LT(rig.clock.pumps, 2 * kMinute / WaitsFamily::kTurnMs + 10);
}

TEST(WindowWaits, NonNumericTimeOutMeansNoneAndAbortEndsTheWait) {
    WaitRig rig;
    rig.onPump = [&](int n) {
        if (n == 30'000) rig.player.RequestAbort();
    };
    rig.Play("<WAITWIN:abc:Missing>x");
    ASSERT_EQ(rig.windows.messages.size(), 1u);  // only the abort
    EXPECT_EQ(rig.windows.messages[0].caption, "Macro Abort");
    EXPECT_GT(rig.Elapsed(), 4 * kMinute);  // well past any time-out
}

TEST(ProgramWait, RefreshesTheListEveryTwoSecondsUntilTheProgramIsGone) {
    WaitRig rig;
    rig.sim.AddProcess(10, "editor.exe");
    rig.sim.AddProcess(11, "shell");
    rig.onPump = [&](int) {
        if (rig.Elapsed() > 7000) rig.sim.processes.erase(10);
    };
    rig.Play("<WAITPROG:001:Editor>z");
    EXPECT_EQ(Typed(rig.input.log), "z");
    EXPECT_TRUE(rig.windows.messages.empty());
    EXPECT_GE(rig.Elapsed(), 7000);
    EXPECT_LT(rig.Elapsed(), 7000 + WaitsFamily::kProgramRefreshMs + 100);
    EXPECT_GE(rig.link.Count('U', ggProgs), 4);
    EXPECT_EQ(Unpacked(rig.glob->ProgramCount), 1);
}

TEST(InputWaits, ClickKeyAndTextArmTheirFlagInOrderAndClearItOnEveryExit) {
    WaitRig rig;
    rig.reports.clicked = {false, true, false};  // a click from before the wait does not count
    rig.onPump = [&](int n) {
        if (n == 3) rig.reports.Handle(WM_MOUSE_CLICKED, 1, 0);  // left: not awaited
        if (n == 6) rig.reports.Handle(WM_MOUSE_CLICKED, 2, 0);
    };
    rig.Play("<WAITRM:001>a");
    EXPECT_EQ(Typed(rig.input.log), "a");
    EXPECT_EQ(rig.flagsSeen.front(), 1);
    EXPECT_TRUE(rig.FlagsClear());
    EXPECT_EQ(rig.link.Count('U', ggWaits), 2);

    WaitRig keys;
    keys.onPump = [&](int n) {
        if (n == 2) keys.reports.Handle(WM_KEY_PRESSED, 13, 0);
        if (n == 4) keys.reports.Handle(WM_KEY_PRESSED, 27, 0);
    };
    keys.reports.lastKey = 27;  // cleared when the wait is armed
    keys.Play("<WAITKEY:000:48>b");
    EXPECT_EQ(Typed(keys.input.log), "b");
    EXPECT_EQ(keys.flagsSeen.front(), 2);
    EXPECT_TRUE(keys.FlagsClear());

    WaitRig text;
    text.onPump = [&](int n) {
        if (n <= 4) text.reports.Handle(WM_WAIT_TEXT_CHAR, 0, "xABC"[n - 1]);
    };
    text.Play("<WAITTXTN:000:abc>c");
    EXPECT_EQ(Typed(text.input.log), "c");
    EXPECT_EQ(text.flagsSeen.front(), 4);
    EXPECT_TRUE(text.FlagsClear());
}

TEST(InputWaits, ExactTextWaitIgnoresOtherCaseAndTimesOutWithItsMessage) {
    WaitRig rig;
    rig.onPump = [&](int n) {
        if (n <= 3) rig.reports.Handle(WM_WAIT_TEXT_CHAR, 0, "ABC"[n - 1]);
    };
    rig.Play("<WAITTXTY:001:abc>c");
    ASSERT_EQ(rig.windows.messages.size(), 2u);
    EXPECT_EQ(rig.windows.messages[0].text,
              " Text \"abc\" was not typed within the specified time of 1 minutes.  Macro will abort.");
    EXPECT_TRUE(rig.FlagsClear());
    EXPECT_EQ(rig.link.Count('U', ggWaits), 2);
}

TEST(InputWaits, LongTextIsAwaitedAsFarAsTheStreamKeeps) {
    WaitRig rig;
    const std::string text(300, 'q');
    rig.onPump = [&](int n) {
        if (n <= 255) rig.reports.Handle(WM_WAIT_TEXT_CHAR, 0, 'q');
    };
    rig.Play("<WAITTXTY:001:" + text + ">!");
    EXPECT_TRUE(rig.windows.messages.empty());
    EXPECT_EQ(Typed(rig.input.log), "!");
}

TEST(InputWaits, KeyNumberOutsideTheTableEndsTheMacroWithoutArming) {
    WaitRig rig;
    rig.Play("<WAITKEY:001:54>x");
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Wait For Key Press");
    EXPECT_EQ(rig.windows.messages[0].text,
              "The key number of the wait command is not valid.  Macro will abort.");
    EXPECT_EQ(Typed(rig.input.log), "");
    EXPECT_EQ(rig.link.Count('U', ggWaits), 0);
}

TEST(InputWaits, KeyWaitTimesOutAfterOneMinuteWithTheKeysName) {
    WaitRig rig;
    rig.Play("<WAITKEY:001:48>x");
    ASSERT_FALSE(rig.windows.messages.empty());
    EXPECT_EQ(rig.windows.messages[0].text,
              "The \"ESC\" key was not pressed within the specified time of 1 minutes.  Macro will abort.");
    EXPECT_TRUE(rig.FlagsClear());
}

TEST(PlaybackWait, MarksThePlaybackAndEndsWhenTheLibraryCaughtUpOrTheTimerFires) {
    WaitRig rig;
    rig.onPump = [&](int) {
        // The mark went to the library: it answers.
        if (rig.link.Count('M', 0) == 1) rig.reports.Handle(WM_PLAYBACK_CAUGHT_UP, 0, 0);
    };
    rig.Play("<WAITPB>x");
    // The mark types nothing; it goes out while the wait flag stands.
    EXPECT_EQ(Typed(rig.input.log), "x");
    const std::vector<RecordingLink::Call> expected{{'U', ggWaits, 0}, {'M', 0, 0}, {'U', ggWaits, 0}};
    EXPECT_EQ(rig.link.calls, expected);
    EXPECT_GE(rig.Elapsed(), 100);
    EXPECT_LT(rig.Elapsed(), 200);
    EXPECT_EQ(rig.flagsSeen.front(), 8);
    EXPECT_TRUE(rig.FlagsClear());

    WaitRig silent;
    silent.Play("<WAITPB>y");
    EXPECT_EQ(Typed(silent.input.log), "y");
    EXPECT_EQ(silent.link.Count('M', 0), 1);
    EXPECT_GE(silent.Elapsed(), WaitsFamily::kClearWaitTimerMs);
    EXPECT_TRUE(silent.windows.messages.empty());
    EXPECT_TRUE(silent.FlagsClear());
}

TEST(LaunchWindowWait, TriesUntilTheWindowCanBeBroughtToTheFront) {
    WaitRig rig;
    rig.onPump = [&](int n) {
        if (n == 4) rig.desktop.windows.push_back("Report - Viewer");
    };
    EXPECT_TRUE(WaitForLaunchedWindow(rig.player, "Report", 12));
    WaitRig never;
    EXPECT_FALSE(WaitForLaunchedWindow(never.player, "Report", 3));
    EXPECT_GE(never.Elapsed(), 3000);
    EXPECT_LT(never.Elapsed(), 3200);
}

}  // namespace
}  // namespace tessaro::testing
