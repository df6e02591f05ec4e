#pragma once
// "Copy Hot Key" / "Change Macro Activation": a new activation for the macro in
// CurrentMacro. The caller appends (copy) or rewrites (move) the record when Done is set.
#include <QDialog>
#include <QString>
#include <memory>

#include "editor/explorer/forms/macro_forms_context.h"
#include "editor/model/macro_forms/copy_or_move.h"
#include "widgets/hot_key_fields.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tessaro {

class HotKeyListBox;

class TCopyOrMove : public QDialog, private HotKeyFieldOwner {
    Q_OBJECT
public:
    TCopyOrMove(MacroFormsContext& context, QWidget* parent = nullptr);
    ~TCopyOrMove() override;

    bool MoveMode = false;
    bool Done = false;

    QLabel* HotKeyLabel;  // the title line the caller sets
    QRadioButton *HotKey, *Snipra, *TimedMacro, *UseNone, *WinTitle;
    HotKeyListBox* KeyList;
    QLabel *HotKeyLab, *SnipraLab;
    QLineEdit *HotKeyEntry, *SnipraEntry;
    QPushButton *OkButton, *CancelButton, *HelpButton;

    NewActivation Choice() const;
    void EnableDisable();
    void WMHotKeyChosen(int code);
    void OkButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void HotKeyChosen(int code) override { WMHotKeyChosen(code); }
    void EndHotKeyRouting() override { Route(false); }
    void Route(bool on);

    MacroFormsContext& context_;
    HotKeyFlags globalUsed_{};
    bool shown_ = false;
    bool routed_ = false;
    QString typed_;  // what the user typed into SnipraEntry, whole
    std::unique_ptr<HotKeyFields> hotKeys_;
};

}  // namespace tessaro
