#pragma once
// A desktop without mapped network drives, for the network command's dialog.
#include "editor/commands/netconn_dialog.h"

namespace tessaro::testing {

class NoConnections final : public NetworkConnectionList {
public:
    std::vector<std::pair<std::string, std::string>> Current() override { return {}; }
    std::vector<std::pair<std::string, std::string>> Remembered() override { return {}; }
};

}  // namespace tessaro::testing
