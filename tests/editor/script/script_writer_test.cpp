#include "editor/script/script_writer.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "macro/macro_tokens.h"
#include "macro/macro_language.h"

namespace tessaro {
namespace {

// A record of the code's own type, changed by `fill`.
template <typename R, typename F>
LineRecord Rec(int code, F fill) {
    LineRecord rec = NewRecord(code);
    fill(std::get<R>(rec));
    return rec;
}
LineRecord Plain(int code) { return NewRecord(code); }

struct Case {
    int code;
    LineRecord rec;
    std::string text;
    std::vector<std::string> args;  // as the player's recogniser splits the token
};

// Every command at least once, with values that show each width and separator.
std::vector<Case> AllCommands() {
    using namespace cmd;
    const auto name = [](int code, const char* n) {
        return Rec<TNameRec>(code, [&](TNameRec& r) { r.Name = n; });
    };
    const auto win = [](int code, const char* title, bool current) {
        return Rec<TWindowRec>(code, [&](TWindowRec& r) {
            r.Title = title;
            r.CurrentWindow = current;
        });
    };
    const auto vol = [](int code, int kind) {
        return Rec<TVolumeRec>(code, [&](TVolumeRec& r) { r.Kind = kind; });
    };
    const auto desk = [](int code, int kind) {
        return Rec<TDeskRec>(code, [&](TDeskRec& r) { r.Kind = kind; });
    };
    const auto mouse = [](int code, int action) {
        return Rec<TMouseRec>(code, [&](TMouseRec& r) { r.Action = action; });
    };
    const auto wait = [](int code, int timeout, const char* text) {
        return Rec<TWaitRec>(code, [&](TWaitRec& r) {
            r.TimeOut = timeout;
            r.Text = text;
        });
    };
    const auto clip = [](int code, const char* file) {
        return Rec<TClipRec>(code, [&](TClipRec& r) { r.FileName = file; });
    };
    const auto key = [](int code, int kind) {
        return Rec<TKeyRec>(code, [&](TKeyRec& r) { r.Kind = kind; });
    };
    const auto launch = [](int code, int v1, int v2, int v3, const char* title, const char* path,
                           const char* params) {
        return Rec<TLaunchRec>(code, [&](TLaunchRec& r) {
            r.Value1 = v1;
            r.Value2 = v2;
            r.Value3 = v3;
            r.WindowTitle = title;
            r.ProgramPath = path;
            r.Parameters = params;
        });
    };
    const auto cd = [](int code, int track) {
        return Rec<TCDRec>(code, [&](TCDRec& r) { r.Track = track; });
    };
    const auto sys = [](int code, int kind, int value) {
        return Rec<TSysRec>(code, [&](TSysRec& r) {
            r.Kind = kind;
            r.Value = value;
        });
    };
    const auto wall = [](int style, int x, int y) {
        return Rec<TSysRec>(Wallpaper, [&](TSysRec& r) {
            r.Style = style;
            r.X = x;
            r.Y = y;
            r.FileName = "c:\\w.bmp";
        });
    };
    const auto net = [](int code, bool p, bool f, bool s) {
        return Rec<TNetRec>(code, [&](TNetRec& r) {
            r.Resource = "F:\\\\srv\\share";
            r.UserName = "bob";
            r.Password = "x?y";
            r.PFlag = p;
            r.FFlag = f;
            r.SFlag = s;
        });
    };
    const auto speed = [](int code, int ms) {
        return Rec<TSpeedRec>(code, [&](TSpeedRec& r) { r.Speed = ms; });
    };
    const auto fileop = [](int code, const char* src, const char* dst) {
        return Rec<TFileOpRec>(code, [&](TFileOpRec& r) {
            r.Source = src;
            r.Target = dst;
        });
    };
    const auto macro = [](int code, const char* nick) {
        return Rec<TMacroRefRec>(code, [&](TMacroRefRec& r) { r.Nickname = nick; });
    };
    const auto delay = [](int code, int unit, double amount) {
        return Rec<TDelayRec>(code, [&](TDelayRec& r) {
            r.Unit = unit;
            r.Amount = amount;
        });
    };

    return {
        {Text, Rec<TTextRec>(Text, [](TTextRec& r) { r.Text = "Hello<TAB>x"; }), "Hello<TAB>x", {}},
        {Date,
         Rec<TDateTimeRec>(Date,
                           [](TDateTimeRec& r) {
                               r.FormatIndex = 12;
                               r.YesNo = false;
                               r.Forward = false;
                               r.DayOffset = 7;
                           }),
         "<DD.MM.YYYY{NP007}>",
         {"N", "P", "007"}},
        {Date,
         Rec<TDateTimeRec>(Date,
                           [](TDateTimeRec& r) {
                               r.FormatIndex = 1;
                               r.DayOffset = 0;
                           }),
         "<MM/DD/YY{YF000}>",
         {"Y", "F", "000"}},
        {Time, Rec<TDateTimeRec>(Time, [](TDateTimeRec& r) { r.FormatIndex = 5; }), "<hh:mm:ss{Y}>", {"Y"}},
        {Time,
         Rec<TDateTimeRec>(Time,
                           [](TDateTimeRec& r) {
                               r.FormatIndex = 26;
                               r.YesNo = false;
                           }),
         "<hh,mma{N}>",
         {"N"}},
        {Delay, delay(Delay, 1, 5), "<DELAY:05.00>", {"05.00"}},
        {Delay, delay(Delay, 1, 12.5), "<DELAY:12.50>", {"12.50"}},
        {Delay, delay(Delay, 2, 250), "<MSD:0250>", {"0250"}},
        {Pause, Plain(Pause), "<PAUSE>", {}},
        {Pause,
         Rec<TPauseRec>(Pause,
                        [](TPauseRec& r) {
                            r.Kind = 2;
                            r.X = 5;
                            r.Y = 120;
                            r.Message = "Go on?";
                        }),
         "<PAUSE:005,120Go on?>",
         {"005", "120", "Go on?"}},
        {RepeatStart,
         Rec<TRepeatRec>(RepeatStart,
                         [](TRepeatRec& r) {
                             r.Count = 5;
                             r.StartAt = 1;
                             r.StepBy = 1;
                         }),
         "<REP:0005:000001:000001>",
         {"0005", "000001", "000001"}},
        {RepeatEnd, Plain(RepeatEnd), "<ENDREP>", {}},
        {KeystrokeSpeed, speed(KeystrokeSpeed, 20), "<SPKEY:0020>", {"0020"}},
        {MouseSpeed, speed(MouseSpeed, 1500), "<SPMSE:1500>", {"1500"}},
        {WindowActivate,
         launch(WindowActivate, 0, 0, 0, "Untitled - Notepad", "", ""),
         "<ACTIVATE:Untitled - Notepad>",
         {"Untitled - Notepad"}},
        {ProgramLaunch,
         launch(ProgramLaunch, 3, 0, 0, "", "c:\\prog.exe", ""),
         "<LAUNCHDEL:03c:\\prog.exe>",
         {"03", "c:\\prog.exe"}},
        {ProgramLaunch,
         launch(ProgramLaunch, 0, 0, 2, "", "p.exe", "-a b"),
         "<LAUNCHDEL:00p.exe<PARAM>-a b2\x01>",
         {"00", "p.exe<PARAM>-a b2\x01"}},
        {SoundBeep, Plain(SoundBeep), "<BEEP>", {}},
        {SoundWaveFile,
         Rec<TSoundRec>(SoundWaveFile,
                        [](TSoundRec& r) {
                            r.FileName = "d.wav";
                            r.WaitFlag = true;
                        }),
         "<WAV1:d.wav>",
         {"d.wav"}},
        {SoundWaveFile,
         Rec<TSoundRec>(SoundWaveFile, [](TSoundRec& r) { r.FileName = "d.wav"; }),
         "<WAV2:d.wav>",
         {"d.wav"}},
        {LoadNewMacroFile, name(LoadNewMacroFile, "other.qtm"), "<SWAP:other.qtm>", {"other.qtm"}},
        {LoadTextFile, name(LoadTextFile, "t.txt"), "<TFILE:t.txt>", {"t.txt"}},
        {WindowResize,
         Rec<TSizeRec>(WindowResize,
                       [](TSizeRec& r) {
                           r.X = 640;
                           r.Y = 480;
                           r.CurrentWindow = true;
                           r.Title = "x";
                       }),
         "<WSIZE:0640,0480\"CURRENT\">",
         {"0640", "0480", "\"CURRENT\""}},
        {WindowReposition,
         Rec<TSizeRec>(WindowReposition,
                       [](TSizeRec& r) {
                           r.X = -12;
                           r.Y = 345;
                           r.Title = "Calc";
                       }),
         "<WPOS2:-0012,00345Calc>",
         {"-0012", "00345", "Calc"}},
        {WindowMaximize, win(WindowMaximize, "A", false), "<WMAX:A>", {"A"}},
        {WindowMinimize, win(WindowMinimize, "A", true), "<WMIN:\"CURRENT\">", {"\"CURRENT\""}},
        {WindowRestore, win(WindowRestore, "B", false), "<WRES:B>", {"B"}},
        {WindowClose, win(WindowClose, "C", false), "<WCLS:C>", {"C"}},
        {WindowHide, win(WindowHide, "D", false), "<WHIDE:D>", {"D"}},
        {WindowShow, win(WindowShow, "E", false), "<WSHOW:E>", {"E"}},
        {MouseMove,
         Rec<TMouseRec>(MouseMove,
                        [](TMouseRec& r) {
                            r.MoveKind = 3;
                            r.X = -12;
                            r.Y = 345;
                        }),
         "<MMP:-0012,00345>",
         {"-0012", "00345"}},
        {MouseMove,
         Rec<TMouseRec>(MouseMove,
                        [](TMouseRec& r) {
                            r.MoveKind = 1;
                            r.X = 10;
                            r.Y = 20;
                        }),
         "<MMS:00010,00020>",
         {"00010", "00020"}},
        {MouseMove,
         Rec<TMouseRec>(MouseMove,
                        [](TMouseRec& r) {
                            r.MoveKind = 2;
                            r.X = 0;
                            r.Y = -1;
                        }),
         "<MMW:00000,-0001>",
         {"00000", "-0001"}},
        {MouseMove, Rec<TMouseRec>(MouseMove, [](TMouseRec& r) { r.MoveKind = 4; }), "<MMC>", {}},
        {MouseLeftButton, mouse(MouseLeftButton, 2), "<LCLK>", {}},
        {MouseLeftButton, mouse(MouseLeftButton, 3), "<LDCLK>", {}},
        {MouseLeftButton, mouse(MouseLeftButton, 4), "<LDN>", {}},
        {MouseLeftButton, mouse(MouseLeftButton, 5), "<LUP>", {}},
        {MouseRightButton, mouse(MouseRightButton, 6), "<RCLK>", {}},
        {MouseRightButton, mouse(MouseRightButton, 7), "<RDCLK>", {}},
        {MouseRightButton, mouse(MouseRightButton, 8), "<RDN>", {}},
        {MouseRightButton, mouse(MouseRightButton, 9), "<RUP>", {}},
        {MouseMiddleButton, mouse(MouseMiddleButton, 10), "<MCLK>", {}},
        {MouseMiddleButton, mouse(MouseMiddleButton, 11), "<MDCLK>", {}},
        {MouseMiddleButton, mouse(MouseMiddleButton, 12), "<MDN>", {}},
        {MouseMiddleButton, mouse(MouseMiddleButton, 13), "<MUP>", {}},
        {MouseWheel,
         Rec<TMouseRec>(MouseWheel,
                        [](TMouseRec& r) {
                            r.Action = 14;
                            r.WheelCount = 3;
                        }),
         "<WFW:003>",
         {"003"}},
        {MouseWheel,
         Rec<TMouseRec>(MouseWheel,
                        [](TMouseRec& r) {
                            r.Action = 15;
                            r.WheelCount = 12;
                        }),
         "<WBW:012>",
         {"012"}},
        {Remark, name(Remark, "note"), "<REM:note>", {"note"}},
        {ClipboardCopy, Plain(ClipboardCopy), "<CLIPC>", {}},
        {ClipboardPaste, Plain(ClipboardPaste), "<CLIPP>", {}},
        {RepeatCounter, Rec<TRepeatRec>(RepeatCounter, [](TRepeatRec& r) { r.Count = 1; }), "<I>", {}},
        {RepeatCounter, Rec<TRepeatRec>(RepeatCounter, [](TRepeatRec& r) { r.Count = 2; }), "<II>", {}},
        {RepeatCounter, Rec<TRepeatRec>(RepeatCounter, [](TRepeatRec& r) { r.Count = 3; }), "<III>", {}},
        {RepeatCounter, Rec<TRepeatRec>(RepeatCounter, [](TRepeatRec& r) { r.Count = 4; }), "<IIII>", {}},
        {ActivateOrLaunch,
         launch(ActivateOrLaunch, 1, 30, 0, "Calc", "calc.exe", ""),
         "<LAUNCHYES2:0130Calc<LAUNCH:calc.exe>",
         {"01", "30", "Calc", "calc.exe"}},
        {LaunchAndActivate,
         launch(LaunchAndActivate, 2, 5, 1, "Pad", "pad.exe", "f.txt"),
         "<LAUNCHNO2:0205Pad<LAUNCH:pad.exe<PARAM>f.txt1\x01>",
         {"02", "05", "Pad", "pad.exe<PARAM>f.txt1\x01"}},
        {ClipboardStartCopy, Plain(ClipboardStartCopy), "<BEGCLIP>", {""}},  // read up to "<ENDCLIP>"
        {ClipboardEndCopy, Plain(ClipboardEndCopy), "<ENDCLIP>", {}},
        {ClipboardFileCopy, clip(ClipboardFileCopy, "c.txt"), "<CLIPF:c.txt>", {"c.txt"}},
        {ProgramShutDown, win(ProgramShutDown, "Pad", false), "<WSHUT:Pad>", {"Pad"}},
        {ControlKey, key(ControlKey, 1), "<CTLD>", {}},
        {ControlKey, key(ControlKey, 2), "<CTLU>", {}},
        {AltKey, key(AltKey, 3), "<ALTD>", {}},
        {AltKey, key(AltKey, 4), "<ALTU>", {}},
        {ShiftKey, key(ShiftKey, 5), "<SHFD>", {}},
        {ShiftKey, key(ShiftKey, 6), "<SHFU>", {}},
        {WinKey, key(WinKey, 7), "<WIND>", {}},
        {WinKey, key(WinKey, 8), "<WINU>", {}},
        {WebSite, name(WebSite, "www.example.com"), "<HTTP:www.example.com>", {"www.example.com"}},
        {WebFtp, name(WebFtp, "ftp.example.com"), "<FTP:ftp.example.com>", {"ftp.example.com"}},
        {RepeatPromptStart, Plain(RepeatPromptStart), "<PROMPTREP>", {}},
        {ChangeFolder, fileop(ChangeFolder, "c:\\tmp", ""), "<CHDIR:c:\\tmp>", {"c:\\tmp"}},
        {DeleteFile, fileop(DeleteFile, "a.txt", ""), "<DELFILE:a.txt>", {"a.txt"}},
        {CopyFile, fileop(CopyFile, "a.txt", "b.txt"), "<COPYFILE:a.txt;b.txt>", {"a.txt", "b.txt"}},
        {RenameFile, fileop(RenameFile, "a.txt", "b.txt"), "<RENFILE:a.txt;b.txt>", {"a.txt", "b.txt"}},
        {MacroPlaybackSpeed,
         Rec<TSpeedRec>(MacroPlaybackSpeed, [](TSpeedRec& r) { r.PlaybackSpeed = 0.5; }),
         "<SPEED:00.50>",
         {"00.50"}},
        {MacroRun, macro(MacroRun, "Other"), "<MACRUN:Other>", {"Other"}},
        {NetworkConnect,
         net(NetworkConnect, true, true, true),
         "<NWCPS:<NAME:bob><PASS:x?y>F:\\\\srv\\share>",
         {"PS", "bob", "x?y", "F:", "\\\\srv\\share"}},
        {NetworkConnect,
         net(NetworkConnect, false, false, false),
         "<NWC:<NAME:bob><PASS:x?y>F:\\\\srv\\share>",
         {"", "bob", "x?y", "F:", "\\\\srv\\share"}},
        {NetworkDisconnect,
         net(NetworkDisconnect, true, true, true),
         "<NWDPFS:F:\\\\srv\\share>",
         {"PFS", "F:\\\\srv\\share"}},
        {NetworkDisconnect,
         net(NetworkDisconnect, false, true, false),
         "<NWDF:F:\\\\srv\\share>",
         {"F", "F:\\\\srv\\share"}},
        {WindowOfText,
         Rec<TWTextRec>(WindowOfText,
                        [](TWTextRec& r) {
                            r.Title = "Hi";
                            r.Text = "Body\r\nmore";
                        }),
         "<TBOX:<HEAD:Hi>Body\r\nmore>",
         {"Hi", "Body\r\nmore"}},
        {VideoClipPlay,
         Rec<TVideoRec>(VideoClipPlay,
                        [](TVideoRec& r) {
                            r.Kind = 1;
                            r.FileName = "v.avi";
                        }),
         "<AVII:v.avi>",
         {"v.avi"}},
        {VideoClipPlay,
         Rec<TVideoRec>(VideoClipPlay,
                        [](TVideoRec& r) {
                            r.Kind = 2;
                            r.FileName = "v.avi";
                        }),
         "<AVIE:v.avi>",
         {"v.avi"}},
        {VideoClipPlay,
         Rec<TVideoRec>(VideoClipPlay,
                        [](TVideoRec& r) {
                            r.Kind = 3;
                            r.FileName = "v.avi";
                        }),
         "<AVI:v.avi>",
         {"v.avi"}},
        {CdPlay, Plain(CdPlay), "<CDPLAY>", {}},
        {CdStop, Plain(CdStop), "<CDSTOP>", {}},
        {CdPause, Plain(CdPause), "<CDPAUSE>", {}},
        {CdNextTrack, Plain(CdNextTrack), "<CDNEXT>", {}},
        {CdPreviousTrack, Plain(CdPreviousTrack), "<CDPREV>", {}},
        {CdGoToTrack, cd(CdGoToTrack, 7), "<CDGOTO:07>", {"07"}},
        {CdStep, cd(CdStep, 30), "<CDSTEP:030>", {"030"}},
        {CdBack, cd(CdBack, 120), "<CDBACK:120>", {"120"}},
        {CdEject, Plain(CdEject), "<CDEJECT>", {}},
        {CdCloseTray, Plain(CdCloseTray), "<CDCLOSE>", {}},
        {OpenFolderInExplorer, name(OpenFolderInExplorer, "c:\\docs"), "<EXPLORE:c:\\docs>", {"c:\\docs"}},
        {DesktopCascade, Plain(DesktopCascade), "<CASCDESK>", {}},
        {DesktopTile, desk(DesktopTile, 2), "<TILVDESK>", {}},
        {DesktopTile, desk(DesktopTile, 3), "<TILHDESK>", {}},
        {DesktopMinimizeAll, Plain(DesktopMinimizeAll), "<MINIDESK>", {}},
        {DesktopRestoreAll, Plain(DesktopRestoreAll), "<RESTDESK>", {}},
        {ClipboardTypeText,
         Rec<TClipRec>(ClipboardTypeText, [](TClipRec& r) { r.Flag = true; }),
         "<CLIPTYPEI>",
         {}},
        {ClipboardTypeText, Plain(ClipboardTypeText), "<CLIPTYPE>", {}},
        {DefaultPrinter, name(DefaultPrinter, "Laser"), "<DEFPRT:Laser>", {"Laser"}},
        {DefaultDisplaySize,
         Rec<TDisplayRec>(DefaultDisplaySize, [](TDisplayRec& r) { r.ModeIndex = 4; }),
         "<SCREEN:004>",
         {"004"}},
        {Logoff, Plain(Logoff), "<LOGOFF>", {}},
        {Reboot, Plain(Reboot), "<REBOOT>", {}},
        {ShutDown, Plain(ShutDown), "<SHUTDOWN>", {}},
        {PowerOff, Plain(PowerOff), "<POWEROFF>", {}},
        {ScreenSaver, sys(ScreenSaver, 1, 0), "<SSON>", {}},
        {ScreenSaver, sys(ScreenSaver, 2, 0), "<SSOFF>", {}},
        {ScreenSaver, sys(ScreenSaver, 3, 5), "<SSTIME:05>", {"05"}},
        {KeyboardRepeatSpeed, sys(KeyboardRepeatSpeed, 5, 31), "<KEYSPD:31>", {"31"}},
        {KeyboardDelay, sys(KeyboardDelay, 4, 2), "<KEYDEL:2>", {"2"}},
        {Wallpaper, wall(0, 0, 0), "<WALLT:c:\\w.bmp>", {"c:\\w.bmp"}},
        {Wallpaper, wall(1, 0, 0), "<WALLC:c:\\w.bmp>", {"c:\\w.bmp"}},
        {Wallpaper, wall(2, 0, 0), "<WALLS:c:\\w.bmp>", {"c:\\w.bmp"}},
        {Wallpaper, wall(3, 10, 200), "<WALLP:0010,0200c:\\w.bmp>", {"0010", "0200", "c:\\w.bmp"}},
        {WindowsSizingBorder, sys(WindowsSizingBorder, 7, 4), "<WBSIZE:04>", {"04"}},
        {NetworkToggle,
         net(NetworkToggle, true, false, false),
         "<NWTP:<NAME:bob><PASS:x?y>F:\\\\srv\\share>",
         {"P", "bob", "x?y", "F:", "\\\\srv\\share"}},
        {ClipboardGraphicCopy, clip(ClipboardGraphicCopy, "p.bmp"), "<CLIPB:p.bmp>", {"p.bmp"}},
        {AudioVolume, vol(AudioVolume, 1), "<AUDOFF>", {}},
        {AudioVolume, vol(AudioVolume, 2), "<AUDON>", {}},
        {AudioVolume, vol(AudioVolume, 3), "<AUDUP>", {}},
        {AudioVolume, vol(AudioVolume, 4), "<AUDDOWN>", {}},
        {AudioBalance, vol(AudioBalance, 6), "<AUDLEFT>", {}},
        {AudioBalance, vol(AudioBalance, 7), "<AUDRIGHT>", {}},
        {AudioBalance, vol(AudioBalance, 8), "<AUDCENTER>", {}},
        {AudioMuteToggle, Plain(AudioMuteToggle), "<AUDMUTE>", {}},
        {AudioTreble, vol(AudioTreble, 9), "<TREBUP>", {}},
        {AudioTreble, vol(AudioTreble, 10), "<TREBDOWN>", {}},
        {AudioBass, vol(AudioBass, 19), "<BASSUP>", {}},
        {AudioBass, vol(AudioBass, 20), "<BASSDOWN>", {}},
        {MidiVolume, vol(MidiVolume, 11), "<MIDIOFF>", {}},
        {MidiVolume, vol(MidiVolume, 12), "<MIDION>", {}},
        {MidiVolume, vol(MidiVolume, 13), "<MIDIUP>", {}},
        {MidiVolume, vol(MidiVolume, 14), "<MIDIDOWN>", {}},
        {MidiBalance, vol(MidiBalance, 16), "<MIDILEFT>", {}},
        {MidiBalance, vol(MidiBalance, 17), "<MIDIRIGHT>", {}},
        {MidiBalance, vol(MidiBalance, 18), "<MIDICENTER>", {}},
        {MidiMuteToggle, Plain(MidiMuteToggle), "<MIDIMUTE>", {}},
        {WaitForWindowTitle, wait(WaitForWindowTitle, 5, "Calc"), "<WAITWIN:005:Calc>", {"005", "Calc"}},
        {DialUpNetworking,
         Rec<TDialRec>(DialUpNetworking,
                       [](TDialRec& r) {
                           r.Kind = 1;
                           r.UserName = "me";
                           r.Password = "pw";
                           r.Entry = "Office";
                       }),
         "<DIAL:<NAME:me><PASS:pw>Office>",
         {"me", "pw", "Office"}},
        {DialUpNetworking, Rec<TDialRec>(DialUpNetworking, [](TDialRec& r) { r.Kind = 2; }), "<HANG>", {}},
        {MacroDelete, macro(MacroDelete, "Old"), "<MACDEL:Old>", {"Old"}},
        {MacroActivate, macro(MacroActivate, "A"), "<MACACT:A>", {"A"}},
        {MacroDeactivate, macro(MacroDeactivate, "B"), "<MACDEACT:B>", {"B"}},
        {CreateFolder, fileop(CreateFolder, "c:\\new", ""), "<MKDIR:c:\\new>", {"c:\\new"}},
        {WaitWindowLoseFocus, wait(WaitWindowLoseFocus, 10, "Pad"), "<WAITWLF:010:Pad>", {"010", "Pad"}},
        {WaitProgramTerminate,
         wait(WaitProgramTerminate, 120, "pad.exe"),
         "<WAITPROG:120:pad.exe>",
         {"120", "pad.exe"}},
        {WaitForKeyPress, wait(WaitForKeyPress, 0, "48"), "<WAITKEY:000:48>", {"000", "48"}},
        {WaitForText,
         Rec<TWaitRec>(WaitForText,
                       [](TWaitRec& r) {
                           r.TimeOut = 1;
                           r.Text = "go";
                           r.Found = true;
                       }),
         "<WAITTXTY:001:go>",
         {"001", "go"}},
        {WaitForText, wait(WaitForText, 2, "go"), "<WAITTXTN:002:go>", {"002", "go"}},
        {WaitLeftMouseClick, wait(WaitLeftMouseClick, 3, ""), "<WAITLM:003>", {"003"}},
        {WaitRightMouseClick, wait(WaitRightMouseClick, 4, ""), "<WAITRM:004>", {"004"}},
        {WaitMiddleMouseClick, wait(WaitMiddleMouseClick, 5, ""), "<WAITMM:005>", {"005"}},
        {OpenExplorerTo, desk(OpenExplorerTo, 12), "<EXPCP>", {}},
        {OpenExplorerTo, desk(OpenExplorerTo, 18), "<EXPNW>", {}},
        {OpenExplorerTo, desk(OpenExplorerTo, 25), "<EXPUD>", {}},
        {RunDialogWindow, desk(RunDialogWindow, 8), "<RUNDT>", {}},
        {RunDialogWindow, desk(RunDialogWindow, 9), "<RUNFC>", {}},
        {RunDialogWindow, desk(RunDialogWindow, 10), "<RUNFF>", {}},
        {RunDialogWindow, desk(RunDialogWindow, 11), "<RUNRP>", {}},
        {UndockComputer, Plain(UndockComputer), "<UNDOCK>", {}},
        {SuspendComputer, Plain(SuspendComputer), "<SUSPEND>", {}},
        {WaitTextPlayback, Plain(WaitTextPlayback), "<WAITPB>", {}},
        {WaitTimeElapse, wait(WaitTimeElapse, 125, ""), "<WAITTIME:00000125>", {"00000125"}},
        {EmailSend,
         Rec<TEmailRec>(EmailSend,
                        [](TEmailRec& r) {
                            r.Token =
                                "<EMAIL:RNR1TOa@b\x01S1Hi\x01"
                                "Body\x01"
                                "A1>";
                        }),
         "<EMAIL:RNR1TOa@b\x01S1Hi\x01"
         "Body\x01"
         "A1>",
         {"RNR1TOa@b\x01S1Hi\x01"
          "Body\x01"
          "A1"}},
        {EncryptedText, name(EncryptedText, "0A1B2C"), "<ETEXT:0A1B2C>", {"0A1B2C"}},
        {ClipboardSaveText, clip(ClipboardSaveText, ":PROMPT:"), "<CLIPST::PROMPT:>", {":PROMPT:"}},
        {ClipboardAppendText, clip(ClipboardAppendText, "log.txt"), "<CLIPAT:log.txt>", {"log.txt"}},
        {ClipboardSaveGraphic, clip(ClipboardSaveGraphic, "g.bmp"), "<CLIPSG:g.bmp>", {"g.bmp"}},
        {WaitTimeDelay, delay(WaitTimeDelay, 3, 7), "<TDELAY:07>", {"07"}},
    };
}

TEST(ScriptWriter, EveryCommandWritesItsExactToken) {
    std::set<int> covered;
    for (const Case& c : AllCommands()) {
        const ScriptTextResult r = CommandText(c.code, c.rec);
        ASSERT_TRUE(r.ok) << CommandName(c.code) << ": " << r.error;
        EXPECT_EQ(r.text, c.text) << CommandName(c.code);
        covered.insert(c.code);
    }
    EXPECT_EQ(covered.size(), static_cast<std::size_t>(kCommandCount));
}

// What the editor writes, the player reads back as one token with the same arguments.
TEST(ScriptWriter, PlayerRecognisesEveryTokenWithItsArguments) {
    for (const Case& c : AllCommands()) {
        if (c.code == cmd::Text) continue;  // typed text, not a token
        // A start of copying is read together with its end.
        const std::string text = c.code == cmd::ClipboardStartCopy ? c.text + "<ENDCLIP>" : c.text;
        const Token t = Recognise(text, 0);
        ASSERT_NE(t.kind, TokenKind::None) << c.text;
        EXPECT_EQ(t.length, text.size()) << c.text;
        EXPECT_FALSE(t.unterminated) << c.text;
        if (c.code == cmd::Date || c.code == cmd::Time) {
            const auto& r = std::get<TDateTimeRec>(c.rec);
            EXPECT_EQ(t.kind, c.code == cmd::Date ? TokenKind::DateOffset : TokenKind::Time);
            EXPECT_EQ(t.format, r.FormatIndex) << c.text;
        } else {
            EXPECT_TRUE(c.text.starts_with(SpecOf(t.kind).prefix)) << c.text;
        }
        const std::vector<std::string> args(t.args.begin(), t.args.end());
        EXPECT_EQ(args, c.args) << c.text;
    }
}

// Older macros hold step and back with two digits; the player reads both widths.
TEST(ScriptWriter, PlayerReadsCdSecondsOfTwoOrThreeDigits) {
    for (const char* token : {"<CDSTEP:", "<CDBACK:"}) {
        const std::string two = std::string(token) + "12>x";
        const Token t2 = Recognise(two, 0);
        ASSERT_NE(t2.kind, TokenKind::None) << two;
        EXPECT_EQ(t2.length, 11u);
        EXPECT_EQ(ArgInt(t2.args.at(0)), 12);
        const std::string three = std::string(token) + "120>";
        const Token t3 = Recognise(three, 0);
        EXPECT_EQ(t3.kind, t2.kind);
        EXPECT_EQ(t3.length, 12u);
        EXPECT_EQ(ArgInt(t3.args.at(0)), 120);
        EXPECT_EQ(Recognise(std::string(token) + "1>", 0).kind, TokenKind::None);
        EXPECT_EQ(Recognise(std::string(token) + "12", 0).kind, TokenKind::None);
    }
}

TEST(ScriptWriter, ScriptIsThePlainConcatenationAndIgnoresUnnamedLines) {
    std::vector<ScriptLine> lines;
    std::string expected;
    for (Case& c : AllCommands()) {
        // Indentation does not change what is written.
        lines.push_back({"   " + std::string(CommandName(c.code)) + " summary", c.rec});
        lines.push_back({"", NewRecord(cmd::Text)});
        lines.push_back({"no command here", NewRecord(cmd::Remark)});
        expected += c.text;
    }
    const auto before = lines.size();
    const ScriptTextResult r = BuildMacroText(lines);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.text, expected);
    // The lines are untouched and can be written again with the same result.
    ASSERT_EQ(lines.size(), before);
    EXPECT_EQ(BuildMacroText(lines).text, expected);
    EXPECT_TRUE(BuildMacroText({}).ok);
    EXPECT_EQ(BuildMacroText({}).text, "");
}

TEST(ScriptWriter, SelectorsOutsideTheirListsAddNothing) {
    using namespace cmd;
    const std::pair<int, std::int32_t> volumes[] = {{AudioVolume, 5}, {AudioBalance, 1}, {AudioTreble, 11},
                                                    {AudioBass, 9},   {MidiVolume, 15},  {MidiBalance, 19}};
    for (auto [code, kind] : volumes) {
        const auto r = CommandText(code, Rec<TVolumeRec>(code, [kind](TVolumeRec& v) { v.Kind = kind; }));
        EXPECT_TRUE(r.ok && r.text.empty()) << code;
    }
    for (int code : {MouseLeftButton, MouseRightButton, MouseMiddleButton})
        EXPECT_EQ(CommandText(code, Rec<TMouseRec>(code, [](TMouseRec& m) { m.Action = 1; })).text, "");
    const std::pair<int, LineRecord> others[] = {
        {RepeatCounter, Rec<TRepeatRec>(RepeatCounter, [](TRepeatRec& r) { r.Count = 5; })},
        {OpenExplorerTo, Rec<TDeskRec>(OpenExplorerTo, [](TDeskRec& r) { r.Kind = 26; })},
        {RunDialogWindow, Rec<TDeskRec>(RunDialogWindow, [](TDeskRec& r) { r.Kind = 12; })},
        {VideoClipPlay, Rec<TVideoRec>(VideoClipPlay, [](TVideoRec& r) { r.Kind = 0; })},
        {ScreenSaver, Rec<TSysRec>(ScreenSaver, [](TSysRec& r) { r.Kind = 4; })},
        {Wallpaper, Rec<TSysRec>(Wallpaper, [](TSysRec& r) { r.Style = 4; })},
        {MouseMove, Rec<TMouseRec>(MouseMove, [](TMouseRec& r) { r.MoveKind = 5; })},
    };
    for (const auto& [code, rec] : others) {
        const auto r = CommandText(code, rec);
        EXPECT_TRUE(r.ok && r.text.empty()) << CommandName(code);
    }
}

TEST(ScriptWriter, NumbersTooWideForTheirFieldAreRefused) {
    using namespace cmd;
    struct Wide {
        int code;
        LineRecord rec;
    };
    const auto repeat = [](int count, int start, int step) {
        LineRecord rec = NewRecord(RepeatStart);
        auto& r = std::get<TRepeatRec>(rec);
        r.Count = count;
        r.StartAt = start;
        r.StepBy = step;
        return rec;
    };
    const auto delay = [](int code, int unit, double amount) {
        LineRecord rec = NewRecord(code);
        std::get<TDelayRec>(rec).Unit = unit;
        std::get<TDelayRec>(rec).Amount = amount;
        return rec;
    };
    const auto cd = [](int code, int track) {
        LineRecord rec = NewRecord(code);
        std::get<TCDRec>(rec).Track = track;
        return rec;
    };
    const auto move = [](int x) {
        LineRecord rec = NewRecord(MouseMove);
        std::get<TMouseRec>(rec).X = x;
        return rec;
    };
    const Wide cases[] = {
        {RepeatStart, repeat(10000, 1, 1)},
        {RepeatStart, repeat(1, 1000000, 1)},
        {RepeatStart, repeat(1, 1, -100000)},
        {Delay, delay(Delay, 1, 100)},
        {Delay, delay(Delay, 1, -10)},
        {Delay, delay(Delay, 2, 10000)},
        {WaitTimeDelay, delay(WaitTimeDelay, 3, 100)},
        {CdGoToTrack, cd(CdGoToTrack, 100)},
        {CdStep, cd(CdStep, 1000)},
        {CdBack, cd(CdBack, -100)},
        {MouseMove, move(100000)},
        {MouseMove, move(-10000)},
    };
    for (const Wide& w : cases) {
        const ScriptTextResult r = CommandText(w.code, w.rec);
        EXPECT_FALSE(r.ok) << CommandName(w.code) << " gave " << r.text;
        EXPECT_NE(r.error.find(CommandName(w.code)), std::string::npos) << r.error;
    }
    // The widest values that fit are written.
    EXPECT_EQ(CommandText(RepeatStart, repeat(9999, 999999, -99999)).text, "<REP:9999:999999:-99999>");
    EXPECT_EQ(CommandText(MouseMove, move(-9999)).text.substr(0, 10), "<MMS:-9999");
    EXPECT_EQ(CommandText(Delay, delay(Delay, 1, 99.99)).text, "<DELAY:99.99>");
    EXPECT_EQ(CommandText(Delay, delay(Delay, 1, 0.5)).text, "<DELAY:00.50>");

    // A whole script is refused at its first bad line, which is named.
    std::vector<ScriptLine> lines = {{"Text: a", NewRecord(Text)},
                                     {"CD-Rom Step Forward 1000 Seconds", cd(CdStep, 1000)}};
    const ScriptTextResult r = BuildMacroText(lines);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.line, 1);
    EXPECT_TRUE(r.text.empty());
    EXPECT_TRUE(r.error.starts_with("Line 2: ")) << r.error;
}

// A free text the player reads up to ">" (or "<", ";") cannot hold that character.
TEST(ScriptWriter, TextsThatWouldEndTheirCommandEarlyAreRefused) {
    using namespace cmd;
    const std::pair<int, LineRecord> refused[] = {
        {WindowActivate, Rec<TLaunchRec>(WindowActivate, [](TLaunchRec& r) { r.WindowTitle = "a>b"; })},
        {ProgramLaunch, Rec<TLaunchRec>(ProgramLaunch, [](TLaunchRec& r) { r.ProgramPath = "a>b"; })},
        {ProgramLaunch, Rec<TLaunchRec>(ProgramLaunch, [](TLaunchRec& r) { r.Parameters = "-x >out"; })},
        {ActivateOrLaunch, Rec<TLaunchRec>(ActivateOrLaunch, [](TLaunchRec& r) { r.WindowTitle = "a<b"; })},
        {Remark, Rec<TNameRec>(Remark, [](TNameRec& r) { r.Name = "1 > 0"; })},
        {WindowClose, Rec<TWindowRec>(WindowClose, [](TWindowRec& r) { r.Title = ">"; })},
        {WindowResize, Rec<TSizeRec>(WindowResize, [](TSizeRec& r) { r.Title = "x>"; })},
        {CopyFile, Rec<TFileOpRec>(CopyFile,
                                   [](TFileOpRec& r) {
                                       r.Source = "a;b";
                                       r.Target = "c";
                                   })},
        {RenameFile, Rec<TFileOpRec>(RenameFile,
                                     [](TFileOpRec& r) {
                                         r.Source = "a";
                                         r.Target = "c>";
                                     })},
        {NetworkConnect, Rec<TNetRec>(NetworkConnect, [](TNetRec& r) { r.Password = ">"; })},
        {DialUpNetworking, Rec<TDialRec>(DialUpNetworking, [](TDialRec& r) { r.UserName = "a>"; })},
        {WindowOfText, Rec<TWTextRec>(WindowOfText, [](TWTextRec& r) { r.Text = "2 > 1"; })},
        {WaitForText, Rec<TWaitRec>(WaitForText, [](TWaitRec& r) { r.Text = "->"; })},
        {Pause, Rec<TPauseRec>(Pause,
                               [](TPauseRec& r) {
                                   r.Kind = 2;
                                   r.Message = "<ok>";
                               })},
        {Wallpaper, Rec<TSysRec>(Wallpaper, [](TSysRec& r) { r.FileName = "w>.bmp"; })},
    };
    for (const auto& [code, rec] : refused) {
        const ScriptTextResult r = CommandText(code, rec);
        EXPECT_FALSE(r.ok) << CommandName(code) << " gave " << r.text;
        EXPECT_NE(r.error.find(CommandName(code)), std::string::npos) << r.error;
    }
    // Elsewhere those characters are ordinary.
    EXPECT_EQ(CommandText(CopyFile, Rec<TFileOpRec>(CopyFile,
                                                    [](TFileOpRec& r) {
                                                        r.Source = "a";
                                                        r.Target = "b;c";
                                                    }))
                  .text,
              "<COPYFILE:a;b;c>");
    EXPECT_EQ(CommandText(WindowActivate,
                          Rec<TLaunchRec>(WindowActivate, [](TLaunchRec& r) { r.WindowTitle = "a<b"; }))
                  .text,
              "<ACTIVATE:a<b>");
    // The window title of activate-or-launch is read up to the next "<".
    EXPECT_TRUE(CommandText(ActivateOrLaunch,
                            Rec<TLaunchRec>(ActivateOrLaunch, [](TLaunchRec& r) { r.WindowTitle = "a>b"; }))
                    .ok);
    EXPECT_EQ(CommandText(Text, Rec<TTextRec>(Text, [](TTextRec& r) { r.Text = "2 > 1<TAB>"; })).text,
              "2 > 1<TAB>");
}

TEST(ScriptWriter, RecordOfTheWrongTypeAndUnknownFormatsAreRefused) {
    EXPECT_FALSE(CommandText(cmd::Delay, NewRecord(cmd::Text)).ok);
    EXPECT_FALSE(CommandText(cmd::Text, NewRecord(cmd::Delay)).ok);
    for (int index : {0, kDateFormatCount + 1}) {
        LineRecord rec = NewRecord(cmd::Date);
        std::get<TDateTimeRec>(rec).FormatIndex = index;
        EXPECT_FALSE(CommandText(cmd::Date, rec).ok) << index;
    }
    LineRecord time = NewRecord(cmd::Time);
    std::get<TDateTimeRec>(time).FormatIndex = kTimeFormatCount + 1;
    EXPECT_FALSE(CommandText(cmd::Time, time).ok);
}

TEST(NumberFields, PaddingAndRealsFollowTheFieldWidths) {
    struct P {
        long long v;
        int width;
        const char* text;  // nullptr: does not fit
    };
    const P cases[] = {{0, 3, "000"},       {7, 1, "7"},          {-12, 5, "-0012"},
                       {345, 5, "00345"},   {99999, 5, "99999"},  {100000, 5, nullptr},
                       {-9999, 5, "-9999"}, {-10000, 5, nullptr}, {12345678, 8, "12345678"},
                       {10, 1, nullptr},    {-1, 1, nullptr}};
    for (const P& p : cases) {
        std::string out = "x";
        const bool ok = AppendPadded(out, p.v, p.width);
        EXPECT_EQ(ok, p.text != nullptr) << p.v << "/" << p.width;
        if (ok)
            EXPECT_EQ(out, std::string("x") + p.text);
        else
            EXPECT_EQ(out, "x") << "nothing written on failure";
    }
    const std::pair<double, const char*> reals[] = {{5, "05.00"},      {0, "00.00"},   {2.5, "02.50"},
                                                    {10, "10.00"},     {-1, "-1.00"},  {99.994, "99.99"},
                                                    {99.996, nullptr}, {-10, nullptr}, {1e300, nullptr}};
    for (auto [v, text] : reals) {
        std::string out;
        EXPECT_EQ(AppendReal5(out, v), text != nullptr) << v;
        if (text)
            EXPECT_EQ(out, text);
        else
            EXPECT_EQ(out, "");
    }
}

}  // namespace
}  // namespace tessaro
