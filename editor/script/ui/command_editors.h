#pragma once
// The command editors: one table from command code to the dialog of its family, how that
// dialog is preset for a new line or from the selected line's record, and how its confirmed
// result becomes the script line that is inserted or replaces the selected one.
#include <optional>

#include "editor/script/line_ops.h"
#include "editor/script/ui/script_editor_services.h"

class QDialog;
class QWidget;

namespace win {
class Printers;
class SystemSettings;
}  // namespace win

namespace tessaro {

class MixerHost;
class NetworkConnectionList;
class PathChooser;
class ProgramPicker;
class RecipientPathEditor;
struct TConfigRecord;
struct TGlobData;

// Runs a preset dialog to its end; the one place tests script the dialogs.
class CommandDialogRunner {
public:
    virtual ~CommandDialogRunner() = default;
    virtual void Run(QDialog& dialog) = 0;
};

// exec(): the user answers.
class ModalDialogRunner final : public CommandDialogRunner {
public:
    void Run(QDialog& dialog) override;
};

// What the family dialogs need from the editor around them.
struct CommandEditorHosts {
    TConfigRecord& Settings;
    const TGlobData& Glob;
    PathChooser& Paths;
    ProgramPicker& Programs;
    RecipientPathEditor& Recipients;
    MixerHost& Mixer;
    NetworkConnectionList& Connections;
    // The printers and display modes the dialogs offer.
    win::Printers& Printers;
    win::SystemSettings& Display;
    bool RasAvailable = false;
    bool IE4Installed = true;
};

// The codes that make their line at once when added (no dialog).
bool AddsWithoutDialog(int code);

class CommandEditors {
public:
    CommandEditors(CommandEditorHosts hosts, CommandDialogRunner& runner);

    // Opens the editor of the request's family: a new line goes where the style says, an edit
    // replaces the line at the insertion index. Nothing changes on cancel, refusal or an
    // unknown code.
    CommandOutcome EditCommand(QWidget* owner, ScriptList& list, const CommandRequest& request);

    // The line a new command's family dialog confirmed, inserted nowhere; nullopt on cancel,
    // refusal or an unknown code. The request's style and index are not used.
    std::optional<ScriptLine> NewLine(QWidget* owner, const CommandRequest& request);

    // 1 after a confirmed dialog, 0 after a cancelled one; left as it was otherwise.
    int LineAdded = 0;

private:
    // The line the family's dialog made; nullopt when it was not confirmed. `edited` is the
    // edited line's record, null for a new line.
    std::optional<ScriptLine> RunFamily(QWidget* owner, const CommandRequest& request,
                                        const LineRecord* edited, std::string& editTextFile);

    CommandEditorHosts hosts_;
    CommandDialogRunner& runner_;
};

}  // namespace tessaro
