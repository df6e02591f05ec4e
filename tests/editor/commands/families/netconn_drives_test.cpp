// What the network drive dialog lists as mapped now is what the player has mapped.
#include <QCheckBox>
#include <QListWidget>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "editor/commands/netconn_dialog.h"
#include "foundation/drive_table.h"
#include "tests/support/sim_platform_test.h"
#include "platform/sim/sim_network_shares.h"
#include "player/commands/network_drives.h"
#include "tests/editor/commands/dialog_harness.h"
#include "tests/support/held_press.h"
#include "tests/support/finishes_in_time.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    return rows;
}

class MappedDrives : public testing::SimPlatformTest {
protected:
    void SetUp() override {
        EnsureQtApplication();
        shares.shares["smb://srv/share"] = {"joe", "pw"};
        shares.shares["smb://srv/docs"] = {"joe", "pw"};
    }
    testing::TempDir dir;
    const std::string table = dir.file("mapped-drives");
    win::sim::SimNetworkShares shares;
};

TEST_F(MappedDrives, TheDialogListsTheDrivesThePlayerMapped) {
    NetworkDrives player(shares, table);
    ASSERT_EQ(player.Map("G:", "\\\\srv\\docs", "joe", "pw"), kNetOk);
    ASSERT_EQ(player.Map("f:", "\\\\srv\\share", "joe", "pw"), kNetOk);

    PlayerDriveMappings mappings(table);
    TDoNetConn dlg(nullptr, mappings);
    dlg.show();
    EXPECT_FALSE(dlg.CurrList->isVisible());
    testing::HeldClick(dlg.Current);
    ASSERT_TRUE(dlg.Current->isChecked());
    EXPECT_TRUE(dlg.CurrList->isVisible());
    EXPECT_EQ(Rows(dlg.CurrList), (QStringList{"F: mapped to \\\\srv\\share", "G: mapped to \\\\srv\\docs"}));
    testing::SaveScreen(&dlg, "TDoNetConn-current");
    // The player's mappings last for the session: none maps at the next start-up.
    testing::HeldClick(dlg.Bootup);
    EXPECT_TRUE(dlg.BootList->isVisible());
    EXPECT_EQ(dlg.BootList->count(), 0);

    // Unmapped by a macro: checked again, the list no longer has it.
    ASSERT_EQ(player.Unmap("F:", false), kNetOk);
    testing::HeldClick(dlg.Current);
    testing::HeldClick(dlg.Current);
    EXPECT_EQ(Rows(dlg.CurrList), (QStringList{"G: mapped to \\\\srv\\docs"}));
}

TEST_F(MappedDrives, ThePlayerKeepsItsLettersForTheSession) {
    {
        NetworkDrives player(shares, table);
        ASSERT_EQ(player.Map("X:", "\\\\srv\\share", "joe", "pw"), kNetOk);
    }
    // Started again in the same session, the player still knows the letter.
    NetworkDrives again(shares, table);
    EXPECT_TRUE(again.Mapped("X:"));
    EXPECT_EQ(again.Map("X:", "\\\\srv\\docs", "joe", "pw"), kNetAlreadyAssigned);
    // A share unmounted elsewhere frees its letter, in the table too.
    shares.mounted.clear();
    EXPECT_FALSE(again.Mapped("X:"));
    EXPECT_TRUE(ReadDriveTable(table).empty());
    // Without a table nothing is listed and nothing fails.
    EXPECT_TRUE(PlayerDriveMappings(std::nullopt).Current().empty());
}

TEST(DriveTable, ReadsWhatWasWrittenAndSkipsWhatIsNoDrive) {
    testing::TempDir dir;
    const std::string path = dir.file("drives");
    const std::vector<MappedDrive> drives{{'F', "\\\\srv\\share", "smb://srv/share", "/run/user/1/gvfs/x"},
                                          {'Z', "\\\\h\\Caf\xE9", "smb://h/Caf%C3%A9", "smb://h/Caf%C3%A9"}};
    ASSERT_TRUE(WriteDriveTable(path, drives));
    EXPECT_EQ(ReadDriveTable(path), drives);
    {
        std::ofstream out(path, std::ios::app | std::ios::binary);
        out << "junk\n1:\t\\\\a\\b\tx\ty\nF:\t\\\\dup\\x\tu\tl\nQ:\t\t\t\n";
    }
    EXPECT_EQ(ReadDriveTable(path), drives);
    ASSERT_TRUE(WriteDriveTable(path, {}));
    EXPECT_TRUE(ReadDriveTable(path).empty());
    EXPECT_TRUE(ReadDriveTable(dir.file("missing")).empty());
    // A FIFO planted in its place is neither waited on nor taken for the table.
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_EQ(testing::ExitCodeWithin([&] { return ReadDriveTable(dir.file("pipe")).empty() ? 0 : 1; },
                                      std::chrono::seconds(5)),
              0);
    ASSERT_TRUE(WriteDriveTable(path, drives));
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
        << "a state file of this user's own";
}

}  // namespace
}  // namespace tessaro
