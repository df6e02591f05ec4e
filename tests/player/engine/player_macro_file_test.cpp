#include "player/engine/player_macro_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>

#include "foundation/sync_record.h"
#include "platform/message_box.h"
#include "macro/macro_file.h"
#include "protocol/window_messages.h"
#include "tests/support/macro_fixtures.h"
#include "recording_link.h"
#include "tests/support/temp_dir.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using testing::ReadBytes;
using testing::RecordingLink;
using testing::TempDir;
using testing::WriteBytes;

using testing::TestMacro;

TMacroRecord Macro(const std::string& name, std::uint16_t code, std::uint16_t scope = scGlobal) {
    return TestMacro(name, code, scope);
}

TMacroRecord System(char id, const std::string& name, std::uint16_t code) {
    TMacroRecord rec = Macro(name, code, scSystem);
    rec.ScopeText = std::string(1, id);
    return rec;
}

class PlayerMacroFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("TESRO.QTM");
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    RecordingLink link;
    std::vector<win::MessageBoxCall> boxes;
    win::ScopedMessageBoxHandler boxHandler{[this](const win::MessageBoxCall& c) {
        boxes.push_back(c);
        return win::MbResult::Ok;
    }};
    PlayerMacroFile file{{*config, *glob, link, dir.path(), [] { return 45000.5; }}};

    void SetUp() override {
        config->RecentFiles[0] = path;
        config->SnipraCaseMode = 3;
    }

    void WriteFile(const std::vector<TMacroRecord>& recs) {
        std::vector<char> bytes;
        for (const auto& r : recs) {
            const char* p = reinterpret_cast<const char*>(&r);
            bytes.insert(bytes.end(), p, p + kMacroRecordSize);
        }
        WriteBytes(path, bytes);
    }

    std::vector<TMacroRecord> FileRecords() {
        std::vector<TMacroRecord> recs;
        EXPECT_TRUE(ReadMacroRecords(path, 1000, recs).ok());
        return recs;
    }

    std::vector<TMacroRecord> AllSystemMacros() {
        std::vector<TMacroRecord> recs;
        int code = 300;
        for (const auto& s : kSystemMacros) recs.push_back(System(s.id, s.nickname, code++));
        return recs;
    }
};

TEST_F(PlayerMacroFileTest, EmptyFileReceivesTheSystemMacrosInOrder) {
    WriteBytes(path, {});
    ASSERT_TRUE(file.LoadMacroFile(path));

    const auto recs = FileRecords();
    ASSERT_EQ(recs.size(), std::size(kSystemMacros));
    EXPECT_EQ(+glob->MacroCount, 5);
    for (std::size_t i = 0; i < recs.size(); ++i) {
        const SystemMacro& sys = kSystemMacros[i];
        EXPECT_EQ(recs[i].Nickname, sys.nickname);
        EXPECT_EQ(recs[i].ScopeText.view(), std::string(1, sys.id));
        EXPECT_EQ(+recs[i].ActivationCode, sys.defaultHotKey);  // all free
        EXPECT_EQ(+recs[i].Scope, scSystem);
        EXPECT_EQ(+recs[i].Enabled, 1);
        EXPECT_EQ(recs[i].IconName, "MAIN");
        EXPECT_EQ(+recs[i].LastModified, 45000.5);
        EXPECT_EQ(+glob->ActivationCode[static_cast<int>(i) + 1], sys.defaultHotKey);
        EXPECT_EQ(config->MacroNicknames[static_cast<int>(i) + 1], sys.nickname);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlayerMacroFileTest, MissingFileIsCreatedWithTheSystemMacros) {
    ASSERT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(file.LoadMacroFile(path));
    EXPECT_EQ(FileRecords().size(), 5u);

    const std::string noDir = dir.file("no/such/dir/X.QTM");
    config->RecentFiles[0] = noDir;
    EXPECT_FALSE(file.LoadMacroFile(noDir));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "New file could not be created.");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(+glob->MacroCount, 0);
}

TEST_F(PlayerMacroFileTest, SystemMacrosGoIntoTheFileBeingLoaded) {
    WriteFile(AllSystemMacros());
    const auto currentBefore = ReadBytes(path);
    const std::string other = dir.file("Other.QTM");
    WriteBytes(other, {});
    ASSERT_TRUE(file.LoadMacroFile(other));  // the settings still name the first file
    EXPECT_EQ(ReadBytes(other).size(), 5 * kMacroRecordSize);
    EXPECT_EQ(ReadBytes(path), currentBefore);
}

TEST_F(PlayerMacroFileTest, SystemMacrosTakeTheNextFreeCodesBelowTheirDefaults) {
    TMacroRecord disabled = Macro("user 261", 261);
    disabled.Enabled = 0;  // disabled macros still own their code
    WriteFile({disabled, Macro("user 263", 263)});
    ASSERT_TRUE(file.LoadMacroFile(path));
    const auto recs = FileRecords();
    ASSERT_EQ(recs.size(), 7u);
    // "5" wants 261 (taken) -> 260; "1" 262; "2" wants 263 (taken), 262 (now taken) -> 261
    // (taken) -> 260 (taken) -> 259; "3" 264; "4" 265.
    EXPECT_EQ(+recs[2].ActivationCode, 260);
    EXPECT_EQ(+recs[3].ActivationCode, 262);
    EXPECT_EQ(+recs[4].ActivationCode, 259);
    EXPECT_EQ(+recs[5].ActivationCode, 264);
    EXPECT_EQ(+recs[6].ActivationCode, 265);
}

TEST_F(PlayerMacroFileTest, FreeCodeSearchWrapsBelowZeroAndIgnoresStaleSlots) {
    WriteFile({Macro("a", 0), Macro("b", 720)});
    auto recs = AllSystemMacros();
    WriteFile({Macro("a", 0), Macro("b", 720), recs[0], recs[1], recs[2], recs[3], recs[4]});
    ASSERT_TRUE(file.LoadMacroFile(path));
    EXPECT_EQ(file.FindFreeHotKeyCode(0), 719);
    EXPECT_EQ(file.FindFreeHotKeyCode(5), 5);

    // Slots past MacroCount keep old values but are not macros.
    glob->ActivationCode[8] = 7;
    EXPECT_EQ(file.FindFreeHotKeyCode(7), 7);
}

TEST_F(PlayerMacroFileTest, LoadFillsEveryMirrorAndLeavesTheFileAsItWas) {
    std::filesystem::create_directory(dir.file("Icons"));
    WriteBytes(dir.file("Icons/star.ico"), {'i'});

    TMacroRecord a = Macro("Alpha", 12, scWindow);
    a.ScopeText = "A window title longer than twenty";
    a.Abbreviation = "alf";
    a.CategoryId = 77;
    a.AbbrevCase = 0;  // unknown: the default rule stands in
    a.AbbrevErase = 2;
    a.TopmostOnly = 1;
    a.IconName = "gone.ico";
    TMacroRecord b = Macro("Menu", 13, scPopupMenu);
    b.IconName = "gone.ico";
    TMacroRecord c = Macro("Star", 14);
    c.IconName = "star.ico";
    c.Enabled = 0;
    auto recs = AllSystemMacros();
    recs.insert(recs.begin(), {a, b, c});
    WriteFile(recs);
    const auto before = ReadBytes(path);

    ASSERT_TRUE(file.LoadMacroFile(path));
    EXPECT_EQ(ReadBytes(path), before);  // icon repairs stay in memory
    EXPECT_EQ(+glob->MacroCount, 8);

    EXPECT_EQ(config->MacroNicknames[1], "Alpha");
    EXPECT_EQ(config->MacroAbbreviations[1], "alf");
    EXPECT_EQ(config->MacroCategoryIds[1], 77);
    EXPECT_EQ(config->MacroAbbrevCases[1], 3);
    EXPECT_EQ(config->MacroAbbrevCases[2], 2);
    EXPECT_EQ(config->MacroAbbrevErases[1], 2);
    EXPECT_EQ(+glob->Scope[1], scWindow);
    EXPECT_EQ(glob->ScopeText[1].view(), "A window title longe");
    EXPECT_EQ(+glob->TopmostOnly[1], 1);
    EXPECT_EQ(+glob->Enabled[3], 0);
    EXPECT_EQ(+glob->ActivationCode[3], 14);

    EXPECT_EQ(config->MacroIcons[1].Name, "MAIN");
    EXPECT_EQ(config->MacroIcons[2].Name, "MENU");
    EXPECT_EQ(config->MacroIcons[3].Name, "star.ico");
    EXPECT_EQ(config->MacroIcons[3].Path, dir.file("Icons/star.ico"));

    // Each slot is pushed and announced, then the count.
    for (int n = 1; n <= 8; ++n) {
        EXPECT_NE(std::find(link.calls.begin(), link.calls.end(), RecordingLink::Call{'U', ggItem, n}),
                  link.calls.end());
        EXPECT_NE(std::find(link.calls.begin(), link.calls.end(), RecordingLink::Call{'E', puPullMacro, n}),
                  link.calls.end());
    }
    EXPECT_EQ(link.calls.back(), (RecordingLink::Call{'E', puPullGroup, ggNumKeys}));
}

TEST_F(PlayerMacroFileTest, EditedSystemNicknameShowsStandardNameButFileKeepsIt) {
    auto recs = AllSystemMacros();
    recs[1].Nickname = "My own launcher";
    WriteFile(recs);
    ASSERT_TRUE(file.LoadMacroFile(path));
    EXPECT_EQ(+glob->MacroCount, 5);  // nothing added
    EXPECT_EQ(config->MacroNicknames[2], kSystemMacros[1].nickname);
    EXPECT_EQ(FileRecords()[1].Nickname, "My own launcher");
}

TEST_F(PlayerMacroFileTest, OversizedFileLoadsFiveHundredAndWarnsOnce) {
    std::vector<TMacroRecord> recs = AllSystemMacros();
    while (recs.size() < 503) recs.push_back(Macro("m" + std::to_string(recs.size()), 1));
    WriteFile(recs);
    const auto before = ReadBytes(path);

    ASSERT_TRUE(file.LoadMacroFile(path));
    ASSERT_TRUE(file.LoadMacroFile(path));
    EXPECT_EQ(+glob->MacroCount, 500);
    EXPECT_EQ(config->MacroNicknames[500], "m499");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Warning");
    EXPECT_NE(boxes[0].text.find("503"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(PlayerMacroFileTest, TrailingBytesAreNotAMacroAndTheFileIsLeftAsItIs) {
    WriteFile({Macro("only", 1), Macro("two", 2)});
    auto bytes = ReadBytes(path);
    bytes.insert(bytes.end(), 100, 'z');
    WriteBytes(path, bytes);

    ASSERT_TRUE(file.LoadMacroFile(path));
    EXPECT_EQ(+glob->MacroCount, 2);  // no system macro is put into it
    // Said once as the file is opened, not at every reload, nor when following the editor.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Warning");
    EXPECT_NE(boxes[0].text.find(path), std::string::npos) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find("ends in a partial macro: 100 bytes"), std::string::npos) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find("the file is left as it is"), std::string::npos) << boxes[0].text;
    ASSERT_TRUE(file.ReloadMacroFile());
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ReadBytes(path), bytes);
    // Another player that follows the editor into such a file says nothing; the editor did.
    PlayerMacroFile follower({*config, *glob, link, dir.path(), {}});
    ASSERT_TRUE(follower.ReloadMacroFile(false));
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(PlayerMacroFileTest, InNetworkModeSystemMacrosAreAddedOnlyWhileHoldingTheSharedFile) {
    config->NetworkMode = true;
    const std::string mas = dir.file("TESRO.MAS");
    // Another user holds the file: nothing is written, nothing asked of anyone.
    WriteSyncRecord(mas, TSyncRecord{4, kSyncInUse, 46000.25});
    WriteFile({Macro("x", 1)});
    ASSERT_TRUE(file.LoadMacroFile(path));
    EXPECT_EQ(+glob->MacroCount, 1);
    EXPECT_EQ(FileRecords().size(), 1u);
    EXPECT_TRUE(boxes.empty());

    // Free: taken for the write and given back as it was found, uncounted.
    WriteSyncRecord(mas, TSyncRecord{4, kSyncReleased, 46000.25});
    ASSERT_TRUE(file.LoadMacroFile(path));
    EXPECT_EQ(+glob->MacroCount, 6);
    EXPECT_EQ(FileRecords().size(), 6u);
    TSyncRecord after;
    ASSERT_EQ(ReadSyncRecord(mas, after), SyncReadResult::Read);
    EXPECT_EQ(Unpacked(after.State), kSyncReleased);
    EXPECT_EQ(Unpacked(after.ChangeCount), 4);
    EXPECT_EQ(Unpacked(after.LockTime), 45000.5);  // this program's time of taking it
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PlayerMacroFileTest, SystemMacrosAnotherProgramAddedMeanwhileAreTakenNotDoubled) {
    WriteFile({Macro("x", 1)});
    // Loaded before the other program's additions reached the file...
    ASSERT_TRUE(file.LoadMacroFile(path));
    WriteFile({Macro("x", 1)});
    glob->MacroCount = 1;
    auto theirs = AllSystemMacros();
    theirs.insert(theirs.begin(), Macro("x", 1));
    WriteFile(theirs);
    // ...the file is looked at again under its lock: theirs are taken, none added.
    file.EnsureSystemMacros();
    EXPECT_EQ(FileRecords().size(), 6u);
    EXPECT_EQ(+glob->MacroCount, 6);
    EXPECT_EQ(+glob->ActivationCode[2], 300);
    EXPECT_EQ(config->MacroNicknames[2], kSystemMacros[0].nickname);
}

TEST_F(PlayerMacroFileTest, UnreadableFileIsReportedAndNeverReplaced) {
    // A directory where the file should be: it exists but holds no records.
    const std::string bogus = dir.file("Folder.QTM");
    std::filesystem::create_directory(bogus);
    WriteBytes(bogus + "/inside", {'k'});
    config->RecentFiles[0] = bogus;
    EXPECT_FALSE(file.LoadMacroFile(bogus));
    EXPECT_EQ(+glob->MacroCount, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_NE(boxes[0].text.find(bogus), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(bogus));
    EXPECT_EQ(ReadBytes(bogus + "/inside"), std::vector<char>{'k'});

    if (::geteuid() == 0) return;  // root reads every file
    WriteFile({Macro("precious", 1)});
    ::chmod(path.c_str(), 0);
    EXPECT_FALSE(file.LoadMacroFile(path));
    ::chmod(path.c_str(), 0644);
    ASSERT_EQ(FileRecords().size(), 1u);
    EXPECT_EQ(FileRecords()[0].Nickname, "precious");
}

TEST_F(PlayerMacroFileTest, SaveWritesBeforeTellingTheEditor) {
    WriteFile(AllSystemMacros());
    ASSERT_TRUE(file.LoadMacroFile(path));

    std::string seenByEditor;
    link.onNotify = [&](std::uint32_t code, std::int32_t arg) {
        if (code != puMacroChanged) return;
        TMacroRecord onDisk;
        if (ReadMacroRecordAt(path, arg, onDisk).ok()) seenByEditor = onDisk.Nickname.str();
    };
    TMacroRecord rec = Macro("Changed", 44);
    rec.AbbrevCase = 0;  // kept as stored when saving
    rec.IconName = "nothing.ico";
    rec.Reserved5151[0] = 9;
    ASSERT_TRUE(file.SaveMacroRecord(3, rec));
    EXPECT_EQ(seenByEditor, "Changed");
    EXPECT_EQ(rec.IconName, "MAIN");
    EXPECT_EQ(rec.Reserved5151[0], 0);
    EXPECT_EQ(FileRecords()[2].IconName, "MAIN");  // the repair is saved
    EXPECT_EQ(config->MacroAbbrevCases[3], 0);
    EXPECT_EQ(+glob->ActivationCode[3], 44);

    // Appending takes the slot the caller has already counted.
    glob->MacroCount += 1;
    TMacroRecord added = Macro("Added", 45);
    ASSERT_TRUE(file.SaveMacroRecord(-1, added));
    EXPECT_EQ(seenByEditor, "Added");
    EXPECT_EQ(config->MacroNicknames[6], "Added");
    EXPECT_EQ(FileRecords().size(), 6u);
}

TEST_F(PlayerMacroFileTest, FailedSaveReportsAndLeavesMirrorsAlone) {
    WriteFile(AllSystemMacros());
    ASSERT_TRUE(file.LoadMacroFile(path));
    config->RecentFiles[0] = dir.file("vanished.QTM");
    link.calls.clear();
    TMacroRecord rec = Macro("Lost", 1);
    EXPECT_FALSE(file.SaveMacroRecord(2, rec));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("Saving of keystrokes failed.\n\n", 0), 0u) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find("vanished.QTM"), std::string::npos);
    EXPECT_EQ(config->MacroNicknames[2], kSystemMacros[1].nickname);
    EXPECT_TRUE(link.calls.empty());
}

TEST_F(PlayerMacroFileTest, SystemMacroThatCannotBeSavedIsNotCounted) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes every file";
    WriteFile({Macro("x", 1)});
    ASSERT_TRUE(file.LoadMacroFile(path));
    ASSERT_EQ(+glob->MacroCount, 6);
    WriteFile({Macro("x", 1)});
    ::chmod(path.c_str(), 0444);
    boxes.clear();
    ASSERT_TRUE(file.LoadMacroFile(path));
    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(+glob->MacroCount, 1);
    EXPECT_EQ(boxes.size(), 1u);  // one report, not one per system macro
    EXPECT_EQ(FileRecords().size(), 1u);
}

TEST_F(PlayerMacroFileTest, SystemMacrosThatFindTheDiskFullAreNotCounted) {
    WriteFile({Macro("x", 1)});
    const auto before = ReadBytes(path);
    boxes.clear();
    {
        testing::FileSizeLimit full(0);
        ASSERT_TRUE(full.set());
        ASSERT_TRUE(file.LoadMacroFile(path));
    }
    EXPECT_EQ(+glob->MacroCount, 1);
    EXPECT_EQ(boxes.size(), 1u);  // one report, not one per system macro
    EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(PlayerMacroFileTest, ReadDeleteEnableWorkOnTheCurrentFile) {
    auto recs = AllSystemMacros();
    recs.insert(recs.begin(), {Macro("one", 1), Macro("two", 2)});
    WriteFile(recs);
    ASSERT_TRUE(file.LoadMacroFile(path));

    TMacroRecord buf = Macro("untouched", 0);
    EXPECT_FALSE(file.ReadMacroRecord(99, buf));
    EXPECT_EQ(buf.Nickname, "untouched");
    ASSERT_TRUE(file.ReadMacroRecord(2, buf));
    EXPECT_EQ(buf.Nickname, "two");

    ASSERT_TRUE(file.SetMacroEnabled(2, false));
    EXPECT_EQ(+FileRecords()[1].Enabled, 0);
    EXPECT_EQ(+glob->Enabled[2], 1);  // mirrors are the caller's

    ASSERT_TRUE(file.DeleteMacroRecord(1));
    EXPECT_EQ(+glob->MacroCount, 7);  // unchanged until the caller reloads
    ASSERT_TRUE(file.ReloadMacroFile());
    EXPECT_EQ(+glob->MacroCount, 6);
    EXPECT_EQ(config->MacroNicknames[1], "two");
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace tessaro
