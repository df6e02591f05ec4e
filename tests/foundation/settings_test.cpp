#include "foundation/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "foundation/strings.h"
#include "platform/message_box.h"
#include "platform/profile.h"

namespace fs = std::filesystem;
using tessaro::TConfigRecord;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    static constexpr win::ScreenSize kScreen{1024, 768};

    void SetUp() override {
        root_ = fs::temp_directory_path() / ("tessaro-settings-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        UseWindowsDirectory(root_ / "win");
        setenv("TESSARO_HOME", (root_ / "home").c_str(), 1);
        record_ = std::make_unique<TConfigRecord>();
    }
    void TearDown() override {
        unsetenv("TESSARO_WINDIR");
        unsetenv("TESSARO_HOME");
        fs::remove_all(root_);
    }
    void UseWindowsDirectory(const fs::path& dir) {
        fs::create_directories(dir);
        setenv("TESSARO_WINDIR", dir.c_str(), 1);
        winDir_ = dir;
    }
    void Put(const std::string& text) { std::ofstream(winDir_ / "TESRO.INI", std::ios::binary) << text; }
    std::string Slurp() const {
        std::ifstream in(winDir_ / "TESRO.INI", std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::string Stored(const char* section, const char* key) const {
        return win::GetPrivateProfileString(section, key, "<absent>", 300, "TESRO.INI");
    }
    // [section] keys in file order.
    std::vector<std::pair<std::string, std::vector<std::string>>> Layout() const {
        std::vector<std::pair<std::string, std::vector<std::string>>> out;
        std::istringstream in(Slurp());
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty()) continue;
            if (line.front() == '[')
                out.push_back({line.substr(1, line.size() - 2), {}});
            else if (!out.empty())
                out.back().second.push_back(line.substr(0, line.find('=')));
        }
        return out;
    }
    std::string Home(const char* name) const { return (root_ / "home" / name).string(); }

    fs::path root_;
    fs::path winDir_;
    std::unique_ptr<TConfigRecord> record_;
};

TEST_F(SettingsTest, MissingFileGivesEveryDefault) {
    tessaro::LoadAllSettings(*record_, kScreen);
    const TConfigRecord& c = *record_;
    EXPECT_FALSE(fs::exists(winDir_ / "TESRO.INI"));
    EXPECT_EQ(c.RecentFiles[0], Home("TESRO.QTM"));
    for (int i = 1; i <= 5; ++i) EXPECT_TRUE(c.RecentFiles[static_cast<std::size_t>(i)].empty());
    EXPECT_EQ(c.EMailPath, Home("TESMAIL.TXT"));
    EXPECT_EQ(c.EMailLogPath, Home("MAILLOG.TXT"));
    // [Misc]
    EXPECT_EQ(c.LastDateFormat, 0);
    EXPECT_EQ(c.LastTimeFormat, 0);
    EXPECT_TRUE(c.SuppressZerosInDate && c.SuppressZerosInTime && c.UseTray && c.StartEditor &&
                c.DisableScreenSaver && c.FirstUse && c.SortHeader);
    EXPECT_FALSE(c.ShowDate || c.SoundOff || c.AutoHooks || c.BypassWizardScreen);
    EXPECT_EQ(c.SystemMenu, 1);
    EXPECT_EQ(c.PrimarySort, "123");
    EXPECT_EQ(c.ActivationSort, "12345");
    EXPECT_EQ(c.ScopeSort, "12345");
    EXPECT_TRUE(c.IE5Server.empty() && c.IE5TypeLib.empty() && c.IE5Version.empty());
    // [Capture]
    EXPECT_TRUE(c.CapDoubleAlt && c.CapKeys && c.CapMouse && c.CapTime && c.CapPrompt && c.CapClicksOnly &&
                c.CapWindowSize && c.CapGlobal);
    EXPECT_EQ(c.CapRelativeToScreen, 1);
    EXPECT_EQ(c.CapSpeed, 1);
    // [Snipra]
    EXPECT_FALSE(c.SnipraSolitaryUsage || c.SnipraUsePunctuation || c.SnipraNoRemove || c.SnipraUseSuffix);
    EXPECT_TRUE(c.SnipraRetypeSuffix);
    EXPECT_EQ(c.SnipraCaseMode, 3);
    EXPECT_TRUE(c.SnipraPrefixKeys.empty());
    // windows
    EXPECT_EQ(c.MainWidth, 620);
    EXPECT_EQ(c.MainHeight, 460);
    EXPECT_EQ(c.MainLeft, 0);
    EXPECT_EQ(c.MainTop, 0);
    EXPECT_EQ(c.CategoryWidth, 155);
    EXPECT_EQ(c.Col1Width, 155);
    EXPECT_EQ(c.Col2Width, 239);
    EXPECT_EQ(c.Col3Width, 138);
    EXPECT_TRUE(c.UseSpeed && c.ShowIcons);
    EXPECT_FALSE(c.ShowCategory);
    EXPECT_EQ(c.ScriptWidth, 606);
    EXPECT_EQ(c.ScriptHeight, 446);
    EXPECT_EQ(c.ScriptLeft, 0);
    EXPECT_EQ(c.ScriptTop, 0);
    EXPECT_EQ(c.InsertMethod, 3);
    // fonts
    for (const auto* f : {&c.PrintListFont, &c.GridTitleFont, &c.GridFont}) {
        EXPECT_EQ(f->Name, "Arial");
        EXPECT_EQ(f->Color, 0);
        EXPECT_FALSE(f->Bold || f->Italic || f->Underline || f->StrikeOut);
    }
    EXPECT_EQ(c.PrintListFont.Size, 10);
    EXPECT_EQ(c.GridTitleFont.Size, 12);
    EXPECT_EQ(c.GridFont.Size, 10);
    // [Network], [Scheduler], [EMail]
    EXPECT_FALSE(c.NetworkMode);
    EXPECT_TRUE(c.AutoSync);
    EXPECT_EQ(c.SyncMinutes, 10);
    EXPECT_FALSE(c.UseWaveFile || c.WaveFileWait);
    EXPECT_TRUE(c.WaveFile.empty());
    EXPECT_EQ(c.TimerSeconds, 10);
    EXPECT_TRUE(c.SMTPHost.empty() && c.EMailName.empty() && c.EMailAddress.empty());
    EXPECT_EQ(c.SMTPPort, 25);
    EXPECT_EQ(c.AttachmentEncoding, 0);
    EXPECT_FALSE(c.KeepLog);
}

TEST_F(SettingsTest, FlagsAreTrueOnlyForYesInAnyCase) {
    for (const char* text : {"yes", "Yes", "YES", " yEs "}) {
        Put(std::string("[Misc]\r\nUse Tray=") + text + "\r\n");
        tessaro::LoadMiscSettings(*record_);
        EXPECT_TRUE(record_->UseTray) << text;
    }
    for (const char* text : {"1", "True", "Y", "yes please", ""}) {
        Put(std::string("[misc]\r\nuse tray=") + text + "\r\n");
        tessaro::LoadMiscSettings(*record_);
        EXPECT_FALSE(record_->UseTray) << text;
    }
}

TEST_F(SettingsTest, NumbersConvertTheirLeadingDigits) {
    Put("[Capture]\nRelative To Screen= 2x\nSpeed=abc\n[EMail]\nSMTP Port=$1F\n[Network]\nSync Minutes=0\n");
    tessaro::LoadCaptureSettings(*record_);
    tessaro::LoadEMailSettings(*record_);
    tessaro::LoadNetworkSettings(*record_);
    EXPECT_EQ(record_->CapRelativeToScreen, 2);
    EXPECT_EQ(record_->CapSpeed, 0);
    EXPECT_EQ(record_->SMTPPort, 31);
    EXPECT_EQ(record_->SyncMinutes, 0);  // no range check
    ASSERT_TRUE(tessaro::SaveEMailSettings(*record_));
    EXPECT_EQ(Stored("EMail", "SMTP Port"), "$1F");  // unchanged: kept as the user wrote it
    record_->SMTPPort = 32;
    ASSERT_TRUE(tessaro::SaveEMailSettings(*record_));
    EXPECT_EQ(Stored("EMail", "SMTP Port"), "32");  // written as plain decimal
}

TEST_F(SettingsTest, TimerSecondsOutsideOneToSixtyBecomesTen) {
    for (const auto& [text, expected] : std::vector<std::pair<std::string, int>>{
             {"0", 10}, {"61", 10}, {"60", 60}, {"1", 1}, {"-5", 10}, {"65537", 10}}) {
        Put("[Scheduler]\r\nTimer Seconds=" + text + "\r\n");
        tessaro::LoadSchedulerSettings(*record_);
        EXPECT_EQ(record_->TimerSeconds, expected) << text;
    }
}

TEST_F(SettingsTest, ActivationSortIsPaddedAndRepaired) {
    for (const auto& [text, expected] :
         std::vector<std::pair<std::string, std::string>>{{"123", "12345"},
                                                          {"1234", "12345"},
                                                          {"21354", "21354"},
                                                          {"213", "21345"},
                                                          {"2135499", "21354"},
                                                          {"11345", "12345"},
                                                          {"12", "12345"},
                                                          {"", "12345"},
                                                          {"1x345", "12345"}}) {
        Put("[Misc]\r\nActivation Sort=" + text + "\r\n");
        tessaro::LoadMiscSettings(*record_);
        EXPECT_EQ(record_->ActivationSort, expected) << text;
    }
}

TEST_F(SettingsTest, AnyActivationSortBecomesAPermutationKeepingItsFirstPlaces) {
    // Every five-digit value of 1..5: the result is a permutation, and every digit that was
    // there at its first occurrence keeps that place.
    for (int n = 0; n < 5 * 5 * 5 * 5 * 5; ++n) {
        std::string text;
        for (int i = 0, v = n; i < 5; ++i, v /= 5) text += static_cast<char>('1' + v % 5);
        Put("[Misc]\r\nActivation Sort=" + text + "\r\n");
        tessaro::LoadMiscSettings(*record_);
        const std::string got = record_->ActivationSort.str();
        ASSERT_TRUE(std::is_permutation(got.begin(), got.end(), std::string("12345").begin())) << text;
        for (std::size_t i = 0; i < 5; ++i)
            if (text.find(text[i]) == i) {
                EXPECT_EQ(got[i], text[i]) << text;
            }
    }
}

TEST_F(SettingsTest, OtherSortOrdersAreCutAndMustBePermutations) {
    Put("[Misc]\r\nPrimary Sort=3124\r\nScope Sort=543219\r\n");
    tessaro::LoadMiscSettings(*record_);
    EXPECT_EQ(record_->PrimarySort, "312");
    EXPECT_EQ(record_->ScopeSort, "54321");
    Put("[Misc]\r\nPrimary Sort=113\r\nScope Sort=1234\r\n");
    tessaro::LoadMiscSettings(*record_);
    EXPECT_EQ(record_->PrimarySort, "123");
    EXPECT_EQ(record_->ScopeSort, "12345");
    Put("[Misc]\r\nPrimary Sort=19\r\nScope Sort=12346\r\n");
    tessaro::LoadMiscSettings(*record_);
    EXPECT_EQ(record_->PrimarySort, "123");
    EXPECT_EQ(record_->ScopeSort, "12345");
}

TEST_F(SettingsTest, CaseRuleMigration) {
    for (const auto& [text, expected] : std::vector<std::pair<std::string, int>>{
             {"Yes", 2}, {"YES", 3}, {"yes", 3}, {"No", 3}, {"0", 3}, {"1", 1}, {"2", 2}, {"7", 7}}) {
        Put("[Snipra]\r\nCase Sensative=" + text + "\r\n");
        tessaro::LoadSnipraSettings(*record_);
        EXPECT_EQ(record_->SnipraCaseMode, expected) << text;
    }
}

TEST_F(SettingsTest, WindowsAreForcedOnScreen) {
    Put("[Main Window]\r\nWidth=100\r\nHeight=120\r\nLeft=-700\r\nTop=768\r\n"
        "[Script Page]\r\nTop=-500\r\nLeft=-100\r\n");
    tessaro::LoadMainWindowSettings(*record_, kScreen);
    tessaro::LoadScriptPageSettings(*record_, kScreen);
    EXPECT_EQ(record_->MainWidth, 150);
    EXPECT_EQ(record_->MainHeight, 150);
    EXPECT_EQ(record_->MainLeft, 0);   // -700 + 150 <= 0
    EXPECT_EQ(record_->MainTop, 0);    // at the screen's bottom edge
    EXPECT_EQ(record_->ScriptTop, 0);  // -500 + 446 <= 0
    EXPECT_EQ(record_->ScriptHeight, 446);
    EXPECT_EQ(record_->ScriptLeft, -100);  // -100 + 606 still shows part of it

    Put("[Main Window]\r\nWidth=620\r\nLeft=-700\r\nTop=767\r\n[Script "
        "Page]\r\nLeft=1024\r\nTop=2147483647\r\nHeight=2147483647\r\n");
    tessaro::LoadMainWindowSettings(*record_, kScreen);
    tessaro::LoadScriptPageSettings(*record_, kScreen);
    EXPECT_EQ(record_->MainLeft, 0);
    EXPECT_EQ(record_->MainTop, 767);
    EXPECT_EQ(record_->ScriptLeft, 0);
    EXPECT_EQ(record_->ScriptTop, 0);
    Put("[Main Window]\r\nWidth=620\r\nLeft=-100\r\n");
    tessaro::LoadMainWindowSettings(*record_, kScreen);
    EXPECT_EQ(record_->MainLeft, -100);
}

// Bounds from a larger screen or a damaged file come inside this screen, so the window
// and its menus stay reachable and the next save writes usable values.
TEST_F(SettingsTest, HostileGeometryIsBroughtInsideTheScreen) {
    Put("[Main Window]\r\nWidth=999999999\r\nHeight=99999\r\nLeft=-999999\r\nTop=10\r\n"
        "Category Width=99999999\r\nCol 1 Width=99999999\r\nCol 2 Width=200\r\nCol 3 Width=-5\r\n"
        "[Script Page]\r\nWidth=5000\r\nHeight=4000\r\nLeft=-4990\r\n");
    tessaro::LoadMainWindowSettings(*record_, kScreen);
    tessaro::LoadScriptPageSettings(*record_, kScreen);
    EXPECT_EQ(record_->MainWidth, kScreen.width);
    EXPECT_EQ(record_->MainHeight, kScreen.height);
    EXPECT_EQ(record_->MainLeft, 0);  // wholly off the screen once the width is the screen's
    EXPECT_EQ(record_->MainTop, 10);
    EXPECT_EQ(record_->CategoryWidth, kScreen.width / 2);
    EXPECT_EQ(record_->Col1Width, kScreen.width);
    EXPECT_EQ(record_->Col2Width, 200);
    EXPECT_EQ(record_->Col3Width, -5);  // the list shows its own width for these
    EXPECT_EQ(record_->ScriptWidth, kScreen.width);
    EXPECT_EQ(record_->ScriptHeight, kScreen.height);
    EXPECT_EQ(record_->ScriptLeft, 0);
}

TEST_F(SettingsTest, StringsAreCutToTheirFields) {
    Put("[Snipra]\r\nPrefix Keys=abc\r\n[EMail]\r\nSMTP Host=" + std::string(60, 'h') +
        "\r\n[Misc]\r\nIE5 Version=" + std::string(30, 'v') + "\r\nEMail Path=" + std::string(300, 'p') +
        "\r\n");
    tessaro::LoadSnipraSettings(*record_);
    tessaro::LoadEMailSettings(*record_);
    tessaro::LoadMiscSettings(*record_);
    EXPECT_EQ(record_->SnipraPrefixKeys, "ab");
    EXPECT_EQ(record_->SMTPHost, std::string(50, 'h'));
    EXPECT_EQ(record_->IE5Version, std::string(19, 'v'));  // read size 20 keeps 19
    EXPECT_EQ(record_->EMailPath, std::string(249, 'p'));  // read size 250 keeps 249
}

TEST_F(SettingsTest, CurrentFileMustExist) {
    fs::create_directories(root_ / "macros");
    const std::string file = (root_ / "macros" / "MINE.QTM").string();
    std::ofstream(file) << "x";
    Put("[Misc]\r\nCurrent File=" + file + "\r\n");
    tessaro::LoadCurrentFileSetting(*record_);
    EXPECT_EQ(record_->RecentFiles[0], file);
    Put("[Misc]\r\nCurrent File=" + (root_ / "macros").string() + "\r\n");  // a folder is no file
    tessaro::LoadCurrentFileSetting(*record_);
    EXPECT_EQ(record_->RecentFiles[0], Home("TESRO.QTM"));
    Put("[Misc]\r\nCurrent File=" + (root_ / "gone.QTM").string() + "\r\n");
    tessaro::LoadCurrentFileSetting(*record_);
    EXPECT_EQ(record_->RecentFiles[0], Home("TESRO.QTM"));
}

TEST_F(SettingsTest, NewFileHasSectionsAndKeysInOrder) {
    tessaro::LoadAllSettings(*record_, kScreen);
    ASSERT_TRUE(tessaro::SaveAllSettings(*record_));
    using Keys = std::vector<std::string>;
    const Keys font = {"Color", "Font Name", "Size", "Bold", "Italic"};
    Keys gridFont = font;
    gridFont.insert(gridFont.end(), {"Underline", "Strikeout"});
    const std::vector<std::pair<std::string, Keys>> expected = {
        {"Misc",
         {"EMail Path",
          "EMail Log Path",
          "System Menu",
          "Bypass Wizard Screen",
          "Sort Header",
          "Primary Sort",
          "Activation Sort",
          "Scope Sort",
          "Last Date Format",
          "Last Time Format",
          "Suppress Zeros In Date",
          "Suppress Zeros In Time",
          "Show Date",
          "Use Tray",
          "Start Editor",
          "Sound Off",
          "Auto Hooks",
          "Disable Screen Saver",
          "First Use",
          "Last File 1",
          "Last File 2",
          "Last File 3",
          "Last File 4",
          "Last File 5",
          "IE5 Server",
          "IE5 TypeLib",
          "IE5 Version",
          "Current File"}},
        {"Capture",
         {"Double Alt", "Keys", "Mouse", "Relative To Screen", "Time", "Clicks Only", "Prompt", "Window Size",
          "Global", "Speed"}},
        {"Snipra",
         {"Solitary Usage", "Case Sensative", "No Remove", "Use Punctuation", "Retype Suffix", "Use Suffix",
          "Prefix Keys"}},
        {"Grid Title Font", gridFont},
        {"Grid Font", gridFont},
        {"Main Window",
         {"Width", "Height", "Left", "Top", "Category Width", "Col 1 Width", "Col 2 Width", "Col 3 Width",
          "Use Speed", "Show Icons", "Show Category"}},
        {"Script Page", {"Width", "Height", "Left", "Top", "Insert Method"}},
        {"Network", {"Network Mode", "Auto Sync", "Sync Minutes"}},
        {"Print List Font", font},
        {"Scheduler", {"Use Wave File", "Wave File Wait", "Wave File", "Timer Seconds"}},
        {"EMail",
         {"SMTP Host", "EMail Name", "EMail Address", "SMTP Port", "Attachment Encoding", "Keep Log"}},
    };
    EXPECT_EQ(Layout(), expected);
    EXPECT_EQ(Stored("Misc", "Use Tray"), "Yes");
    EXPECT_EQ(Stored("Misc", "Sound Off"), "No");
    EXPECT_EQ(Stored("Misc", "Last File 3"), "");  // present, empty
    EXPECT_NE(Slurp().find("Last File 3=\r\n"), std::string::npos);
}

TEST_F(SettingsTest, SaveKeepsForeignKeysAndStoredOrder) {
    Put("; hand edited\r\n[Capture]\r\nSpeed=2\r\nMy Own=keep\r\nKeys=No\r\n\r\n[Other]\r\nx=1\r\n");
    tessaro::LoadCaptureSettings(*record_);
    EXPECT_EQ(record_->CapSpeed, 2);
    EXPECT_FALSE(record_->CapKeys);
    ASSERT_TRUE(tessaro::SaveCaptureSettings(*record_));
    const auto layout = Layout();
    ASSERT_EQ(layout.size(), 2u);
    const std::vector<std::string> capture = {
        "Speed", "My Own",      "Keys",   "Double Alt",  "Mouse", "Relative To Screen",
        "Time",  "Clicks Only", "Prompt", "Window Size", "Global"};
    EXPECT_EQ(layout[0].second, capture);
    EXPECT_EQ(Stored("Other", "x"), "1");
    EXPECT_EQ(Slurp().rfind("; hand edited\r\n", 0), 0u);
}

// Every stored field set away from its default, with the text kinds at full length.
void FillNonDefaults(TConfigRecord& c, const std::string& currentFile) {
    c.LastDateFormat = 3;
    c.LastTimeFormat = -2;
    c.SuppressZerosInDate = false;
    c.SuppressZerosInTime = false;
    c.ShowDate = true;
    c.UseTray = false;
    c.StartEditor = false;
    c.SoundOff = true;
    c.AutoHooks = true;
    c.DisableScreenSaver = false;
    c.FirstUse = false;
    c.EMailPath = "/mail/list \xE9.txt";
    c.EMailLogPath = "/mail/log.txt";
    c.KeepLog = true;
    c.NetworkMode = true;
    c.AutoSync = false;
    c.SyncMinutes = 65535;
    c.BypassWizardScreen = true;
    c.UseWaveFile = true;
    c.WaveFileWait = true;
    c.WaveFile = "/sounds/ding.wav";
    c.TimerSeconds = 59;
    c.RecentFiles[0] = currentFile;
    for (std::size_t i = 1; i <= 5; ++i) c.RecentFiles[i] = "/recent/" + std::to_string(i) + ".QTM";
    c.SortHeader = false;
    c.PrimarySort = "321";
    c.ActivationSort = "54321";
    c.ScopeSort = "24135";
    c.PrintListFont = {"Courier New", 9, 255, true, false, false, false};
    c.MainWidth = 800;
    c.MainHeight = 600;
    c.MainLeft = 10;
    c.MainTop = 20;
    c.CategoryWidth = 99;
    c.Col1Width = 1;
    c.Col2Width = 2;
    c.Col3Width = 3;
    c.UseSpeed = false;
    c.ShowIcons = false;
    c.ShowCategory = true;
    c.ScriptWidth = 700;
    c.ScriptHeight = 500;
    c.ScriptLeft = -100;
    c.ScriptTop = 300;
    c.InsertMethod = 1;
    c.GridTitleFont = {"Tahoma", 14, -2147483643, true, true, true, true};
    c.GridFont = {"Verdana", 8, 16777215, false, true, false, true};
    c.CapDoubleAlt = false;
    c.CapKeys = false;
    c.CapMouse = false;
    c.CapTime = false;
    c.CapPrompt = false;
    c.CapRelativeToScreen = 3;
    c.CapClicksOnly = false;
    c.CapWindowSize = false;
    c.CapGlobal = false;
    c.CapSpeed = 4;
    c.SMTPHost = std::string(50, 's');
    c.SMTPPort = 587;
    c.EMailName = "Ren\xE9";
    c.EMailAddress = "rene@example.org";
    c.AttachmentEncoding = 1;
    c.SystemMenu = 0;
    c.SnipraSolitaryUsage = true;
    c.SnipraCaseMode = 1;
    c.SnipraUsePunctuation = true;
    c.SnipraRetypeSuffix = false;
    c.SnipraNoRemove = true;
    c.SnipraUseSuffix = true;
    c.SnipraPrefixKeys = ";;";
    c.IE5Server = "server";
    c.IE5TypeLib = "typelib";
    c.IE5Version = "5.50.4134.0600";
}

TEST_F(SettingsTest, WrittenFileReadsBackIdentically) {
    const std::string current = Home("CURRENT.QTM");
    fs::create_directories(root_ / "home");
    std::ofstream(current) << "x";
    FillNonDefaults(*record_, current);
    ASSERT_TRUE(tessaro::SaveAllSettings(*record_));
    const std::string first = Slurp();

    TConfigRecord reread;
    tessaro::LoadAllSettings(reread, kScreen);
    EXPECT_EQ(reread.GridTitleFont.Color, -2147483643);
    EXPECT_TRUE(reread.GridTitleFont.StrikeOut && reread.GridTitleStrikeout);
    EXPECT_EQ(reread.EMailName, "Ren\xE9");
    EXPECT_EQ(reread.SyncMinutes, 65535);
    EXPECT_EQ(reread.RecentFiles[0], current);

    UseWindowsDirectory(root_ / "win2");
    ASSERT_TRUE(tessaro::SaveAllSettings(reread));
    EXPECT_EQ(Slurp(), first);  // every value came back as it was written
}

// Two records on one file, as the player and the editor hold them: each loaded everything
// at its start, and each saves on its own.
TEST_F(SettingsTest, EachProgramWritesBackOnlyWhatItChangedAndNeverRollsBackTheOther) {
    {
        TConfigRecord first;
        tessaro::LoadAllSettings(first, kScreen);
        ASSERT_TRUE(tessaro::SaveAllSettings(first));  // a complete file, as after a first run
    }
    TConfigRecord player, editor;
    tessaro::LoadAllSettings(player, kScreen);
    tessaro::LoadAllSettings(editor, kScreen);

    // The player's command line switches, saved at its start.
    player.UseTray = false;
    player.SyncMinutes = 45;
    ASSERT_TRUE(tessaro::SaveMiscSettings(player));
    ASSERT_TRUE(tessaro::SaveNetworkSettings(player));

    // The editor's window, fonts and script editor bounds, saved when it closes.
    editor.MainWidth = 901;
    editor.MainLeft = 33;
    editor.GridFont.Name = "Tahoma";
    editor.GridTitleFont.Bold = true;
    editor.ScriptWidth = 700;
    editor.InsertMethod = 1;
    editor.ShowDate = true;  // a [Misc] key beside the player's switches
    ASSERT_TRUE(tessaro::SaveAllSettings(editor));
    const std::string afterEditor = Slurp();

    // The player ends with nothing of its own changed since: the file stays as it is.
    ASSERT_TRUE(tessaro::SaveAllSettings(player));
    EXPECT_EQ(Slurp(), afterEditor);

    TConfigRecord reread;
    tessaro::LoadAllSettings(reread, kScreen);
    EXPECT_EQ(reread.MainWidth, 901);
    EXPECT_EQ(reread.MainLeft, 33);
    EXPECT_EQ(reread.GridFont.Name, "Tahoma");
    EXPECT_TRUE(reread.GridTitleFont.Bold);
    EXPECT_EQ(reread.ScriptWidth, 700);
    EXPECT_EQ(reread.InsertMethod, 1);
    EXPECT_TRUE(reread.ShowDate);
    EXPECT_FALSE(reread.UseTray);  // the editor loaded "Yes" but never changed it
    EXPECT_EQ(reread.SyncMinutes, 45);

    // A later change of either program is written, and only that.
    player.UseTray = true;
    ASSERT_TRUE(tessaro::SaveAllSettings(player));
    EXPECT_EQ(Stored("Misc", "Use Tray"), "Yes");
    EXPECT_EQ(Stored("Main Window", "Width"), "901");
    EXPECT_EQ(Stored("Misc", "Show Date"), "Yes");
    EXPECT_EQ(Stored("Grid Font", "Font Name"), "Tahoma");
}

TEST_F(SettingsTest, ASaveWithoutAChangeLeavesTheFileByteForByte) {
    tessaro::LoadAllSettings(*record_, kScreen);
    ASSERT_TRUE(tessaro::SaveAllSettings(*record_));
    // Hand-edited: blanks around the equals sign, another spelling of a key, values that
    // the loaders repair (a narrow window, a sort order that is no permutation).
    std::string text = Slurp();
    const auto replace = [&](const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    replace("Use Tray=Yes", "use tray = yes");
    replace("[Main Window]\r\nWidth=620", "[Main Window]\r\nWidth=100");
    replace("Activation Sort=12345", "Activation Sort=1135");
    replace("Prefix Keys=", "Prefix Keys=abc");
    Put(text);

    TConfigRecord c;
    tessaro::LoadAllSettings(c, kScreen);
    EXPECT_EQ(c.MainWidth, 150);
    EXPECT_EQ(c.ActivationSort, "12354");
    ASSERT_TRUE(tessaro::SaveAllSettings(c));
    EXPECT_EQ(Slurp(), text);
    ASSERT_TRUE(tessaro::SaveMiscSettings(c));
    ASSERT_TRUE(tessaro::SaveMainWindowSettings(c));
    ASSERT_TRUE(tessaro::SaveSnipraSettings(c));
    EXPECT_EQ(Slurp(), text);

    // A section reloaded on the other program's notice counts as read, not as a change.
    win::WritePrivateProfileString("Capture", "Speed", "3", "TESRO.INI");
    tessaro::LoadCaptureSettings(c);
    const std::string reloaded = Slurp();
    ASSERT_TRUE(tessaro::SaveAllSettings(c));
    EXPECT_EQ(Slurp(), reloaded);
}

TEST_F(SettingsTest, KeysTheFileLacksAreAddedButWhatTheOtherProgramWroteStays) {
    tessaro::LoadAllSettings(*record_, kScreen);  // no file yet: every default
    // The other program writes its window while this one runs.
    ASSERT_TRUE(win::WritePrivateProfileString("Main Window", "Width", "901", "TESRO.INI"));
    ASSERT_TRUE(tessaro::SaveAllSettings(*record_));
    EXPECT_EQ(Stored("Main Window", "Width"), "901");
    EXPECT_EQ(Stored("Main Window", "Height"), "460");  // the file is complete again
    EXPECT_EQ(Stored("Script Page", "Insert Method"), "3");
    EXPECT_EQ(Layout().size(), 11u);
}

TEST_F(SettingsTest, FontStyleReachesTheFileAndFlagsRebuildTheStyle) {
    tessaro::LoadAllSettings(*record_, kScreen);
    record_->GridFont.Bold = true;  // as a font dialog would change it
    record_->GridFont.StrikeOut = true;
    record_->PrintListFont.Italic = true;
    ASSERT_TRUE(tessaro::SaveGridFontSettings(*record_));
    ASSERT_TRUE(tessaro::SavePrintListFontSettings(*record_));
    EXPECT_TRUE(record_->GridBold && record_->GridStrikeout && record_->PrintListItalic);
    EXPECT_EQ(Stored("Grid Font", "Bold"), "Yes");
    EXPECT_EQ(Stored("Grid Font", "Strikeout"), "Yes");
    EXPECT_EQ(Stored("Grid Font", "Italic"), "No");
    EXPECT_EQ(Stored("Print List Font", "Italic"), "Yes");
    EXPECT_EQ(Stored("Print List Font", "Underline"), "<absent>");

    Put("[Grid Title Font]\r\nUnderline=yes\r\nFont Name=" + std::string(200, 'f') + "\r\nSize=x\r\n");
    tessaro::LoadGridTitleFontSettings(*record_);
    EXPECT_TRUE(record_->GridTitleFont.Underline);
    EXPECT_FALSE(record_->GridTitleFont.Bold);
    EXPECT_EQ(record_->GridTitleFont.Name, std::string(149, 'f'));
    EXPECT_EQ(record_->GridTitleFont.Size, 0);
}

TEST_F(SettingsTest, UnwritableFileIsReportedOnce) {
    std::vector<win::MessageBoxCall> calls;
    win::ScopedMessageBoxHandler handler([&](const win::MessageBoxCall& call) {
        calls.push_back(call);
        return win::MbResult::Ok;
    });
    setenv("TESSARO_WINDIR", "/proc/self/tessaro-no-such-dir", 1);  // nobody can create files there
    tessaro::LoadAllSettings(*record_, kScreen);
    EXPECT_FALSE(tessaro::SaveAllSettings(*record_));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].caption, "Error");
    EXPECT_NE(calls[0].text.find("TESRO.INI"), std::string::npos);
    EXPECT_FALSE(tessaro::SaveEMailSettings(*record_));
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(SettingsTest, SavingAllTriesEverySectionAndNamesTheFailuresOnce) {
    std::vector<win::MessageBoxCall> calls;
    win::ScopedMessageBoxHandler handler([&](const win::MessageBoxCall& call) {
        calls.push_back(call);
        return win::MbResult::Ok;
    });
    tessaro::LoadAllSettings(*record_, kScreen);
    // A value that cannot be one line of the file fails its section only.
    record_->RecentFiles[2] = std::string("a\nb");
    record_->RecentFiles[0] = std::string("c\rd");
    record_->SMTPPort = 2525;
    EXPECT_FALSE(tessaro::SaveAllSettings(*record_));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].caption, "Error");
    EXPECT_NE(calls[0].text.find("(section [Misc])"), std::string::npos) << calls[0].text;
    std::vector<std::string> sections;
    for (const auto& [section, keys] : Layout()) sections.push_back(section);
    EXPECT_EQ(sections,
              (std::vector<std::string>{"Capture", "Snipra", "Grid Title Font", "Grid Font", "Main Window",
                                        "Script Page", "Network", "Print List Font", "Scheduler", "EMail"}));
    EXPECT_EQ(Stored("EMail", "SMTP Port"), "2525");

    record_->RecentFiles[2] = std::string("ok");
    record_->SMTPHost = std::string("x\ny");
    calls.clear();
    EXPECT_FALSE(tessaro::SaveAllSettings(*record_));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls[0].text.find("(sections [Misc], [EMail])"), std::string::npos) << calls[0].text;
    EXPECT_EQ(Stored("Misc", "Last File 2"), "ok");
}

TEST_F(SettingsTest, ReadOnlyFileIsReportedAndLeftAsItIs) {
    Put("[Misc]\r\nUse Tray=No\r\n");
    const fs::path file = winDir_ / "TESRO.INI";
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto inode = [&] {
        struct stat st {};
        ::stat(file.c_str(), &st);
        return st.st_ino;
    };
    const auto before = inode();
    std::vector<win::MessageBoxCall> calls;
    win::ScopedMessageBoxHandler handler([&](const win::MessageBoxCall& call) {
        calls.push_back(call);
        return win::MbResult::Ok;
    });
    tessaro::LoadAllSettings(*record_, kScreen);
    EXPECT_FALSE(record_->UseTray);
    EXPECT_FALSE(tessaro::SaveAllSettings(*record_));
    EXPECT_FALSE(tessaro::SaveNetworkSettings(*record_));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].caption, "Error");
    EXPECT_NE(calls[0].text.find("TESRO.INI"), std::string::npos);
    EXPECT_EQ(Slurp(), "[Misc]\r\nUse Tray=No\r\n");
    EXPECT_EQ(inode(), before);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// A FIFO, or a link to a device, in the settings file's place: the start's saves are one
// write and one box, which names the sections and says what is there; nothing is opened
// that could wait or be written through.
TEST_F(SettingsTest, AFifoOrADeviceAsTheFileIsToldOnceWithWhatItIs) {
    const fs::path file = winDir_ / "TESRO.INI";
    std::vector<win::MessageBoxCall> calls;
    win::ScopedMessageBoxHandler handler([&](const win::MessageBoxCall& call) {
        calls.push_back(call);
        return win::MbResult::Ok;
    });
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"fifo", "it is a named pipe, not a regular file"}, {"device", "it is a device, not a regular file"}};
    for (const auto& [kind, cause] : cases) {
        SCOPED_TRACE(kind);
        fs::remove(file);
        if (kind == "fifo")
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        else
            fs::create_symlink("/dev/null", file);
        calls.clear();
        tessaro::LoadAllSettings(*record_, kScreen);
        record_->SyncMinutes = 45;
        EXPECT_FALSE(tessaro::SaveCurrentFileMiscAndNetworkSettings(*record_));
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].caption, "Error");
        EXPECT_EQ(calls[0].text, "The settings could not be saved to " + file.string() +
                                     " (sections [Misc], [Network]): " + cause + ".");
        EXPECT_EQ(fs::symlink_status(file).type(),
                  kind == "fifo" ? fs::file_type::fifo : fs::file_type::symlink);
    }
}

}  // namespace
