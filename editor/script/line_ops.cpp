#include "editor/script/line_ops.h"

#include <algorithm>
#include <utility>

namespace tessaro {

namespace {

bool HasSelection(const ScriptList& list) {
    return list.Selected >= 0 && list.Selected < static_cast<int>(list.Lines.size());
}

int Count(const ScriptList& list) { return static_cast<int>(list.Lines.size()); }

// A selection the list can hold: clamped into range, none for an empty list.
int ClampSelection(const ScriptList& list, int index) {
    if (list.Lines.empty()) return -1;
    return std::clamp(index, 0, Count(list) - 1);
}

}  // namespace

AddStyle GetAddStyle(int insertMethod) {
    switch (insertMethod) {
        case 1: return AddStyle::Before;
        case 2: return AddStyle::After;
        default: return AddStyle::AtEnd;
    }
}

int InsertIndexOf(const ScriptList& list) { return HasSelection(list) ? list.Selected : 0; }

int AddTarget(const ScriptList& list, AddStyle style, int insertIndex) {
    int target = Count(list);
    if (style == AddStyle::Before) target = insertIndex;
    if (style == AddStyle::After) target = list.Lines.empty() ? insertIndex : insertIndex + 1;
    // An insertion index from a list that has since shrunk still lands inside it.
    return std::clamp(target, 0, Count(list));
}

void InsertNewLine(ScriptList& list, AddStyle style, int insertIndex, ScriptLine line) {
    const int target = AddTarget(list, style, insertIndex);
    list.Lines.insert(list.Lines.begin() + target, std::move(line));
    SetIndents(list.Lines);
}

void ReplaceLine(ScriptList& list, int index, ScriptLine line) {
    if (index < 0 || index >= Count(list)) return;
    list.Lines[index] = std::move(line);
    list.Selected = index;
    SetIndents(list.Lines);
}

void SetScriptIndex(ScriptList& list, AddStyle style, int insertIndex) {
    int selected = insertIndex;
    if (style == AddStyle::AtEnd) selected = Count(list) - 1;
    if (style == AddStyle::After) selected = Count(list) == 1 ? 0 : insertIndex + 1;
    // A cancelled add after the last line must not select past the end.
    list.Selected = ClampSelection(list, selected);
    SetIndents(list.Lines);
}

std::string CopySelectedLine(ScriptList& list) {
    if (!HasSelection(list)) return kNoLineSelected;
    const int index = list.Selected;
    if (LineCommand(list.Lines[index]) != 0) {
        ScriptLine copy = list.Lines[index];
        list.Lines.insert(list.Lines.begin() + index, std::move(copy));
    }
    list.Selected = ClampSelection(list, index + 1);
    SetIndents(list.Lines);
    return {};
}

std::string DeleteSelectedLine(ScriptList& list) {
    if (!HasSelection(list)) return kNoLineSelected;
    const int index = list.Selected;
    list.Lines.erase(list.Lines.begin() + index);
    list.Selected = ClampSelection(list, index);
    SetIndents(list.Lines);
    return {};
}

void MoveSelectedUp(ScriptList& list) {
    if (!HasSelection(list) || list.Selected == 0) return;
    std::swap(list.Lines[list.Selected], list.Lines[list.Selected - 1]);
    --list.Selected;
    SetIndents(list.Lines);
}

void MoveSelectedDown(ScriptList& list) {
    if (!HasSelection(list) || list.Selected == Count(list) - 1) return;
    std::swap(list.Lines[list.Selected], list.Lines[list.Selected + 1]);
    ++list.Selected;
    SetIndents(list.Lines);
}

LineButtons EnableDisable(const ScriptList& list) {
    if (!HasSelection(list)) return {};
    const bool first = list.Selected == 0;
    const bool last = list.Selected == Count(list) - 1;
    return {.Up = !first, .Down = !last, .Copy = true, .Edit = true, .Delete = true};
}

}  // namespace tessaro
