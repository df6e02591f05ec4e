#include "editor/model/wizard/wizard_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "editor/model/wizard/activation_pages.h"

namespace tessaro::wizard {
namespace {

namespace fs = std::filesystem;

class WizardChecks : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tessaro-wizchecks-" + std::to_string(::getpid()));
        fs::create_directories(dir / "folder");
        std::ofstream(dir / "file.txt") << "x";
        file = (dir / "file.txt").string();
        folder = (dir / "folder").string();
        env.today = {2026, 12, 9};
    }
    void TearDown() override { fs::remove_all(dir); }

    PageCheck Run(int page, int function, const Answers& a) const {
        return ValidData(page, function, a, env);
    }

    fs::path dir;
    std::string file, folder;
    CheckEnv env;
};

struct Case {
    const char* name;
    int page;
    int function;
    std::function<void(Answers&, const std::string& file, const std::string& folder)> setup;
    const char* message;  // "" when the page passes
    const char* focus;
};

using A = Answers;
using S = const std::string&;

TEST_F(WizardChecks, EveryMessageAndFocus) {
    const std::vector<Case> cases = {
        {"no hot key", 3, 1, [](A&, S, S) {}, "A hot key has not been selected. Please select one.", "P3KeyList"},
        {"hot key", 3, 1, [](A& a, S, S) { a.Set("P3KeyList").index = 5; }, "", ""},
        {"snipra blank", 3, 1, [](A& a, S, S) { a.Choose("P2Snipra", {"P2HotKey", "P2Snipra"}); a.Set("P3SnipraName").text = "  "; },
         "A Snipra name has not been entered. Please enter one.", "P3SnipraName"},
        {"network path", 6, 8, [](A& a, S, S) { a.Set("P5Toggle").checked = true; }, "A network drive has not been entered.", "P6ProgPath"},
        {"disconnect needs no path", 6, 8, [](A& a, S, S) { a.Choose("P5Disconnect", {"P5Toggle", "P5Disconnect"}); }, "", ""},
        {"exe name", 8, 1, [](A& a, S, S) { a.Choose("P7SpecProg", {"P7Global", "P7SpecProg"}); a.Choose("P8ProgPath", {"P8Installed", "P8ProgPath"}); },
         "No program name has been entered. Please enter one.", "P8Path"},
        {"installed program", 8, 1, [](A& a, S, S) { a.Choose("P7SpecProg", {"P7Global", "P7SpecProg"}); },
         "A program has not been selected. Please select one.", "P8InstallBox"},
        {"window title", 8, 1, [](A& a, S, S) { a.Choose("P7SpecWin", {"P7Global", "P7SpecWin"}); a.Set("P8Title").text = " "; },
         "No window title name has been entered. Please enter one.", "P8Title"},
        {"popup menu", 9, 1, [](A& a, S, S) { a.Choose("P9AddYes", {"P9AddYes", "P9AddNo"}); },
         "No popup macro has been selected. Please select one.", "P9PopupList"},
        {"nickname empty", 10, 1, [](A&, S, S) {}, "No nickname has been entered.", "P10Nick"},
        {"nickname of blanks passes", 10, 1, [](A& a, S, S) { a.Set("P10Nick").text = "   "; }, "", ""},
        {"paste text", 12, 2, [](A& a, S, S) { a.Set("P13Text").checked = true; }, "No text has been entered.", "P12MyMemo"},
        {"paste file", 12, 2, [](A& a, S, S folder) { a.Choose("P13File", {"P13Text", "P13File"}); a.Set("P12Path").text = folder; },
         "Specified file does not exist.  Please correct.", "P12Path"},
        {"paste file there", 12, 2, [](A& a, S file, S) { a.Choose("P13Graphic", {"P13Text", "P13Graphic"}); a.Set("P12Path").text = " " + file + " "; }, "", ""},
        {"type text", 14, 1, [](A&, S, S) {}, "No text has been entered.", "P14MyMemo"},
        {"printer", 15, 14, [](A&, S, S) {}, "No printer has been selected. Please select one.", "P15SettingBox"},
        {"display", 16, 13, [](A&, S, S) {}, "No display setting has been selected. Please select one.", "P16SettingBox"},
        {"date format", 18, 6, [](A&, S, S) {}, "No date format has been selected. Please select one.", "P18Format"},
        {"time format", 19, 6, [](A&, S, S) {}, "No time format has been selected. Please select one.", "P19Format"},
        {"days", 20, 6, [](A& a, S, S) { a.Set("P20Future").checked = true; a.Set("P20Days").text = "-1"; },
         "Invalid days specified. Please correct.", "P20Days"},
        {"days zero", 20, 6, [](A& a, S, S) { a.Set("P20Past").checked = true; a.Set("P20Days").text = "0"; }, "", ""},
        {"web url", 22, 5, [](A& a, S, S) { a.Set("P21Web").checked = true; }, "No web URL has been entered. Please enter one.", "P22URL"},
        {"ftp url", 22, 5, [](A&, S, S) {}, "No FTP URL has been entered. Please enter one.", "P22URL"},
        {"bitmap name", 23, 19, [](A&, S, S) {}, "A bitmap name has not been entered. Please correct.", "P23Bit"},
        {"bitmap missing", 23, 19, [](A& a, S, S folder) { a.Set("P23Bit").text = folder + "/none.bmp"; },
         "Specified bitmap file does not exist.  Please correct.", "P23Bit"},
        {"bitmap top zero", 23, 19, [](A& a, S file, S) { a.Set("P23Bit").text = file; a.Set("P23Positioned").checked = true; a.Set("P23Top").text = "0"; a.Set("P23Left").text = "5"; },
         "Invalid top position specified. Please correct.", "P23Top"},
        {"bitmap left", 23, 19, [](A& a, S file, S) { a.Set("P23Bit").text = file; a.Set("P23Positioned").checked = true; a.Set("P23Top").text = "1"; a.Set("P23Left").text = "x"; },
         "Invalid left position specified. Please correct.", "P23Left"},
        {"avi name", 24, 16, [](A&, S, S) {}, "A file name has not been entered. Please correct.", "P24Path"},
        {"avi missing", 24, 16, [](A& a, S, S folder) { a.Set("P24Path").text = folder; }, "Specified AVI file does not exist.  Please correct.", "P24Path"},
        {"folder name", 25, 22, [](A& a, S, S) { a.Set("P25Folder").checked = true; }, "A folder name has not been entered. Please correct.", "P25Path"},
        {"folder missing", 25, 22, [](A& a, S file, S) { a.Set("P25Folder").checked = true; a.Set("P25Path").text = file; },
         "Specified folder does not exist.  Please correct.", "P25Path"},
        {"folder with separator", 25, 22, [](A& a, S, S folder) { a.Set("P25Folder").checked = true; a.Set("P25Path").text = folder + "/"; }, "", ""},
        {"special folder", 25, 22, [](A& a, S, S) { a.Set("P25Special").checked = true; },
         "A special folder has not been selected. Please select one.", "P25SpecList"},
        {"reminder text", 26, 10, [](A&, S, S) {}, "No text has been entered.", "P26MyMemo"},
        {"wave name", 26, 10, [](A& a, S, S) { a.Set("P26MyMemo").text = "x"; a.Set("P26Wave").checked = true; },
         "A file name has not been entered. Please correct.", "P26ProgPath"},
        {"wave missing", 26, 10, [](A& a, S, S folder) { a.Set("P26MyMemo").text = "x"; a.Set("P26Wave").checked = true; a.Set("P26ProgPath").text = folder + "/a.wav"; },
         "Specified WAV file does not exist.  Please correct.", "P26ProgPath"},
        {"phone book", 28, 12, [](A&, S, S) {}, "A phone book entry has not been selected. Please select one.", "P28PhoneList"},
        {"user name", 28, 29, [](A& a, S, S) { a.Set("P78RAS").checked = true; a.Set("P28PhoneList").index = 0; },
         "No user name has been entered. Please correct.", "P28UserName"},
        {"dial password", 28, 12, [](A& a, S, S) { a.Set("P28PhoneList").index = 0; a.Set("P28UserName").text = "u"; },
         "No password has been entered. Please correct.", "P28Password"},
        {"logon name", 29, 8, [](A& a, S, S) { a.Set("P5Connect").checked = true; }, "No logon name has been entered. Please correct.", "P29LogName"},
        {"logon password", 29, 8, [](A& a, S, S) { a.Set("P5Toggle").checked = true; a.Set("P29LogName").text = "me"; },
         "No password has been entered. Please correct.", "P29LogPass"},
        {"default logon", 29, 8, [](A& a, S, S) { a.Set("P5Toggle").checked = true; a.Set("P29UseDefault").checked = true; }, "", ""},
        {"default folder", 31, 4, [](A& a, S, S) { a.Set("P31Yes").checked = true; }, "A folder name has not been entered. Please correct.", "P31Path"},
        {"program path", 32, 4, [](A& a, S, S) { a.Set("P32ProgPath").checked = true; }, "No program name has been entered. Please enter one.", "P32Path"},
        {"program path not tested", 32, 4, [](A& a, S, S) { a.Set("P32ProgPath").checked = true; a.Set("P32Path").text = "/no/such"; }, "", ""},
        {"program list", 32, 4, [](A&, S, S) {}, "A program has not been selected. Please select one.", "P32InstallBox"},
        {"activate title", 33, 4, [](A& a, S, S) { a.Set("P33Title").text = "  "; }, "No window title name has been entered. Please enter one.", "P33Title"},
        {"document", 34, 4, [](A&, S, S) {}, "A file name has not been entered. Please correct.", "P34Path"},
        {"document missing", 34, 4, [](A& a, S, S folder) { a.Set("P34Path").text = folder; }, "Specified file does not exist.  Please correct.", "P34Path"},
        {"top", 36, 20, [](A& a, S, S) { a.Set("P35RepTop").checked = true; a.Set("P36Width").text = "-3"; }, "Invalid top position specified. Please correct.", "P36Width"},
        {"left", 36, 20, [](A& a, S, S) { a.Set("P35RepChoice").checked = true; a.Set("P36Width").text = "0"; }, "Invalid left position specified. Please correct.", "P36Height"},
        {"width", 36, 20, [](A& a, S, S) { a.Set("P35SizeTop").checked = true; }, "Invalid width specified. Please correct.", "P36Width"},
        {"height", 36, 20, [](A& a, S, S) { a.Set("P35SizeTop").checked = true; a.Set("P36Width").text = "0"; a.Set("P36Height").text = "1e"; },
         "Invalid height specified. Please correct.", "P36Height"},
        {"zeros pass", 36, 20, [](A& a, S, S) { a.Set("P35SizeTop").checked = true; a.Set("P36Width").text = "0"; a.Set("P36Height").text = "0"; }, "", ""},
        {"title appears", 37, 1, [](A&, S, S) {}, "No window title name has been entered. Please enter one.", "P37Title"},
        {"window to act on", 40, 21, [](A& a, S, S) { a.Set("P40Title").text = " "; }, "No window title name has been entered. Please enter one.", "P40Title"},
        {"saver minutes", 41, 24, [](A& a, S, S) { a.Set("P41Idle").checked = true; a.Set("P41Minutes").text = "61"; },
         "Invalid minutes specified. Value must be between 1 and 60. Please correct.", "P41Minutes"},
        {"track", 42, 15, [](A& a, S, S) { a.Set("P42GoTo").checked = true; a.Set("P42Track").text = "a"; }, "Invalid track specified. Please correct.", "P42Track"},
        {"sound name", 46, 17, [](A&, S, S) {}, "A file name has not been entered. Please correct.", "P46FName"},
        {"sound missing", 46, 17, [](A& a, S, S folder) { a.Set("P46FName").text = folder + "/x.wav"; }, "Specified WAV file does not exist.  Please correct.", "P46FName"},
        {"change folder", 49, 11, [](A& a, S, S) { a.Set("P48ChangeDir").checked = true; a.Set("P49Path").text = "/no/such/folder"; },
         "Specified folder does not exist.  Please correct.", "P49Path"},
        {"create folder", 49, 11, [](A& a, S, S) { a.Set("P48CreateFolder").checked = true; }, "A folder name has not been entered. Please correct.", "P49Path"},
        {"create folder not tested", 49, 11, [](A& a, S, S) { a.Set("P48CreateFolder").checked = true; a.Set("P49Path").text = "/no/such"; }, "", ""},
        {"delete file", 49, 11, [](A& a, S, S) { a.Set("P48DeleteFile").checked = true; }, "A file name has not been entered. Please correct.", "P49Path"},
        {"copy missing", 49, 11, [](A& a, S, S folder) { a.Set("P48CopyFile").checked = true; a.Set("P49Path").text = folder; },
         "Specified file does not exist.  Please correct.", "P49Path"},
        {"rename new name", 49, 11, [](A& a, S file, S) { a.Set("P48RenameFile").checked = true; a.Set("P49Path").text = file; },
         "No new file name specified.  Please correct.", "P49NewName"},
        {"menu macros", 50, 25, [](A&, S, S) {}, "No macros have been selected for the menu. Please correct.", "P50Macros"},
        {"command", 58, 27, [](A&, S, S) {}, "A macro command has not been chosen yet.", "P58Choose"},
        {"capture nothing", 60, 7, [](A& a, S, S) { a.Set("P59No").checked = true; a.Set("P60No").checked = true; },
         "You must capture either keystrokes, mouse or both.", "P60Yes"},
        {"capture keys only", 60, 7, [](A& a, S, S) { a.Set("P60No").checked = true; }, "", ""},
        {"window", 62, 7, [](A&, S, S) {}, "No window title has been selected.", "P62ProgList"},
        {"combined", 64, 26, [](A&, S, S) {}, "No macro commands have been moved over to form the new macro.", "P64AvailBox"},
        {"prefix colon", 66, 28, [](A& a, S, S) { a.Set("P66PrefixKeys").text = "a:"; },
         "The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' ! @ # $ % ^ & _ = < > ? . ; , * - / +",
         "P66PrefixKeys"},
        {"prefix apostrophe", 66, 28, [](A& a, S, S) { a.Set("P66PrefixKeys").text = "'"; },
         "The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' ! @ # $ % ^ & _ = < > ? . ; , * - / +",
         "P66PrefixKeys"},
        {"prefix empty", 66, 28, [](A&, S, S) {}, "", ""},
        {"prefix valid", 66, 28, [](A& a, S, S) { a.Set("P66PrefixKeys").text = " ;/ "; }, "", ""},
        {"address", 76, 29, [](A&, S, S) {}, "No E-Mail address has been entered or selected.", "P76Address"},
        {"address chosen", 76, 29, [](A& a, S, S) { a.Set("P76AddressBox").selected = {0}; }, "", ""},
        {"sweepstakes start", 72, 18, [](A&, S, S) {}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Answers a;
        a.Set("P2HotKey").checked = true;
        a.Set("P7Global").checked = true;
        c.setup(a, file, folder);
        const PageCheck check = Run(c.page, c.function, a);
        if (std::string(c.message).empty()) {
            EXPECT_EQ(check.verdict, Verdict::Pass) << check.error.message;
            continue;
        }
        EXPECT_EQ(check.verdict, Verdict::Fail);
        EXPECT_EQ(check.error.message, c.message);
        EXPECT_EQ(check.error.focus, c.focus);
    }
}

Answers Timed(const char* kind) {
    Answers a = CreationPresets({2026, 12, 9}, false, true);
    a.Choose("P2Timed", {"P2HotKey", "P2Timed"});
    a.Set(kind).checked = true;
    return a;
}

TEST_F(WizardChecks, ScheduleLimitsAndTheOnceDate) {
    struct T {
        const char* kind;
        const char* field;
        const char* value;
        const char* message;
        const char* focus;
    };
    const std::vector<T> cases = {
        {"Hourly", "HourlyMinutes", "60", "Invalid minutes specified.", "HourlyMinutes"},
        {"Hourly", "HourlyMinutes", "300", "Invalid minutes specified.", "HourlyMinutes"},
        {"Hourly", "HourlyMinutes", "59", "", ""},
        {"Daily", "DailyHour", "13", "Invalid hour specified.", "DailyHour"},
        {"Weekly", "WeeklyHour", "0", "Invalid hour specified.", "WeeklyHour"},
        {"Monthly", "MonthlyHour", "13", "Invalid hour specified.", "MonthlyHour"},
        {"Daily", "DailyMin", "60", "Invalid minute specified.", "DailyMin"},
        {"Monthly", "MonthlyDay", "32", "Invalid day of month specified.", "MonthlyDay"},
        {"Other", "OtherMinutes", "0", "Invalid minutes specified.  Must be between 1 and 720.",
         "OtherMinutes"},
        {"Other", "OtherMinutes", "721", "Invalid minutes specified.  Must be between 1 and 720.",
         "OtherMinutes"},
        {"Other", "OtherMinutes", "720", "", ""},
        {"Other", "OtherMinutes", "1", "", ""},
        {"Idle", "IdleMinutes", "91", "Invalid minutes specified.  Must be between 1 and 90.", "IdleMinutes"},
        {"Idle", "IdleMinutes", "90", "", ""},
        {"Startup", "IdleMinutes", "0", "", ""},
        {"Once", "OnceTimeHour", "0", "Invalid hour specified.", "OnceTimeHour"},
        {"Once", "OnceDay", "0", "Invalid day of month specified.", "OnceDay"},
        {"Once", "OnceDay", "9", "", ""},  // today passes whatever the time
        {"Once", "OnceDay", "8", "Specified date has already elapsed.", "OnceDay"},
        {"Once", "OnceYear", "2025", "Specified date has already elapsed.", "OnceYear"},
    };
    for (const T& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.field + "=" + c.value);
        Answers a = Timed(c.kind);
        a.Set(c.field).text = c.value;
        const PageCheck check = Run(3, 10, a);
        EXPECT_EQ(check.error.message, c.message);
        EXPECT_EQ(check.error.focus, c.focus);
        EXPECT_EQ(check.verdict, std::string(c.message).empty() ? Verdict::Pass : Verdict::Fail);
    }

    Answers earlierMonth = Timed("Once");
    earlierMonth.Set("OnceMonth").index = 10;
    EXPECT_EQ(Run(3, 10, earlierMonth).error.focus, "OnceMonth");
}

TEST_F(WizardChecks, FebruaryTheTwentyNinthFollowsTheGregorianRule) {
    env.today = {2096, 1, 1};
    const std::pair<const char*, bool> years[] = {
        {"2096", true}, {"2097", false}, {"2100", false}, {"2400", true}};
    for (const auto& [year, leap] : years) {
        Answers a = Timed("Once");
        a.Set("OnceMonth").index = 1;
        a.Set("OnceDay").text = "29";
        a.Set("OnceYear").text = year;
        const PageCheck check = Run(3, 10, a);
        EXPECT_EQ(check.verdict == Verdict::Pass, leap) << year << ": " << check.error.message;
    }
    Answers april = Timed("Once");
    april.Set("OnceMonth").index = 3;
    april.Set("OnceDay").text = "31";
    april.Set("OnceYear").text = "2097";
    EXPECT_EQ(Run(3, 10, april).error.message, "Invalid day of month specified.");
}

TEST_F(WizardChecks, AGlobalHotKeyTakenRefusesMenusAndCapturesAndAsksTheOthers) {
    Answers a = CreationPresets({2026, 12, 9}, false, true);
    a.Set("P3KeyList").index = 42;
    env.globalHotKeys[42] = true;
    for (int f : {7, 25}) {
        const PageCheck refused = Run(3, f, a);
        EXPECT_EQ(refused.verdict, Verdict::Fail);
        EXPECT_EQ(refused.error.message,
                  "A Global Macro already exists for this Hot Key combination. Popup Menus "
                  "can only be assigned on a global basis.");
        EXPECT_EQ(refused.error.focus, "");
    }
    EXPECT_EQ(Run(3, 1, a).verdict, Verdict::AskGlobal);
    env.globalHotKeys[42] = false;
    EXPECT_EQ(Run(3, 25, a).verdict, Verdict::Pass);

    LeaveGlobalScope(a);
    EXPECT_FALSE(a.Get("P7Global").enabled);
    EXPECT_FALSE(a.Checked("P7Global"));
    EXPECT_TRUE(a.Checked("P7SpecWin"));
}

TEST_F(WizardChecks, ASelfDeletingReminderNeedsANicknameOfItsOwn) {
    env.nicknames = {"", "Dentist", "Lunch"};
    Answers a;
    a.Set("P26Delete").checked = true;
    const std::pair<const char*, bool> nicks[] = {
        {"Dentist", false}, {"   ", false}, {"dentist", true}, {"Gym", true}};
    for (const auto& [nick, passes] : nicks) {
        a.Set("P10Nick").text = nick;
        const PageCheck check = Run(10, 10, a);
        EXPECT_EQ(check.verdict == Verdict::Pass, passes) << nick;
        EXPECT_EQ(check.error.focus, passes ? "" : "P10Nick");
    }
    // A reminder that stays, and other functions, may share a nickname.
    a.Set("P10Nick").text = "Dentist";
    EXPECT_EQ(Run(10, 1, a).verdict, Verdict::Pass);
    a.Set("P26Delete").checked = false;
    EXPECT_EQ(Run(10, 10, a).verdict, Verdict::Pass);
}

TEST_F(WizardChecks, ExistenceTestsTrimAndRefuseOverlongPaths) {
    EXPECT_TRUE(FileMustExist("  " + file + " "));
    EXPECT_FALSE(FileMustExist(folder));
    EXPECT_FALSE(FileMustExist(""));
    EXPECT_TRUE(FolderMustExist(folder + "/"));
    EXPECT_FALSE(FolderMustExist(file));
    EXPECT_TRUE(FolderMustExist("/"));
    const std::string deep = folder + "/" + std::string(250, 'd');
    ASSERT_TRUE(fs::create_directories(deep));
    EXPECT_FALSE(FolderMustExist(deep));
}

}  // namespace
}  // namespace tessaro::wizard
