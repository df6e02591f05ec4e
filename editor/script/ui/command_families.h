#pragma once
// The command editors' table: one row per family of commands, naming the family's dialog,
// the defaults a new line starts from (with the choice its code names checked), the preset
// from an edited line's record, and the line the confirmed dialog made.
#include <optional>
#include <string>

#include "editor/script/script_line.h"
#include "editor/script/ui/script_editor_services.h"

class QWidget;

namespace tessaro {

class CommandDialogRunner;
struct CommandEditorHosts;

// One run of a family's editor.
struct FamilyRun {
    QWidget* owner;
    const CommandEditorHosts& hosts;
    CommandDialogRunner& runner;
    const CommandRequest& request;
    const LineRecord* edited;   // the edited line's record; null for a new line
    std::string& editTextFile;  // set when "Load Text File" was left to edit its file as lines
};

// The line the family's dialog made in the run; nullopt when it was not confirmed.
using FamilyEditor = std::optional<ScriptLine> (*)(const FamilyRun& run);

// The editor of the family `code` belongs to; null for a code of no family.
FamilyEditor FamilyEditorOf(int code);

}  // namespace tessaro
