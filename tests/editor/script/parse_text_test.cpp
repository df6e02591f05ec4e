// The macro text parser: lines, records and display texts of the documented cases.
#include <cstring>
#include <string>

#include "editor/script/command_table.h"
#include "parse_support.h"

namespace tessaro {
namespace {

using testing::OnlyRecord;
using testing::Reparse;

TEST(ParseText, TextAndCommandsKeepTheirOrder) {
    EXPECT_TRUE(ParseMacroText("").empty());

    const auto keys = ParseMacroText("abc<TAB>def");
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(std::get<TTextRec>(keys[0].Record).Text, "abc<TAB>def");
    EXPECT_EQ(keys[0].Text, "Text: abc<TAB>def");

    const auto delay = ParseMacroText("abc<DELAY:00.50>def");
    ASSERT_EQ(delay.size(), 3u);
    EXPECT_EQ(std::get<TTextRec>(delay[0].Record).Text, "abc");
    EXPECT_EQ(delay[1].Text, "Delay 0.50 Seconds");
    EXPECT_DOUBLE_EQ(std::get<TDelayRec>(delay[1].Record).Amount, 0.5);
    EXPECT_EQ(std::get<TTextRec>(delay[2].Record).Text, "def");

    const auto twoCommands = ParseMacroText("<BEEP><CLIPC>");
    ASSERT_EQ(twoCommands.size(), 2u);
    EXPECT_EQ(LineCommand(twoCommands[0]), cmd::SoundBeep);
    EXPECT_EQ(LineCommand(twoCommands[1]), cmd::ClipboardCopy);
}

TEST(ParseText, LinesAreAppendedAfterExistingOnes) {
    std::vector<ScriptLine> lines = ParseMacroText("<BEEP>");
    BuildTheScript("x<CLIPP>", lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(LineCommand(lines[0]), cmd::SoundBeep);
    EXPECT_EQ(std::get<TTextRec>(lines[1].Record).Text, "x");
    EXPECT_EQ(LineCommand(lines[2]), cmd::ClipboardPaste);
}

TEST(ParseText, WhatIsNoTokenStaysTypedText) {
    for (const std::string text : {"<DELAY:5>", "<FOO>", "abc<", "<", "<SCRLOCK><NUMLOCK>", "a<b",
                                   "<delay:00.50>", "<ALT:65>", "<ALT4:233>"}) {
        const auto lines = ParseMacroText(text);
        ASSERT_EQ(lines.size(), 1u) << text;
        EXPECT_EQ(std::get<TTextRec>(lines[0].Record).Text, text);
    }
    // Typed-character codes and key tokens join the surrounding text.
    const auto codes = ParseMacroText("a<ALT:065>b<ALT4:0233>c<ENTER><F10><KEYP+>");
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(std::get<TTextRec>(codes[0].Record).Text, "a<ALT:065>b<ALT4:0233>c<ENTER><F10><KEYP+>");
}

TEST(ParseText, TextLineDisplayIsCutAfterFiftyThreeCharacters) {
    const std::string fifty(50, 'x');
    const auto whole = ParseMacroText(fifty + "abc");
    EXPECT_EQ(whole[0].Text, "Text: " + fifty);
    const auto cut = ParseMacroText(fifty + "abcd");
    EXPECT_EQ(cut[0].Text, "Text: " + fifty + "...");
    EXPECT_EQ(std::get<TTextRec>(cut[0].Record).Text, fifty + "abcd");
}

TEST(ParseText, LegacyTokensBecomeTodaysCommands) {
    std::string display;
    const auto pos = OnlyRecord<TSizeRec>("<WPOS:0010,0020>", cmd::WindowReposition);
    EXPECT_EQ(pos.X, 10);
    EXPECT_EQ(pos.Y, 20);
    EXPECT_EQ(Reparse("<WPOS:0010,0020>"), "<WPOS2:00010,00020>");

    const auto rep = OnlyRecord<TRepeatRec>("<REPEAT:0005>", cmd::RepeatStart, &display);
    EXPECT_EQ(rep.Count, 5);
    EXPECT_EQ(rep.StartAt, 1);
    EXPECT_EQ(rep.StepBy, 1);
    EXPECT_EQ(display, "Repeat Start: 5");
    EXPECT_EQ(Reparse("<REPEAT:0005>"), "<REP:0005:000001:000001>");

    EXPECT_EQ(Reparse("<LAUNCH:C:\\a\\b.exe>"), "<LAUNCHDEL:00C:\\a\\b.exe>");
    EXPECT_EQ(Reparse("<LAUNCHNO:05Calc<LAUNCH:calc.exe>"), "<LAUNCHNO2:0512Calc<LAUNCH:calc.exe>");
    EXPECT_EQ(Reparse("<LAUNCHYES:07Calc<LAUNCH:calc.exe>"), "<LAUNCHYES2:0712Calc<LAUNCH:calc.exe>");
    const auto yes =
        OnlyRecord<TLaunchRec>("<LAUNCHYES:07Calc<LAUNCH:calc.exe>", cmd::ActivateOrLaunch, &display);
    EXPECT_EQ(yes.Value1, 7);
    EXPECT_EQ(yes.WindowTitle, "Calc");
    EXPECT_EQ(display, "Activate or Launch: calc.exe");
}

TEST(ParseText, DatesAndTimes) {
    std::string display;
    const auto shortDate = OnlyRecord<TDateTimeRec>("<MM/DD/YY{Y}>", cmd::Date);
    EXPECT_TRUE(shortDate.YesNo);
    EXPECT_TRUE(shortDate.Forward);
    EXPECT_EQ(shortDate.DayOffset, 0);
    EXPECT_EQ(shortDate.FormatIndex, 1);

    const auto past = OnlyRecord<TDateTimeRec>("<MM/DD/YY{NP005}>", cmd::Date, &display);
    EXPECT_FALSE(past.YesNo);
    EXPECT_FALSE(past.Forward);
    EXPECT_EQ(past.DayOffset, 5);
    EXPECT_EQ(display, "Date (5 days in past): MM/DD/YY  (03/30/98)");

    const auto time = OnlyRecord<TDateTimeRec>("<hh:mm{Y}>", cmd::Time, &display);
    EXPECT_TRUE(time.YesNo);
    EXPECT_EQ(time.FormatIndex, 1);
    EXPECT_EQ(display, "Time: hh:mm  (15:04)");
    EXPECT_FALSE(OnlyRecord<TDateTimeRec>("<hh:mm{N}>", cmd::Time).YesNo);

    // Upper and lower case name different formats: months and minutes.
    EXPECT_EQ(OnlyRecord<TDateTimeRec>("<MM{YF000}>", cmd::Date).FormatIndex, 42);
    EXPECT_EQ(OnlyRecord<TDateTimeRec>("<mm{Y}>", cmd::Time).FormatIndex, 10);
    EXPECT_EQ(Reparse("<MM/DD/YY{Y}>"), "<MM/DD/YY{YF000}>");
}

TEST(ParseText, WindowsAndTheirCurrentTitle) {
    std::string display;
    const auto current = OnlyRecord<TWindowRec>("<WMAX:\"CURRENT\">", cmd::WindowMaximize, &display);
    EXPECT_TRUE(current.CurrentWindow);
    EXPECT_TRUE(current.Title.empty());
    EXPECT_EQ(display, "Window Maximize - Current Win");
    const auto named = OnlyRecord<TWindowRec>("<WMAX:Notepad>", cmd::WindowMaximize, &display);
    EXPECT_EQ(named.Title, "Notepad");
    EXPECT_FALSE(named.CurrentWindow);
    EXPECT_EQ(display, "Window Maximize - Window Title: Notepad");

    const auto size = OnlyRecord<TSizeRec>("<WSIZE:0640,0480\"CURRENT\">", cmd::WindowResize, &display);
    EXPECT_TRUE(size.CurrentWindow);
    EXPECT_EQ(display, "Window Resize - Current Win (Width: 640 Height: 480)");
    const auto pos = OnlyRecord<TSizeRec>("<WPOS2:-0010,00020Calc>", cmd::WindowReposition, &display);
    EXPECT_EQ(pos.X, -10);
    EXPECT_EQ(pos.Y, 20);
    EXPECT_EQ(pos.Title, "Calc");
    EXPECT_EQ(display, "Window Reposition - \"Calc\" (Left: -10 Top: 20)");
}

TEST(ParseText, DisplayTextsOfTheTokenTable) {
    std::string display;
    const auto copy = OnlyRecord<TFileOpRec>("<COPYFILE:C:\\a\\b.txt;D:\\c.txt>", cmd::CopyFile, &display);
    EXPECT_EQ(copy.Source, "C:\\a\\b.txt");
    EXPECT_EQ(copy.Target, "D:\\c.txt");
    EXPECT_EQ(display, "Copy File: b.txt");

    const auto net =
        OnlyRecord<TNetRec>("<NWCP:<NAME:joe><PASS:x1y>F:\\\\srv\\share>", cmd::NetworkConnect, &display);
    EXPECT_TRUE(net.PFlag);
    EXPECT_FALSE(net.SFlag);
    EXPECT_FALSE(net.FFlag);
    EXPECT_EQ(net.UserName, "joe");
    EXPECT_EQ(net.Password, "x1y");
    EXPECT_EQ(display, "Network Connect: F: to \\\\srv\\share");

    const auto launch =
        OnlyRecord<TLaunchRec>("<LAUNCHDEL:05C:\\tools\\x.exe<PARAM>-q>", cmd::ProgramLaunch, &display);
    EXPECT_EQ(launch.Value1, 5);
    EXPECT_EQ(launch.ProgramPath, "C:\\tools\\x.exe");
    EXPECT_EQ(launch.Parameters, "-q");
    EXPECT_EQ(display, "Program Launch: x.exe");

    const auto clip = OnlyRecord<TClipRec>("<CLIPTYPEI>", cmd::ClipboardTypeText);
    EXPECT_TRUE(clip.Flag);
    EXPECT_FALSE(OnlyRecord<TClipRec>("<CLIPTYPE>", cmd::ClipboardTypeText).Flag);

    EXPECT_EQ(OnlyRecord<TCDRec>("<CDBACK:105>", cmd::CdBack).Track, 105);
}

// Lines whose record says no more than their display text.
TEST(ParseText, DisplayTextsOfSingleLines) {
    const std::string remark(44, 'r');
    const std::string address = "www.example.com/" + std::string(60, 'p');
    const struct {
        std::string text;
        int code;
        std::string display;
    } cases[] = {
        {"<MM/DD/YY{YF001}>", cmd::Date, "Date (1 day in future): MM/DD/YY  (03/30/98)"},
        {"<hh:mm am{N}>", cmd::Time, "Time: hh:mm am  (3:04 pm)"},
        {"<DD Mmmmm YY{YF000}>", cmd::Date, "Date: DD Mmmmm YY  (30 March 98)"},
        {"<Day of Week 3{YF000}>", cmd::Date, "Date: Day of Week 3  (Monday)"},
        {"<REP:0003:000001:000002>", cmd::RepeatStart, "Repeat Start: 3 Times, Starting at 1 Stepping by 2"},
        {"<SPEED:00.50>", cmd::MacroPlaybackSpeed, "Macro Playback Speed: 2 Times Faster Than Normal"},
        {"<SPEED:02.50>", cmd::MacroPlaybackSpeed, "Macro Playback Speed: 2.5 Times Slower Than Normal"},
        {"<SPEED:01.00>", cmd::MacroPlaybackSpeed, "Macro Playback Speed: Normal Speed"},
        {"<WAITTIME:00000125>", cmd::WaitTimeElapse, "Wait Time Elapse: 2 Minutes 5 Seconds"},
        {"<CLIPST::PROMPT:>", cmd::ClipboardSaveText, "Clipboard Save Text: (Prompt for file name)"},
        {"<REM:" + remark + ">", cmd::Remark, "Remark: " + remark.substr(0, 40) + "..."},
        {"<REM:" + remark.substr(0, 43) + ">", cmd::Remark, "Remark: " + remark.substr(0, 43)},
        {"<CDSTEP:12>", cmd::CdStep, "CD-Rom Step Forward 12 Seconds"},
        {"<RUNFC>", cmd::RunDialogWindow, "Run Dialog Window: Find Computer"},
        {"<WBW:003>", cmd::MouseWheel, "Mouse Wheel 3 Clicks Backward"},
        // Where the parser words a line otherwise than the command editors do.
        {"<EXPDT>", cmd::OpenExplorerTo, "Open Explorer To: DeskTop"},
        {"<RUNRP>", cmd::RunDialogWindow, "Run Dialog Window: Run Program"},
        {"<HTTP:" + address + ">", cmd::WebSite, "Web Site: " + address},
        {"<MACRUN:Group\\Mail>", cmd::MacroRun, "Macro Run: Group\\Mail"},
        {"<WSHUT:\"CURRENT\">", cmd::ProgramShutDown, "Program Shut Down - Current Win"},
        {"<LAUNCHYES2:0512Calc<LAUNCH:C:\\w\\calc.exe>", cmd::ActivateOrLaunch,
         "Activate or Launch: calc.exe"},
        {"<LAUNCHNO2:0512Calc<LAUNCH:C:\\w\\calc.exe>", cmd::LaunchAndActivate,
         "Launch and Activate: calc.exe"},
        {"<EMAIL:RYR2S2A3>", cmd::EmailSend,
         "E-Mail Send: Prompt For Recipients, Prompt For Text, Prompt For Attachments"},
    };
    for (const auto& c : cases) {
        const auto lines = ParseMacroText(c.text);
        ASSERT_EQ(lines.size(), 1u) << c.text;
        EXPECT_EQ(LineCommand(lines[0]), c.code) << c.text;
        EXPECT_EQ(lines[0].Record.index(), NewRecord(c.code).index()) << c.text;
        EXPECT_EQ(lines[0].Text, c.display);
    }
}

TEST(ParseText, EmailTokenIsWalkedAndKeptWhole) {
    const std::string token =
        "<EMAIL:RNR1TOJoe|joe@x.com;\x01"
        "CC\x01S1Body with > and <BEEP>\r\n\x01Sub>ject\x01"
        "A2C:\\a.zip;\x01>";
    std::string display;
    const auto rec = OnlyRecord<TEmailRec>(token, cmd::EmailSend, &display);
    EXPECT_EQ(rec.Token, token);
    EXPECT_EQ(display, "E-Mail Send: Know Recipients, Fixed Text, Attachments");
    EXPECT_EQ(Reparse("a" + token + "b"), "a" + token + "b");

    // Groups may be missing; the walk compares each code it holds with the next group.
    const std::string blindOnly =
        "<EMAIL:RNR1BL|a@b.c;\x01S3subject\x01"
        "A1>";
    EXPECT_EQ(OnlyRecord<TEmailRec>(blindOnly, cmd::EmailSend, &display).Token, blindOnly);
    EXPECT_EQ(display, "E-Mail Send: Know Recipients, Text From Clipboard, No Attachments");
    const std::string noGroups =
        "<EMAIL:RNR1S4C:\\t.txt\x01s\x01"
        "A2\x01>";
    EXPECT_EQ(OnlyRecord<TEmailRec>(noGroups, cmd::EmailSend, &display).Token, noGroups);
    EXPECT_EQ(display, "E-Mail Send: Know Recipients, Text From File, Attachments");
    // The walk ends after the attachment code: whatever stands there other than ">" leaves
    // the token typed text.
    const auto lines = ParseMacroText("<EMAIL:RNR2S2A1x>");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(LineCommand(lines[0]), cmd::Text);
}

TEST(ParseText, PauseKeepsTopAndLeftInTheirOwnFields) {
    std::string display;
    const auto pause = OnlyRecord<TPauseRec>("<PAUSE:010,200Look here>", cmd::Pause, &display);
    EXPECT_EQ(pause.Kind, 2);
    EXPECT_EQ(pause.X, 10);   // top
    EXPECT_EQ(pause.Y, 200);  // left
    EXPECT_EQ(pause.Message, "Look here");
    EXPECT_EQ(display, "Pause: Complex");
    EXPECT_EQ(Reparse("<PAUSE:010,200Look here>"), "<PAUSE:010,200Look here>");
}

TEST(ParseText, LongFreeTextIsNeverCut) {
    const std::string longText(300, 'q');
    for (const std::string& token :
         {"<REM:" + longText + ">", "<WAITWIN:005:" + longText + ">", "<PAUSE:001,002" + longText + ">",
          "<LAUNCHYES2:0512" + longText + "<LAUNCH:" + longText + "<PARAM>" + longText + ">",
          "<COPYFILE:" + longText + ";" + longText + ">", "<TBOX:<HEAD:" + longText + ">" + longText + ">"}) {
        EXPECT_EQ(Reparse(token), token);
    }
}

TEST(ParseText, StoredTextEndsAtItsFirstNul) {
    EXPECT_EQ(StoredMacroText(std::string_view("abc\0def", 7)), "abc");
    EXPECT_EQ(StoredMacroText(std::string(6000, 'a')).size(), 5001u);

    TMacroRecord macro;
    SetMacroText(macro, "Hi<BEEP>");
    std::vector<ScriptLine> lines;
    BuildTheScript(macro, lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(LineCommand(lines[1]), cmd::SoundBeep);
    // A damaged record without its NUL is read to the end of its field, never beyond.
    std::memset(macro.MacroText, 'x', sizeof macro.MacroText);
    lines.clear();
    BuildTheScript(macro, lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(std::get<TTextRec>(lines[0].Record).Text.size(), sizeof macro.MacroText);
}

}  // namespace
}  // namespace tessaro
