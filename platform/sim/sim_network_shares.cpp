#include "platform/sim/sim_network_shares.h"

namespace win::sim {

ShareStatus SimNetworkShares::Mount(const std::string& uri, const std::string& user,
                                    const std::string& password, std::string& location) {
    if (!serviceRunning) return ShareStatus::NoService;
    ++mounts;
    const auto share = shares.find(uri);
    if (share == shares.end()) return ShareStatus::BadName;
    if (share->second.denied) return ShareStatus::AccessDenied;
    if (!mounted.contains(uri) && (user != share->second.user || password != share->second.password))
        return ShareStatus::WrongPassword;
    mounted.insert(uri);
    location = "/sim/" + uri.substr(uri.find("//") + 2);
    return ShareStatus::Ok;
}

ShareStatus SimNetworkShares::Unmount(const std::string& uri, bool force) {
    if (!serviceRunning) return ShareStatus::NoService;
    if (!mounted.contains(uri)) return ShareStatus::NotMounted;
    if (!force && shares[uri].openFiles > 0) return ShareStatus::Busy;
    mounted.erase(uri);
    return ShareStatus::Ok;
}

bool SimNetworkShares::IsMounted(const std::string& uri) { return serviceRunning && mounted.contains(uri); }

}  // namespace win::sim
