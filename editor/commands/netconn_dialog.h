#pragma once
// "Map or Unmap  A Network Drive" over editor/model/commands/netconn_forms.h.
#include <optional>
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

// The drives the player has mapped in this session, read from its drive table. Its mappings
// end with the session, so none maps again at the next start-up.
class PlayerDriveMappings final : public NetworkConnectionList {
public:
    // No table (no private runtime folder): nothing is mapped.
    explicit PlayerDriveMappings(std::optional<std::string> tablePath);
    std::vector<std::pair<std::string, std::string>> Current() override;
    std::vector<std::pair<std::string, std::string>> Remembered() override { return {}; }

private:
    std::optional<std::string> tablePath_;
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
