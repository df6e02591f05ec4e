#pragma once
// "Add Macro": the new macro's type (activation), its key, abbreviation or title, and the
// way to fill it (enter directly or build a menu, capture, scripting editor). The caller
// appends CurrentMacro when ResultUpdated is set.
#include <QDialog>
#include <array>
#include <memory>

#include "editor/explorer/forms/macro_forms_context.h"
#include "editor/model/macro_forms/add_new_hot_key.h"
#include "editor/model/macro_forms/capture_setup.h"
#include "widgets/hot_key_fields.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tessaro {

class HotKeyListBox;

// The scripting editor on CurrentMacro, whose activation the dialog has set, for a macro not
// yet in the file. True when the user saved the script into CurrentMacro.
class NewMacroScript {
public:
    virtual ~NewMacroScript() = default;
    virtual bool ScriptNewMacro(QWidget* owner, bool globalTaken) = 0;
};

class TAddNewHotKey : public QDialog, private HotKeyFieldOwner {
    Q_OBJECT
public:
    // `capture` is the main window's side of a capture and `script` opens the scripting
    // editor on the new macro.
    TAddNewHotKey(MacroFormsContext& context, CaptureHost& capture, NewMacroScript& script,
                  QWidget* parent = nullptr);
    ~TAddNewHotKey() override;

    int NewMacroNumber = 1;
    bool ResultModify = false, ResultUpdated = false, ResultTrayChanged = false;
    // The macro is being recorded: the capture's end gives the network lock back.
    bool CaptureStarted = false;

    std::array<QRadioButton*, 6> Types{};  // in MacroType order
    QRadioButton *UseHotKey, *UsePopup, *TimedMacro, *UseBuilding, *UseSnipra, *UseTitle;
    QLabel *SetHotKeyLabel, *HotKeyLabel, *SnipraLabel;
    HotKeyListBox* KeyList;
    QLineEdit *HotKeyEntry, *SnipraName;
    QPushButton *EnterKeyButton, *CaptureKeyButton, *ScriptButton, *AbortButton;

    MacroType Type() const;
    void DisableEnable();
    void WMHotKeyChosen(int code);
    void HotKeyEntryEnter();
    void HotKeyEntryExit();
    void DoModify();
    void DoCapture();
    void DoTheScript();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void HotKeyChosen(int code) override { WMHotKeyChosen(code); }
    void EndHotKeyRouting() override { HotKeyEntryExit(); }
    void SetCaptions(bool withAccelerators);
    bool PassesReservedQuestion(const AddCheck& check);
    AddEntry Entry() const;

    MacroFormsContext& context_;
    CaptureHost& capture_;
    NewMacroScript& script_;
    HotKeyFlags globalUsed_{};
    bool hasUserMacros_ = false;
    bool shown_ = false;
    bool routed_ = false;
    std::unique_ptr<HotKeyFields> hotKeys_;
};

}  // namespace tessaro
