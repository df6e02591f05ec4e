// Opening, creating and switching macro files from the "&File" menu.
#include <gtest/gtest.h>

#include <filesystem>

#include "explorer_rig.h"
#include "foundation/settings.h"
#include "protocol/window_messages.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using testing::ExplorerRig;
using testing::Notice;
using testing::TestMacro;

std::vector<Notice> Tail(const std::vector<Notice>& all, std::size_t n) {
    return {all.end() - static_cast<std::ptrdiff_t>(std::min(n, all.size())), all.end()};
}

TEST(ExplorerFiles, OpenRefusesOtherTypesAndSwitchesToAQtmFileInAnyCase) {
    ExplorerRig rig;
    rig.StartWith(ExplorerRig::SystemMacros());
    rig.window.chosenFile = rig.dir.file("notes.qtm.bak");
    rig.ex().DoOpen();
    ASSERT_EQ(rig.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes[0].text, "Invalid file type selected.");
    EXPECT_EQ(rig.config->RecentFiles[0].str(), rig.path);

    const std::string other = rig.dir.file("other.qtm");
    auto recs = ExplorerRig::SystemMacros();
    recs.push_back(TestMacro("there", 40));
    ExplorerRig::WriteRecords(other, recs);
    rig.window.chosenFile = other;
    rig.ex().DoOpen();
    EXPECT_EQ(rig.config->RecentFiles[0].str(), other);
    EXPECT_EQ(rig.config->RecentFiles[1].str(), rig.path);
    EXPECT_EQ(rig.window.lastFiles[0], "&1   " + rig.path);
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 6);
    EXPECT_EQ(rig.ex().rowMacro().size(), 6u);
    // A notifying load: every record, the count, then the file, schedule and settings notices.
    const auto n = rig.link.Notices();
    EXPECT_EQ(n.front(), (Notice{'E', puPullMacro, 1}));
    EXPECT_EQ(Tail(n, 3),
              (std::vector<Notice>{{'E', puMacroFile, 0}, {'E', puSchedule, 0}, {'E', puSettingsMisc, 0}}));
    // The switch is saved for the next start.
    TConfigRecord saved;
    LoadCurrentFileSetting(saved);
    EXPECT_EQ(saved.RecentFiles[0].str(), other);
}

TEST(ExplorerFiles, NewCreatesTheFileWithItsSystemMacrosInTheNewFile) {
    ExplorerRig rig;
    rig.StartWith(ExplorerRig::SystemMacros());
    const std::vector<char> oldBytes = testing::ReadBytes(rig.path);
    const std::string fresh = rig.dir.file("Fresh.QTM");
    rig.window.chosenFile = fresh;
    rig.ex().DoNew();
    EXPECT_EQ(std::filesystem::file_size(fresh), 5u * kMacroRecordSize);
    EXPECT_EQ(testing::ReadBytes(rig.path), oldBytes);
    EXPECT_EQ(Tail(rig.link.Notices(), 2),
              (std::vector<Notice>{{'E', puMacroFile, 0}, {'E', puSettingsMisc, 0}}));
}

TEST(ExplorerFiles, RecentFileIsMadeCurrentBeforeLoadingSoSystemMacrosLandInIt) {
    ExplorerRig rig;
    auto recs = ExplorerRig::SystemMacros();
    recs.push_back(TestMacro("old", 30));
    rig.StartWith(recs);
    const std::vector<char> oldBytes = testing::ReadBytes(rig.path);
    const std::string recent = rig.dir.file("RECENT.QTM");
    ExplorerRig::WriteRecords(recent, {TestMacro("mine", 31)});  // no system macros yet
    rig.config->RecentFiles[2] = recent;
    rig.ex().MenuLastFileClick(2);
    EXPECT_EQ(rig.config->RecentFiles[0].str(), recent);
    EXPECT_EQ(rig.config->RecentFiles[1].str(), rig.path);
    EXPECT_EQ(std::filesystem::file_size(recent), 6u * kMacroRecordSize);
    EXPECT_EQ(testing::ReadBytes(rig.path), oldBytes);
    EXPECT_EQ(Tail(rig.link.Notices(), 2),
              (std::vector<Notice>{{'E', puMacroFile, 0}, {'E', puSettingsMisc, 0}}));
}

TEST(ExplorerFiles, AMissingRecentFileIsReportedAndTheListStays) {
    ExplorerRig rig;
    rig.StartWith(ExplorerRig::SystemMacros());
    rig.config->RecentFiles[1] = rig.dir.file("GONE.QTM");
    rig.ex().MenuLastFileClick(1);
    ASSERT_EQ(rig.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes[0].text, "File does not exist.");
    EXPECT_EQ(rig.config->RecentFiles[0].str(), rig.path);
    EXPECT_EQ(rig.config->RecentFiles[1].str(), rig.dir.file("GONE.QTM"));
    EXPECT_TRUE(rig.link.calls.empty());
}

TEST(ExplorerFiles, AnUnreadableChosenFileLeavesTheOldOneCurrent) {
    ExplorerRig rig;
    rig.StartWith(ExplorerRig::SystemMacros());
    const std::string bad = rig.dir.file("BAD.QTM");
    std::filesystem::create_directory(bad);
    rig.window.chosenFile = bad;
    rig.ex().DoOpen();
    EXPECT_EQ(rig.config->RecentFiles[0].str(), rig.path);
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 5);
    EXPECT_TRUE(std::filesystem::is_directory(bad));
    const auto n = rig.link.Notices();
    EXPECT_EQ(std::count(n.begin(), n.end(), Notice{'E', puMacroFile, 0}), 0);
}

TEST(ExplorerFiles, ShowDateTogglesSavesAndTellsThePlayer) {
    ExplorerRig rig;
    rig.StartWith(ExplorerRig::SystemMacros());
    rig.ex().MenuShowDateClick();
    EXPECT_TRUE(rig.config->ShowDate);
    EXPECT_EQ(rig.window.events, (std::vector<std::string>{"caption"}));
    EXPECT_EQ(rig.link.Notices(), (std::vector<Notice>{{'E', puSettingsMisc, 0}}));
}

}  // namespace
}  // namespace tessaro
