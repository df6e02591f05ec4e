#pragma once
// The macro forms behind the explorer's macro commands, opened modally on the shared
// CurrentMacro: the explorer reads the macro, takes the lock and writes what a form stored.
#include "editor/model/explorer/explorer.h"

class QWidget;

namespace tessaro {

class EditorCapture;
class FormsServices;
class TMainWinCore;

class MacroFormDialogs final : public MacroDialogs {
public:
    MacroFormDialogs(QWidget& window, TConfigRecord& config, TMainWinCore& core, Explorer& explorer,
                     FormsServices& forms, EditorCapture& capture);

    AddResult AddMacro(int number) override;
    MenuResult ModifyPopupMenu(const std::string& hotKeyName) override;
    bool ModifyProperties(int kind, const std::string& text, bool conflict) override;
    bool CopyOrMove(bool copy, const std::string& title) override;
    bool SystemKeys(int function) override;
    bool Recapture(const std::string& label, int number, bool conflict) override;
    void QuickInfo() override;

private:
    QWidget& window_;
    TConfigRecord& config_;
    TMainWinCore& core_;
    Explorer& explorer_;
    FormsServices& forms_;
    EditorCapture& capture_;
};

}  // namespace tessaro
