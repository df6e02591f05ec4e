#pragma once
// Per-user mounts of SMB shares through the desktop's virtual file system service (no root
// needed, unlike a kernel mount). Texts are UTF-8.
#include <memory>
#include <string>

namespace win {

enum class ShareStatus {
    Ok,
    AccessDenied,   // the server refused this user
    BadName,        // no such host or share
    WrongPassword,  // the credentials were asked for a second time
    NoService,      // no virtual file system service, or it cannot reach SMB shares
    NotMounted,
    Busy,    // files are open on the share and the unmount was not forced
    Failed,  // any other refusal
};

class NetworkShares {
public:
    virtual ~NetworkShares() = default;
    // Mounts `uri` ("smb://host/share"), answering the first request for credentials with
    // `user` ("DOMAIN\user" or "user"; empty: anonymous where the server allows it) and
    // `password`, and never prompting. A share that is mounted already is Ok. `location`
    // gets where its files appear: a local folder where the service offers one, else `uri`.
    virtual ShareStatus Mount(const std::string& uri, const std::string& user, const std::string& password,
                              std::string& location) = 0;
    virtual ShareStatus Unmount(const std::string& uri, bool force) = 0;
    virtual bool IsMounted(const std::string& uri) = 0;
};

// The desktop session's service.
std::unique_ptr<NetworkShares> SystemNetworkShares();

}  // namespace win
