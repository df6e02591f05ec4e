#include <gtest/gtest.h>

#include "hook_fixture.h"
#include "protocol/hotkey_codes.h"
#include "platform/shared_memory.h"

#include <cstring>
#include "protocol/window_messages.h"

namespace tessaro::hook {
namespace {

using HotKeys = SimHookTest;

TEST_F(HotKeys, UsedCodeFiresToThePlayerAndIsKeptFromTheFocusedWindow) {
    InstallInputHooks();
    g->HotKeyUsed[HotKeyCodeForKey('B', kModCtrl | kModAlt)] = 1;
    QtmUpKeys(g.get());
    const int code = HotKeyCodeForKey('B', kModCtrl | kModAlt);
    EXPECT_EQ(sim->grabs, std::vector<int>{code});

    sim->Feed(Key('B', kModCtrl | kModAlt, 'b'));
    ASSERT_EQ(Sent(WM_HOTKEY_FIRED).size(), 1u);
    EXPECT_EQ(Sent(WM_HOTKEY_FIRED)[0],
              (Post{kPlayer, WM_HOTKEY_FIRED, std::uint32_t(code), std::int32_t(kFocus)}));
    EXPECT_TRUE(sim->focusedReceived.empty());

    sim->Feed(Key('B', kModCtrl | kModAlt, 'b', /*caps=*/true));
    EXPECT_EQ(Sent(WM_HOTKEY_FIRED).back().wParam, std::uint32_t(code) | kHotKeyCapsLockBit);

    // The same key with other modifiers is no used code and reaches the window.
    sim->Feed(Key('B', kModCtrl));
    EXPECT_EQ(Sent(WM_HOTKEY_FIRED).size(), 2u);
    EXPECT_EQ(sim->focusedReceived.size(), 1u);
}

TEST_F(HotKeys, MouseCodesAndRoutingToTheSecondWindow) {
    InstallInputHooks();
    const int rmouse = HotKeyCodeForMouse(2, kModCtrl);
    g->HotKeyUsed[rmouse] = 1;
    QtmUpKeys(g.get());
    sim->Feed(Click(2, kModCtrl));
    ASSERT_EQ(Sent(WM_HOTKEY_FIRED).size(), 1u);
    EXPECT_EQ(Sent(WM_HOTKEY_FIRED)[0].wParam, std::uint32_t(rmouse));

    g->SecWnd = 0x3333;
    g->SecWndOn = 1;
    QtmUpWindow2(g.get());
    sim->Feed(Key(112, kModAlt | kModShift));  // any named combination is offered
    sim->Feed(Click(2, kModCtrl));
    const auto chosen = Sent(WM_HOTKEY_CHOSEN);
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0],
              (Post{0x3333, WM_HOTKEY_CHOSEN, std::uint32_t(HotKeyCodeForKey(112, kModAlt | kModShift)), 0}));
    EXPECT_EQ(chosen[1].wParam, std::uint32_t(rmouse));
    EXPECT_EQ(Sent(WM_HOTKEY_FIRED).size(), 1u);
}

TEST_F(HotKeys, GrabsFollowPushesAndReportKeysHeldElsewhere) {
    InstallInputHooks();
    const int a = HotKeyCodeForKey('A', kModCtrl), f1 = HotKeyCodeForKey(112, 0);
    sim->heldElsewhere = {f1};
    g->HotKeyUsed[a] = g->HotKeyUsed[f1] = 1;
    QtmUpKeys(g.get());
    EXPECT_EQ(sim->grabs, std::vector<int>{a});
    ASSERT_EQ(HookSet().grabProblems().size(), 1u);
    EXPECT_NE(HookSet().grabProblems()[0].find("F1"), std::string::npos);
    g->HotKeyUsed[a] = 0;
    QtmUpKeys(g.get());
    EXPECT_TRUE(sim->grabs.empty());
}

TEST_F(HotKeys, HandlesAreDistinctAndUnhookStopsTheReports) {
    const std::uint32_t kb = QtmHookKeyboard(), ms = QtmHookMouse(), cbt = QtmHookCBT();
    EXPECT_NE(kb, 0u);
    EXPECT_NE(kb, ms);
    EXPECT_NE(ms, cbt);
    g->WaitKey = 1;
    QtmUpWaits(g.get());
    QtmUnHook(kb);
    sim->Feed(Key('Q'));
    EXPECT_TRUE(Sent(WM_KEY_PRESSED).empty());
    const std::uint32_t kb2 = QtmHookKeyboard();
    sim->Feed(Key('Q'));
    EXPECT_EQ(Sent(WM_KEY_PRESSED).size(), 1u);
    QtmUnHook(kb2);
    QtmUnHook(ms);
    QtmUnHook(cbt);
    EXPECT_EQ(HookSet().source(), nullptr);  // the last hook stops the source
}

TEST_F(HotKeys, FiltersSeeEventsFirstAndMayConsumeThem) {
    InstallInputHooks();
    const int code = HotKeyCodeForKey('C', kModCtrl);
    g->HotKeyUsed[code] = 1;
    g->CaptureOn = 1;
    QtmUpKeys(g.get());
    QtmUpCaptureOn(g.get());
    // A capture-like filter: while capturing it records keys and keeps them for itself.
    HookSet().AddFilter([](const InputEvent& e, const TGlobData& t, std::vector<Post>& out) {
        if (!t.CaptureOn || e.kind != InputEvent::KeyDown) return false;
        out.push_back({t.PlayerWnd, WM_CAPTURE_CHAR, 0, e.typed});
        return true;
    });
    sim->Feed(Key('C', kModCtrl, 'c'));
    EXPECT_EQ(sim->sent, (std::vector<Post>{{kPlayer, WM_CAPTURE_CHAR, 0, 'c'}}));
    g->CaptureOn = 0;
    QtmUpCaptureOn(g.get());
    sim->Feed(Key('C', kModCtrl, 'c'));
    EXPECT_EQ(Sent(WM_HOTKEY_FIRED).size(), 1u);
}

using Windows = SimHookTest;

TEST_F(Windows, ActivationsGoToTheWindowOfTheActivationBlock) {
    ASSERT_NE(QtmHookCBT(), 0u);
    auto block = win::SharedMemory::Create("QTKR1KGR", 17);
    ASSERT_TRUE(block);
    const std::uint32_t target = 0x5555;
    std::memcpy(block->data(), &target, sizeof target);
    InputEvent act;
    act.kind = InputEvent::Activated;
    act.window = 0x6666;
    sim->Feed(act);
    InputEvent list;
    list.kind = InputEvent::WindowsChanged;
    sim->Feed(list);
    EXPECT_EQ(sim->sent, (std::vector<Post>{{target, WM_WINDOW_ACTIVATED, 0x6666, 0},
                                            {kPlayer, WM_REFRESH_PROGRAMS, 0, 0}}));
}

TEST_F(Windows, WithoutTheActivationHookWindowsGoUnreported) {
    InstallInputHooks();
    InputEvent act;
    act.kind = InputEvent::Activated;
    act.window = 0x6666;
    sim->Feed(act);
    act.kind = InputEvent::WindowsChanged;
    sim->Feed(act);
    EXPECT_TRUE(sim->sent.empty());
}

using Typing = SimHookTest;

TEST_F(Typing, AbbreviationCharactersOnlyWhenAbbreviationsExist) {
    InstallInputHooks();
    sim->Feed(Key('S', 0, 's'));
    EXPECT_TRUE(Sent(WM_ABBREV_CHAR).empty());
    g->HasAbbreviations = 1;
    QtmUpKeys(g.get());
    sim->Feed(Key('S', 0, 's'));
    sim->Feed(Key('S', kModShift, 'S', /*caps=*/true));
    sim->Feed(Key('S', kModCtrl, 's'));  // a command, not text
    sim->Feed(Key(112));                 // F1 types nothing
    sim->Feed(Key(8, 0, 8));
    const auto chars = Sent(WM_ABBREV_CHAR);
    ASSERT_EQ(chars.size(), 3u);
    // Each with the key that typed it, which the player waits to be let go.
    EXPECT_EQ(chars[0], (Post{kPlayer, WM_ABBREV_CHAR, 0, AbbrevCharParam('s', 'S')}));
    EXPECT_EQ(chars[1], (Post{kPlayer, WM_ABBREV_CHAR, 2, AbbrevCharParam('S', 'S')}));
    EXPECT_EQ(chars[2], (Post{kPlayer, WM_ABBREV_CHAR, 0, AbbrevCharParam(8, 8)}));
    EXPECT_EQ(AbbrevCharKey(chars[0].lParam), 'S');
}

TEST_F(Typing, CaretKeysResetTheAbbreviation) {
    InstallInputHooks();
    g->HasAbbreviations = 1;
    QtmUpKeys(g.get());
    // Page Up, Page Down, End, Home, Left, Up, Right, Down; Insert and Shift do not move it.
    for (std::uint16_t vk : {33, 34, 35, 36, 37, 38, 39, 40, 45, 16}) sim->Feed(Key(vk));
    const auto chars = Sent(WM_ABBREV_CHAR);
    ASSERT_EQ(chars.size(), 8u);
    for (const Post& p : chars) EXPECT_EQ(p, (Post{kPlayer, WM_ABBREV_CHAR, 1, 0}));
}

TEST_F(Typing, ClicksAndActivationsResetTheAbbreviation) {
    InstallInputHooks();
    ASSERT_NE(QtmHookCBT(), 0u);
    g->HasAbbreviations = 1;
    QtmUpKeys(g.get());
    sim->Feed(Click(1));
    InputEvent act;
    act.kind = InputEvent::Activated;
    act.window = 0x4444;
    sim->Feed(act);
    const auto chars = Sent(WM_ABBREV_CHAR);
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wParam, 1u);
    EXPECT_EQ(chars[1].wParam, 1u);
    // No activation block: the player's window hears of it.
    ASSERT_EQ(Sent(WM_WINDOW_ACTIVATED).size(), 1u);
    EXPECT_EQ(Sent(WM_WINDOW_ACTIVATED)[0], (Post{kPlayer, WM_WINDOW_ACTIVATED, 0x4444, 0}));
}

TEST_F(Typing, WaitsReportOnlyWhileArmed) {
    InstallInputHooks();
    sim->Feed(Key('K'));
    sim->Feed(Click(3));
    sim->Feed(Key('T', 0, 't'));
    EXPECT_TRUE(Sent(WM_KEY_PRESSED).empty());
    EXPECT_TRUE(Sent(WM_MOUSE_CLICKED).empty());
    EXPECT_TRUE(Sent(WM_WAIT_TEXT_CHAR).empty());
    g->WaitKey = g->WaitMouse = g->WaitText = 1;
    QtmUpWaits(g.get());
    sim->Feed(Key(27, 0, 27));
    sim->Feed(Click(3));
    sim->Feed(Click(2));
    sim->Feed(Key('T', 0, 't'));
    ASSERT_EQ(Sent(WM_KEY_PRESSED).size(), 2u);
    EXPECT_EQ(Sent(WM_KEY_PRESSED)[0].wParam, 27u);
    ASSERT_EQ(Sent(WM_MOUSE_CLICKED).size(), 2u);
    EXPECT_EQ(Sent(WM_MOUSE_CLICKED)[0].wParam, 3u);
    EXPECT_EQ(Sent(WM_MOUSE_CLICKED)[1].wParam, 2u);
    EXPECT_EQ(Sent(WM_WAIT_TEXT_CHAR).back(), (Post{kPlayer, WM_WAIT_TEXT_CHAR, 0, 't'}));
}

TEST_F(Typing, CapsLockStateIsReportedWhenItChanges) {
    InstallInputHooks();
    sim->Feed(Key('A', 0, 'a'));
    sim->Feed(Key('A', 0, 'a'));
    sim->Feed(Key(20, 0, 0, /*caps=*/true));
    sim->Feed(Key('A', 0, 'A', true));
    const auto states = Sent(WM_CAPSLOCK_STATE);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[0].wParam, 0u);
    EXPECT_EQ(states[1].wParam, 1u);
}

using Playback = SimHookTest;

TEST_F(Playback, ThePlayersMarkAnswersTheWaitOrClearsInUse) {
    InstallInputHooks();
    InputEvent marker;
    marker.kind = InputEvent::PlaybackMark;
    marker.synthetic = true;
    sim->Feed(marker);
    EXPECT_TRUE(sim->sent.empty());
    // A played key is no mark, whatever its key.
    g->InUse = 1;
    QtmUpInUse(g.get());
    InputEvent execute = Key(43);
    execute.synthetic = true;
    sim->Feed(execute);
    EXPECT_TRUE(sim->sent.empty());
    g->InUse = 0;
    QtmUpInUse(g.get());
    g->InUse = 1;
    QtmUpInUse(g.get());
    sim->Feed(marker);
    EXPECT_EQ(Sent(WM_CLEAR_IN_USE).size(), 1u);
    g->WaitPlayback = 1;
    QtmUpWaits(g.get());
    sim->Feed(marker);
    EXPECT_EQ(Sent(WM_PLAYBACK_CAUGHT_UP).size(), 1u);
    EXPECT_EQ(Sent(WM_CLEAR_IN_USE).size(), 1u);  // a wait inside a macro keeps it in use
}

TEST_F(Playback, TheMarkWindowIsNamedWhileAHookWatches) {
    EXPECT_EQ(Master().HookWnd, 0u);
    const std::uint32_t kb = QtmHookKeyboard(), ms = QtmHookMouse();
    EXPECT_EQ(Master().HookWnd, kMarkWindow);
    QtmUnHook(kb);
    EXPECT_EQ(Master().HookWnd, kMarkWindow);
    QtmUnHook(ms);
    EXPECT_EQ(Master().HookWnd, 0u);
}

TEST_F(Playback, SynthesisedInputTriggersNothingAndIsNoActivity) {
    InstallInputHooks();
    const int code = HotKeyCodeForKey('P', kModCtrl);
    g->HotKeyUsed[code] = 1;
    g->HasAbbreviations = 1;
    g->WaitKey = 1;
    QtmUpKeys(g.get());
    QtmUpWaits(g.get());
    g->IdleSeconds = 500;
    QtmUpIdle(g.get());
    InputEvent e = Key('P', kModCtrl, 'p');
    e.synthetic = true;
    sim->Feed(e);
    InputEvent typed = Key('X', 0, 'x');
    typed.synthetic = true;
    sim->Feed(typed);
    EXPECT_TRUE(sim->sent.empty());
    EXPECT_EQ(IdleSeconds(), 500u);
}

TEST_F(Playback, PauseAbortsOnlyAPlayingMacro) {
    InstallInputHooks();
    sim->Feed(Key(19));
    EXPECT_TRUE(Sent(WM_ABORT_MACRO).empty());
    g->InUse = 1;
    QtmUpInUse(g.get());
    sim->Feed(Key(19));
    EXPECT_EQ(Sent(WM_ABORT_MACRO).size(), 1u);
}

using Idle = SimHookTest;

TEST_F(Idle, UserInputResetsTheCounterAndReportsActivityOnceAfterAnIdleMacro) {
    InstallInputHooks();
    g->IdleSchedules = 1;
    g->IdleSeconds = 120;
    QtmUpIdle(g.get());
    sim->Feed(Key('A', 0, 'a'));
    EXPECT_EQ(IdleSeconds(), 0u);
    EXPECT_TRUE(Sent(WM_USER_ACTIVE).empty());

    g->IdleFired = 1;  // travels with the idle group
    g->IdleSeconds = 600;
    QtmUpIdle(g.get());
    EXPECT_EQ(Master().IdleFired, 1);
    InputEvent move;
    move.kind = InputEvent::Motion;
    sim->Feed(move);
    sim->Feed(move);
    EXPECT_EQ(Sent(WM_USER_ACTIVE).size(), 1u);
    EXPECT_EQ(Master().IdleFired, 0);
    EXPECT_EQ(IdleSeconds(), 0u);
}

TEST_F(Idle, APushOfAStaleCounterDoesNotUndoAReset) {
    InstallInputHooks();
    g->IdleSchedules = 1;
    g->IdleSeconds = 300;
    QtmUpIdle(g.get());
    // The scheduler's tick: pull, add, push; the user types in between.
    TGlobData mine = Master();
    sim->Feed(Key('A', 0, 'a'));
    mine.IdleSeconds += 10;
    QtmUpIdle(&mine);
    EXPECT_EQ(IdleSeconds(), 0u);
    // Without input in between the tick counts on.
    mine = Master();
    mine.IdleSeconds += 10;
    QtmUpIdle(&mine);
    EXPECT_EQ(IdleSeconds(), 10u);
}

}  // namespace
}  // namespace tessaro::hook
