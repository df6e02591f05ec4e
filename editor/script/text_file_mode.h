#pragma once
// Editing a text file with the script editor: the macro's script is put aside in the
// temporary file (and kept in memory), the file's text is shown as lines, and on leaving the
// macro's lines come back.
#include <cstddef>
#include <string>
#include <vector>

#include "editor/script/line_ops.h"
#include "editor/script/save_it.h"
#include "editor/script/text_util.h"

namespace tessaro {

// Larger files are refused: their lines would leave the editor unresponsive.
inline constexpr std::size_t kMaxTextFileBytes = 16u * 1024u * 1024u;

// Reads a text file whole, byte for byte. False with the reason for the user when it is not
// a regular file, cannot be read, holds NUL bytes (not text) or is over the limit.
bool ReadEditableTextFile(const std::string& path, std::string& text, std::string& error);

struct TextFileSession {
    bool Active = false;
    std::string Path;      // the file that saving writes, as the file system names it
    bool Utf8 = false;     // the file is UTF-8 and is written back so
    std::string Name;      // as the user typed it (Windows-1252); presets the dialog again
    TypedTextStyle Style;  // the file's own line breaks and tabs, for the text added to it
    // The "Load Text File" run that led here, finished when the macro comes back.
    bool InsertNew = true;
    AddStyle InsertStyle = AddStyle::AtEnd;
    int InsertLine = 0;
    std::vector<ScriptLine> MacroLines;  // should the temporary file not read back
};

// Switches to the text file. The file must read and the macro's script must be stored in
// the temporary file first; otherwise the switch is refused (the reason shown) and the
// session and the lines stay as they were. `form` is the editor's state for the save;
// `path` is the file system's name of the file, `typedPath` the user's.
bool EnterTextFile(TextFileSession& session, ScriptSaveForm form, ScriptList& list,
                   const std::string& programDir, const std::string& path, const std::string& typedPath);

// Whether EnterTextFile would switch to `path` now: the file reads as text and the macro's
// script is stored in the temporary file; when not, the reason is shown. Nothing changes.
bool MayEnterTextFile(ScriptSaveForm form, const ScriptList& list, const std::string& programDir,
                      const std::string& path);

// Back to the macro after the text file was saved or the edit cancelled: its lines from the
// temporary file, or the lines kept in memory when that cannot be read (reported).
void LeaveTextFile(TextFileSession& session, ScriptList& list, const std::string& programDir);

}  // namespace tessaro
