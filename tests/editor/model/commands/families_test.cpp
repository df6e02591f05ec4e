// Every family's builder over every choice: exact texts, refusals with their focus, the
// parse-back judges, and edit-unchanged (preset from the record, build, same record).
#include <gtest/gtest.h>

// The cases name only the controls that matter to them.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include <filesystem>
#include <fstream>

#include "editor/model/commands/active_forms.h"
#include "editor/model/commands/clipboard_forms.h"
#include "editor/model/commands/datetime_forms.h"
#include "editor/model/commands/mouse_forms.h"
#include "editor/model/commands/netconn_forms.h"
#include "editor/model/commands/repeat_forms.h"
#include "editor/model/commands/small_forms.h"
#include "editor/model/commands/window_forms.h"
#include "foundation/strings.h"
#include "parse_back.h"

namespace tessaro {
namespace {

using testing::ExpectParsesBack;
using testing::ExpectRefused;
using testing::SameRecord;

// A scratch folder with one regular file in it.
class Files : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("cmdforms-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        file_ = (dir_ / "prog.bin").string();
        std::ofstream(file_) << "x";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
    std::string file_;
};

template <class Form, class Build, class Preset, class Rec>
void ExpectEditUnchanged(const Rec& rec, Build build, Preset preset) {
    const Form form = preset(rec);
    const auto r = build(form);
    ASSERT_TRUE(r.ok()) << r.error->message;
    EXPECT_TRUE(SameRecord(r.record, LineRecord(rec))) << r.CommandText;
}

TEST(Repeat, EveryChoiceParsesBack) {
    auto start = BuildRepeat(RepeatDefaults());
    EXPECT_EQ(start.CommandText, "<REP:0010:000001:000001>");
    ExpectParsesBack(start, TokenKind::Rep);
    auto negative = BuildRepeat({1, "3", "-5", "0"});
    EXPECT_EQ(negative.CommandText, "<REP:0003:-00005:000000>");
    ExpectParsesBack(negative, TokenKind::Rep);
    const TokenKind counters[] = {TokenKind::Counter1, TokenKind::Counter2, TokenKind::Counter3,
                                  TokenKind::Counter4};
    for (int w = 1; w <= 4; ++w) {
        auto c = BuildRepeat({4, std::to_string(w), "", ""});
        EXPECT_EQ(c.CommandText, "<" + std::string(static_cast<std::size_t>(w), 'I') + ">");
        EXPECT_EQ(c.fields.RepeatCount, w);
        ExpectParsesBack(c, counters[w - 1]);
    }
    // End and prompt ignore the fields, even an empty count.
    auto end = BuildRepeat({3, "", "x", "y"});
    EXPECT_EQ(end.CommandText, "<ENDREP>");
    ExpectParsesBack(end, TokenKind::EndRep);
    auto prompt = BuildRepeat({2, "", "", ""});
    EXPECT_EQ(prompt.CommandText, "<PROMPTREP>");
    EXPECT_EQ(prompt.fields.RepeatKind, 2);
    ExpectParsesBack(prompt, TokenKind::PromptRep);
}

TEST(Repeat, RefusalsNameTheirField) {
    ExpectRefused(BuildRepeat({1, "0", "1", "1"}), "Value must be greater than zero.", "Count");
    ExpectRefused(BuildRepeat({1, "1x", "1", "1"}), "Value must be greater than zero.", "Count");
    ExpectRefused(BuildRepeat({1, "5", "1.5", "1"}), "Invalid start counter specified.  Please Correct.",
                  "CStart");
    ExpectRefused(BuildRepeat({1, "5", "1", ""}), "Invalid step counter specified.  Please Correct.",
                  "CStep");
    ExpectRefused(BuildRepeat({1, "5", "1234567", "1"}), "Invalid start counter specified.  Please Correct.",
                  "CStart");
    ExpectRefused(BuildRepeat({4, "5", "", ""}), "Width must be between 1 and 4.", "Count");
    EXPECT_TRUE(BuildRepeat({1, "5", "0", "0"}).ok());
    EXPECT_STREQ(RepeatLayoutOf(4).countLabel, "Counter Width");
    EXPECT_FALSE(RepeatLayoutOf(4).counterFields);
}

TEST(Repeat, EditUnchanged) {
    for (auto [code, rec] : {std::pair{int(cmd::RepeatStart), TRepeatRec{1, 7, -3, 2}},
                             std::pair{int(cmd::RepeatCounter), TRepeatRec{4, 3, 1, 1}},
                             std::pair{int(cmd::RepeatEnd), TRepeatRec{3, 0, 1, 1}},
                             std::pair{int(cmd::RepeatPromptStart), TRepeatRec{2, 0, 1, 1}}}) {
        const auto r = BuildRepeat(RepeatPreset(code, rec));
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.code, code);
        EXPECT_TRUE(SameRecord(r.record, rec));
    }
}

class Active : public Files {};

TEST_F(Active, EveryActionParsesBack) {
    ActiveForm a{.Kind = 1, .WinTitle = " Notepad ", .RunStyle = 2};
    auto activate = BuildActive(a);
    // Activating alone carries no run style, whatever the hidden combo box holds.
    EXPECT_EQ(activate.CommandText, "<ACTIVATE:Notepad>");
    EXPECT_EQ(activate.fields.RunStyleIndex, 0);
    ExpectParsesBack(activate, TokenKind::Activate);

    ActiveForm l{.Kind = 2, .ProgPath = file_, .DelaySecs = "5"};
    auto launch = BuildActive(l);
    EXPECT_EQ(launch.CommandText, "<LAUNCHDEL:05" + file_ + ">");
    ExpectParsesBack(launch, TokenKind::LaunchDel);

    ActiveForm both{.Kind = 3,
                    .WinTitle = "Editor",
                    .ProgPath = file_,
                    .Params = "-n a.txt",
                    .DelaySecs = "1",
                    .MaxSecs = "20",
                    .RunStyle = 2};
    auto la = BuildActive(both);
    EXPECT_EQ(la.CommandText, "<LAUNCHNO2:0120Editor<LAUNCH:" + file_ + "<PARAM>-n a.txt2\x01>");
    ExpectParsesBack(la, TokenKind::LaunchNo2);
    both.Kind = 4;
    auto al = BuildActive(both);
    EXPECT_EQ(al.CommandText, "<LAUNCHYES2:0120Editor<LAUNCH:" + file_ + "<PARAM>-n a.txt2\x01>");
    EXPECT_EQ(al.fields.ActionKind, 4);
    ExpectParsesBack(al, TokenKind::LaunchYes2);
}

TEST_F(Active, ChecksInOrderAndRefusesWhatWouldEndTheToken) {
    ExpectRefused(BuildActive({.Kind = 4, .WinTitle = "", .ProgPath = file_}),
                  "No entry made for Window Title.  Please correct.", "WinTitle");
    ExpectRefused(BuildActive({.Kind = 3, .WinTitle = "a<b", .ProgPath = file_}),
                  "The character \"<\" cannot be used in this entry.  Please correct.", "WinTitle");
    ExpectRefused(BuildActive({.Kind = 1, .WinTitle = "a>b"}),
                  "The character \">\" cannot be used in this entry.  Please correct.", "WinTitle");
    EXPECT_TRUE(BuildActive({.Kind = 1, .WinTitle = "a<b"}).ok());  // alone it ends only at ">"
    ExpectRefused(BuildActive({.Kind = 2, .ProgPath = file_ + "-gone"}),
                  "Specified Path and Program does not exist.  Please correct.", "ProgPath");
    ExpectRefused(BuildActive({.Kind = 2, .ProgPath = dir_.string()}),
                  "Specified Path and Program does not exist.  Please correct.", "ProgPath");
    EXPECT_TRUE(BuildActive({.Kind = 2, .ProgPath = "sh"}).ok());  // found on PATH
    auto bypass = BuildActive({.Kind = 2, .ProgPath = "/no/such/prog", .Bypass = true});
    EXPECT_EQ(bypass.CommandText, "<LAUNCHDEL:00/no/such/prog>");
    ExpectRefused(BuildActive({.Kind = 2, .ProgPath = file_, .Params = "a>b"}),
                  "The character \">\" cannot be used in this entry.  Please correct.", "Params");
    ExpectRefused(BuildActive({.Kind = 2, .ProgPath = file_, .DelaySecs = "1x"}),
                  "Delay must be greater or equal to zero.", "DelaySecs");
    ExpectRefused(BuildActive({.Kind = 3, .WinTitle = "t", .ProgPath = file_, .MaxSecs = "-1"}),
                  "Seconds must be greater or equal to zero.", "MaxSecs");
}

TEST_F(Active, EditUnchanged) {
    TLaunchRec rec;
    rec.Kind = 3;
    rec.WindowTitle = "W";
    rec.ProgramPath = file_;
    rec.Parameters = "p";
    rec.Value1 = 3;
    rec.Value2 = 40;
    rec.Value3 = 1;
    ExpectEditUnchanged<ActiveForm>(rec, BuildActive, ActivePreset);
    TLaunchRec act;
    act.Kind = 1;
    act.WindowTitle = "Only";
    act.Value2 = 12;
    ExpectEditUnchanged<ActiveForm>(act, BuildActive, ActivePreset);
}

TEST(SizeIt, ResizeAndMoveParseBack) {
    auto resize = BuildSizeIt({1, {true, ""}, "640", "480"});
    EXPECT_EQ(resize.CommandText, "<WSIZE:0640,0480\"CURRENT\">");
    ExpectParsesBack(resize, TokenKind::WSize);
    auto move = BuildSizeIt({2, {false, "Notepad"}, "-5", "20"});
    EXPECT_EQ(move.CommandText, "<WPOS2:-0005,00020Notepad>");
    EXPECT_EQ(move.fields.FirstValue, -5);
    ExpectParsesBack(move, TokenKind::WPos2);
    EXPECT_TRUE(BuildSizeIt({1, {false, "x"}, "10", "30"}).ok());
    ExpectRefused(BuildSizeIt({1, {false, "x"}, "9", "30"}),
                  "Invalid width specified.  Width must be 10 or greater.  Please correct.", "TheWidth");
    ExpectRefused(BuildSizeIt({1, {false, "x"}, "10", "29"}),
                  "Invalid height specified.  Height must be 30 or greater.  Please correct.", "TheHeight");
    ExpectRefused(BuildSizeIt({2, {false, "x"}, "1x", "0"}),
                  "Invalid left position specified.  Please correct.", "");
    ExpectRefused(BuildSizeIt({2, {false, "x"}, "0", ""}), "Invalid top position specified.  Please correct.",
                  "");
    ExpectRefused(BuildSizeIt({1, {false, " "}, "10", "30"}), "No Window title specified.  Please correct",
                  "WinTitle");
    ExpectRefused(BuildSizeIt({1, {false, "a>"}, "10", "30"}),
                  "The character \">\" cannot be used in this entry.  Please correct.", "WinTitle");
    EXPECT_EQ(SizeLabelsOf(2).maxLength, 5);
    ExpectEditUnchanged<SizeItForm>(TSizeRec{"T", 2, false, -9, 100}, BuildSizeIt, SizeItPreset);
    ExpectEditUnchanged<SizeItForm>(TSizeRec{"", 1, true, 800, 600}, BuildSizeIt, SizeItPreset);
}

TEST(SystemCommand, EverySevenTokensParseBack) {
    for (const RadioChoice& c : kSystemCommandChoices) {
        SCOPED_TRACE(std::string(c.control));
        auto named = BuildSystemCommand({c.kind, {false, "Notepad"}});
        EXPECT_EQ(named.CommandText, std::string(SpecOf(c.token).prefix) + "Notepad>");
        ExpectParsesBack(named, c.token);
        auto current = BuildSystemCommand({c.kind, {true, ""}});
        EXPECT_EQ(current.CommandText, std::string(SpecOf(c.token).prefix) + "\"CURRENT\">");
        EXPECT_TRUE(current.fields.IsCurrentWindow);
        ExpectParsesBack(current, c.token);
        ExpectEditUnchanged<SystemCommandForm>(TWindowRec{"Calc", c.kind, false}, BuildSystemCommand,
                                               SystemCommandPreset);
    }
}

TEST(Mouse, EveryCommandAndMoveParsesBack) {
    for (const RadioChoice& c : kMouseChoices) {
        if (c.kind == 1) continue;
        SCOPED_TRACE(std::string(c.control));
        auto r = BuildMouse({c.kind, 1, "0", "0", "2"});
        ExpectParsesBack(r, c.token);
        ExpectEditUnchanged<MouseForm>(std::get<TMouseRec>(r.record), BuildMouse, MousePreset);
    }
    EXPECT_EQ(BuildMouse({14, 1, "", "", "2"}).CommandText, "<WFW:002>");
    auto screen = BuildMouse({1, 1, "100", "25", ""});
    EXPECT_EQ(screen.CommandText, "<MMS:00100,00025>");
    ExpectParsesBack(screen, TokenKind::Mms);
    auto window = BuildMouse({1, 2, "30000", "0", ""});
    EXPECT_EQ(window.CommandText, "<MMW:30000,00000>");
    ExpectParsesBack(window, TokenKind::Mmw);
    auto last = BuildMouse({1, 3, "-5", "3", ""});
    EXPECT_EQ(last.CommandText, "<MMP:-0005,00003>");
    ExpectParsesBack(last, TokenKind::Mmp);
    auto caret = BuildMouse({1, 4, "junk", "", ""});
    EXPECT_EQ(caret.CommandText, "<MMC>");
    ExpectParsesBack(caret, TokenKind::Mmc);
    for (const auto& r : {screen, window, last, caret})
        ExpectEditUnchanged<MouseForm>(std::get<TMouseRec>(r.record), BuildMouse, MousePreset);
}

TEST(Mouse, LimitsOfMovesAndWheels) {
    ExpectRefused(BuildMouse({1, 1, "-5", "0", ""}), "Invalid X Position specified.  Please correct.",
                  "XPos");
    ExpectRefused(BuildMouse({1, 1, "30001", "0", ""}), "Invalid X Position specified.  Please correct.",
                  "XPos");
    ExpectRefused(BuildMouse({1, 3, "0", "-10000", ""}), "Invalid Y Position specified.  Please correct.",
                  "YPos");
    ExpectRefused(BuildMouse({14, 1, "", "", "0"}),
                  "Invalid number of wheel clicks specified.  Please correct.", "NumClicks");
    ExpectRefused(BuildMouse({15, 1, "", "", "1000"}),
                  "Invalid number of wheel clicks specified.  Please correct.", "NumClicks");
    EXPECT_FALSE(MouseLayoutOf(1, 4).coordinates);
    EXPECT_TRUE(MouseLayoutOf(15, 1).wheel);
}

class Clipboard : public Files {};

TEST_F(Clipboard, EveryKindParsesBack) {
    for (const RadioChoice& c : kClipboardChoices) {
        SCOPED_TRACE(std::string(c.control));
        ClipboardForm f{.Kind = c.kind, .ProgPath = file_};
        auto r = BuildClipboard(f);
        ExpectParsesBack(r, c.token);
        ExpectEditUnchanged<ClipboardForm>(std::get<TClipRec>(r.record), BuildClipboard, ClipboardPreset);
    }
    auto typeI = BuildClipboard({.Kind = 7, .IgnoreCR = true});
    EXPECT_EQ(typeI.CommandText, "<CLIPTYPEI>");
    EXPECT_TRUE(typeI.fields.IgnoreCRLF);
    EXPECT_EQ(typeI.fields.ClipKind, 8);
    ExpectParsesBack(typeI, TokenKind::ClipTypeI);
    ExpectEditUnchanged<ClipboardForm>(std::get<TClipRec>(typeI.record), BuildClipboard, ClipboardPreset);
    // Ignore CR/LF counts only with Type Out.
    EXPECT_EQ(BuildClipboard({.Kind = 5, .IgnoreCR = true}).CommandText, "<CLIPP>");
    auto prompt = BuildClipboard({.Kind = 9, .SavePrompt = true, .ProgPath = "ignored"});
    EXPECT_EQ(prompt.CommandText, "<CLIPST::PROMPT:>");
    EXPECT_EQ(prompt.fields.ClipFileName, ":PROMPT:");
    ExpectParsesBack(prompt, TokenKind::ClipST);
    const ClipboardForm again = ClipboardPreset(std::get<TClipRec>(prompt.record));
    EXPECT_TRUE(again.SavePrompt);
    EXPECT_TRUE(again.ProgPath.empty());
}

TEST_F(Clipboard, FilesAreCheckedForCopiesOnly) {
    const std::string gone = file_ + ".gone";
    ExpectRefused(BuildClipboard({.Kind = 3, .ProgPath = gone}),
                  "Specified Text File does not exist.  Please correct.", "ProgPath");
    ExpectRefused(BuildClipboard({.Kind = 6, .ProgPath = dir_.string()}),
                  "Specified Bitmap File does not exist.  Please correct.", "ProgPath");
    EXPECT_EQ(BuildClipboard({.Kind = 9, .ProgPath = gone}).CommandText, "<CLIPST:" + gone + ">");
    ExpectRefused(BuildClipboard({.Kind = 10, .ProgPath = "  "}), "No file name specified.  Please correct.",
                  "ProgPath");
    ExpectRefused(BuildClipboard({.Kind = 11, .ProgPath = "a>b"}),
                  "The character \">\" cannot be used in this entry.  Please correct.", "ProgPath");
    const ClipboardLayout save = ClipboardLayoutOf({.Kind = 11, .SavePrompt = true});
    EXPECT_TRUE(save.pathPanel);
    EXPECT_FALSE(save.pathEnabled);
    EXPECT_STREQ(save.pathLabel, "Graphic File Path/Name");
    EXPECT_FALSE(ClipboardLayoutOf({.Kind = 1}).pathPanel);
    EXPECT_TRUE(ClipboardLayoutOf({.Kind = 7}).ignoreEnabled);
}

TEST(NetConn, ConnectDisconnectToggleParseBack) {
    NetConnForm connect{.NetMode = 1, .Drive = "F:", .ProgPath = "//server/share"};
    auto c = BuildNetConn(connect);
    EXPECT_EQ(c.CommandText, "<NWC:<NAME:><PASS:>F://server/share>");
    ExpectParsesBack(c, TokenKind::Nwc);
    NetConnForm disc{.NetMode = 2,
                     .Drive = "G:",
                     .ProgPath = "ignored",
                     .MakePerm = true,
                     .ForceDisc = true,
                     .DispStatus = true};
    auto d = BuildNetConn(disc);
    EXPECT_EQ(d.CommandText, "<NWDPFS:G:>");
    ExpectParsesBack(d, TokenKind::Nwd);
    NetConnForm toggle{.NetMode = 3,
                       .Drive = "H:",
                       .ProgPath = "//s/x",
                       .MakePerm = true,
                       .UseDefault = false,
                       .DispStatus = true,
                       .LogName = "me",
                       .LogPass = "pUss"};
    auto t = BuildNetConn(toggle);
    EXPECT_EQ(t.fields.LogonPassword, SwapPasswordChars("pUss"));
    EXPECT_EQ(SwapPasswordChars(t.fields.LogonPassword), "pUss");
    EXPECT_EQ(t.CommandText, "<NWTPS:<NAME:me><PASS:" + SwapPasswordChars("pUss") + ">H://s/x>");
    ExpectParsesBack(t, TokenKind::Nwt);
    for (const auto& r : {c, d, t}) {
        const auto& rec = std::get<TNetRec>(r.record);
        const std::int32_t mode = ChoiceOfCode(kNetChoices, r.code)->kind;
        const auto again = BuildNetConn(NetConnPreset(mode, rec));
        ASSERT_TRUE(again.ok());
        EXPECT_TRUE(SameRecord(again.record, rec));
    }
}

TEST(NetConn, RefusalsDrivesAndShares) {
    ExpectRefused(BuildNetConn({.NetMode = 1, .ProgPath = " "}),
                  "No network path has been entered.  Please correct.", "ProgPath");
    ExpectRefused(BuildNetConn({.NetMode = 1, .ProgPath = "//s/x", .UseDefault = false, .LogPass = "Wx"}),
                  "The character \"W\" cannot be used in this entry.  Please correct.", "LogPass");
    ExpectRefused(BuildNetConn({.NetMode = 3, .ProgPath = "//s/x", .UseDefault = false, .LogName = "a>"}),
                  "The character \">\" cannot be used in this entry.  Please correct.", "LogName");
    const auto drives = AvailableDrives();
    ASSERT_EQ(drives.size(), 26u);
    EXPECT_EQ(drives[1], "B:");
    EXPECT_EQ(MappedLine("X:", "//server/share"), "X: mapped to //server/share");
    EXPECT_EQ(ShareOfFolder("/run/user/1000/gvfs/smb-share:server=nas.local,share=public documents/sub"),
              "//nas.local/public documents");
    EXPECT_EQ(ShareOfFolder("//fileserver/long-share-name/folder"), "//fileserver/long-share-name");
    EXPECT_EQ(ShareOfFolder("/home/me"), std::nullopt);
    EXPECT_EQ(ShareOfFolder("//server"), std::nullopt);
    EXPECT_STREQ(NetLayoutOf(2, true).connectLabel, "Disconnect");
    EXPECT_FALSE(NetLayoutOf(1, true).logonEnabled);
}

TEST(DateTime, TimesAndDatesParseBack) {
    for (int i = 0; i < DateTimeFormatCount(true); ++i) {
        auto r = BuildDateTime({.IsTime = true, .Selected = i, .Suppress = i % 2 == 0});
        ExpectParsesBack(r, TokenKind::Time);
        ExpectEditUnchanged<DateTimeForm>(std::get<TDateTimeRec>(r.record), BuildDateTime, DateTimePreset);
    }
    for (int i = 0; i < DateTimeFormatCount(false); ++i) {
        auto r = BuildDateTime(
            {.IsTime = false, .Selected = i, .Suppress = i % 3 == 0, .Days = "12", .Future = i % 2 == 0});
        ExpectParsesBack(r, TokenKind::DateOffset);
        ExpectEditUnchanged<DateTimeForm>(std::get<TDateTimeRec>(r.record), BuildDateTime, DateTimePreset);
    }
    EXPECT_EQ(DateTimeFormat(true, 4), "hh:mm:ss");
    EXPECT_EQ(BuildDateTime({.IsTime = true, .Selected = 4}).CommandText, "<hh:mm:ss{Y}>");
    EXPECT_EQ(DateTimeFormat(false, 11), "DD.MM.YYYY");
    auto past =
        BuildDateTime({.IsTime = false, .Selected = 11, .Suppress = true, .Days = "7", .Future = false});
    EXPECT_EQ(past.CommandText, "<DD.MM.YYYY{NP007}>");
    EXPECT_EQ(BuildDateTime({.Selected = 0, .Days = "999"}).fields.DayOffset, 999);
    for (const char* bad : {"1000", "-1", "x"})
        ExpectRefused(BuildDateTime({.Selected = 0, .Days = bad}),
                      "Days must be between 0 and 999.  Please correct.", "Days");
    EXPECT_EQ(DateTimeExample(true, 0), "15:04");
}

TEST(DateTime, SettingsKeepTheLastFormat) {
    TConfigRecord s;
    s.LastDateFormat = 11;
    s.SuppressZerosInDate = true;
    const DateTimeForm f = DateTimeDefaults(false, s);
    EXPECT_EQ(f.Selected, 11);
    EXPECT_TRUE(f.Suppress);
    RememberDateTime({.IsTime = true, .Selected = 5, .Suppress = true}, s);
    EXPECT_EQ(s.LastTimeFormat, 5);
    EXPECT_TRUE(s.SuppressZerosInTime);
    s.LastTimeFormat = 400;  // a damaged setting opens on the first format
    EXPECT_EQ(DateTimeDefaults(true, s).Selected, 0);
}

class Small : public Files {};

TEST_F(Small, SoundAndAlarm) {
    auto beep = BuildSound({1, "", false});
    EXPECT_EQ(beep.CommandText, "<BEEP>");
    ExpectParsesBack(beep, TokenKind::Beep);
    auto wait = BuildSound({2, file_, true});
    EXPECT_EQ(wait.CommandText, "<WAV1:" + file_ + ">");
    ExpectParsesBack(wait, TokenKind::Wav1);
    auto nowait = BuildSound({2, file_, false});
    ExpectParsesBack(nowait, TokenKind::Wav2);
    for (const auto& r : {beep, wait, nowait})
        ExpectEditUnchanged<SoundForm>(std::get<TSoundRec>(r.record), BuildSound, SoundPreset);
    ExpectRefused(BuildSound({2, dir_.string(), false}), kNoWaveFile, "ProgPath");

    TConfigRecord s;
    s.UseWaveFile = true;
    s.WaveFile = "old.wav";
    EXPECT_EQ(StoreAlarm({1, file_, true}, s), std::nullopt);
    EXPECT_FALSE(s.UseWaveFile);
    EXPECT_EQ(s.WaveFile, std::string_view("old.wav"));
    ASSERT_TRUE(StoreAlarm({2, file_ + "x", true}, s));
    EXPECT_FALSE(s.UseWaveFile);
    EXPECT_EQ(StoreAlarm({2, file_, true}, s), std::nullopt);
    EXPECT_TRUE(s.UseWaveFile);
    EXPECT_TRUE(s.WaveFileWait);
    EXPECT_EQ(AlarmPreset(s).ProgPath, file_);
}

TEST_F(Small, PauseSwapRemarkKeysWeb) {
    auto pause = BuildPause({2, "10", "200", " Hello "});
    EXPECT_EQ(pause.CommandText, "<PAUSE:010,200Hello>");
    EXPECT_EQ(pause.fields.PauseFirst, 10);
    EXPECT_EQ(pause.fields.PauseSecond, 200);
    ExpectParsesBack(pause, TokenKind::Pause);
    auto basic = BuildPause({1, "x", "y", ""});
    EXPECT_EQ(basic.CommandText, "<PAUSE>");
    ExpectParsesBack(basic, TokenKind::PauseBasic);
    for (const auto& r : {pause, basic})
        ExpectEditUnchanged<PauseForm>(std::get<TPauseRec>(r.record), BuildPause, PausePreset);
    ExpectRefused(BuildPause({2, "-1", "0", ""}), "Invalid Top Window Coordinate entered.  Please correct.",
                  "TopCoord");
    ExpectRefused(BuildPause({2, "0", "1000", ""}),
                  "Invalid Left Window Coordinate entered.  Please correct.", "LeftCoord");
    ExpectRefused(BuildPause({2, "0", "0", "a>b"}),
                  "The character \">\" cannot be used in this entry.  Please correct.", "PauseMessage");

    auto swap = BuildSwap(file_);
    EXPECT_EQ(swap.CommandText, "<SWAP:" + file_ + ">");
    ExpectParsesBack(swap, TokenKind::Swap);
    ExpectRefused(BuildSwap(dir_.string()), "Specified Macro File does not exist.  Please correct.",
                  "ProgPath");

    const std::string long240(240, 'r');
    auto remark = BuildRemark(long240);
    EXPECT_EQ(remark.CommandText.size(), 246u);
    ExpectParsesBack(remark, TokenKind::Rem);
    EXPECT_EQ(BuildRemark("").CommandText, "<REM:>");
    ExpectRefused(BuildRemark("x>y"), "The character \">\" cannot be used in this entry.  Please correct.",
                  "Comments");

    for (const RadioChoice& c : kKeyUpDownChoices) {
        auto r = BuildKeyUpDown(c.kind);
        ExpectParsesBack(r, c.token);
        EXPECT_EQ(r.fields.KeyKind, c.kind);
    }

    auto web = BuildWeb(false, "WwW.example.org");
    EXPECT_EQ(web.CommandText, "<HTTP:http://WwW.example.org>");
    ExpectParsesBack(web, TokenKind::Http);
    EXPECT_EQ(BuildWeb(false, "http://www.a.b").fields.WebAddress, "http://www.a.b");
    auto ftp = BuildWeb(true, "www.files.org");
    EXPECT_EQ(ftp.CommandText, "<FTP:www.files.org>");
    ExpectParsesBack(ftp, TokenKind::Ftp);
    ExpectRefused(BuildWeb(false, "http://a>b"),
                  "The character \">\" cannot be used in this entry.  Please correct.", "ProgPath");
    EXPECT_STREQ(WebLookOf(true).start, "ftp://");
}

}  // namespace
}  // namespace tessaro
