// How the player ends: SIGTERM ends it cleanly whatever box is open, the editors it
// started end with it, and a display that goes away leaves nothing of it behind (no record
// of held keys either).
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <optional>
#include <string>

#include "foundation/start_gate.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/held_input_record.h"
#include "platform/single_instance.h"
#include "player/engine/single_start.h"
#include "player_process.h"
#include "tests/support/macro_fixtures.h"
#include "tests/support/xvfb.h"
#include "tray_host.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

// Bytes left in the player's single-instance guard: a window recorded there is what a
// player that did not end properly leaves.
std::uintmax_t GuardBytes() {
    std::error_code ec;
    const auto size = std::filesystem::file_size(win::SingleInstancePath(kPlayerInstanceName), ec);
    return ec ? 0 : size;
}

class PlayerEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (xvfb_->name().empty()) GTEST_SKIP() << "no Xvfb";
        box_.emplace(xvfb_->name());
        file_ = box_->file("END.QTM");
        ASSERT_TRUE(CreateEmptyMacroFile(file_).ok());
    }
    void ExpectNothingLeft() {
        EXPECT_EQ(box_->SharedObjects(), std::vector<std::string>{});
        EXPECT_FALSE(win::InstanceRunning(kPlayerInstanceName));
        EXPECT_FALSE(win::InstanceRunning(kEditorInstanceName));
        EXPECT_FALSE(std::filesystem::exists(win::HeldInputRecordPath())) << win::HeldInputRecordPath();
    }

    std::optional<Xvfb> xvfb_{std::in_place, "640x480x24"};
    std::optional<PlayerSandbox> box_;
    std::string file_;
};

TEST_F(PlayerEnd, TermWithTheRepeatErrorBoxOpenEndsThePlayerCleanly) {
    // 200 repeats inside one another, the outermost without its end: "Repeat Error".
    std::string text;
    for (int i = 0; i < 200; ++i) text += "<REPEAT:0002>";
    text += "x";
    for (int i = 0; i < 199; ++i) text += "<ENDREP>";
    ASSERT_TRUE(WriteMacroRecordAt(file_, -1, TypingMacro("NEST", acNone, text)).ok());
    Display* d = xvfb_->Open();
    ASSERT_NE(d, nullptr);
    PlayerProcess player(*box_, {"/F" + file_, "/EN", "/ANEST"}, "player.log");
    ASSERT_TRUE(WaitFor([&] { return FindTitled(d, "Repeat Error") != 0; }, 20s)) << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    XCloseDisplay(d);
    ExpectNothingLeft();
}

TEST_F(PlayerEnd, TermEndsTheEditorThePlayerStarted) {
    PlayerProcess player(*box_, {"/F" + file_, "/EY"}, "player.log");
    ASSERT_TRUE(WaitFor([] { return win::RunningInstanceWindow(kEditorInstanceName) != 0; }, 30s))
        << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    EXPECT_TRUE(WaitFor([] { return !win::InstanceRunning(kEditorInstanceName); }, 15s))
        << "the editor runs on after the player ended";
    ExpectNothingLeft();
}

TEST_F(PlayerEnd, ALostDisplayLeavesNoSharedMemoryNorGuard) {
    PlayerProcess player(*box_, {"/F" + file_, "/EN"}, "player.log");
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    ASSERT_FALSE(box_->SharedObjects().empty());
    ASSERT_TRUE(std::filesystem::exists(win::HeldInputRecordPath())) << player.Log();
    xvfb_.reset();  // the X server goes away
    EXPECT_NE(player.WaitExit(20s), -1) << player.Log();
    ExpectNothingLeft();
    EXPECT_EQ(GuardBytes(), 0u) << player.Log();
}

}  // namespace
}  // namespace tessaro::testing
