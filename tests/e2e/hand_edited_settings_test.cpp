// A settings file edited by hand (LF line ends, a comment) and then left alone by the user:
// the player's start and end keep it byte for byte.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <sstream>
#include <string>

#include "macro/macro_file.h"
#include "player_process.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(HandEditedSettings, ThePlayersStartAndEndKeepAnUnchangedFileByteForByte) {
    Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    const std::string file = box.file("HAND.QTM");
    const std::string ini = box.file("TESRO.INI");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    {
        // A first run writes every setting the player keeps.
        PlayerProcess first(box, {"/F" + file, "/EN"}, "first.log");
        ASSERT_NE(WaitForPlayerWindow(), 0u) << first.Log();
        ASSERT_EQ(first.Stop(SIGTERM), 0) << first.Log();
    }
    // The user's editor: LF line ends and a comment of their own.
    std::string edited = "; my own settings\n";
    for (char c : Slurp(ini))
        if (c != '\r') edited += c;
    ASSERT_NE(edited.find("[Misc]"), std::string::npos) << edited;
    std::ofstream(ini, std::ios::binary | std::ios::trunc) << edited;

    PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    EXPECT_EQ(Slurp(ini), edited);
    ASSERT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    EXPECT_EQ(Slurp(ini), edited);
}

}  // namespace
}  // namespace tessaro::testing
