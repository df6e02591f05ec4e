// "<DIAL:" where the dial-up service is missing, played by the real player: the warning
// says nothing of an abort, so only the rest of the dial's own text is skipped.
#include <filesystem>

#include "desktop_fixture.h"
#include "foundation/ras.h"
#include "tests/e2e/editor_desk.h"

namespace tessaro::testing {
namespace {

TEST_F(DesktopCommands, ADialWithoutTheServiceSkipsTheRestOfItsRepeatAndTheMacroGoesOn) {
    if (RasLoadLibrary()) {
        RasFreeLibrary();
        GTEST_SKIP() << "the dial-up service is installed here";
    }
    StartServer(true);
    if (IsSkipped()) return;
    const std::string never = box_->file("never"), after = box_->file("after");
    Play("<REPEAT:0002><DIAL:<NAME:><PASS:>Work Dial><MKDIR:" + never + "><ENDREP><MKDIR:" + after + ">");
    // One warning for each pass; each holds the macro until it is closed.
    for (int pass = 1; pass <= 2; ++pass) {
        Window warning = 0;
        ASSERT_TRUE(WaitFor([&] { return (warning = looker_->Find("Warning")) != 0; }, 10s))
            << "pass " << pass << player_->Log();
        CloseWindow(looker_->display(), warning);
        ASSERT_TRUE(WaitFor([&] { return looker_->Find("Warning") != warning; }, 10s)) << player_->Log();
    }
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::is_directory(after); }, 10s)) << player_->Log();
    EXPECT_FALSE(std::filesystem::exists(never));
}

}  // namespace
}  // namespace tessaro::testing
