// Which macro a hot key runs, and what the player refuses while something else is under way.
#include "player/engine/trigger_dispatch.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/virtual_keys.h"
#include "protocol/hotkey_names.h"
#include "player/engine/window_activation.h"
#include "protocol/window_messages.h"
#include "trigger_fixture.h"

namespace tessaro {
namespace {

using testing::MacroDraft;

constexpr int kCode = 154;  // Ctrl+Alt+K

// One case of the selection table: the desktop before the key, the macros on it, and the
// macro that must run (0: none), with the window that must have been brought forward.
struct SelectionCase {
    const char* name;
    std::vector<MacroDraft> macros;
    // Windows topmost first: title, program, minimised.
    std::vector<std::tuple<std::string, std::string, bool>> windows;
    int foreground;  // index into windows, -1 none
    int expected;
    int activated;  // index into windows, -1 none
};

class Selection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(Selection, PicksTheMacroAndBringsItsWindowForward) {
    const SelectionCase& c = GetParam();
    testing::TriggerFixture f;
    std::vector<win::HWND> ids;
    int pid = 100;
    for (const auto& [title, program, iconic] : c.windows)
        ids.push_back(f.desktop.AddWindow(title, ++pid, program, iconic));
    if (c.foreground >= 0) {
        f.desktop.foreground = ids[std::size_t(c.foreground)];
        f.glob().ActiveProgram = UpperCase1252(std::get<1>(c.windows[std::size_t(c.foreground)]));
    }
    f.dispatch.SetRunningProgs();
    f.SetMacros(c.macros);

    EXPECT_EQ(f.dispatch.GetMacro(kCode), c.expected);
    if (c.activated >= 0) {
        ASSERT_EQ(f.desktop.activations.size(), 1u);
        EXPECT_EQ(f.desktop.activations[0], ids[std::size_t(c.activated)]);
        EXPECT_EQ(f.desktop.foreground, ids[std::size_t(c.activated)]);
        EXPECT_EQ(f.dispatch.TargetWindow(), ids[std::size_t(c.activated)]);
        EXPECT_FALSE(f.desktop.IsIconic(ids[std::size_t(c.activated)]));
    } else {
        EXPECT_TRUE(f.desktop.activations.empty());
    }
}

MacroDraft Global(std::string text, bool enabled = true) { return {scGlobal, kCode, text, "", enabled}; }
MacroDraft Window(std::string title, std::string text, bool topmost = false, bool enabled = true) {
    return {scWindow, kCode, text, title, enabled, topmost};
}
MacroDraft Program(std::string name, std::string text, bool topmost = false) {
    return {scProgram, kCode, text, name, true, topmost};
}

const SelectionCase kCases[] = {
    {"LaterGlobalWins", {Global("a"), Global("b")}, {{"Editor", "gedit", false}}, 0, 2, -1},
    {"OtherCodesIgnored", {Global("a"), {scGlobal, kCode + 1, "x"}}, {}, -1, 1, -1},
    {"WindowAbsentGlobalRuns",
     {Window("Scoped Target", "s"), Global("g")},
     {{"Plain", "xterm", false}},
     0,
     2,
     -1},
    {"WindowPresentBehindIsBroughtForward",
     {Global("g"), Window("Scoped Target", "s")},
     {{"Plain", "xterm", false}, {"Scoped Target", "xterm", false}},
     0,
     2,
     1},
    {"WindowInFrontWinsWithoutActivation",
     {Global("g"), Window("scoped", "s")},
     {{"My Scoped Target", "xterm", false}},
     0,
     2,
     -1},
    {"MinimisedWindowIsRestored",
     {Window("Scoped Target", "s"), Global("g")},
     {{"Plain", "xterm", false}, {"Scoped Target", "xterm", true}},
     0,
     1,
     1},
    {"DisabledNeverRuns",
     {Window("Plain", "s", false, false), Global("g", false), Global("h")},
     {{"Plain", "xterm", false}},
     0,
     3,
     -1},
    {"OnlyDisabledGivesNothing", {Global("g", false)}, {}, -1, 0, -1},
    {"TopmostOnlyBehindIsSkipped",
     {Window("Scoped Target", "s", true), Global("g")},
     {{"Plain", "xterm", false}, {"Scoped Target", "xterm", false}},
     0,
     2,
     -1},
    {"TopmostOnlyInFrontWins",
     {Global("g"), Window("Scoped Target", "s", true)},
     {{"Scoped Target", "xterm", false}},
     0,
     2,
     -1},
    {"EmptyScopeTextMatchesNoWindow",
     {Window("", "s"), Program("", "p"), Global("g")},
     {{"Plain", "xterm", false}},
     0,
     3,
     -1},
    {"PauseWindowInFrontSkipsTopmostPass",
     {Window("Pause (", "s", true), Global("g")},
     {{"Pause (Ctrl+Alt+K)", "tesrun", false}},
     0,
     2,
     -1},
    {"ProgramInFrontWins", {Global("g"), Program("gedit", "p", true)}, {{"Notes", "gedit", false}}, 0, 2, -1},
    {"RunningProgramIsBroughtForward",
     {Program("GEDIT", "p"), Global("g")},
     {{"Plain", "xterm", false}, {"Notes", "gedit", false}},
     0,
     1,
     1},
    {"ProgramNotRunningGlobalRuns",
     {Program("firefox", "p"), Global("g")},
     {{"Plain", "xterm", false}},
     0,
     2,
     -1},
    {"FirstReachableScopedWins",
     {Window("Absent", "a"), Window("Second", "b"), Window("First", "c")},
     {{"Plain", "xterm", false}, {"First", "xterm", false}, {"Second", "xterm", false}},
     0,
     2,
     2},
    {"PopupAndSystemCountAsGlobal",
     {Global("g"), {scPopupMenu, kCode, ""}, {scSystem, kCode, "", "1"}},
     {},
     -1,
     3,
     -1},
    {"ExactTitleBeforeContainedTitle",
     {Window("Target", "s")},
     {{"Plain", "xterm", false}, {"Target Two", "xterm", false}, {"Target", "xterm", false}},
     0,
     1,
     2},
};

INSTANTIATE_TEST_SUITE_P(Table, Selection, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class Dispatch : public ::testing::Test, public testing::TriggerFixture {};

TEST_F(Dispatch, HotKeyPlaysTheMacroAndEndsWithThePlaybackMark) {
    desktop.foreground = desktop.AddWindow("Plain", 5, "xterm");
    SetMacros({Global("hello world<ENTER>")});
    dispatch.HotKeyFired(kCode, 77);
    ASSERT_EQ(host.played, std::vector<std::string>{"hello world<ENTER>"});
    EXPECT_EQ(glob().InUse, 1);
    EXPECT_EQ(host.inUsePushes, 1);
    EXPECT_EQ(host.clearTimers, 1);
    EXPECT_EQ(host.keys, (std::vector<std::string>{"M"}));
    EXPECT_EQ(host.runningShown, 1);
    EXPECT_EQ(host.runningHidden, 1);
    EXPECT_EQ(dispatch.TargetWindow(), 77u);
    EXPECT_FALSE(dispatch.Playing());
}

TEST_F(Dispatch, CapsLockIsTurnedOffForThePlaybackUnlessAMacroIsInUse) {
    SetMacros({Global("x")});
    dispatch.HotKeyFired(kCode | kHotKeyCapsLockBit, 0);
    EXPECT_EQ(host.keys, (std::vector<std::string>{"D20", "U20", "M"}));
    EXPECT_EQ(host.playedCapsLock, std::vector<bool>{true});
    // InUse still stands: the earlier state is kept.
    host.keys.clear();
    dispatch.HotKeyFired(kCode, 0);
    EXPECT_EQ(host.playedCapsLock.back(), true);
    glob().InUse = 0;
    dispatch.HotKeyFired(kCode, 0);
    EXPECT_EQ(host.playedCapsLock.back(), false);
}

TEST(CapsLockAtStart, IsSeenWhenDispatchBeginsAndFollowsTheLibrarysReports) {
    win::sim::SimDesktop desktop;
    testing::RecordingHost host;
    auto glob = std::make_unique<TGlobData>();
    desktop.capsLock = true;
    TriggerDispatch started(*glob, desktop, host);
    desktop.capsLock = false;  // later changes come as reports, not by looking again
    EXPECT_TRUE(started.CapsLockLastKnown());
    started.CapsLockReported(false);
    EXPECT_FALSE(started.CapsLockLastKnown());
    // A hot key's own Caps Lock flag is a matter of that hot key only.
    started.CapsLockReported(true);
    started.HotKeyFired(kCode, 0);
    EXPECT_TRUE(started.CapsLockLastKnown());
    EXPECT_FALSE(started.CapsLockWasOn());
    EXPECT_FALSE(TriggerDispatch(*glob, desktop, host).CapsLockLastKnown());
}

TEST_F(Dispatch, RefusalsWhileAnotherActivityRuns) {
    SetMacros({Global("x"), {scPopupMenu, kCode + 1, ""}});
    glob().CaptureOn = 1;
    dispatch.HotKeyFired(kCode, 0);
    EXPECT_EQ(host.warnings, std::vector<std::string>{kCaptureRunningWarning});
    glob().CaptureOn = 0;

    host.paused = true;
    dispatch.HotKeyFired(kCode, 0);
    EXPECT_EQ(host.warnings.back(), kPausedWarning);
    host.paused = false;

    // A hot key pressed while the popup chooser is open.
    host.choose = [this](int) {
        dispatch.HotKeyFired(kCode, 0);
        dispatch.RunByNickname("macro 1");
        return std::nullopt;
    };
    dispatch.HotKeyFired(kCode + 1, 0);
    ASSERT_EQ(host.warnings.size(), 4u);
    EXPECT_EQ(host.warnings[2], kPopupShowingWarning);
    EXPECT_EQ(host.warnings[3], kPopupShowingWarning);
    EXPECT_TRUE(host.played.empty());
    EXPECT_FALSE(dispatch.PopupShowing());
    EXPECT_EQ(glob().InUse, 0);
}

TEST_F(Dispatch, NoSecondMacroWhileOnePlays) {
    SetMacros({Global("outer"), {scGlobal, kCode + 1, "inner"}, {scWindow, acWindowTitle, "win", "Plain"}});
    host.duringPlay = [this] {
        host.duringPlay = nullptr;
        dispatch.HotKeyFired(kCode + 1, 0);
        dispatch.RunByNickname("MACRO 2");
        dispatch.CheckForWindowMacros("Plain");
    };
    dispatch.HotKeyFired(kCode, 0);
    EXPECT_EQ(host.played, std::vector<std::string>{"outer"});
}

TEST_F(Dispatch, PausedMacroResumesByItsOwnHotKeyOrResumePause) {
    SetMacros({Global("a"), {scGlobal, kCode + 1, "b"}, {scSystem, 264, "", "3"}});
    dispatch.RunHotKeyMacro(1);
    host.paused = true;
    host.whileHeld = [this] { host.keys.push_back("held"); };
    dispatch.HotKeyFired(kCode | kHotKeyCapsLockBit, 0);
    EXPECT_EQ(host.resumes, 1);
    // Once the key is up, the modifiers still held are let go before the rest types.
    EXPECT_EQ(host.keys, (std::vector<std::string>{"M", "held", "R", "D20", "U20"}));
    host.paused = true;
    host.keys.clear();
    dispatch.HotKeyFired(264, 0);
    EXPECT_EQ(host.resumes, 2);
    EXPECT_EQ(host.keys, (std::vector<std::string>{"held", "R"}));
    host.paused = true;
    dispatch.HotKeyFired(kCode + 1, 0);
    EXPECT_EQ(host.resumes, 2);
    EXPECT_EQ(host.warnings, std::vector<std::string>{kPausedWarning});
    EXPECT_EQ(host.played.size(), 1u);
}

TEST_F(Dispatch, SystemMacrosRunTheirFunctionAndStop) {
    SetMacros({Global("g"),
               {scSystem, kCode, "", "5"},
               {scSystem, 263, "", "2", false},
               {scGlobal, 263, "cap"},
               {scSystem, 264, "", "3"},
               {scGlobal, 264, "not run"}});
    dispatch.HotKeyFired(kCode, 0);
    EXPECT_EQ(host.systemFunctions, std::vector<char>{'5'});
    EXPECT_TRUE(host.played.empty());
    // A disabled system macro gives way to the enabled macro on its code.
    dispatch.HotKeyFired(263, 0);
    EXPECT_EQ(host.played, std::vector<std::string>{"cap"});
    // "Resume Pause" outside a pause does nothing, and nothing else runs.
    dispatch.HotKeyFired(264, 0);
    EXPECT_EQ(host.systemFunctions.size(), 1u);
    EXPECT_EQ(host.played.size(), 1u);
}

TEST_F(Dispatch, PressAfterAnotherUsersChangeIsAnsweredFromTheReloadedFile) {
    SetMacros({Global("old"), {scGlobal, 718, "m"}});
    // The other user gave Ctrl+Alt+K to a new second macro and dropped its first one.
    host.reload = [this] { SetMacros({{scGlobal, 0, "gone"}, {scGlobal, kCode, "new"}}); };
    host.networkChanged = true;
    dispatch.HotKeyFired(kCode, 0);  // Ctrl+Alt+K
    EXPECT_EQ(host.played, std::vector<std::string>{"new"});
    // Nothing is pressed again: only the end-of-playback mark goes out.
    EXPECT_EQ(host.keys, (std::vector<std::string>{"M"}));

    // A code the new file no longer uses runs nothing, and sends nothing either.
    host.keys.clear();
    host.reload = [this] { SetMacros({Global("only")}); };
    host.networkChanged = true;
    dispatch.HotKeyFired(718, 0);  // Ctrl+Alt+MMouse
    EXPECT_TRUE(host.keys.empty());
    EXPECT_EQ(host.played.size(), 1u);
}

TEST_F(Dispatch, PopupMenuRunsTheChosenItem) {
    SetMacros({{scPopupMenu, kCode, ""}, {scPopupMenu, 0, ""}, {scGlobal, 1, "chosen"}});
    std::vector<int> shown;
    host.choose = [&](int n) -> std::optional<int> {
        shown.push_back(n);
        EXPECT_TRUE(dispatch.PopupShowing());
        return n == 1 ? 2 : 3;  // the first menu leads to a second one
    };
    dispatch.HotKeyFired(kCode, 0);
    EXPECT_EQ(shown, (std::vector<int>{1, 2}));
    EXPECT_EQ(host.played, std::vector<std::string>{"chosen"});
    // A tray icon of a popup menu names its macro directly.
    shown.clear();
    host.choose = [&](int n) -> std::optional<int> {
        shown.push_back(n);
        return std::nullopt;
    };
    dispatch.HotKeyFired(kHotKeyPopupIconBit | 2, 0);
    EXPECT_EQ(shown, std::vector<int>{2});
    EXPECT_EQ(host.played.size(), 1u);
}

// While a hot key is held its grab keeps every key from the focused window: what types or
// needs the keyboard starts once the key is up; the chooser comes up at once.
TEST_F(Dispatch, WhatAHotKeyStartsWaitsForItsKeyToBeLetGo) {
    SetMacros({Global("typed"),             // Ctrl+Alt+K
               {scGlobal, 718, "clicked"},  // Ctrl+Alt+MMouse
               {scSystem, 263, "", "1"},    // open the editor
               {scSystem, 264, "", "4"},    // the menu of the top window
               {scPopupMenu, 265, ""},      // a popup menu
               {scGlobal, 0, "chosen"}});   // its item
    std::vector<std::size_t> awaitedAtPlay;
    host.duringPlay = [&] { awaitedAtPlay.push_back(host.awaited.size()); };
    // The held key's own repeat, reported while it is held, starts nothing.
    host.whileHeld = [&] {
        if (host.awaited.back() == 'K') dispatch.HotKeyFired(kCode, 0);
    };

    dispatch.HotKeyFired(kCode, 0);
    dispatch.HotKeyFired(718, 0);
    EXPECT_EQ(host.awaited, (std::vector<std::uint8_t>{'K', win::VK_MBUTTON}));
    EXPECT_EQ(awaitedAtPlay, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(host.played, (std::vector<std::string>{"typed", "clicked"}));

    host.awaited.clear();
    dispatch.HotKeyFired(263, 0);  // Ctrl+Alt+Shift+X
    EXPECT_EQ(host.awaited, std::vector<std::uint8_t>{'X'});
    EXPECT_EQ(host.systemFunctions, std::vector<char>{'1'});
    host.awaited.clear();
    dispatch.HotKeyFired(264, 0);  // its chooser takes the keyboard while the key is down
    EXPECT_TRUE(host.awaited.empty());
    EXPECT_EQ(host.systemFunctions, (std::vector<char>{'1', '4'}));

    host.awaited.clear();
    host.choose = [&](int) -> std::optional<int> {
        EXPECT_TRUE(host.awaited.empty()) << "the chooser waited for the key";
        return 6;
    };
    dispatch.HotKeyFired(265, 0);  // Ctrl+Alt+Shift+Z
    EXPECT_EQ(host.awaited, std::vector<std::uint8_t>{'Z'});
    EXPECT_EQ(host.played.back(), "chosen");
    EXPECT_EQ(awaitedAtPlay.back(), 1u);

    // Nothing is held after a tray icon's click or a request by name.
    host.awaited.clear();
    dispatch.RunByNickname("macro 1");
    dispatch.HotKeyFired(kHotKeyPopupIconBit | 5, 0);
    EXPECT_TRUE(host.awaited.empty());
    EXPECT_EQ(host.played.size(), 5u);
}

// A hand rolls from one hot key to the next: the second, pressed while the first is still
// down (or reported in the instant it comes up), plays after the first macro, in order;
// a popup icon's click meanwhile is no key of the hand and is dropped.
TEST_F(Dispatch, AHotKeyPressedWhileAnotherIsHeldPlaysAfterIt) {
    SetMacros({Global("first"), {scGlobal, kCode + 1, "second"}, {scGlobal, kCode + 2, "third"}});
    host.whileHeld = [&] {
        if (host.awaited.size() != 1) return;
        dispatch.HotKeyFired(kCode + 1, 0);
        dispatch.HotKeyFired(kHotKeyPopupIconBit | 1, 0);
        dispatch.HotKeyFired(kCode + 2, 0);
    };
    dispatch.HotKeyFired(kCode, 0);
    EXPECT_EQ(host.played, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(host.awaited, (std::vector<std::uint8_t>{'K', 'L', 'M'}));
}

// A window-title or timed macro that fires from the messages handled while the hot key is
// held would type into its grab: it waits for the same release.
TEST_F(Dispatch, WindowTitleAndTimedMacrosThatFireWhileTheHotKeyIsHeldWaitForItsRelease) {
    SetMacros({Global("hot"), {scGlobal, acWindowTitle, "title", "Plain"}, {scGlobal, acScheduled, "timed"}});
    std::vector<std::size_t> awaitedAtPlay;
    host.duringPlay = [&] { awaitedAtPlay.push_back(host.awaited.size()); };
    host.whileHeld = [&] {
        host.whileHeld = nullptr;
        dispatch.CheckForWindowMacros("Plain window");
        dispatch.PlayOnce(3, host.records[3], false);
    };
    dispatch.HotKeyFired(kCode, 0);
    EXPECT_EQ(host.played, (std::vector<std::string>{"title", "timed", "hot"}));
    // The first of them waited for the key; once it was up, nothing waits again.
    EXPECT_EQ(host.awaited, (std::vector<std::uint8_t>{'K', 'K'}));
    EXPECT_EQ(awaitedAtPlay, (std::vector<std::size_t>{2, 2, 2}));

    // With no hot key held they play at once.
    host.awaited.clear();
    dispatch.CheckForWindowMacros("Plain window");
    dispatch.PlayOnce(3, host.records[3], false);
    EXPECT_TRUE(host.awaited.empty());
}

TEST_F(Dispatch, APausedMacroResumesOnceItsHotKeyIsUp) {
    SetMacros({Global("a")});
    dispatch.RunHotKeyMacro(1);
    host.awaited.clear();
    host.paused = true;
    host.whileHeld = [&] { EXPECT_EQ(host.resumes, 0); };
    dispatch.HotKeyFired(kCode, 0);
    EXPECT_EQ(host.awaited, std::vector<std::uint8_t>{'K'});
    EXPECT_EQ(host.resumes, 1);
}

TEST_F(Dispatch, RunByNickname) {
    SetMacros({{scGlobal, 30000, "first", "", true, false, "Daily Report"},
               {scGlobal, 30000, "second", "", true, false, "daily report"},
               {scSystem, 265, "", "4", true, false, "Menu"},
               {scSystem, 261, "", "5", true, false, "Quit"},
               {scGlobal, 30000, "nameless", "", true, false, ""}});
    host.records[5].Nickname = "";
    dispatch.RunByNickname("DAILY REPORT");
    EXPECT_EQ(host.played, std::vector<std::string>{"first"});
    dispatch.RunByNickname("quit");
    dispatch.RunByNickname("MENU");
    EXPECT_EQ(host.systemFunctions, std::vector<char>{'4'});
    // No macro of that name, and an empty name matches no macro at all.
    dispatch.RunByNickname("");
    dispatch.RunByNickname("nobody");
    EXPECT_EQ(host.played.size(), 1u);
    // During a capture: a warning, and nothing left over for the next request.
    glob().CaptureOn = 1;
    dispatch.RunByNickname("Daily Report");
    EXPECT_EQ(host.warnings, std::vector<std::string>{kCaptureRunningWarning});
    glob().CaptureOn = 0;
    dispatch.RunByNickname("nobody");
    EXPECT_EQ(host.played.size(), 1u);
    dispatch.RunByNickname("daily report");
    EXPECT_EQ(host.played.size(), 2u);
}

TEST_F(Dispatch, WindowActivationRecordsTheProgramAndPlaysWindowMacros) {
    // The programs' own windows, whose captions may name a macro's window.
    const win::HWND own = desktop.AddWindow("Tessaro Pause - Report", 10, "tesrun");
    const win::HWND script = desktop.AddWindow("Macro Scripting Editor  (Window Title: Notes)", 9, "tesdesk");
    const win::HWND editor = desktop.AddWindow("Report.txt - Notes", 11, "gedit");
    const win::HWND untitled = desktop.AddWindow("", 12, "panel");
    desktop.AddProcess(13, "daemon");
    desktop.AddProcess(14, "");
    desktop.AddProcess(15, "Gedit");
    SetMacros({{scWindow, acWindowTitle, "one", "report"},
               {scWindow, acWindowTitle, "off", "report", false},
               {scWindow, acWindowTitle, "empty", ""},
               {scWindow, kCode, "hot", "report"},
               {scWindow, acWindowTitle, "two", "NOTES"}});

    dispatch.WindowActivated(editor);
    EXPECT_EQ(glob().ActiveProgram.str(), "GEDIT");
    EXPECT_EQ(host.programPushes, 1);
    EXPECT_EQ(host.programsPushes, 1);
    EXPECT_EQ(+glob().ProgramCount, 5);  // packed field: compare a copy
    EXPECT_EQ(glob().Programs[5].str(), "DAEMON");
    EXPECT_EQ(host.played, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(host.keys, std::vector<std::string>{});  // no marker key, no Caps Lock
    EXPECT_EQ(glob().InUse, 0);
    EXPECT_EQ(dispatch.LastActiveWindow(), editor);
    EXPECT_EQ(dispatch.LastForeignWindow(), editor);

    dispatch.WindowActivated(script);
    dispatch.WindowActivated(own);
    EXPECT_EQ(host.played.size(), 2u);
    EXPECT_EQ(dispatch.LastActiveWindow(), own);
    EXPECT_EQ(dispatch.LastForeignWindow(), script);
    dispatch.WindowActivated(untitled);
    EXPECT_EQ(glob().ActiveProgram.str(), "PANEL");
    EXPECT_EQ(dispatch.LastActiveWindow(), own);

    host.closing = true;
    dispatch.WindowActivated(editor);
    EXPECT_EQ(glob().ActiveProgram.str(), "PANEL");
    EXPECT_EQ(host.played.size(), 2u);

    // The player asked to end during the first window macro: the rest do not start.
    host.closing = false;
    host.duringPlay = [&] { host.closing = true; };
    dispatch.CheckForWindowMacros("report NOTES");
    EXPECT_EQ(host.played.size(), 3u);
}

TEST_F(Dispatch, TheWindowActiveAtStartIsNotedWithoutPlayingItsMacros) {
    const win::HWND editor = desktop.AddWindow("Report.txt - Notes", 11, "gedit");
    SetMacros({{scWindow, acWindowTitle, "one", "report"}});
    desktop.foreground = editor;
    dispatch.NoteStartWindow();
    EXPECT_EQ(glob().ActiveProgram.str(), "GEDIT");
    EXPECT_EQ(host.programPushes, 1);
    EXPECT_EQ(dispatch.LastForeignWindow(), editor);
    EXPECT_EQ(host.played, std::vector<std::string>{});

    // With no window active nothing is noted.
    desktop.foreground = 0;
    dispatch.NoteStartWindow();
    EXPECT_EQ(host.programPushes, 1);
    EXPECT_EQ(dispatch.LastForeignWindow(), editor);
}

TEST_F(Dispatch, AbbreviationPlaybackCapitalisesAndRetypes) {
    SetMacros({Global("\xe9t\xe9")});
    host.records[1].ActivationCode = acAbbreviation;
    TMacroRecord rec{};
    ASSERT_TRUE(host.ReadMacro(1, rec));
    dispatch.RunHotKeyMacro(1);  // a hot-key run clears the abbreviation flags
    dispatch.SetAbbreviation({true, true, ','});
    dispatch.IntoProgram();
    EXPECT_EQ(host.played, (std::vector<std::string>{"\xe9t\xe9", "\xc9t\xe9,"}));
}

}  // namespace
}  // namespace tessaro

namespace tessaro {
namespace {

TEST(RunningPrograms, FirstTwoHundredProgramsEachOnceAndCut) {
    win::sim::SimDesktop desktop;
    for (int pid = 1; pid <= 10; ++pid) desktop.AddProcess(pid, "bash");
    for (int pid = 11; pid <= 260; ++pid)
        desktop.AddProcess(pid, std::to_string(pid) + "-program-with-a-long-name");
    const auto programs = RunningPrograms(desktop);
    ASSERT_EQ(programs.size(), 200u);
    EXPECT_EQ(std::count(programs.begin(), programs.end(), "BASH"), 1);
    EXPECT_EQ(programs[1], "11-PROGRAM-WITH-A-LONG-NA");
    EXPECT_EQ(programs[199], "209-PROGRAM-WITH-A-LONG-N");
    auto glob = std::make_unique<TGlobData>();
    StoreRunningPrograms(*glob, {"GEDIT", "XTERM"});
    EXPECT_TRUE(ProgramListed(*glob, "gedit"));
    EXPECT_TRUE(ProgramListed(*glob, "TERM"));
    EXPECT_FALSE(ProgramListed(*glob, ""));
    EXPECT_FALSE(ProgramListed(*glob, "firefox"));
    glob->ProgramCount = 100000;  // damaged: read within the table
    EXPECT_TRUE(ProgramListed(*glob, "XTERM"));
}

}  // namespace
}  // namespace tessaro
