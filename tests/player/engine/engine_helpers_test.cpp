// The player's small look-ups and upkeep: CD position bytes, the CD drive from the kernel's
// block devices, and re-hooking when programs start.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "player/engine/byte_packing.h"
#include "player/engine/cd_drive.h"
#include "player/engine/hook_upkeep.h"
#include "protocol/glob_data.h"
#include "recording_link.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

TEST(BytePacking, SplitsWordsAndLongsInTheOrderTheDriveUsesAndPacksThreeBytes) {
    std::uint8_t low = 0, high = 0;
    SplitWord(0xA1B2, low, high);
    EXPECT_EQ(low, 0xB2);
    EXPECT_EQ(high, 0xA1);

    // The out-parameters come as bytes 0, 1, 3, 2.
    std::uint8_t first = 0, second = 0, third = 0, fourth = 0;
    SplitLongInt(0x04030201u, first, second, third, fourth);
    EXPECT_EQ(first, 0x01);
    EXPECT_EQ(second, 0x02);
    EXPECT_EQ(third, 0x04);
    EXPECT_EQ(fourth, 0x03);

    EXPECT_EQ(MakeLong3(3, 2, 1), 3u + 2u * 256u + 65536u);
    EXPECT_EQ(MakeLong3(255, 255, 255), 0xFFFFFFu);
    // A track/minute/second value splits and packs back to itself.
    SplitLongInt(MakeLong3(7, 42, 59), first, second, third, fourth);
    EXPECT_EQ(MakeLong3(first, second, fourth), MakeLong3(7, 42, 59));
    EXPECT_EQ(third, 0);
}

class CdLookup : public ::testing::Test {
protected:
    // A block device in the fake sysfs folder.
    void AddDevice(const std::string& name) { std::filesystem::create_directories(root + "/" + name); }
    testing::TempDir dir;
    std::string root = dir.file("block");
    void SetUp() override { std::filesystem::create_directories(root); }
};

TEST_F(CdLookup, ThereIsNoneWithoutACdDriveAndLooksAgainNextTime) {
    AddDevice("sda");
    AddDevice("sda1");
    AddDevice("loop0");
    AddDevice("srx");  // not a numbered CD drive
    CdDriveLookup lookup(root);
    EXPECT_EQ(lookup.GetCDDrive(), "");
    // A drive plugged in later is found by the next call.
    AddDevice("sr1");
    EXPECT_EQ(lookup.GetCDDrive(), "/dev/sr1");
}

TEST_F(CdLookup, TheLowestNumberedDriveIsFoundAndRemembered) {
    AddDevice("nvme0n1");
    AddDevice("sr10");
    AddDevice("sr2");
    CdDriveLookup lookup(root);
    EXPECT_EQ(lookup.GetCDDrive(), "/dev/sr2");
    // Remembered: a change of the devices afterwards does not move it.
    std::filesystem::remove_all(root + "/sr2");
    AddDevice("sr0");
    EXPECT_EQ(lookup.GetCDDrive(), "/dev/sr2");
}

TEST_F(CdLookup, AMissingSysfsFolderMeansNoDrive) {
    CdDriveLookup lookup(dir.file("nothing-here"));
    EXPECT_EQ(lookup.GetCDDrive(), "");
}

bool EnsureEventLoop() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "player_tests";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
    return QCoreApplication::instance() != nullptr;
}

// Hook calls that hand out numbered handles and record what happened.
struct FakeHooks {
    std::vector<std::string> log;
    std::uint32_t next = 100;
    HookCalls calls() {
        return {[this] {
                    log.push_back("K" + std::to_string(next));
                    return next++;
                },
                [this] {
                    log.push_back("M" + std::to_string(next));
                    return next++;
                },
                [this](std::uint32_t h) { log.push_back("U" + std::to_string(h)); }};
    }
};

class HookUpkeepTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(EnsureEventLoop());
        glob->KeyboardHook = 1;
        glob->MouseHook = 2;
    }
    void Wait(int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    testing::RecordingLink link;
    FakeHooks hooks;
    bool autoHooks = true;
    bool playing = false;
};

TEST_F(HookUpkeepTest, ReHookReplacesBothHooksAndTellsTheLibraryEachHandle) {
    ReHook(*glob, link, hooks.calls());
    EXPECT_EQ(hooks.log, (std::vector<std::string>{"U1", "K100", "U2", "M101"}));
    EXPECT_EQ(Unpacked(glob->KeyboardHook), 100u);
    EXPECT_EQ(Unpacked(glob->MouseHook), 101u);
    EXPECT_EQ(link.calls,
              (std::vector<testing::RecordingLink::Call>{{'U', ggKeyHook, 0}, {'U', ggMouseHook, 0}}));
}

TEST_F(HookUpkeepTest, ANewProgramReHooksAtOnceAndAgainAfterTheDelay) {
    HookUpkeep upkeep(
        *glob, link, autoHooks, hooks.calls(), [this] { return playing; }, std::chrono::milliseconds(60));
    upkeep.ProgramsRefreshed(5, 5);  // nothing started or ended
    EXPECT_TRUE(hooks.log.empty());
    upkeep.ProgramsRefreshed(5, 6);
    EXPECT_EQ(hooks.log.size(), 4u);
    EXPECT_TRUE(upkeep.HookTimerActive());
    Wait(200);
    EXPECT_EQ(hooks.log.size(), 8u);
    EXPECT_FALSE(upkeep.HookTimerActive());  // once only
    EXPECT_EQ(Unpacked(glob->KeyboardHook), 102u);
}

TEST_F(HookUpkeepTest, NothingWithoutAutoHooksAndNoReHookWhileAMacroPlays) {
    HookUpkeep upkeep(
        *glob, link, autoHooks, hooks.calls(), [this] { return playing; }, std::chrono::milliseconds(40));
    autoHooks = false;
    upkeep.ProgramsRefreshed(3, 4);
    EXPECT_TRUE(hooks.log.empty());
    EXPECT_FALSE(upkeep.HookTimerActive());

    autoHooks = true;
    playing = true;
    upkeep.ProgramsRefreshed(4, 3);
    EXPECT_TRUE(hooks.log.empty());
    playing = false;  // the macro ended before the timer: the late re-hook happens
    Wait(150);
    EXPECT_EQ(hooks.log, (std::vector<std::string>{"U1", "K100", "U2", "M101"}));
}

}  // namespace
}  // namespace tessaro
