#pragma once
// "Macro Scripting Editor": one macro as command lines, built and changed through the
// command editors, saved into the current macro record.
#include <QDialog>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/script/line_ops.h"
#include "editor/script/save_it.h"
#include "editor/script/text_file_mode.h"
#include "editor/script/ui/script_editor_services.h"
#include "foundation/config_record.h"
#include "hook/client/glob_data_sync.h"
#include "macro/macro_record.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;
class QListView;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tessaro {

class ScriptRows;

class TDoScripting : public QDialog {
    Q_OBJECT
public:
    TDoScripting(QWidget* owner, TMacroRecord& current, TConfigRecord& config, ScriptEditorServices& services,
                 std::string programDir, PeerNotify notify);
    ~TDoScripting() override;

    // Set by the creator before the window shows.
    int ScriptMode = 6;  // 1 hot key, 2 timed, 3 abbreviation, 6 none, 7 window title
    bool IsExisting = false;
    bool GlobalTaken = false;
    // Read by the creator afterwards: the current record holds the script.
    bool Accepted = false;

    QListWidget* OptionBox;
    QListView* Script;  // its rows are a ScriptRows model
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* AddButton;
    QPushButton* InsertBefore;
    QPushButton* InsertAfter;
    QPushButton* DoEdit;
    QPushButton* DoCopy;
    QPushButton* DoDelete;
    QPushButton* DoUp;
    QPushButton* DoDown;
    QPushButton* HelpButton;
    QPushButton* Wizard;
    QLineEdit* NickName;
    QRadioButton* Global;
    QRadioButton* Specific;
    QRadioButton* ProgExe;
    QPushButton* ChooseWinProg;
    QLabel* HotKeyLabel;
    QLabel* TimerLabel;
    QPushButton* SetSchedule;
    QLineEdit* SnipraName;
    QPushButton* ShortProp;
    QToolButton* MySpeed;
    QWidget* Panel1;
    QLabel* NickLabel;
    QLabel* IconLabel;
    QLabel* TextName;  // "Edit Text File: " + the file, only while a text file is edited
    QAction* MenuInsBefore;
    QAction* MenuInsAfter;
    QAction* MenuInsAtEnd;

    // The lines and their selection, as the list shows them.
    const ScriptList& Lines() const { return lines_; }
    // The text file edited as lines, when one is.
    const TextFileSession& TextFile() const { return textFile_; }
    // The icon the macro gets: "MAIN" or a file name in the Icons folder.
    const std::string& IconName() const { return iconName_; }

    void FormShow();
    void AddALine(AddStyle style);
    void DoEditClick();
    void DoCopyClick();
    void DoDeleteClick();
    void MoveClick(bool up);
    void CommandMenuClick(int code);
    // Runs one command editor on the lines; a "Load Text File" dialog left to edit its file
    // switches the window to that file.
    CommandOutcome RunCommand(const CommandRequest& request);
    void CancelButtonClick();
    // A palette button: a new line of `code` at the end, whatever is selected. True when
    // the command editor added it.
    bool AppendFromPalette(int code, bool allowTextEdit);
    void WizardClick();
    // An icon file chosen for the macro: taken into the Icons folder and shown.
    void MySpeedClick(const std::string& chosenPath);
    void OkButtonClick();
    void ChooseWinProgClick();
    void MenuPrintSetupClick();
    void MenuPrintClick();
    void MenuPrintFontClick();
    // The script on the printer as the print dialog left it, each copy once.
    bool PrintTo(QPrinter& printer);
    // The printer the set-up and the print dialogs work on.
    QPrinter& Printer();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Refresh();          // list from lines_, then the buttons
    void ShowLineButtons();  // enabled as the selection allows
    void UpdateWidestRow();
    void Caption();
    void SetInsertMethod(int method);
    ScriptSaveForm SaveForm() const;
    void ShowIcon();  // iconName_ on the icon button
    void SetEditTFile();
    // Back to the macro's lines; after a save the "Load Text File" editor opens again.
    void ReturnFromTextFile(bool reopen);
    QMenuBar* BuildMenus();

    TMacroRecord& current_;
    TConfigRecord& config_;
    ScriptEditorServices& services_;
    std::string programDir_;
    std::string iconName_ = "MAIN";
    ScriptList lines_;
    ScriptRows* rows_;      // owned by the list
    bool showing_ = false;  // the list is being brought to lines_: its moves are not the user's
    int rowHeight_ = 0;
    TextFileSession textFile_;
    PeerNotify notify_;
    bool shown_ = false;
    bool printing_ = false;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace tessaro
