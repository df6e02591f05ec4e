#pragma once
// "Modify Hot Key": the direct editor of one macro (nickname, activation text, scope, icon,
// schedule, abbreviation options and the macro text with its typing aids). It stores into
// CurrentMacro on Update; the caller writes the record.
#include <QDialog>
#include <string>

#include "editor/explorer/forms/macro_forms_context.h"
#include "editor/model/macro_forms/mod_hot_keys.h"
#include "editor/model/macro_forms/text_aids.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tessaro {

class TModHotKeys : public QDialog {
    Q_OBJECT
public:
    TModHotKeys(MacroFormsContext& context, QWidget* parent = nullptr);

    // Exchange fields: set before showing, Updated read after.
    bool ModifyExisting = false;
    bool Updated = false;
    bool GlobalKeyTaken = false;
    int ActivationKind = 1;
    std::string IconFile = "MAIN";
    SearchState Search;

    QLineEdit *NickName, *SnipraName;
    QPlainTextEdit* NewFormat;
    QLabel *HotKeyLabel, *TimerLabel;
    QPushButton *SetSchedule, *ShortProp, *ChooseWinProg, *UpdateButton, *CancelButton, *HelpButton;
    QRadioButton *Global, *Specific, *ProgExe;
    QToolButton* MySpeed;
    QComboBox* MiscBox;
    QPushButton* OkButton;
    QMenuBar* Menu;

    void FormShow();
    void UpdateButtonClick();
    void DoCaption();
    void ChooseWinProgClick();
    void SetScheduleClick();
    void ShortPropClick();
    void LoadIconFrom(const std::string& chosenPath);  // the part of MySpeedClick after the file dialog
    void ResetIcon();                                  // the right click's Yes
    void InsertToken(const QString& token);            // CheckSize, then SetIt
    // Inserts `token` at the caret and puts the caret after it, when `storedSize` more
    // bytes fit the macro text.
    void InsertSized(const QString& token, int storedSize);
    void DoSearchFor();
    void FindText(const QString& text);
    void ReplaceText(const QString& find, const QString& with);
    void ImportFrom(const std::string& path);
    void ExportTo(const std::string& path);
    void RunCommand(const CommandEntry& entry);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    QWidget* BuildKeyPanel();
    QWidget* BuildCommandPanel();
    void LoadInIcon(const std::string& path);
    void LoadInMainIcon();
    void MenuFindClick();
    void SearchandReplace1Click();
    void MenuImportClick();
    void MenuExportClick();
    void EditAction(int which);

    MacroFormsContext& context_;
    bool shown_ = false;
};

}  // namespace tessaro
