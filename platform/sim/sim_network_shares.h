#pragma once
// Shares held in memory for tests: each has its user and password; open files keep it busy.
#include <map>
#include <set>

#include "platform/network_shares.h"

namespace win::sim {

class SimNetworkShares : public NetworkShares {
public:
    struct Share {
        std::string user, password;
        bool denied = false;  // the server refuses every user
        int openFiles = 0;
    };
    std::map<std::string, Share> shares;  // by uri
    std::set<std::string> mounted;
    bool serviceRunning = true;
    int mounts = 0;  // requests that reached the service

    ShareStatus Mount(const std::string& uri, const std::string& user, const std::string& password,
                      std::string& location) override;
    ShareStatus Unmount(const std::string& uri, bool force) override;
    bool IsMounted(const std::string& uri) override;
};

}  // namespace win::sim
