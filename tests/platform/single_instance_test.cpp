#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tessaro-single-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        setenv("TESSARO_NS", "single-test", 1);
    }
    void TearDown() override {
        unsetenv("TESSARO_NS");
        fs::remove_all(dir_);
    }
    fs::path dir_;
};

TEST_F(SingleInstanceTest, OneHolderPerNameAndItsWindowIsReadable) {
    EXPECT_FALSE(win::InstanceRunning("QTMED321Z"));
    EXPECT_EQ(win::RunningInstanceWindow("QTMED321Z"), 0u);

    win::SingleInstance first("QTMED321Z");
    ASSERT_EQ(first.status(), win::SingleInstance::Status::Acquired);
    EXPECT_TRUE(fs::exists(win::SingleInstancePath("QTMED321Z")));
    EXPECT_EQ(win::SingleInstancePath("QTMED321Z").rfind(dir_.string(), 0), 0u);
    EXPECT_TRUE(win::InstanceRunning("QTMED321Z"));
    EXPECT_EQ(win::RunningInstanceWindow("QTMED321Z"), 0u);  // nothing recorded yet

    // Looking for the holder must not get in the way of anyone taking the guard.
    win::SingleInstance second("QTMED321Z");
    EXPECT_EQ(second.status(), win::SingleInstance::Status::Running);
    EXPECT_FALSE(second.RecordWindow(5));

    const std::uint64_t big = 0x1234'5678'9ABC'DEF0ull;
    EXPECT_TRUE(first.RecordWindow(big));
    EXPECT_EQ(win::RunningInstanceWindow("QTMED321Z"), big);
    EXPECT_TRUE(first.RecordWindow(77));
    EXPECT_EQ(win::RunningInstanceWindow("QTMED321Z"), 77u);

    // Other names are independent.
    win::SingleInstance player("QTMRN321Z");
    EXPECT_TRUE(player.acquired());
    EXPECT_EQ(win::RunningInstanceWindow("QTMRN321Z"), 0u);

    first.Release();
    EXPECT_FALSE(first.acquired());
    EXPECT_FALSE(win::InstanceRunning("QTMED321Z"));
    EXPECT_EQ(win::RunningInstanceWindow("QTMED321Z"), 0u);  // no stale window after release
    win::SingleInstance third("QTMED321Z");
    EXPECT_TRUE(third.acquired());
}

TEST_F(SingleInstanceTest, StaleRecordOfADeadHolderIsIgnoredAndMovesKeepTheGuard) {
    // A file left by a killed holder still holds its window; nobody holds the lock.
    {
        std::ofstream f(win::SingleInstancePath("QTMED321Z"), std::ios::binary);
        f.write("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
    }
    EXPECT_FALSE(win::InstanceRunning("QTMED321Z"));
    EXPECT_EQ(win::RunningInstanceWindow("QTMED321Z"), 0u);

    win::SingleInstance a("QTMED321Z");
    ASSERT_TRUE(a.acquired());
    EXPECT_EQ(win::RunningInstanceWindow("QTMED321Z"), 0u);  // taking the guard clears it

    win::SingleInstance b = std::move(a);
    EXPECT_FALSE(a.acquired());
    EXPECT_TRUE(b.acquired());
    EXPECT_TRUE(b.RecordWindow(9));
    a.Release();  // the moved-from object holds nothing to drop
    EXPECT_EQ(win::RunningInstanceWindow("QTMED321Z"), 9u);
    { win::SingleInstance gone = std::move(b); }
    EXPECT_FALSE(win::InstanceRunning("QTMED321Z"));
}

TEST_F(SingleInstanceTest, UnusableRuntimeFolderFailsWithoutThrowing) {
    const fs::path notDir = dir_ / "plain-file";
    { std::ofstream(notDir) << "x"; }
    setenv("XDG_RUNTIME_DIR", (notDir / "sub").c_str(), 1);
    win::SingleInstance guard("QTMED321Z");
    EXPECT_EQ(guard.status(), win::SingleInstance::Status::Failed);
    EXPECT_FALSE(guard.RecordWindow(1));
    EXPECT_FALSE(win::InstanceRunning("QTMED321Z"));
}

}  // namespace
