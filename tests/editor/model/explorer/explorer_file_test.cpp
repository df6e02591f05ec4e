// The editor's macro-file access through the explorer: system macros, names, bad files.
#include <gtest/gtest.h>

#include <filesystem>

#include "explorer_rig.h"
#include "protocol/window_messages.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using testing::ExplorerRig;
using testing::Notice;
using testing::TestMacro;

std::vector<Notice> SystemMacroNotices() {
    std::vector<Notice> expected;
    for (int n = 1; n <= 5; ++n) {
        expected.push_back({'E', puPullGroup, ggNumKeys});
        expected.push_back({'E', puMacroChanged, n});
    }
    return expected;
}

TEST(ExplorerFile, MissingOrEmptyFileGetsTheFiveSystemMacrosInOrder) {
    for (const bool empty : {false, true}) {
        ExplorerRig rig;
        if (empty) ExplorerRig::WriteRecords(rig.path, {});
        rig.explorer = std::make_unique<Explorer>(Explorer::Context{
            *rig.config, *rig.glob, rig.link, rig.window, rig.dialogs, rig.dir.path(), &rig.current});
        rig.explorer->Start();
        const auto recs = rig.FileRecords();
        ASSERT_EQ(recs.size(), 5u) << empty;
        const char* ids = "51234";
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(recs[i].ScopeText.str(), std::string(1, ids[i]));
            EXPECT_EQ(Unpacked(recs[i].Scope), scSystem);
            EXPECT_EQ(recs[i].Enabled, 1);
        }
        EXPECT_EQ(recs[1].Nickname.str(), "Run Tessaro Editor");
        EXPECT_EQ(recs[4].Nickname.str(), "Menu of Macros for Topmost Window");
        EXPECT_EQ(Unpacked(recs[0].ActivationCode), 261);
        EXPECT_EQ(Unpacked(rig.glob->MacroCount), 5);
        // The load itself is silent; each appended macro is told (6, 8) then (20, n).
        EXPECT_EQ(rig.link.Notices(), SystemMacroNotices()) << empty;
        EXPECT_EQ(rig.config->MacroNicknames[2], "Run Tessaro Editor");
    }
}

TEST(ExplorerFile, PlayersSystemNamesShowRenamedAndTheFileStaysUntouched) {
    ExplorerRig rig;
    auto recs = ExplorerRig::SystemMacros();
    recs[1].Nickname = "Activate Tessaro";
    recs[4].Nickname = "Menu of Macros for Top Most Window";
    recs[3].AbbrevCase = 9;  // kept as stored by the editor
    ExplorerRig::WriteRecords(rig.path, recs);
    const std::vector<char> before = testing::ReadBytes(rig.path);
    rig.Start();
    EXPECT_EQ(rig.config->MacroNicknames[2], "Run Tessaro Editor");
    EXPECT_EQ(rig.config->MacroNicknames[5], "Menu of Macros for Topmost Window");
    EXPECT_EQ(rig.config->MacroAbbrevCases[4], 9);
    EXPECT_EQ(testing::ReadBytes(rig.path), before);
}

TEST(ExplorerFile, UnreadableFileIsReportedAndNeverTruncated) {
    ExplorerRig rig;
    std::filesystem::create_directory(rig.path);  // exists, but is no macro file
    rig.explorer = std::make_unique<Explorer>(Explorer::Context{*rig.config, *rig.glob, rig.link, rig.window,
                                                                rig.dialogs, rig.dir.path(), &rig.current});
    rig.explorer->Start();
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 0);
    ASSERT_EQ(rig.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes[0].caption, "Error");
    EXPECT_TRUE(std::filesystem::is_directory(rig.path));
}

TEST(ExplorerFile, OverFiveHundredRecordsListTheFirstFiveHundredWarnedOnlyWhenOpenedHere) {
    ExplorerRig rig;
    std::vector<TMacroRecord> recs = ExplorerRig::SystemMacros();
    while (recs.size() < 501) recs.push_back(TestMacro("m" + std::to_string(recs.size()), 1));
    ExplorerRig::WriteRecords(rig.path, recs);
    rig.explorer = std::make_unique<Explorer>(Explorer::Context{*rig.config, *rig.glob, rig.link, rig.window,
                                                                rig.dialogs, rig.dir.path(), &rig.current});
    rig.explorer->Start();
    rig.explorer->FillList();
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 500);
    EXPECT_EQ(rig.explorer->rowMacro().size(), 500u);
    // At the start the player, which loaded the file first, has warned already.
    EXPECT_TRUE(rig.boxes.empty());
    rig.explorer->OpenSaveFile(rig.path);
    ASSERT_EQ(rig.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes[0].caption, "Warning");
    EXPECT_EQ(rig.FileRecords().size(), 501u);
}

TEST(ExplorerFile, AFullDiskFailsTheSaveWithItsCauseAndChangesNothing) {
    ExplorerRig rig;
    auto recs = ExplorerRig::SystemMacros();
    rig.StartWith(recs);
    rig.dialogs.add = [](TMacroRecord& r) {
        r = TestMacro("new", 40);
        return MacroDialogs::AddResult{true, false};
    };
    const std::vector<char> before = testing::ReadBytes(rig.path);
    {
        testing::FileSizeLimit limit(before.size());
        ASSERT_TRUE(limit.set());
        rig.ex().DoAdd();
    }
    ASSERT_EQ(rig.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes[0].text.rfind("Saving of keystrokes failed.\n\n", 0), 0u) << rig.boxes[0].text;
    EXPECT_NE(rig.boxes[0].text.find("TESRO.QTM"), std::string::npos);
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 5);
    EXPECT_EQ(testing::ReadBytes(rig.path), before);
    EXPECT_TRUE(rig.link.calls.empty());
}

}  // namespace
}  // namespace tessaro
