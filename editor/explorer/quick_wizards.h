#pragma once
// The main window's side of the quick wizard: it runs one wizard under the network lock and
// appends what it built, and chains the wizards of the first-use set-up.
#include <string>

#include "editor/model/wizard/wizard_outcome.h"

class QWidget;

namespace tessaro {

class EditorCapture;
class Explorer;
class ExplorerWindow;
class FormsServices;
class HookPlayerLink;
class TMainWinCore;
struct TConfigRecord;

class QuickWizards {
public:
    QuickWizards(QWidget& window, TConfigRecord& config, TMainWinCore& core, Explorer& explorer,
                 ExplorerWindow& list, HookPlayerLink& link, FormsServices& forms, EditorCapture& capture);

    // The quick wizard for function 1..29.
    void DoQuickWiz(int function);
    // The first-use set-up: its wizard, then the follow-up wizards it chose.
    void DoFirstTime();

private:
    wizard::WizardOutcome RunQuickWiz(int function);
    void AddToPopupMenu(const std::string& nickname, int macro);
    void StartWizardCapture(const wizard::WizardOutcome& outcome);

    QWidget& window_;
    TConfigRecord& config_;
    TMainWinCore& core_;
    Explorer& explorer_;
    ExplorerWindow& list_;
    HookPlayerLink& link_;
    FormsServices& forms_;
    EditorCapture& capture_;
};

}  // namespace tessaro
