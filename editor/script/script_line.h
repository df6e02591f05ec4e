#pragma once
// The script editor's model: one line per command, each owning one typed record.
//
// A line is its display text plus its record. The command of a line is recognised from
// the text (RecogniseCommand); the record carries every value the macro text is built
// from. Records are plain values: copying a line copies its record, and nothing needs
// freeing by hand. Strings hold Windows-1252 bytes exactly as they go into the macro text.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "editor/script/command_table.h"

namespace tessaro {

// "Kind" below is the leading word that says which command of a family a record belongs
// to; the command editors use it to preset their dialog, the serialiser never reads it.

struct TTextRec {      // 1
    std::string Text;  // typed text with key tokens, exactly as it goes into the macro
};

struct TDateTimeRec {  // 2, 3
    bool IsDate = true;
    std::int32_t FormatIndex = 1;  // 1-based into the date (2) or time (3) formats
    bool YesNo = true;             // "Y": keep leading zeros
    bool Forward = true;           // date only: "F" future, "P" past
    std::int32_t DayOffset = 0;    // date only, 3 digits
};

struct TDelayRec {          // 4, 117
    std::int32_t Unit = 1;  // code 4: 1 seconds, otherwise milliseconds; code 117: 3
    double Amount = 0;
};

struct TPauseRec {          // 5
    std::int32_t Kind = 1;  // 1 plain pause, otherwise a message box at X, Y
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::string Message;
};

struct TRepeatRec {          // 6, 7, 32, 45
    std::int32_t Kind = 0;   // 1 start, 2 prompt start, 3 end, 4 counter
    std::int32_t Count = 0;  // code 6: repeat count; code 32: counter width 1..4
    std::int32_t StartAt = 0;
    std::int32_t StepBy = 0;
};

struct TSpeedRec {          // 8, 9, 50
    std::int32_t Kind = 0;  // 1 keystroke, 2 mouse, 3 playback
    std::int32_t Speed = 0;
    double PlaybackSpeed = 0;
};

struct TLaunchRec {         // 10, 11, 33, 34
    std::int32_t Kind = 0;  // 1 activate, 2 launch, 3 launch and activate, 4 activate or launch
    std::string WindowTitle;
    std::string ProgramPath;
    std::string Parameters;
    std::int32_t Value1 = 0;  // seconds before launching, 2 digits
    std::int32_t Value2 = 0;  // seconds to wait for the program's window, 2 digits
    std::int32_t Value3 = 0;  // run style: 0 normal, 1 minimised, 2 maximised
};

struct TSoundRec {          // 12, 13
    std::int32_t Kind = 0;  // 1 beep, 2 wave file
    std::string FileName;
    bool WaitFlag = false;  // set: play to the end before going on
};

struct TNameRec {      // 14, 15, 29, 43, 44, 66, 72, 113
    std::string Name;  // written as stored after the token name
};

struct TSizeRec {  // 16, 17
    std::string Title;
    std::int32_t Kind = 1;  // 1 resize, 2 reposition
    bool CurrentWindow = false;
    std::int32_t X = 0;  // width for a resize
    std::int32_t Y = 0;  // height for a resize
};

struct TWindowRec {  // 18-23, 38
    std::string Title;
    std::int32_t Kind = 1;  // 1 maximize .. 6 show, 7 shut down
    bool CurrentWindow = false;
};

struct TMouseRec {  // 24-28
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t WheelCount = 0;
    // 1 move; 2 click, 3 double click, 4 down, 5 up (left); 6-9 right; 10-13 middle;
    // 14 wheel forward, 15 wheel backward
    std::int32_t Action = 1;
    // 1 relative to the screen, 2 to the window, 3 to the last position, 4 to the caret
    std::int32_t MoveKind = 1;
};

struct TClipRec {           // 30, 31, 35, 36, 37, 71, 84, 114-116
    std::int32_t Kind = 0;  // 1..11
    std::string FileName;   // ":PROMPT:" asks for it at play time (114-116)
    bool Flag = false;      // code 71: set = "<CLIPTYPEI>"
};

struct TKeyRec {            // 39-42
    std::int32_t Kind = 1;  // odd: down, even: up; 1-2 Control, 3-4 Alt, 5-6 Shift, 7-8 Win
};

struct TFileOpRec {         // 46-49, 98
    std::int32_t Kind = 0;  // 1 change folder, 2 copy, 3 rename, 4 delete, 5 create folder
    std::string Source;
    std::string Target;  // copy and rename
};

struct TMacroRefRec {       // 51, 95, 96, 97
    std::int32_t Kind = 0;  // 1 run, 2 delete, 3 activate, 4 deactivate
    std::string Nickname;
};

struct TNetRec {           // 52, 53, 83
    std::string Resource;  // drive letter and colon, then the remote name
    std::string UserName;
    std::string Password;  // substituted, as stored in the macro
    bool PFlag = false;
    bool FFlag = false;
    bool SFlag = false;
};

struct TWTextRec {  // 54
    std::string Title;
    std::string Text;
};

struct TVideoRec {  // 55
    std::string FileName;
    std::int32_t Kind = 3;  // 1 "<AVII:", 2 "<AVIE:", 3 "<AVI:"
};

struct TCDRec {             // 56-65
    std::int32_t Kind = 0;  // 1..10 in code order
    std::int32_t Track = 0;
};

struct TDeskRec {  // 67-70, 74-77, 106-109
    // 1 cascade, 2/3 tile vertically/horizontally, 4 minimise all, 5 restore all,
    // 6 suspend, 7 undock, 8..11 run dialogs, 12..25 explorer folders;
    // codes 74-77: 1..4 logoff, reboot, shut down, power off
    std::int32_t Kind = 1;
};

struct TDisplayRec {             // 73
    std::int32_t ModeIndex = 0;  // 3 digits
};

struct TSysRec {  // 78-82
    // 1/2 screen saver on/off, 3 screen saver time-out, 4 keyboard delay,
    // 5 keyboard repeat speed, 6 wallpaper, 7 sizing border
    std::int32_t Kind = 1;
    std::string FileName;  // wallpaper
    std::int32_t Value = 0;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Style = 0;  // wallpaper: 0 tile, 1 centre, 2 stretch, 3 at X, Y
};

struct TVolumeRec {  // 85-92
    // audio: 1 off, 2 on, 3 up, 4 down, 5 mute, 6 left, 7 right, 8 centre, 9/10 treble,
    // 19/20 bass; MIDI: 11 off, 12 on, 13 up, 14 down, 15 mute, 16 left, 17 right, 18 centre
    std::int32_t Kind = 1;
};

struct TWaitRec {  // 93, 99-105, 110, 111
    // 1 window, 2 window loses focus, 3 program ends, 4 key, 5 text, 6/7/8 left/right/
    // middle click, 9 playback of typed text, 10 time elapse
    std::int32_t Kind = 1;
    std::string Text;
    std::int32_t TimeOut = 0;  // minutes; code 111: seconds
    bool Found = false;        // code 102: match case
};

struct TDialRec {           // 94
    std::int32_t Kind = 1;  // 1 dial, otherwise hang up
    std::string Entry;
    std::string UserName;
    std::string Password;  // substituted, as stored in the macro
};

struct TEmailRec {      // 112
    std::string Token;  // the whole "<EMAIL:" token
    std::int32_t RecipientMode = 1;
    std::int32_t TextMode = 1;
    std::int32_t AttachMode = 1;
};

using LineRecord = std::variant<TTextRec, TDateTimeRec, TDelayRec, TPauseRec, TRepeatRec, TSpeedRec,
                                TLaunchRec, TSoundRec, TNameRec, TSizeRec, TWindowRec, TMouseRec, TClipRec,
                                TKeyRec, TFileOpRec, TMacroRefRec, TNetRec, TWTextRec, TVideoRec, TCDRec,
                                TDeskRec, TDisplayRec, TSysRec, TVolumeRec, TWaitRec, TDialRec, TEmailRec>;

// A fresh record of the type a command code owns, its leading kind set for that code
// (TDelayRec's Unit, TMouseRec's Action, TDateTimeRec's IsDate likewise). Code 0 or out of
// range gives an empty TTextRec.
LineRecord NewRecord(int code);

// True when the record is of the type the code owns.
bool RecordFitsCommand(int code, const LineRecord& rec);

struct ScriptLine {
    std::string Text;  // display text, at most 255 characters, maybe indented
    LineRecord Record;
};

// The command of a line, from its display text; 0 when it names none.
inline int LineCommand(const ScriptLine& line) { return RecogniseCommand(line.Text); }

// The widest indentation shown: blocks nested deeper are still counted, so their ends
// match, but stay at this column (a file of hundreds of open repeats stays readable).
inline constexpr int kMaxIndent = 60;

// Re-indents every display text by its blocks (repeats, clipboard copies, held keys),
// three spaces a level, at most kMaxIndent. Unbalanced ends never take the level below 0.
void SetIndents(std::vector<ScriptLine>& lines);

}  // namespace tessaro
