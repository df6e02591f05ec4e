// Network drives: the result texts, drive and share names, and the commands played through
// the interpreter on in-memory shares (the real service is tested in network_shares_test).
#include "player/commands/network_drives.h"

#include <gtest/gtest.h>

#include "foundation/strings.h"
#include "platform/sim/sim_network_shares.h"
#include "player/commands/files_drives_dialup.h"
#include "tests/player/commands/recording_status.h"
#include "tests/player/engine/interpreter_doubles.h"

namespace tessaro {
namespace {

using testing::Rig;

TEST(NetworkDriveTexts, EveryResultKeepsItsExactText) {
    const std::pair<int, const char*> map[] = {
        {0, "Drive mapped succesfully."},
        {5, "Map Failed.  Access to the nework device was denied."},
        {66, "Map Failed.  Nework device specified is not compatible with a drive."},
        {67, "Map Failed.  The specified networkd device was invalid."},
        {85, "Map Failed.  Drive was already assigned to a nework device."},
        {86, "Map Failed.  The specified password was invalid."},
        {170, "Map Failed.  The network router was busy--possibly initializing.  Try again."},
        {1200, "Map Failed.  The specified drive was invalid."},
        {1222, "Map Failed.  No network exists."},
        {1208, "Map Failed.  Unknown Error #1208"},
        {2250, "Map Failed.  Unknown Error #2250"},
    };
    for (const auto& [code, text] : map) EXPECT_EQ(MapResultText(code), text) << code;
    const std::pair<int, const char*> unmap[] = {
        {0, "Drive succesfully unmapped."},
        {2404, "Unmap Failed.  Nework device is in use by an active process."},
        {2250, "Unmap Failed.  Drive is not currently connected to a nework device."},
        {2401,
         "Unmap Failed.  There are open files on the network device and the \"Force\" option was not used."},
        {85, "Unmap Failed.  Unknown Error #85"},
        {1222, "Unmap Failed.  Unknown Error #1222"},
    };
    for (const auto& [code, text] : unmap) EXPECT_EQ(UnmapResultText(code), text) << code;
}

TEST(NetworkDriveTexts, ServiceStatusesBecomeTheClassicNumbers) {
    using S = win::ShareStatus;
    const std::tuple<S, int, int> table[] = {
        {S::Ok, 0, 0},
        {S::AccessDenied, 5, 5},
        {S::BadName, 67, 1208},
        {S::WrongPassword, 86, 1208},
        {S::NoService, 1222, 1222},
        {S::NotMounted, 1208, 2250},
        {S::Busy, 1208, 2401},
        {S::Failed, 1208, 1208},
    };
    for (const auto& [status, map, unmap] : table) {
        EXPECT_EQ(MapResult(status), map) << static_cast<int>(status);
        EXPECT_EQ(UnmapResult(status), unmap) << static_cast<int>(status);
    }
}

TEST(NetworkDriveNames, LettersAndShares) {
    EXPECT_EQ(DriveLetter("A:"), 'A');
    EXPECT_EQ(DriveLetter("z:"), 'Z');
    for (const char* bad : {"1:", "X", "XY", "X:\\", ":", "", "\xC4:"})
        EXPECT_EQ(DriveLetter(bad), std::nullopt) << bad;

    EXPECT_EQ(ShareUri("\\\\srv\\share"), "smb://srv/share");
    EXPECT_EQ(ShareUri("\\\\127.0.0.2\\share\\sub dir\\"), "smb://127.0.0.2/share/sub%20dir");
    EXPECT_EQ(ShareUri("\\\\srv\\Caf\xE9"), "smb://srv/Caf%C3%A9");  // Windows-1252 in, UTF-8 out
    EXPECT_EQ(ShareUri("\\\\srv\\a#b?c"), "smb://srv/a%23b%3Fc");
    for (const char* bad :
         {"", "\\\\srv", "\\\\srv\\", "\\srv\\share", "srv\\share", "\\\\\\share", "\\\\srv\\\\x"})
        EXPECT_EQ(ShareUri(bad), std::nullopt) << bad;
}

class NetworkDriveCommands : public ::testing::Test {
protected:
    void SetUp() override {
        shares_.shares["smb://srv/share"] = {"joe", "s3cret"};
        shares_.shares["smb://srv/other"] = {"joe", "s3cret"};
        shares_.shares["smb://srv/closed"] = {"joe", "s3cret", true};
        rig_.families.Register(CommandFamilyId::FilesDrivesDialUp,
                               std::make_unique<FilesDrivesDialUpCommands>(status_, shares_));
    }
    // The macro form of a password.
    static std::string Stored(const std::string& plain) { return SwapPasswordChars(plain); }
    std::string Map(const std::string& flags, const std::string& target,
                    const std::string& password = "s3cret") {
        return "<NWC" + flags + ":<NAME:joe><PASS:" + Stored(password) + ">" + target + ">";
    }
    std::vector<std::string> Messages() {
        std::vector<std::string> out;
        for (const auto& m : rig_.windows.messages) out.push_back(m.caption + "|" + m.text);
        rig_.windows.messages.clear();
        return out;
    }
    RecordingStatus status_;
    win::sim::SimNetworkShares shares_;
    Rig rig_;
};

TEST_F(NetworkDriveCommands, MapShowsTheResultAndTheMacroGoesOn) {
    EXPECT_EQ(rig_.Play(Map("S", "X:\\\\srv\\share") + "on"), "on");
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Map X: to \\\\srv\\share|Drive mapped succesfully."}));
    EXPECT_TRUE(shares_.mounted.contains("smb://srv/share"));

    rig_.Play(Map("PS", "X:\\\\srv\\other") + Map("S", "y:\\\\srv\\share", "wrong") +
              Map("S", "1:\\\\srv\\share") + Map("S", "Q:") + Map("S", "Q:\\\\srv\\nothing") +
              Map("S", "Q:\\\\srv\\closed"));
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{
                  "Map X: to \\\\srv\\other|Map Failed.  Drive was already assigned to a nework device.",
                  // The share is mounted already, but not for a wrong password.
                  "Map y: to \\\\srv\\share|Drive mapped succesfully.",
                  "Map 1: to \\\\srv\\share|Map Failed.  The specified drive was invalid.",
                  "Map Q: to |Map Failed.  The specified networkd device was invalid.",
                  "Map Q: to \\\\srv\\nothing|Map Failed.  The specified networkd device was invalid.",
                  "Map Q: to \\\\srv\\closed|Map Failed.  Access to the nework device was denied.",
              }));
    shares_.mounted.clear();
    rig_.Play(Map("S", "R:\\\\srv\\share", "wrong"));
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Map R: to \\\\srv\\share|Map Failed.  The specified password was invalid."}));
}

TEST_F(NetworkDriveCommands, WithoutShowNothingIsShownWhateverTheResult) {
    EXPECT_EQ(rig_.Play(Map("", "X:\\\\srv\\share") + Map("P", "X:\\\\srv\\share") + Map("", "9:\\\\a\\b") +
                        "<NWD:X:><NWDPF:X:>done"),
              "done");
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(shares_.mounted.empty());
    shares_.serviceRunning = false;
    rig_.Play(Map("S", "X:\\\\srv\\share"));
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Map X: to \\\\srv\\share|Map Failed.  No network exists."}));
}

TEST_F(NetworkDriveCommands, UnmapWithOpenFilesNeedsForce) {
    rig_.Play(Map("", "X:\\\\srv\\share"));
    shares_.shares["smb://srv/share"].openFiles = 1;
    rig_.Play("<NWDS:X:><NWDFS:x:><NWDS:X:><NWDS:\\\\srv\\share>");
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{
                  "Unmap Network Drive X:|Unmap Failed.  There are open files on the network device "
                  "and the \"Force\" option was not used.",
                  "Unmap Network Drive x:|Drive succesfully unmapped.",
                  "Unmap Network Drive X:|Unmap Failed.  Drive is not currently connected to a nework "
                  "device.",
                  "Unmap Network Drive \\\\srv\\share|Unmap Failed.  Drive is not currently connected to "
                  "a nework device.",
              }));
    EXPECT_TRUE(shares_.mounted.empty());
}

TEST_F(NetworkDriveCommands, TwoLettersOnOneShareKeepItUntilTheLastGoes) {
    rig_.Play(Map("", "X:\\\\srv\\share") + Map("", "Y:\\\\srv\\share") + "<NWD:X:>");
    EXPECT_TRUE(shares_.mounted.contains("smb://srv/share"));
    rig_.Play("<NWD:Y:>");
    EXPECT_TRUE(shares_.mounted.empty());
}

TEST_F(NetworkDriveCommands, ToggleMapsThenUnmapsByFirstLetterAndAShareGoneElsewhereFreesItsLetter) {
    const std::string toggle = "<NWTS:<NAME:joe><PASS:" + Stored("s3cret") + ">X:\\\\srv\\share>";
    rig_.Play(toggle + toggle + toggle);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Map X: to \\\\srv\\share|Drive mapped succesfully.",
                                                    "Unmap Network Drive X:|Drive succesfully unmapped.",
                                                    "Map X: to \\\\srv\\share|Drive mapped succesfully."}));
    shares_.mounted.clear();  // unmounted by the user's file manager
    rig_.Play(toggle + Map("S", "X:\\\\srv\\other"));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Map X: to \\\\srv\\share|Drive mapped succesfully.",
                                                    "Map X: to \\\\srv\\other|Map Failed.  Drive was already "
                                                    "assigned to a nework device."}));
}

}  // namespace
}  // namespace tessaro
