#include "editor/script/display_text.h"

#include <gtest/gtest.h>

#include <string>

#include "macro/macro_tokens.h"

namespace tessaro {
namespace {

template <typename R, typename F>
std::string Show(int code, F fill) {
    LineRecord rec = NewRecord(code);
    fill(std::get<R>(rec));
    return DisplayText(code, rec);
}

TEST(DisplayText, EveryCommandsTextIsRecognisedAsThatCommand) {
    for (int code = 1; code <= kCommandCount; ++code) {
        const ScriptLine line = MakeLine(code, NewRecord(code));
        EXPECT_EQ(LineCommand(line), code) << line.Text;
        EXPECT_LE(line.Text.size(), 255u);
    }
}

TEST(DisplayText, FileNamesShowTheirLastPart) {
    EXPECT_EQ(Show<TSoundRec>(cmd::SoundWaveFile, [](TSoundRec& r) { r.FileName = "C:\\Sounds\\ding.wav"; }),
              "Sound Wave File: ding.wav");
    EXPECT_EQ(Show<TSoundRec>(cmd::SoundWaveFile, [](TSoundRec& r) { r.FileName = "ding.wav"; }),
              "Sound Wave File: ding.wav");
    EXPECT_EQ(Show<TSoundRec>(cmd::SoundWaveFile, [](TSoundRec& r) { r.FileName = "C:\\Sounds\\"; }),
              "Sound Wave File: ");
    EXPECT_EQ(Show<TFileOpRec>(cmd::CopyFile, [](TFileOpRec& r) { r.Source = "/home/u/a.txt"; }),
              "Copy File: a.txt");
    // Folder commands show the whole path.
    EXPECT_EQ(Show<TFileOpRec>(cmd::ChangeFolder, [](TFileOpRec& r) { r.Source = "C:\\Tmp\\x"; }),
              "Change Directory/Folder: C:\\Tmp\\x");
    EXPECT_EQ(Show<TClipRec>(cmd::ClipboardSaveText, [](TClipRec& r) { r.FileName = ":PROMPT:"; }),
              "Clipboard Save Text: (Prompt for file name)");
    EXPECT_EQ(Show<TLaunchRec>(cmd::ActivateOrLaunch,
                               [](TLaunchRec& r) {
                                   r.WindowTitle = "Calc";
                                   r.ProgramPath = "C:\\Win\\calc.exe";
                               }),
              "Activate or Launch: \"Calc\" OR calc.exe");
}

// A nickname is divided only at a backslash: a "/" belongs to the name.
TEST(DisplayText, NicknamesAreNoPaths) {
    for (int code : {cmd::MacroRun, cmd::MacroDelete, cmd::MacroActivate, cmd::MacroDeactivate}) {
        const std::string name(CommandName(code));
        EXPECT_EQ(Show<TMacroRefRec>(code, [](TMacroRefRec& r) { r.Nickname = "a/b"; }), name + ": a/b");
        EXPECT_EQ(Show<TMacroRefRec>(code, [](TMacroRefRec& r) { r.Nickname = "Group\\Mail/Out"; }),
                  name + ": Mail/Out");
    }
}

TEST(DisplayText, DatesAndTimes) {
    EXPECT_EQ(Show<TDateTimeRec>(cmd::Date,
                                 [](TDateTimeRec& r) {
                                     r.DayOffset = 1;
                                     r.Forward = false;
                                 }),
              "Date (1 day in past): MM/DD/YY  (03/30/98)");
    EXPECT_EQ(Show<TDateTimeRec>(cmd::Date,
                                 [](TDateTimeRec& r) {
                                     r.DayOffset = 7;
                                     r.FormatIndex = 51;
                                 }),
              "Date (7 days in future): Day of Week 4  (MONDAY)");
    EXPECT_EQ(Show<TDateTimeRec>(cmd::Date, [](TDateTimeRec& r) { r.DayOffset = 0; }),
              "Date: MM/DD/YY  (03/30/98)");
    EXPECT_EQ(Show<TDateTimeRec>(cmd::Time, [](TDateTimeRec& r) { r.FormatIndex = 1; }),
              "Time: hh:mm  (15:04)");
    for (int i = 1; i <= kDateFormatCount; ++i) EXPECT_FALSE(DateExample(i).empty()) << i;
    for (int i = 1; i <= kTimeFormatCount; ++i) EXPECT_FALSE(TimeExample(i).empty()) << i;
    EXPECT_TRUE(DateExample(0).empty());
    EXPECT_TRUE(TimeExample(kTimeFormatCount + 1).empty());
}

TEST(DisplayText, LongTextsAreCut) {
    const auto text = [](std::size_t n) {
        return Show<TTextRec>(cmd::Text, [n](TTextRec& r) { r.Text = std::string(n, 'x'); });
    };
    EXPECT_EQ(text(50), "Text: " + std::string(50, 'x'));
    EXPECT_EQ(text(53), "Text: " + std::string(50, 'x'));
    EXPECT_EQ(text(54), "Text: " + std::string(50, 'x') + "...");
    EXPECT_EQ(Show<TWTextRec>(cmd::WindowOfText, [](TWTextRec& r) { r.Text = std::string(60, 'y'); }),
              "Window of Text: " + std::string(50, 'y') + "...");
    const auto remark = [](std::size_t n) {
        return Show<TNameRec>(cmd::Remark, [n](TNameRec& r) { r.Name = std::string(n, 'r'); });
    };
    EXPECT_EQ(remark(43), "Remark: " + std::string(43, 'r'));
    EXPECT_EQ(remark(44), "Remark: " + std::string(40, 'r') + "...");
    EXPECT_EQ(Show<TNameRec>(cmd::WebSite, [](TNameRec& r) { r.Name = std::string(44, 'w'); }),
              "Web Site: " + std::string(40, 'w') + "...");
    // Nothing goes past 255 characters.
    EXPECT_EQ(Show<TWaitRec>(cmd::WaitForText, [](TWaitRec& r) { r.Text = std::string(300, 't'); }).size(),
              255u);
}

TEST(DisplayText, SpeedsAndFactors) {
    const auto playback = [](double s) {
        return Show<TSpeedRec>(cmd::MacroPlaybackSpeed, [s](TSpeedRec& r) { r.PlaybackSpeed = s; });
    };
    EXPECT_EQ(playback(0.5), "Macro Playback Speed: 2 Times Faster Than Normal");
    EXPECT_EQ(playback(2.5), "Macro Playback Speed: 2.5 Times Slower Than Normal");
    EXPECT_EQ(playback(1), "Macro Playback Speed: Normal Speed");
    EXPECT_EQ(playback(0), "Macro Playback Speed: No Speed");
    EXPECT_EQ(SpeedFactorText(0.75), "0.75");
    EXPECT_EQ(SpeedFactorText(3), "3");
    EXPECT_EQ(SpeedFactorText(10.5), "10.5");
    EXPECT_EQ(Show<TSpeedRec>(cmd::MouseSpeed, [](TSpeedRec& r) { r.Speed = 40; }),
              "Mouse Speed: 40 Milliseconds");
    EXPECT_EQ(Show<TDelayRec>(cmd::Delay, [](TDelayRec& r) { r.Amount = 5; }), "Delay 5.00 Seconds");
    EXPECT_EQ(Show<TDelayRec>(cmd::Delay,
                              [](TDelayRec& r) {
                                  r.Unit = 2;
                                  r.Amount = 250;
                              }),
              "Delay 250 Milliseconds");
    EXPECT_EQ(Show<TDelayRec>(cmd::WaitTimeDelay, [](TDelayRec& r) { r.Amount = 7; }),
              "Wait Time Delay 7 Seconds");
}

TEST(DisplayText, WindowsMouseAndWaits) {
    EXPECT_EQ(Show<TWindowRec>(cmd::WindowClose, [](TWindowRec& r) { r.CurrentWindow = true; }),
              "Window Close - Current Window");
    EXPECT_EQ(Show<TWindowRec>(cmd::ProgramShutDown, [](TWindowRec& r) { r.Title = "Pad"; }),
              "Program Shut Down - Window Title: Pad");
    EXPECT_EQ(Show<TSizeRec>(cmd::WindowResize,
                             [](TSizeRec& r) {
                                 r.CurrentWindow = true;
                                 r.X = 640;
                                 r.Y = 480;
                             }),
              "Window Resize - Current Win (Width: 640 Height: 480)");
    EXPECT_EQ(Show<TSizeRec>(cmd::WindowReposition,
                             [](TSizeRec& r) {
                                 r.Title = "Calc";
                                 r.X = -12;
                                 r.Y = 3;
                             }),
              "Window Reposition - \"Calc\" (Left: -12 Top: 3)");
    EXPECT_EQ(Show<TMouseRec>(cmd::MouseMove,
                              [](TMouseRec& r) {
                                  r.MoveKind = 3;
                                  r.X = -12;
                                  r.Y = 345;
                              }),
              "Mouse Move Position -12,345");
    EXPECT_EQ(Show<TMouseRec>(cmd::MouseMove, [](TMouseRec& r) { r.MoveKind = 4; }), "Mouse Move To Caret");
    EXPECT_EQ(Show<TMouseRec>(cmd::MouseRightButton, [](TMouseRec& r) { r.Action = 7; }),
              "Mouse Right Button Double Click");
    EXPECT_EQ(Show<TMouseRec>(cmd::MouseWheel,
                              [](TMouseRec& r) {
                                  r.Action = 15;
                                  r.WheelCount = 3;
                              }),
              "Mouse Wheel 3 Clicks Backward");
    EXPECT_EQ(Show<TWaitRec>(cmd::WaitTimeElapse, [](TWaitRec& r) { r.TimeOut = 125; }),
              "Wait Time Elapse: 2 Minutes 5 Seconds");
    EXPECT_EQ(Show<TWaitRec>(cmd::WaitForWindowTitle, [](TWaitRec& r) { r.Text = "Calc"; }),
              "Wait For Window Title: Calc");
    EXPECT_EQ(Show<TWaitRec>(cmd::WaitForKeyPress, [](TWaitRec& r) { r.Text = "<F1>"; }),
              "Wait For Key Press");
    EXPECT_EQ(Show<TKeyRec>(cmd::ShiftKey, [](TKeyRec& r) { r.Kind = 6; }), "Shift Key Up");
    EXPECT_EQ(Show<TKeyRec>(cmd::ShiftKey, [](TKeyRec& r) { r.Kind = 5; }), "Shift Key Down");
}

TEST(DisplayText, BlocksDevicesAndMail) {
    EXPECT_EQ(Show<TRepeatRec>(cmd::RepeatStart,
                               [](TRepeatRec& r) {
                                   r.Count = 5;
                                   r.StartAt = 1;
                                   r.StepBy = 1;
                               }),
              "Repeat Start: 5 Times, Starting at 1 Stepping by 1");
    EXPECT_EQ(DisplayText(cmd::RepeatPromptStart, NewRecord(cmd::RepeatPromptStart)),
              "Repeat Prompt Start: (prompt for repeat count at macro play time)");
    EXPECT_EQ(DisplayText(cmd::RepeatEnd, NewRecord(cmd::RepeatEnd)), "Repeat End");
    EXPECT_EQ(Show<TRepeatRec>(cmd::RepeatCounter, [](TRepeatRec& r) { r.Count = 3; }),
              "Repeat Counter: Width 3");
    EXPECT_EQ(Show<TCDRec>(cmd::CdGoToTrack, [](TCDRec& r) { r.Track = 1234; }), "CD-Rom Go To Track 1,234");
    EXPECT_EQ(Show<TCDRec>(cmd::CdBack, [](TCDRec& r) { r.Track = 30; }), "CD-Rom Back Up 30 Seconds");
    EXPECT_EQ(Show<TDeskRec>(cmd::OpenExplorerTo, [](TDeskRec& r) { r.Kind = 25; }),
              "Open Explorer To: User Documents");
    EXPECT_EQ(Show<TDeskRec>(cmd::RunDialogWindow, [](TDeskRec& r) { r.Kind = 10; }),
              "Run Dialog Window: Find Files");
    EXPECT_EQ(Show<TDeskRec>(cmd::DesktopTile, [](TDeskRec& r) { r.Kind = 2; }), "DeskTop Tile Vertically");
    EXPECT_EQ(Show<TSysRec>(cmd::ScreenSaver,
                            [](TSysRec& r) {
                                r.Kind = 3;
                                r.Value = 10;
                            }),
              "Screen Saver Timer Set To 10 Minutes");
    EXPECT_EQ(Show<TVolumeRec>(cmd::MidiVolume, [](TVolumeRec& r) { r.Kind = 12; }), "MIDI Volume On Full");
    EXPECT_EQ(Show<TVolumeRec>(cmd::AudioBalance, [](TVolumeRec& r) { r.Kind = 8; }),
              "Audio Balance Centered");
    EXPECT_EQ(Show<TNetRec>(cmd::NetworkConnect, [](TNetRec& r) { r.Resource = "F:\\\\srv\\s"; }),
              "Network Connect: F: to \\\\srv\\s");
    EXPECT_EQ(Show<TNetRec>(cmd::NetworkDisconnect, [](TNetRec& r) { r.Resource = "F:"; }),
              "Network Disconnect: F:");
    EXPECT_EQ(Show<TDialRec>(cmd::DialUpNetworking, [](TDialRec& r) { r.Kind = 2; }),
              "Dial-Up Networking: Hang Up");
    EXPECT_EQ(Show<TEmailRec>(cmd::EmailSend,
                              [](TEmailRec& r) {
                                  r.RecipientMode = 2;
                                  r.TextMode = 3;
                                  r.AttachMode = 1;
                              }),
              "E-Mail Send: Prompt For Recipients, Text From Clipboard, No Attachments");
    EXPECT_EQ(Show<TEmailRec>(cmd::EmailSend,
                              [](TEmailRec& r) {
                                  r.RecipientMode = 9;
                                  r.AttachMode = 3;
                              }),
              "E-Mail Send: Fixed Text, Prompt For Attachments");
    EXPECT_EQ(DisplayText(cmd::EncryptedText, NewRecord(cmd::EncryptedText)), "Encrypted Text");
    EXPECT_EQ(Show<TPauseRec>(cmd::Pause, [](TPauseRec& r) { r.Kind = 2; }), "Pause: Complex");
    // A record of the wrong type shows the bare name rather than guessing.
    EXPECT_EQ(DisplayText(cmd::Delay, NewRecord(cmd::Text)), "Delay");
}

}  // namespace
}  // namespace tessaro
