#pragma once
// The script editor's line operations on the list of script lines and its selection,
// without any widget: where a new line goes, what is selected afterwards, copy, delete,
// move, and which buttons apply. Every operation re-indents the lines, as the window shows
// them.
#include <string>
#include <vector>

#include "editor/script/script_line.h"

namespace tessaro {

inline constexpr const char* kNoCommandSelected = "No command selected.  Please select one.";
inline constexpr const char* kNoItemSelected = "No Item Selected.";
inline constexpr const char* kNoLineSelected = "No script line selected.  Please select one.";

// Where a new line goes.
enum class AddStyle { AtEnd = 1, Before = 2, After = 3 };

struct ScriptList {
    std::vector<ScriptLine> Lines;
    int Selected = -1;  // -1: nothing selected
};

// The add style the command menu items use for the settings' insertion method
// (1 before the selection, 2 after it, anything else at the end).
AddStyle GetAddStyle(int insertMethod);

// The selection an add or edit starts from: the selected line, or 0 when none.
int InsertIndexOf(const ScriptList& list);

// The index a new line takes for the style and the insertion index.
int AddTarget(const ScriptList& list, AddStyle style, int insertIndex);

// Puts a new line where the style says (the command editor's confirmed add).
void InsertNewLine(ScriptList& list, AddStyle style, int insertIndex, ScriptLine line);

// Replaces the line at `index` with the edited one, keeping its place.
void ReplaceLine(ScriptList& list, int index, ScriptLine line);

// The selection after an add, whether the command editor added a line or not: the last
// line, the insertion index, or the line after it (line 0 when the list holds one line).
// Never beyond the list; nothing when the list is empty.
void SetScriptIndex(ScriptList& list, AddStyle style, int insertIndex);

// Copies the selected line just above itself and selects the source (one below). A line
// that names no command is not copied; the selection still moves down by one. Returns the
// message for the user, empty when there was a selection.
std::string CopySelectedLine(ScriptList& list);

// Removes the selected line; the same index stays selected, or the new last line.
std::string DeleteSelectedLine(ScriptList& list);

// Exchange the selected line with its neighbour and keep it selected. Nothing happens at
// either end or without a selection.
void MoveSelectedUp(ScriptList& list);
void MoveSelectedDown(ScriptList& list);

struct LineButtons {
    bool Up = false;
    bool Down = false;
    bool Copy = false;
    bool Edit = false;
    bool Delete = false;
};

// Which of the line buttons apply to the selection.
LineButtons EnableDisable(const ScriptList& list);

}  // namespace tessaro
