#pragma once
// Saving a script: checks the activation fields, builds the macro text of the lines and
// stores it in one target (the macro being edited, the temporary file, or a text file).
// The lines are only read: whatever happens, they stay as they were.
#include <string>
#include <vector>

#include "editor/script/script_line.h"
#include "macro/macro_record.h"

namespace tessaro {

inline constexpr const char* kTempScriptFile = "TESRUN.TMP";

// The script editor's fields that saving reads and sets.
struct ScriptSaveForm {
    int ScriptMode = 6;  // 1 hot key, 2 timed, 3 abbreviation, 6 none, 7 window title
    bool TextFileMode = false;
    bool IsExisting = false;
    std::string TextFilePath;
    bool TextFileUtf8 = false;  // the text file is written back in UTF-8
    std::string IconName;
    std::string NickName;
    bool Global = true;  // scope radio buttons
    bool Specific = false;
    bool ProgExe = false;
    std::string SnipraName;  // the abbreviation (mode 3) or the window title (mode 7)

    bool Accepted = false;  // the macro was stored in the current record
    bool Saved = false;     // the window may close
};

enum class SaveResult {
    Refused,           // a check failed or the text cannot be written; nothing changed
    WriteFailed,       // the file could not be written; reported, nothing else changed
    StoredInTemp,      // the text is in the temporary file
    StoredInTextFile,  // the text file is written and text-file mode has ended
    Accepted,          // the current macro record holds the script
};

struct SaveOutcome {
    SaveResult result = SaveResult::Refused;
    bool focusSnipraName = false;  // the check that failed was on the name/title edit
    bool newMacro = false;         // Accepted for a macro not yet in the macro file
};

// Runs the save. Every failure is shown in a message box captioned "Error".
// `programDir` holds the temporary file; `now` stamps the record's LastModified.
// A new macro's MacroCount is not raised here: the caller does that once the record is
// really appended to the macro file.
SaveOutcome SaveIt(bool toTemp, ScriptSaveForm& form, const std::vector<ScriptLine>& lines,
                   TMacroRecord& currentMacro, const std::string& programDir, double now);

// After a text file was saved: the lines of the macro that was being edited before,
// read back from the temporary file. On failure `lines` are left as they were.
bool LoadTempScript(const std::string& programDir, std::vector<ScriptLine>& lines, std::string& error);

// True when every character may stand in an abbreviation.
bool IsValidSnipraName(std::string_view name);

// Writes the bytes to the file through a temporary sibling, so a failure never leaves a
// half-written file behind. False with a reason for the user on failure.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace tessaro
