#pragma once
// What the remaining dialogs ask of their surroundings: the explorer's program picker, its
// options dialog for the recipient list's path, and the file and folder choosers.
#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace tessaro {

// The explorer's picker of installed programs (TDoAllProgs), shown modally.
class ProgramPicker {
public:
    virtual ~ProgramPicker() = default;
    // The chosen program's name, nothing when cancelled.
    virtual std::optional<std::string> PickProgram(QWidget* owner) = 0;
};

// What the recipient list needs from the explorer.
class RecipientPathEditor {
public:
    virtual ~RecipientPathEditor() = default;
    // Opens the options (TPreference) so the list's path can be corrected, saves the [Misc]
    // settings and tells the player (code 15).
    virtual void EditRecipientPath(QWidget* owner) = 0;
    // The list was written: the player, which reads it for prompted recipients, rereads the
    // [Misc] group (code 15, 0).
    virtual void RecipientListSaved() = 0;
};

// File and folder choice; tests answer it.
class PathChooser {
public:
    virtual ~PathChooser() = default;
    // An existing file (Windows-1252 path) or nothing; `filter` as "Text (*.TXT)|*.TXT".
    virtual std::optional<std::string> ChooseFile(QWidget* owner, const QString& title,
                                                  const std::string& filter) = 0;
    virtual std::optional<std::string> ChooseFolder(QWidget* owner, const QString& title) = 0;
};
// The desktop's file dialogs.
PathChooser& SystemPathChooser();

}  // namespace tessaro
