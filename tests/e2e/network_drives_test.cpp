// The real player maps a network drive: the share is mounted by the session's GVfs from a
// real SMB server, and its files appear in the session's FUSE folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "foundation/strings.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "player_process.h"
#include "tests/player/commands/samba_rig.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

TEST(NetworkDrives, ThePlayerMapsAShareThroughTheSessionsGvfs) {
    SambaRig samba;  // first: the player inherits its session bus
    if (!samba.skipReason.empty()) GTEST_SKIP() << samba.skipReason;
    Xvfb xvfb;
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());

    const std::string file = box.file("Drive.QTM");
    TMacroRecord rec{};
    rec.Nickname = "Drive";
    rec.Scope = scGlobal;
    rec.ActivationCode = 30000;
    rec.Enabled = 1;
    SetMacroText(rec, "<NWCP:<NAME:" + samba.user + "><PASS:" + SwapPasswordChars(SambaRig::kPassword) +
                          ">X:\\\\" + samba.address + "\\share>");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    ASSERT_TRUE(WriteMacroRecordAt(file, 1, rec).ok());

    PlayerProcess player(box, {"/F" + file, "/EN", "/ADrive"}, "player.log");
    ASSERT_TRUE(player.started());
    const std::string hello = samba.FuseFolder("share") + "/hello.txt";
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(hello); }, 30s)) << player.Log();
    std::ifstream in(hello);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "hello from the share");
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
}

}  // namespace
}  // namespace tessaro::testing
