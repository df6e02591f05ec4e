#pragma once
// "Macro Commands" over editor/model/commands/nick_forms.h.
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/nick_forms.h"

class QListWidget;

namespace tessaro {

class TDoNick : public CommandDialog {
    Q_OBJECT
public:
    TDoNick(QWidget* owner, const TGlobData& glob, const TConfigRecord& config);
    void Preset(const NickForm& form);

    QLineEdit* ProgPath = nullptr;
    QListWidget* NickList = nullptr;
    FormResult<NickFields> Result;

    void NickListDblClick();

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    const TGlobData& glob_;
    const TConfigRecord& config_;
};

}  // namespace tessaro
