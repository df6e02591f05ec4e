// Dialling and hanging up through the dial-up binding over the stand-in network manager
// library: the status window, the error texts of QTRAS.INI, and the macro's end on failure.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "foundation/ras.h"
#include "foundation/strings.h"
#include "platform/paths.h"
#include "platform/sim/sim_network_shares.h"
#include "player/commands/files_drives_dialup.h"
#include "tests/player/commands/recording_status.h"
#include "tests/player/engine/interpreter_doubles.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::Rig;
using testing::TempDir;

std::string FakeLibrary() {
    const char* bin = std::getenv("TESSARO_BIN");
    return win::JoinPath(bin ? bin : win::ExecutableDirectory(), "libfake_nm.so");
}

class DialUp : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("FAKE_NM_CONNECTIONS", "Work Dial:gsm:alice;Busy Line:cdma:;Drop Line:gsm:", 1);
        ::unsetenv("FAKE_NM_DOWN");
        rig_.families.Register(CommandFamilyId::FilesDrivesDialUp,
                               std::make_unique<FilesDrivesDialUpCommands>(status_, shares_));
    }
    void TearDown() override {
        RasFreeLibrary();
        ::unsetenv("FAKE_NM_CONNECTIONS");
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const auto& m : rig_.windows.messages) out.push_back(m.caption + "|" + m.text);
        return out;
    }
    TempDir dir_;
    RecordingStatus status_;
    win::sim::SimNetworkShares shares_;
    Rig rig_;
};

TEST_F(DialUp, WithoutTheServiceBothWarnAndADialSkipsOnlyTheRestOfItsText) {
    ASSERT_FALSE(RasLoadLibrary("/nonexistent/libnm.so.0"));
    EXPECT_EQ(rig_.Play("<HANG>a<DIAL:<NAME:><PASS:>Work Dial>b"), "a");
    // The warning does not say the macro aborts: a repeat body loses its rest, each pass,
    // and the macro goes on after it.
    EXPECT_EQ(rig_.Play("<REPEAT:0002>c<DIAL:<NAME:><PASS:>Work Dial>d<ENDREP>e"), "acce");
    const std::string warning = std::string("Warning|") + kRasMissingText;
    EXPECT_EQ(Messages(), (std::vector<std::string>{warning, warning, warning, warning}));
    EXPECT_TRUE(rig_.windows.boxes.empty());
    EXPECT_TRUE(status_.log.empty());
}

TEST_F(DialUp, DialsShowsTheStatusAndHangsUpTheConnection) {
    ASSERT_TRUE(RasLoadLibrary(FakeLibrary()));
    EXPECT_EQ(rig_.Play("<DIAL:<NAME:><PASS:>Work Dial>up"), "up");
    EXPECT_EQ(status_.log,
              (std::vector<std::string>{"Tessaro Dial-Up Networking|Attempting Dial-Up Network Connection",
                                        "closed"}));
    std::vector<RasConnection> connections;
    ASSERT_EQ(RasEnumConnections(connections), kRasSuccess);
    ASSERT_EQ(connections.size(), 1u);
    EXPECT_EQ(connections[0].entryName, "Work Dial");

    EXPECT_EQ(rig_.Play("<HANG>x<HANG>y"), "upxy");
    EXPECT_EQ(
        Messages(),
        (std::vector<std::string>{"Dial-Up Error|There are no Dial-Up Networking connections to hang up."}));
    ASSERT_EQ(RasEnumConnections(connections), kRasSuccess);
    EXPECT_TRUE(connections.empty());
}

TEST_F(DialUp, TheMacrosCredentialsAreDialledInACopyAndTheProfileIsKept) {
    ASSERT_TRUE(RasLoadLibrary(FakeLibrary()));
    // The macro keeps its password in the program's password form.
    EXPECT_EQ(rig_.Play("<DIAL:<NAME:macro-user><PASS:" + SwapPasswordChars("Secret 9") + ">Work Dial>up"),
              "up");
    void* fake = ::dlopen(FakeLibrary().c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(fake, nullptr);
    auto added = reinterpret_cast<const char* (*)(unsigned)>(::dlsym(fake, "fake_nm_added"));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(std::string(added(0)), "Work Dial|gsm|macro-user|Secret 9|0|generated-1|0|volatile");
    ::dlclose(fake);
    RasDialParams stored{"Work Dial", "", "", false};
    ASSERT_EQ(RasGetEntryDialParams(stored), kRasSuccess);
    EXPECT_EQ(stored.userName, "alice");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DialUp, AFailedDialNamesTheErrorFromTheTextFileWhollyAndEndsTheMacro) {
    ASSERT_TRUE(RasLoadLibrary(FakeLibrary()));
    {
        std::ofstream ini(dir_.file("QTRAS.INI"));
        ini << "[RAS Errors]\n" << kRasEntryNotFound << "=The phone book entry does not exist.\n";
    }
    EXPECT_EQ(rig_.Play("<DIAL:<NAME:><PASS:>Nowhere>never"), "");
    EXPECT_EQ(rig_.Play("<REPEAT:0002><DIAL:<NAME:><PASS:>Busy Line>never<ENDREP>never"), "");
    const std::string busy = std::to_string(kRasUnknownError);
    // The long texts go to the message window with a text box, not the fixed-size one.
    EXPECT_TRUE(Messages().empty());
    std::vector<std::string> boxes;
    for (const auto& m : rig_.windows.boxes) boxes.push_back(m.caption + "|" + m.text);
    EXPECT_EQ(boxes, (std::vector<std::string>{
                         "Dial-Up Error|Dial-Up Network Connection to Nowhere failed.  Error code: " +
                             std::to_string(kRasEntryNotFound) +
                             ": The phone book entry does not exist.  Macro will abort.",
                         "Dial-Up Error|Dial-Up Network Connection to Busy Line failed.  Error code: " +
                             busy + ": Unknown Erorr  Macro will abort."}));
    EXPECT_EQ(status_.log.back(), "closed");
    std::vector<RasConnection> connections;
    ASSERT_EQ(RasEnumConnections(connections), kRasSuccess);
    EXPECT_TRUE(connections.empty());  // nothing left half connected
}

}  // namespace
}  // namespace tessaro
