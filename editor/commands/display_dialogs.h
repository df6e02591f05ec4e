#pragma once
// "Screen Display Setting" and "Default Printer": one entry of what this desktop offers.
#include <string>
#include <vector>

#include "editor/commands/command_dialog.h"
#include "editor/model/commands/display_forms.h"
#include "platform/printers.h"
#include "platform/system_settings.h"

class QListWidget;

namespace tessaro {

class TDoScreen : public CommandDialog {
    Q_OBJECT
public:
    // The modes come from `settings`.
    TDoScreen(QWidget* owner, win::SystemSettings& settings);

    std::int32_t ModeIndex = 0;  // set before showing to edit
    void Preset(std::int32_t modeIndex) { ModeIndex = modeIndex; }
    QListWidget* SettingBox = nullptr;
    FormResult<ScreenFields> Result;

    void FillSettingBox();

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    win::SystemSettings& settings_;
};

class TDoDefPrint : public CommandDialog {
    Q_OBJECT
public:
    TDoDefPrint(QWidget* owner, win::Printers& printers);

    std::string PrinterName;  // set before showing to edit
    void Preset(const std::string& printerName) { PrinterName = printerName; }
    QListWidget* SettingBox = nullptr;
    FormResult<DefPrintFields> Result;

    void FillSettingBox();

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    win::Printers& source_;
    std::vector<std::string> printers_;  // Windows-1252, in the print system's order
};

}  // namespace tessaro
