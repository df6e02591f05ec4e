#pragma once
// Network drives: "A:".."Z:" name SMB shares the desktop mounts for this user. The player
// keeps the letters; the shares stay mounted for the desktop session and are not mounted
// again at the next log-on. Results are the classic network error numbers.
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "macro/macro_language.h"
#include "platform/network_shares.h"

namespace tessaro {

class PlayerWindows;

inline constexpr int kNetOk = 0;
inline constexpr int kNetAccessDenied = 5;
inline constexpr int kNetBadNetName = 67;
inline constexpr int kNetAlreadyAssigned = 85;
inline constexpr int kNetInvalidPassword = 86;
inline constexpr int kNetBadDevice = 1200;
inline constexpr int kNetExtendedError = 1208;
inline constexpr int kNetNoNetwork = 1222;
inline constexpr int kNetNotConnected = 2250;
inline constexpr int kNetOpenFiles = 2401;

// The message for a result of mapping or unmapping.
std::string MapResultText(int result);
std::string UnmapResultText(int result);
int MapResult(win::ShareStatus status);
int UnmapResult(win::ShareStatus status);

// 'A'..'Z' for "A:".."Z:" (either case); nothing for anything else.
std::optional<char> DriveLetter(std::string_view drive);
// "smb://server/share/..." for "\\server\share\..." (Windows-1252); nothing without both.
std::optional<std::string> ShareUri(std::string_view remote);

// The player's drive letters and the shares they name, kept in the session's drive table
// (foundation/drive_table.h) where the editor lists them.
class NetworkDrives {
public:
    // No table path: the letters are kept in memory only.
    NetworkDrives(win::NetworkShares& shares, std::optional<std::string> tablePath);
    // Credentials are Windows-1252 plain text.
    int Map(std::string_view drive, std::string_view remote, const std::string& user,
            const std::string& password);
    int Unmap(std::string_view drive, bool force);
    // Whether a mapped drive's letter is the first letter of `drive`.
    bool Mapped(std::string_view drive);

private:
    struct Drive {
        std::string uri, location, remote;
    };
    void ForgetVanished();
    void Keep();  // writes the table after a change
    win::NetworkShares& shares_;
    std::optional<std::string> tablePath_;
    std::map<char, Drive> drives_;
};

// Runs "<NWC", "<NWD" or "<NWT"; false for any other kind.
bool RunNetworkDriveCommand(PlayerWindows& windows, NetworkDrives& drives, const Token& token);

}  // namespace tessaro
