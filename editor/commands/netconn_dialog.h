#pragma once
// "Map or Unmap  A Network Drive" over editor/model/commands/netconn_forms.h.
#include <string>
#include <utility>
#include <vector>

#include "editor/commands/command_dialog.h"
#include "editor/model/commands/netconn_forms.h"

class QComboBox;
class QListWidget;

namespace tessaro {

// The drives mapped now and those mapped at start-up: (local name, remote name) pairs.
class NetworkConnectionList {
public:
    virtual ~NetworkConnectionList() = default;
    virtual std::vector<std::pair<std::string, std::string>> Current() = 0;
    virtual std::vector<std::pair<std::string, std::string>> Remembered() = 0;
};

class TDoNetConn : public CommandDialog {
    Q_OBJECT
public:
    TDoNetConn(QWidget* owner, NetworkConnectionList& connections);
    void Preset(const NetConnForm& form);

    std::int32_t NetMode = 1;
    std::string PresetDrive;
    QComboBox* DriveBox = nullptr;
    QLabel *ConnectLabel = nullptr, *NetDriveLabel = nullptr, *LogNameLabel = nullptr,
           *LogPassLabel = nullptr;
    QLineEdit *ProgPath = nullptr, *LogName = nullptr, *LogPass = nullptr;
    QPushButton* BrowseButton = nullptr;
    QCheckBox *MakePerm = nullptr, *ForceDisc = nullptr, *UseDefault = nullptr, *DispStatus = nullptr,
              *Current = nullptr, *Bootup = nullptr;
    QListWidget *CurrList = nullptr, *BootList = nullptr;
    FormResult<NetConnFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;

private:
    void BrowseButtonClick();
    void FillList(QListWidget* list, bool current);

    NetworkConnectionList& connections_;
};

}  // namespace tessaro
