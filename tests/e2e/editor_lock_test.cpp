// Two users share one macro file in network mode, each with a player and an editor on
// their own display: one user's open Delete question keeps the other out; after a change
// by the other, the first editor reloads and its player stops playing the changed macro.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "foundation/settings.h"
#include "foundation/start_gate.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "platform/single_instance.h"
#include "player_process.h"
#include "protocol/window_messages.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"
#include "editor_keys.h"
#include "lock_desk.h"
#include "typed_marker.h"

namespace tessaro::testing {
namespace {

TEST(EditorLock, ASecondUserWaitsForTheLockAndTheFirstReloadsAfterTheirChange) {
    Desk a, b;
    if (!a.Up() || !b.Up()) GTEST_SKIP() << "no Xvfb or window manager";
    const std::string shared = a.box->file("SHARED.QTM");
    ASSERT_TRUE(WriteHelloMacro(shared));
    auto enabled = [&] {
        TMacroRecord r{};
        return ReadMacroRecordAt(shared, 1, r).ok() && r.Enabled == 1;
    };

    ASSERT_TRUE(a.Start(shared)) << a.player->Log();
    ASSERT_TRUE(b.Start(shared)) << b.player->Log();
    ASSERT_TRUE(WaitFor([&] { return a.Grabbed() && b.Grabbed(); }, 10s));

    // A asks to remove the macro and leaves the question open: A holds the file.
    a.MacrosMenu(XK_r);
    ASSERT_TRUE(a.Box("Delete"));
    // B is told the file is in use and changes nothing.
    b.MacrosMenu(XK_v);
    ASSERT_TRUE(AnswerBox(b.keyboard, "Error", XK_Return));
    EXPECT_TRUE(enabled());
    // A says No; now B deactivates the macro.
    ASSERT_TRUE(AnswerBox(a.keyboard, "Delete", XK_Escape));
    b.MacrosMenu(XK_v);
    ASSERT_TRUE(WaitFor([&] { return !enabled(); }, 10s)) << b.player->Log();

    // A's next command reports the change and reloads instead of acting; A's player follows.
    a.MacrosMenu(XK_v);
    ASSERT_TRUE(AnswerBox(a.keyboard, "Notice", XK_Return));
    EXPECT_FALSE(enabled());
    ASSERT_TRUE(WaitFor([&] { return !a.Grabbed(); }, 10s)) << a.player->Log();
    a.Use();
    KeyTarget target(a.xvfb.Open(), "Lock Target");
    ASSERT_TRUE(target.ok());
    ASSERT_TRUE(target.Focus());
    // A player that still took the key would have typed by the time it caught up.
    const Window player = win::RunningInstanceWindow(kPlayerInstanceName);
    EXPECT_EQ(TypedForHotKey(a.keyboard, target, player, XK_k, {XK_Control_L, XK_Alt_L}).find("hello"),
              std::string::npos);
    EXPECT_TRUE(target.Pressed("k"));
}

}  // namespace
}  // namespace tessaro::testing
