#include "editor/explorer/explorer_core.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "hook/master_block.h"
#include "platform/datetime.h"
#include "hook/client/glob_data_sync.h"
#include "protocol/window_messages.h"
#include "tests/support/sim_platform_test.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using Notices = std::vector<std::pair<std::uint32_t, std::int32_t>>;

class ExplorerCoreTest : public testing::SimPlatformTest {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "tessaro-ex-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        ::setenv("TESSARO_HOME", dir_.c_str(), 1);
        ::setenv("TESSARO_WINDIR", dir_.c_str(), 1);
        ::setenv("TESSARO_NS", ("ex" + fs::path(dir_).filename().string().substr(11)).c_str(), 1);
        hook::DetachMaster();
        glob_ = std::make_unique<TGlobData>();
        file_ = dir_ + "/macros.qtm";
        ASSERT_TRUE(CreateEmptyMacroFile(file_).ok());
    }
    void TearDown() override {
        hook::DetachMaster();
        fs::remove_all(dir_);
    }
    PeerNotify Recorder() {
        return [this](std::uint32_t code, std::int32_t arg) { notices_.emplace_back(code, arg); };
    }
    int LibraryMacroCount() {
        auto copy = std::make_unique<TGlobData>();
        EXPECT_TRUE(GetGlobDataItem(*copy, ggNumKeys));
        return copy->MacroCount;
    }

    std::string dir_;
    std::string file_;
    std::unique_ptr<TGlobData> glob_;
    Notices notices_;
};

TEST_F(ExplorerCoreTest, AppendingRaisesTheCountOnlyWhenTheRecordIsInTheFile) {
    TMacroRecord rec{};
    rec.Nickname = "first";
    const AppendResult one = AppendNewMacro(file_, rec, *glob_, Recorder());
    ASSERT_TRUE(one.ok) << one.error;
    EXPECT_EQ(one.number, 1);
    EXPECT_EQ(Unpacked(glob_->MacroCount), 1);
    EXPECT_EQ(CountMacroRecords(file_), 1);
    EXPECT_EQ(notices_, (Notices{{puPullGroup, ggNumKeys}}));
    EXPECT_EQ(LibraryMacroCount(), 1);

    // A macro file that cannot be written: no count raised, nothing pushed.
    notices_.clear();
    const AppendResult bad = AppendNewMacro(dir_ + "/no/such/dir/m.qtm", rec, *glob_, Recorder());
    EXPECT_FALSE(bad.ok);
    EXPECT_FALSE(bad.error.empty());
    EXPECT_EQ(Unpacked(glob_->MacroCount), 1);
    EXPECT_TRUE(notices_.empty());
    EXPECT_EQ(LibraryMacroCount(), 1);

    // A full file is refused before it is touched.
    glob_->MacroCount = kMaxMacros;
    const AppendResult full = AppendNewMacro(file_, rec, *glob_, Recorder());
    EXPECT_FALSE(full.ok);
    EXPECT_EQ(full.error, "Maximum number of hot keys has been reached.  A macro cannot be added.");
    EXPECT_EQ(Unpacked(glob_->MacroCount), kMaxMacros);
    EXPECT_EQ(CountMacroRecords(file_), 1);
    EXPECT_TRUE(notices_.empty());
}

TEST_F(ExplorerCoreTest, UpNumKeysPushesTheCountAndTellsThePlayer) {
    TMainWinCore core(*glob_, platform.messages());
    glob_->MacroCount = 42;
    UpNumKeys(*glob_, Recorder());
    EXPECT_EQ(LibraryMacroCount(), 42);
    EXPECT_EQ(notices_, (Notices{{puPullGroup, ggNumKeys}}));
    // Without a player window nothing is posted, and nothing fails.
    glob_->MacroCount = 43;
    core.UpNumKeys();
    EXPECT_EQ(LibraryMacroCount(), 43);
}

TEST_F(ExplorerCoreTest, DefaultTimerSetsTodaysDailyNoonSchedule) {
    double now = 0;
    ASSERT_TRUE(win::TryEncodeDateTime({2026, 12, 8, 10, 30, 0, 0}, now));
    TGlobData& glob = *glob_;
    TMainWinCore core(glob, platform.messages());
    core.CurrentMacro.ScheduleDays[3] = 0;
    core.DefaultTimer(now);
    const TMacroRecord& r = core.CurrentMacro;
    EXPECT_EQ(+r.ScheduleType, 3);
    for (int d = 0; d < 7; ++d) EXPECT_EQ(r.ScheduleDays[d], 1) << d;
    EXPECT_EQ(r.ScheduleHour, 12);
    EXPECT_EQ(r.ScheduleMinute, 0);
    EXPECT_EQ(r.SchedulePM, 1);
    EXPECT_EQ(r.ScheduleMonth, 12);
    EXPECT_EQ(r.ScheduleDay, 8);
    EXPECT_EQ(+r.ScheduleYear, 2026);
    EXPECT_EQ(r.ScheduleWeekDay, 3);  // a Tuesday, counting from Sunday
    EXPECT_EQ(r.MinutePastHour, 15);
    EXPECT_EQ(+r.IntervalMinutes, 15);
}

struct RecordingPeer : MacroFilePeer {
    std::vector<std::pair<std::uint32_t, std::int32_t>> notices;
    std::vector<int> pushes;
    void PushGroup(const TGlobData&, int group, int) override { pushes.push_back(group); }
    void Notify(std::uint32_t code, std::int32_t arg) override { notices.emplace_back(code, arg); }
};

TEST_F(ExplorerCoreTest, TheMainWindowsCoreAppendsThroughTheLoadedFileAndTellsThePlayer) {
    auto config = std::make_unique<TConfigRecord>();
    config->RecentFiles[0] = file_;
    RecordingPeer peer;
    static constexpr SystemMacro kNone[] = {{'9', "unused", 1}};
    LoadedMacroFile file({*config, *glob_, peer, dir_, {std::span(kNone).first(0), false}, {}});
    TMainWinCore core(*glob_, platform.messages(), file);
    core.CurrentMacro.Nickname = "new one";
    core.CurrentMacro.ActivationCode = 12;
    const AppendResult result = core.AppendCurrentMacro(file_);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.number, 1);
    EXPECT_EQ(Unpacked(glob_->MacroCount), 1);
    EXPECT_EQ(config->MacroNicknames[1], "new one");
    EXPECT_EQ(+glob_->ActivationCode[1], 12);
    EXPECT_EQ(peer.notices, (Notices{{puPullGroup, ggNumKeys}, {puMacroChanged, 1}}));
    EXPECT_EQ(peer.pushes, (std::vector<int>{ggNumKeys, ggItem}));
    EXPECT_EQ(CountMacroRecords(file_), 1);
}

}  // namespace
}  // namespace tessaro
