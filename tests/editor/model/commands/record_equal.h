#pragma once
// Field-by-field equality of line records, for comparing what a dialog built with what the
// parser reads back from its text.
#include <ostream>
#include <tuple>
#include <variant>

#include "editor/script/script_line.h"

namespace tessaro::testing {

#define TESSARO_FIELDS(T, ...) \
    inline auto Fields(const T& r) { return std::tie(__VA_ARGS__); }

TESSARO_FIELDS(TTextRec, r.Text)
TESSARO_FIELDS(TDateTimeRec, r.IsDate, r.FormatIndex, r.YesNo, r.Forward, r.DayOffset)
TESSARO_FIELDS(TDelayRec, r.Unit, r.Amount)
TESSARO_FIELDS(TPauseRec, r.Kind, r.X, r.Y, r.Message)
TESSARO_FIELDS(TRepeatRec, r.Count, r.StartAt, r.StepBy)  // the leading word is never read
TESSARO_FIELDS(TSpeedRec, r.Kind, r.Speed, r.PlaybackSpeed)
TESSARO_FIELDS(TLaunchRec, r.Kind, r.WindowTitle, r.ProgramPath, r.Parameters, r.Value1, r.Value2, r.Value3)
TESSARO_FIELDS(TSoundRec, r.Kind, r.FileName, r.WaitFlag)
TESSARO_FIELDS(TNameRec, r.Name)
TESSARO_FIELDS(TSizeRec, r.Title, r.Kind, r.CurrentWindow, r.X, r.Y)
TESSARO_FIELDS(TWindowRec, r.Title, r.Kind, r.CurrentWindow)
TESSARO_FIELDS(TMouseRec, r.X, r.Y, r.WheelCount, r.Action, r.MoveKind)
TESSARO_FIELDS(TClipRec, r.Kind, r.FileName, r.Flag)
TESSARO_FIELDS(TKeyRec, r.Kind)
TESSARO_FIELDS(TFileOpRec, r.Kind, r.Source, r.Target)
TESSARO_FIELDS(TMacroRefRec, r.Kind, r.Nickname)
TESSARO_FIELDS(TNetRec, r.Resource, r.UserName, r.Password, r.PFlag, r.FFlag, r.SFlag)
TESSARO_FIELDS(TWTextRec, r.Title, r.Text)
TESSARO_FIELDS(TVideoRec, r.FileName, r.Kind)
TESSARO_FIELDS(TCDRec, r.Kind, r.Track)
TESSARO_FIELDS(TDeskRec, r.Kind)
TESSARO_FIELDS(TDisplayRec, r.ModeIndex)
TESSARO_FIELDS(TSysRec, r.Kind, r.FileName, r.Value, r.X, r.Y, r.Style)
TESSARO_FIELDS(TVolumeRec, r.Kind)
TESSARO_FIELDS(TWaitRec, r.Kind, r.Text, r.TimeOut, r.Found)
TESSARO_FIELDS(TDialRec, r.Kind, r.Entry, r.UserName, r.Password)
TESSARO_FIELDS(TEmailRec, r.Token, r.RecipientMode, r.TextMode, r.AttachMode)

#undef TESSARO_FIELDS

inline bool SameRecord(const LineRecord& a, const LineRecord& b) {
    if (a.index() != b.index()) return false;
    return std::visit(
        [&](const auto& x) {
            const auto& y = std::get<std::decay_t<decltype(x)>>(b);
            return Fields(x) == Fields(y);
        },
        a);
}

}  // namespace tessaro::testing
