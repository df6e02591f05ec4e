#include "player/engine/macro_file_control.h"

#include <gtest/gtest.h>

#include <memory>

#include "foundation/config_record.h"
#include "interpreter_doubles.h"
#include "protocol/glob_data.h"
#include "macro/macro_file.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

// Macro control over a real macro file; the upkeep re-mirrors the file the way a reload
// does and logs the rest.
struct Tables {
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();
};

class FileControlRig : private Tables, public MacroFileControl {
public:
    explicit FileControlRig(const std::string& path)
        : MacroFileControl(*glob, *config, [path] { return path; }), path_(path) {}

    using Tables::config;
    using Tables::glob;
    std::vector<std::string> log;

    void Mirror() {
        std::vector<TMacroRecord> records;
        ASSERT_TRUE(ReadMacroRecords(path_, kMaxMacros, records).ok());
        glob->MacroCount = int(records.size());
        for (int n = 1; n <= int(records.size()); ++n) {
            const TMacroRecord& rec = records[n - 1];
            config->MacroNicknames[n] = rec.Nickname.view();
            glob->Scope[n] = rec.Scope;
            glob->Enabled[n] = rec.Enabled;
            glob->ActivationCode[n] = rec.ActivationCode;
        }
    }

    void ReloadMacroFile() override {
        log.push_back("reload");
        Mirror();
    }
    void LoadMacroFile(const std::string&) override { log.push_back("load"); }
    void SetMacroFileName(const std::string&) override { log.push_back("name"); }
    bool FileInUse() override { return false; }
    void ReleaseSyncFile(int changes) override { log.push_back("release" + std::to_string(changes)); }
    void UseLockFileOf(const std::string&) override {}
    void GetSwapFile() override {}
    void SetHotKeys() override { log.push_back("hotkeys"); }
    void CheckAndSetTime() override {}
    void ClearMenuTaskIcon() override {}
    void DoMenuTaskIcon() override {}
    void TellOtherPlayers() override {}
    void PostEditor(std::uint32_t code, std::int32_t value) override {
        log.push_back("editor" + std::to_string(code) + ":" + std::to_string(value));
    }

private:
    std::string path_;
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
        host.Mirror();
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

    testing::TempDir dir;
    std::string path = dir.file("TESRO.QTM");
    FileControlRig host{path};
    testing::FakeWindows windows;
};

TEST_F(MacroFileControlTest, DeleteRemovesTheRecordAndRenumbersPopupMenusInTheFile) {
    EXPECT_EQ(Play("<MACRUN:gone>|<MACDEL:gone><MACRUN:gone>|"), "g\t||");
    ASSERT_EQ(CountMacroRecords(path), 3);
    TMacroRecord menu, second;
    ASSERT_TRUE(ReadMacroRecordAt(path, 1, menu).ok());
    ASSERT_TRUE(ReadMacroRecordAt(path, 2, second).ok());
    EXPECT_EQ(ReadPopupMenu(menu, 3).items, (std::vector<std::uint16_t>{2, 3}));
    EXPECT_EQ(second.Nickname.str(), "sleepy");
    EXPECT_EQ(host.glob->MacroCount, 3);
    EXPECT_EQ(host.log.back(), "editor21:0");
}

TEST_F(MacroFileControlTest, ActivateWritesTheFlagToFileAndTriggerTable) {
    Play("<MACACT:sleepy><MACDEACT:last>");
    TMacroRecord sleepy, last;
    ASSERT_TRUE(ReadMacroRecordAt(path, 3, sleepy).ok());
    ASSERT_TRUE(ReadMacroRecordAt(path, 4, last).ok());
    EXPECT_EQ(sleepy.Enabled, 1);
    EXPECT_EQ(last.Enabled, 0);
    EXPECT_EQ(host.glob->Enabled[3], 1);
    EXPECT_EQ(host.glob->Enabled[4], 0);
    EXPECT_EQ(host.log,
              (std::vector<std::string>{"release0", "editor8:3", "hotkeys", "editor1:0", "release1",
                                        "release0", "editor8:4", "hotkeys", "editor1:0", "release1"}));
    EXPECT_TRUE(windows.messages.empty());
}

}  // namespace
}  // namespace tessaro
