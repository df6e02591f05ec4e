#pragma once
// "Build Macro Menu": the options and the member macros of a popup-menu macro, stored into
// CurrentMacro on "&Ok".
#include <QDialog>
#include <memory>

#include "editor/explorer/forms/macro_forms_context.h"
#include "editor/model/macro_forms/build_menu.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;

namespace tessaro {

class TDoBuildMenu : public QDialog {
    Q_OBJECT
public:
    TDoBuildMenu(MacroFormsContext& context, QWidget* parent = nullptr);
    ~TDoBuildMenu() override;

    bool ModifyExisting = false, Updated = false, TrayChanged = false;

    QLineEdit* NickName;
    QLabel* HotKeyLabel;
    QCheckBox* SysTray;
    QRadioButton *ShowNick, *ShowText, *ShowIcon;
    QComboBox* IconSize;
    QToolButton* MySpeed;
    QTreeWidget *OptionBox, *Script;
    QPushButton *AddButton, *InsertBefore, *InsertAfter, *RemoveIt, *DoUp, *DoDown, *OkButton, *CancelButton,
        *HelpButton;
    QMenuBar* Menu;

    void FormShow();
    void AddALine(InsertMode mode);
    void RemoveItClick();
    void OkButtonClick();
    void EnableDisable();
    void LoadIconFrom(const std::string& chosenPath);
    void ResetIcon();
    std::string QuickInfo(int macroNumber) const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillIt();
    BuildMenuOptions Chosen() const;
    void SyncSelection();
    void LoadIcon();

    MacroFormsContext& context_;
    std::unique_ptr<MenuLists> lists_;
    BuildMenuOptions initial_;
    std::string iconFile_ = "MENU";
    bool iconChanged_ = false;
    bool shown_ = false;
};

}  // namespace tessaro
