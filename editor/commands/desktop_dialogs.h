#pragma once
// "Desktop" (25 commands without arguments) and "Open Explorer" (a folder window).
#include "editor/commands/chooser.h"
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/desktop_forms.h"

namespace tessaro {

class TDoRecycle : public CommandDialog {
    Q_OBJECT
public:
    // `ie4Installed`: the explorer's flag that the newer shell is there.
    TDoRecycle(QWidget* owner, bool ie4Installed);
    void Preset(std::int32_t kind) { CheckKind(kDeskChoices, kind); }

    FormResult<DeskFields> Result;

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    bool ie4Installed_;
};

class TDoExplore : public CommandDialog {
    Q_OBJECT
public:
    TDoExplore(QWidget* owner, PathChooser& chooser);
    void Preset(const std::string& folder) { SetText(ProgPath, folder); }

    QLineEdit* ProgPath = nullptr;
    QPushButton* BrowseButton = nullptr;
    FormResult<ExploreFields> Result;

    void BrowseButtonClick();

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    PathChooser& chooser_;
};

}  // namespace tessaro
