#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "foundation/settings.h"
#include "player/engine/command_line.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

// Counts what the switches ask of the player.
struct CountingSwitchHost : SwitchHost {
    int loads = 0, lockReads = 0;
    void UseLockFileOf(const std::string&) override { ++lockReads; }
    void MacroFileSwitched() override { ++loads; }
};
CountingSwitchHost none;  // for switches that need nothing of the player

using testing::TempDir;

TEST(Switches, MatchInAnyCaseInTheirTestingOrder) {
    EXPECT_EQ(ParseSwitch("/b").kind, SwitchKind::Browse);
    EXPECT_EQ(ParseSwitch("/Ba").kind, SwitchKind::Browse);
    EXPECT_EQ(ParseSwitch("/BAD").kind, SwitchKind::Ignored);  // whole-text switches
    EXPECT_EQ(ParseSwitch("/s").kind, SwitchKind::AutoSync);
    EXPECT_EQ(ParseSwitch("/n").kind, SwitchKind::NetworkMode);
    EXPECT_EQ(ParseSwitch("/NX").kind, SwitchKind::Ignored);
    EXPECT_EQ(ParseSwitch("/tray").kind, SwitchKind::ShowTray);  // prefix switches
    EXPECT_EQ(ParseSwitch("/hide").kind, SwitchKind::HideTray);
    EXPECT_EQ(ParseSwitch("/en").kind, SwitchKind::EditorOff);
    EXPECT_EQ(ParseSwitch("/Eyes").kind, SwitchKind::EditorOn);
    EXPECT_EQ(ParseSwitch("/E").kind, SwitchKind::Ignored);
    EXPECT_EQ(ParseSwitch("-T").kind, SwitchKind::Ignored);
    EXPECT_EQ(ParseSwitch("").kind, SwitchKind::Ignored);
    // "/SM" with a bad number is taken by "/SM" and ignored, never by a later switch.
    EXPECT_EQ(ParseSwitch("/SMT").kind, SwitchKind::Ignored);
}

TEST(Switches, OnlyAnExactSlashSShowsTheTrayBeforeTheSwitchesRun) {
    EXPECT_TRUE(TraySwitchGiven({"/T", "/S"}));
    EXPECT_FALSE(TraySwitchGiven({"/s"}));
    EXPECT_FALSE(TraySwitchGiven({"/SM5", "/S "}));
    // The lower-case form still reaches the switch itself.
    TConfigRecord c;
    StartSwitches state;
    ProcessParams({"/s"}, c, state, none);
    EXPECT_TRUE(c.AutoSync);
    EXPECT_FALSE(c.UseTray);
}

TEST(Switches, FileNameKeepsItsCaseAndNicknameIsUpperCased) {
    const Switch f = ParseSwitch("/f/home/Al/Macros.QTM");
    EXPECT_EQ(f.kind, SwitchKind::MacroFile);
    EXPECT_EQ(f.text, "/home/Al/Macros.QTM");
    const Switch a = ParseSwitch("/aMyMacro");
    EXPECT_EQ(a.kind, SwitchKind::StartMacro);
    EXPECT_EQ(a.text, "MYMACRO");
    EXPECT_EQ(ParseSwitch("/A" + std::string(80, 'x')).text.size(), 50u);
}

TEST(Switches, SyncMinutesAcceptsOneToNinetyEightOnly) {
    for (const char* bad : {"/SM99", "/SM0", "/SM", "/SM-5", "/SM4x", "/SM 45", "/SM100000000000"}) {
        TConfigRecord c;
        c.SyncMinutes = 10;
        EXPECT_FALSE(ApplySettingSwitch(ParseSwitch(bad), c)) << bad;
        EXPECT_EQ(c.SyncMinutes, 10) << bad;
    }
    TConfigRecord c;
    EXPECT_TRUE(ApplySettingSwitch(ParseSwitch("/sm45"), c));
    EXPECT_EQ(c.SyncMinutes, 45);
    EXPECT_TRUE(ApplySettingSwitch(ParseSwitch("/SM1"), c));
    EXPECT_EQ(c.SyncMinutes, 1);
    EXPECT_TRUE(ApplySettingSwitch(ParseSwitch("/SM98"), c));
    EXPECT_EQ(c.SyncMinutes, 98);
}

TEST(Switches, LaterTrayAndEditorSwitchesWin) {
    TConfigRecord c;
    StartSwitches state;
    ProcessParams({"/T", "/H"}, c, state, none);
    EXPECT_FALSE(c.UseTray);
    ProcessParams({"/H", "/T", "/EN", "/EY", "/S"}, c, state, none);
    EXPECT_TRUE(c.UseTray);
    EXPECT_TRUE(c.StartEditor);
    EXPECT_TRUE(c.AutoSync);
    EXPECT_FALSE(state.browseMode);
    ProcessParams({"/ba", "/n"}, c, state, none);
    EXPECT_TRUE(state.browseMode);
    EXPECT_TRUE(c.NetworkMode);
}

TEST(Switches, MacroFileMustExistAndIsStoredAbsolute) {
    TempDir dir;
    const std::string file = dir.file("Work.QTM");
    std::ofstream(file).put('\0');
    std::filesystem::create_directory(dir.file("folder.qtm"));

    TConfigRecord c;
    c.RecentFiles[0] = "/old/TESRO.QTM";
    StartSwitches state;
    CountingSwitchHost actions;
    int& loads = actions.loads;
    int& lockReads = actions.lockReads;
    ProcessParams({"/F" + dir.file("missing.qtm"), "/F" + dir.file("folder.qtm"), "/F"}, c, state, actions);
    EXPECT_EQ(c.RecentFiles[0].str(), "/old/TESRO.QTM");
    EXPECT_EQ(loads, 0);

    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ProcessParams({"/fWork.QTM"}, c, state, actions);
    std::filesystem::current_path(cwd);
    EXPECT_EQ(c.RecentFiles[0].str(), file);
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(lockReads, 0);  // not in network mode

    ProcessParams({"/N", "/F" + file}, c, state, actions);
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(lockReads, 2);  // "/N" reads the current file's lock, "/F" then the new one's
}

TEST(Switches, MacroFileNameTooLongForTheSettingsIsIgnored) {
    TempDir dir;
    std::string deep = dir.path();
    while (deep.size() < 260) deep += "/" + std::string(40, 'd');
    std::filesystem::create_directories(deep);
    std::ofstream(deep + "/m.qtm").put('\0');
    TConfigRecord c;
    c.RecentFiles[0] = "keep";
    StartSwitches state;
    ProcessParams({"/F" + deep + "/m.qtm"}, c, state, none);
    EXPECT_EQ(c.RecentFiles[0].str(), "keep");
}

class SavedSwitches : public ::testing::Test {
protected:
    void SetUp() override {
        record_ = std::make_unique<TConfigRecord>();
        LoadAllSettings(*record_, win::kDefaultScreenSize);
    }
    TConfigRecord Reread() {
        TConfigRecord fresh;
        LoadAllSettings(fresh, win::kDefaultScreenSize);
        return fresh;
    }
    TempDir dir_;
    std::unique_ptr<TConfigRecord> record_;
};

TEST_F(SavedSwitches, SwitchesPersistAndIgnoredOnesLeaveTheStoredValue) {
    const std::string file = dir_.file("Other.qtm");
    std::ofstream(file).put('\0');
    const std::uint16_t before = record_->SyncMinutes;
    StartSwitches state;
    ProcessParams({"/SM99", "/SM0", "/T", "/H", "/EY", "/N", "/F" + file}, *record_, state, none);
    ASSERT_TRUE(SaveSwitchSettings(*record_));
    TConfigRecord saved = Reread();
    EXPECT_EQ(saved.SyncMinutes, before);
    EXPECT_FALSE(saved.UseTray);
    EXPECT_TRUE(saved.StartEditor);
    EXPECT_TRUE(saved.NetworkMode);
    EXPECT_EQ(saved.RecentFiles[0].str(), file);

    ProcessParams({"/SM45", "/H", "/T"}, *record_, state, none);
    ASSERT_TRUE(SaveSwitchSettings(*record_));
    saved = Reread();
    EXPECT_EQ(saved.SyncMinutes, 45);
    EXPECT_TRUE(saved.UseTray);
}

TEST(StartMacro, NicknameRunsFromSlashAToTheNextSlash) {
    EXPECT_EQ(StartMacroNickname({"/Aabc"}), "ABC");
    EXPECT_EQ(StartMacroNickname({"/ANAME", "/X"}), "NAME");
    EXPECT_EQ(StartMacroNickname({"/aMy", "Long", "macro"}), "MY LONG MACRO");
    EXPECT_EQ(StartMacroNickname({"/A  spaced  "}), "SPACED");
    EXPECT_EQ(StartMacroNickname({"/T", "/EN"}), "");
    EXPECT_EQ(StartMacroNickname({"/A" + std::string(70, 'q')}), std::string(50, 'Q'));
    // A path before the switch holds "/a" but names no macro.
    EXPECT_EQ(StartMacroNickname({"/F/home/al/apps.qtm", "/Ago"}), "GO");
}

TEST(HandOver, TextIsBoundedAndNicknameFollowsSlashA) {
    EXPECT_EQ(HandOverText({"/Aabc", "/T"}), "/Aabc /T");
    EXPECT_EQ(HandOverText({std::string(300, 'z')}).size(), kHandOverCapacity);
    EXPECT_EQ(NicknameFromHandOver("/Aabc"), "ABC");
    EXPECT_EQ(NicknameFromHandOver("/ANAME /X"), "NAME");
    EXPECT_EQ(NicknameFromHandOver("/t /en"), "");  // no switch, no nickname
    EXPECT_EQ(NicknameFromHandOver("/F/home/al/x.qtm /Aabc"), "ABC");
    EXPECT_EQ(NicknameFromHandOver("/F/tmp/a/b"), "");
}

TEST(HandOver, PackedMessagesRebuildTheTextPerSender) {
    std::string text;
    for (int c = 1; c < 256; ++c) text += static_cast<char>(c);  // every byte value but NUL
    HandOverCollector collector;
    const auto a = PackHandOver(text);
    const auto b = PackHandOver("/Axyz");
    EXPECT_EQ(a.size(), 65u);  // 255 / 4 rounded up, and the end
    EXPECT_EQ(a.back(), 0);
    // Two senders interleave; neither sees the other's characters.
    std::optional<std::string> gotA, gotB;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (i < b.size()) gotB = collector.Receive(200, b[i]);
        if (i < a.size()) gotA = collector.Receive(100, a[i]);
    }
    ASSERT_TRUE(gotA && gotB);
    EXPECT_EQ(*gotA, text);
    EXPECT_EQ(*gotB, "/Axyz");
    EXPECT_EQ(collector.pending(), 0u);
    EXPECT_EQ(collector.Receive(7, 0), "");  // an end without text
}

TEST(HandOver, ReceiverNeverHoldsMoreThanItsCapacity) {
    HandOverCollector collector;
    for (int i = 0; i < 200; ++i) collector.Receive(1, 0x41414141);  // 800 characters
    EXPECT_EQ(collector.Receive(1, 0)->size(), kHandOverCapacity);
    for (std::uint32_t sender = 1; sender <= 40; ++sender) collector.Receive(sender, 'x');
    EXPECT_LE(collector.pending(), 16u);
}

}  // namespace
}  // namespace tessaro
