#pragma once
// The frame of every command dialog. A family's dialog derives from CommandDialog, builds
// its controls into Body() with the object names and captions of its form, and provides:
//
//   void SetDefaults() override;    // NewCommand 1: the family's XDefaults() into the controls
//   void FocusFirst() override;     // the control FormShow focuses (and checks, for a radio)
//   void EnableDisable() override;  // limits after a choice changed (may do nothing)
//   void OkButtonClick() override;  // ReadText(s) into an XForm, Result = BuildX(form), Accept(Result)
//
// plus a Preset(const XForm&) for creators editing an existing command and a public
// FormResult<XFields> Result. Radio choices come from the family's table (AddRadios,
// CheckKind, CheckedKind). Creators then:
//   TDoDelay2 dlg(owner); dlg.NewCommand = 1; (or 0 and dlg.Preset(Delay2Preset(rec))); dlg.exec();
//   if (!dlg.CommandText.empty()) take dlg.CommandText and dlg.Result (code, record, fields).
// delay_dialogs.cpp is the worked example.
// FormShow (on every show) centres the dialog, clears CommandText, puts the defaults in
// with NewCommand 1, focuses and runs EnableDisable. Cancel, Esc and the close box end it
// with CommandText empty. A refused OK shows the message in a box captioned "Error",
// gives the focus back to the control named by the error and keeps the dialog open.
#include <QDialog>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <initializer_list>
#include <utility>

#include "editor/model/commands/command_form.h"

class QAbstractButton;
class QBoxLayout;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace tessaro {

// The help keyword of a dialog class ("TDoDelay2" -> "Set Delays"; dialogs with two uses
// add theirs: "TDateOrTime.Date"); empty when it has none.
std::string_view HelpKeyword(std::string_view formClass);

// Shows a help topic of the help file ("TESSARO.HLP" in the program directory). The editor
// installs its viewer for its whole run; until then a request tells where the topic lies.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void ShowTopic(QWidget* owner, const std::string& helpFile, std::string_view keyword) = 0;
};

// Installs a viewer for as long as it lives (the editor; tests record requests).
class ScopedHelpViewer {
public:
    explicit ScopedHelpViewer(HelpViewer& viewer);
    ~ScopedHelpViewer();
    ScopedHelpViewer(const ScopedHelpViewer&) = delete;
    ScopedHelpViewer& operator=(const ScopedHelpViewer&) = delete;

private:
    HelpViewer* previous_;
};

// The help file's full path: the program directory + "/TESSARO.HLP".
std::string HelpFilePath();

// Opens the keyword's topic through the installed viewer.
void ShowHelpTopic(QWidget* owner, std::string_view keyword);

class CommandDialog : public QDialog {
    Q_OBJECT
public:
    std::string CommandText;  // the command built; empty until OK succeeded
    std::uint8_t NewCommand = 1;

    // The dialog's own class name ("TDoDelay2"): its help keyword's key.
    const char* FormClass() const { return formClass_; }

    // The key of HelpKeyword this dialog's Help passes.
    const std::string& HelpKey() const { return helpKey_; }

    // A radio button of the form by its object name.
    QAbstractButton* Radio(std::string_view control) const;

    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;

protected:
    CommandDialog(QWidget* owner, const char* formClass, const QString& caption);

    // The key of HelpKeyword; the form class unless a use of the dialog has its own.
    // A key without a keyword hides the Help button.
    void SetHelpKey(std::string key);

    // Where the family's controls go, above the button row.
    QBoxLayout* Body() const { return body_; }

    virtual void SetDefaults() = 0;
    virtual void FocusFirst() = 0;
    virtual void EnableDisable() = 0;
    virtual void OkButtonClick() = 0;

    // The Windows-1252 text of an edit field; a character the macro text cannot hold is
    // refused like any failed check (nullopt: the message was shown, the focus is back).
    std::optional<std::string> ReadText(QLineEdit* edit);
    std::optional<std::string> ReadText(QTextEdit* memo);
    // Several fields at once, in order; false as soon as one is refused.
    bool ReadTexts(std::initializer_list<std::pair<QLineEdit*, std::string*>> fields);

    // Shows the refusal and returns the focus; always false.
    bool Refuse(const FormError& error);

    // A finished result closes the dialog with its CommandText; a refusal keeps it open.
    template <class Fields>
    bool Accept(const FormResult<Fields>& result) {
        if (result.error) return Refuse(*result.error);
        CommandText = result.CommandText;
        accept();
        return true;
    }
    // Closes with OK without command text (the scheduler's settings dialogs).
    void AcceptWithoutCommand() { accept(); }

    // The radio buttons of a choice table in a titled group (empty title: no frame), in
    // table order down `columns` columns, named and captioned from the table. Each toggle
    // runs EnableDisable.
    QWidget* AddRadios(QBoxLayout* into, std::span<const RadioChoice> table, const QString& title,
                       const char* groupName = "Panel1", int columns = 1);
    // The kind of the checked radio of the table (0: none), and checking one by kind.
    std::int32_t CheckedKind(std::span<const RadioChoice> table) const;
    void CheckKind(std::span<const RadioChoice> table, std::int32_t kind);

    // Named controls of the family (parented to the dialog; layouts place them).
    QLineEdit* NewEdit(const char* name, int maxLength = 0);
    QLabel* NewLabel(const char* name, const QString& caption, QWidget* buddy = nullptr);
    QCheckBox* NewCheck(const char* name, const QString& caption);
    QPushButton* NewButton(const char* name, const QString& caption);
    static void SetText(QLineEdit* edit, std::string_view cp1252);
    // Shown and enabled together, as the forms hide what a choice does not use.
    static void ShowEnable(QWidget* w, bool on);

    // Checks a radio button and gives it the focus (the toggled handlers update what
    // depends on it).
    static void CheckAndFocus(QAbstractButton* radio);

    void showEvent(QShowEvent* event) override;
    void HelpButtonClick();

private:
    void FormShow();
    std::optional<std::string> Cp1252OrRefuse(QWidget* control, const QString& text);

    const char* formClass_;
    std::string helpKey_;
    QBoxLayout* body_ = nullptr;
};

// Object-name lookup of a control inside a dialog (tests and the focus of refusals).
QWidget* ControlNamed(QWidget* dialog, std::string_view name);

}  // namespace tessaro
