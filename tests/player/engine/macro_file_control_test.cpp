#include "player/engine/macro_file_control.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "foundation/config_record.h"
#include "foundation/settings.h"
#include "interpreter_doubles.h"
#include "player/engine/player_macro_file.h"
#include "recording_link.h"
#include "protocol/glob_data.h"
#include "macro/macro_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

// Macro control over a real macro file loaded by the player's own loader; the shell's
// upkeep is logged.
class LoggingUpkeep : public MacroFileUpkeep {
public:
    std::vector<std::string> log;
    bool FileInUse() override { return false; }
    void ReleaseSyncFile(int changes) override { log.push_back("release" + std::to_string(changes)); }
    void UseLockFileOf(const std::string&) override {}
    void GetSwapFile() override { log.push_back("swapkeys"); }
    void SetHotKeys() override { log.push_back("hotkeys"); }
    void CheckAndSetTime() override {}
    void ClearMenuTaskIcon() override {}
    void DoMenuTaskIcon() override {}
    void TellOtherPlayers() override {}
    void PostEditor(std::uint32_t code, std::int32_t value) override {
        log.push_back("editor" + std::to_string(code) + ":" + std::to_string(value));
    }
};

TMacroRecord Record(const std::string& name, const std::string& text, bool enabled = true) {
    TMacroRecord rec;
    rec.Nickname = name;
    rec.Scope = scGlobal;
    rec.ActivationCode = acNone;
    rec.Enabled = enabled ? 1 : 0;
    rec.IconName = "MAIN";
    SetMacroText(rec, text);
    return rec;
}

class MacroFileControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        TMacroRecord menu = Record("menu", "");
        menu.Scope = scPopupMenu;
        PopupMenu items;
        items.items = {2, 3, 4};
        WritePopupMenu(menu, items);
        ASSERT_TRUE(CreateEmptyMacroFile(path).ok());
        for (const TMacroRecord& rec :
             {menu, Record("gone", "g<TAB>"), Record("sleepy", "zz", false), Record("last", "l")}) {
            ASSERT_TRUE(WriteMacroRecordAt(path, -1, rec).ok());
        }
        config->RecentFiles[0] = path;
        ASSERT_TRUE(file.LoadMacroFile(path));  // and the five system macros after them
    }

    // Plays through the interpreter with the file-backed host in place of the fake.
    std::string Play(std::string_view text) {
        win::sim::SimInput input;
        testing::FakeClock clock;
        testing::FakeClipboard clipboard;
        testing::FakeDesktop desktop;
        CommandFamilies families;
        MacroPlayer player{PlayerServices{input, clock, windows, clipboard, desktop, host, families}};
        player.BeginMacro(false);
        player.DoMacro(text, 1, 1, 1, true);
        return testing::Typed(input.log);
    }
    std::string Settings() {
        std::ifstream in(dir.file("TESRO.INI"));
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    testing::TempDir dir;
    std::string path = dir.file("TESRO.QTM");
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();
    testing::RecordingLink link;
    PlayerMacroFile file{{*config, *glob, link, dir.path(), [] { return 1.0; }}};
    LoggingUpkeep upkeep;
    MacroFileControl host{*glob, *config, file, upkeep};
    testing::FakeWindows windows;
};

TEST_F(MacroFileControlTest, DeleteRemovesTheRecordAndRenumbersPopupMenusInTheFile) {
    EXPECT_EQ(Play("<MACRUN:gone>|<MACDEL:gone><MACRUN:gone>|"), "g\t||");
    ASSERT_EQ(CountMacroRecords(path), 8);
    TMacroRecord menu, second;
    ASSERT_TRUE(ReadMacroRecordAt(path, 1, menu).ok());
    ASSERT_TRUE(ReadMacroRecordAt(path, 2, second).ok());
    EXPECT_EQ(ReadPopupMenu(menu, 3).items, (std::vector<std::uint16_t>{2, 3}));
    EXPECT_EQ(second.Nickname.str(), "sleepy");
    EXPECT_EQ(Unpacked(glob->MacroCount), 8);
    EXPECT_EQ(upkeep.log.back(), "editor21:0");
}

TEST_F(MacroFileControlTest, ActivateWritesTheFlagToFileAndTriggerTable) {
    Play("<MACACT:sleepy><MACDEACT:last>");
    TMacroRecord sleepy, last;
    ASSERT_TRUE(ReadMacroRecordAt(path, 3, sleepy).ok());
    ASSERT_TRUE(ReadMacroRecordAt(path, 4, last).ok());
    EXPECT_EQ(sleepy.Enabled, 1);
    EXPECT_EQ(last.Enabled, 0);
    EXPECT_EQ(glob->Enabled[3], 1);
    EXPECT_EQ(glob->Enabled[4], 0);
    EXPECT_EQ(upkeep.log,
              (std::vector<std::string>{"release0", "editor8:3", "hotkeys", "editor1:0", "release1",
                                        "release0", "editor8:4", "hotkeys", "editor1:0", "release1"}));
    EXPECT_TRUE(windows.messages.empty());
}

TEST_F(MacroFileControlTest, SwapMakesTheNewFileCurrentForRecordsSettingsAndReloads) {
    const std::string other = dir.file("OTHER.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(other).ok());
    ASSERT_TRUE(WriteMacroRecordAt(other, -1, Record("gone", "from other")).ok());

    EXPECT_EQ(Play("<SWAP:" + other + "><MACRUN:gone>"), "from other");
    EXPECT_EQ(config->RecentFiles[0].str(), other);
    EXPECT_NE(Settings().find("Current File=" + other), std::string::npos) << Settings();
    EXPECT_EQ(config->MacroNicknames[1], "gone");
    // Records are read from the new file, and a reload stays on it.
    EXPECT_EQ(host.MacroText(1), "from other");
    host.ReloadMacroFile();
    EXPECT_EQ(config->MacroNicknames[1], "gone");
    EXPECT_EQ(host.MacroText(1), "from other");
    EXPECT_EQ(Unpacked(glob->MacroCount), 6);
}

}  // namespace
}  // namespace tessaro
