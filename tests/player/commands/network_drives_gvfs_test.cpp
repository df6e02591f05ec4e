// Network drives through the desktop's real virtual file system service and a real SMB
// server (see samba_rig.h); skipped with the reason where the rig cannot run.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <fstream>

#include "foundation/strings.h"
#include "platform/file_io.h"
#include "player/commands/files_drives_dialup.h"
#include "tests/player/commands/recording_status.h"
#include "tests/player/commands/samba_rig.h"
#include "tests/player/engine/interpreter_doubles.h"

namespace tessaro {
namespace {

TEST(NetworkDrivesOnSamba, MapWrongPasswordUnknownShareToggleAndUnmapWithAnOpenFile) {
    testing::SambaRig samba;
    if (!samba.skipReason.empty()) GTEST_SKIP() << samba.skipReason;
    const auto shares = win::SystemNetworkShares();
    RecordingStatus status;
    testing::Rig rig;
    rig.families.Register(CommandFamilyId::FilesDrivesDialUp,
                          std::make_unique<FilesDrivesDialUpCommands>(status, *shares));
    const std::string unc = "\\\\" + samba.address + "\\share";
    auto connect = [&](const std::string& token, const std::string& drive, const std::string& remote,
                       const std::string& password) {
        return token + ":<NAME:" + samba.user + "><PASS:" + SwapPasswordChars(password) + ">" + drive +
               remote + ">";
    };
    auto messages = [&] {
        std::vector<std::string> out;
        for (const auto& m : rig.windows.messages) out.push_back(m.caption + "|" + m.text);
        rig.windows.messages.clear();
        return out;
    };

    // A wrong password is refused, never prompted for a second time.
    EXPECT_EQ(rig.Play(connect("<NWCS", "X:", unc, "not-it") + "on"), "on");
    EXPECT_EQ(messages(), (std::vector<std::string>{"Map X: to " + unc +
                                                    "|Map Failed.  The specified password was invalid."}));
    rig.Play(connect("<NWCS", "X:", "\\\\" + samba.address + "\\nosuch", testing::SambaRig::kPassword));
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"Map X: to \\\\" + samba.address +
                                        "\\nosuch|Map Failed.  The specified networkd device was invalid."}));

    rig.Play(connect("<NWCPS", "X:", unc, testing::SambaRig::kPassword));
    EXPECT_EQ(messages(), (std::vector<std::string>{"Map X: to " + unc + "|Drive mapped succesfully."}));
    ASSERT_TRUE(shares->IsMounted("smb://" + samba.address + "/share"));
    rig.Play(connect("<NWCS", "X:", unc, testing::SambaRig::kPassword));
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"Map X: to " + unc +
                                        "|Map Failed.  Drive was already assigned to a nework device."}));

    // A file held open on the share keeps it unless the unmap is forced.
    {
        const std::string fused = samba.FuseFolder("share") + "/hello.txt";
        // The FUSE daemon may come up a little after the mount.
        for (int i = 0; i < 200 && !std::filesystem::exists(fused); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!std::filesystem::exists(fused) && ::access("/dev/fuse", R_OK | W_OK) != 0)
            GTEST_SKIP() << "no FUSE here: open files on a share cannot be made";
        win::UniqueFd open(::open(fused.c_str(), O_RDONLY | O_CLOEXEC));
        ASSERT_TRUE(open.valid()) << "the share's files are not under " << samba.FuseFolder("share");
        char text[5] = {};
        ASSERT_EQ(::read(open.get(), text, 5), 5);
        EXPECT_EQ(std::string(text, 5), "hello");
        rig.Play("<NWDS:X:>");
        EXPECT_TRUE(shares->IsMounted("smb://" + samba.address + "/share"));
        rig.Play("<NWDFS:X:>");
    }
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "Unmap Network Drive X:|Unmap Failed.  There are open files on the network device and "
                  "the \"Force\" option was not used.",
                  "Unmap Network Drive X:|Drive succesfully unmapped."}));
    EXPECT_FALSE(shares->IsMounted("smb://" + samba.address + "/share"));

    // The toggle maps a free letter and unmaps a mapped one.
    rig.Play(connect("<NWTS", "Y:", unc, testing::SambaRig::kPassword));
    EXPECT_TRUE(shares->IsMounted("smb://" + samba.address + "/share"));
    rig.Play(connect("<NWTS", "Y:", unc, testing::SambaRig::kPassword) + "<NWDS:Y:>");
    EXPECT_FALSE(shares->IsMounted("smb://" + samba.address + "/share"));
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "Map Y: to " + unc + "|Drive mapped succesfully.",
                  "Unmap Network Drive Y:|Drive succesfully unmapped.",
                  "Unmap Network Drive Y:|Unmap Failed.  Drive is not currently connected to a nework "
                  "device."}));
}

}  // namespace
}  // namespace tessaro
