#include "player/commands/network_drives.h"

#include <cctype>
#include <utility>

#include "foundation/drive_table.h"
#include "foundation/strings.h"
#include "platform/cp1252.h"
#include "player/engine/playback_services.h"

namespace tessaro {

namespace {

constexpr std::pair<int, const char*> kMapTexts[] = {
    {0, "Drive mapped succesfully."},
    {5, "Map Failed.  Access to the nework device was denied."},
    {66, "Map Failed.  Nework device specified is not compatible with a drive."},
    {67, "Map Failed.  The specified networkd device was invalid."},
    {85, "Map Failed.  Drive was already assigned to a nework device."},
    {86, "Map Failed.  The specified password was invalid."},
    {170, "Map Failed.  The network router was busy--possibly initializing.  Try again."},
    {1200, "Map Failed.  The specified drive was invalid."},
    {1222, "Map Failed.  No network exists."},
};

constexpr std::pair<int, const char*> kUnmapTexts[] = {
    {0, "Drive succesfully unmapped."},
    {2404, "Unmap Failed.  Nework device is in use by an active process."},
    {2250, "Unmap Failed.  Drive is not currently connected to a nework device."},
    {2401,
     "Unmap Failed.  There are open files on the network device and the \"Force\" option was not used."},
};

template <std::size_t N>
std::string TextOf(const std::pair<int, const char*> (&table)[N], int result, const char* unknown) {
    for (const auto& [code, text] : table)
        if (code == result) return text;
    return unknown + std::to_string(result);
}

// Bytes a URI may carry as they are; everything else is escaped.
bool Unreserved(unsigned char c) { return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~'; }

std::string Escaped(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : utf8) {
        if (Unreserved(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

bool Has(std::string_view flags, char flag) { return flags.find(flag) != std::string_view::npos; }

char FirstLetter(std::string_view drive) {
    return drive.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(drive.front())));
}

}  // namespace

std::string MapResultText(int result) { return TextOf(kMapTexts, result, "Map Failed.  Unknown Error #"); }

std::string UnmapResultText(int result) {
    return TextOf(kUnmapTexts, result, "Unmap Failed.  Unknown Error #");
}

int MapResult(win::ShareStatus status) {
    switch (status) {
        case win::ShareStatus::Ok: return kNetOk;
        case win::ShareStatus::AccessDenied: return kNetAccessDenied;
        case win::ShareStatus::BadName: return kNetBadNetName;
        case win::ShareStatus::WrongPassword: return kNetInvalidPassword;
        case win::ShareStatus::NoService: return kNetNoNetwork;
        case win::ShareStatus::NotMounted:
        case win::ShareStatus::Busy:
        case win::ShareStatus::Failed: break;
    }
    return kNetExtendedError;
}

int UnmapResult(win::ShareStatus status) {
    switch (status) {
        case win::ShareStatus::Ok: return kNetOk;
        case win::ShareStatus::AccessDenied: return kNetAccessDenied;
        case win::ShareStatus::NotMounted: return kNetNotConnected;
        case win::ShareStatus::Busy: return kNetOpenFiles;
        case win::ShareStatus::NoService: return kNetNoNetwork;
        case win::ShareStatus::BadName:
        case win::ShareStatus::WrongPassword:
        case win::ShareStatus::Failed: break;
    }
    return kNetExtendedError;
}

std::optional<char> DriveLetter(std::string_view drive) {
    if (drive.size() != 2 || drive[1] != ':') return std::nullopt;
    const char letter = FirstLetter(drive);
    if (letter < 'A' || letter > 'Z') return std::nullopt;
    return letter;
}

std::optional<std::string> ShareUri(std::string_view remote) {
    if (!remote.starts_with("\\\\")) return std::nullopt;
    remote.remove_prefix(2);
    std::string uri = "smb:/";
    std::size_t parts = 0;
    while (!remote.empty()) {
        const std::size_t end = std::min(remote.find('\\'), remote.size());
        if (end > 0) {
            uri += '/' + Escaped(win::Cp1252ToUtf8(remote.substr(0, end)));
            ++parts;
        } else if (parts < 2) {
            return std::nullopt;  // "\\\share" or "\\server\\share"
        }
        remote.remove_prefix(std::min(end + 1, remote.size()));
    }
    if (parts < 2) return std::nullopt;
    return uri;
}

NetworkDrives::NetworkDrives(win::NetworkShares& shares, std::optional<std::string> tablePath)
    : shares_(shares), tablePath_(std::move(tablePath)) {
    // Mappings made earlier in this session, by a player that has since restarted.
    if (tablePath_)
        for (const MappedDrive& d : ReadDriveTable(*tablePath_))
            drives_[d.letter] = {d.uri, d.location, d.remote};
}

void NetworkDrives::Keep() {
    if (!tablePath_) return;
    std::vector<MappedDrive> table;
    for (const auto& [letter, d] : drives_) table.push_back({letter, d.remote, d.uri, d.location});
    WriteDriveTable(*tablePath_, table);
}

void NetworkDrives::ForgetVanished() {
    if (std::erase_if(drives_, [&](const auto& d) { return !shares_.IsMounted(d.second.uri); }) > 0) Keep();
}

int NetworkDrives::Map(std::string_view drive, std::string_view remote, const std::string& user,
                       const std::string& password) {
    const std::optional<char> letter = DriveLetter(drive);
    if (!letter) return kNetBadDevice;
    const std::optional<std::string> uri = ShareUri(remote);
    if (!uri) return kNetBadNetName;
    ForgetVanished();  // a share unmounted elsewhere frees its letter
    if (drives_.contains(*letter)) return kNetAlreadyAssigned;
    std::string location;
    const int result =
        MapResult(shares_.Mount(*uri, win::Cp1252ToUtf8(user), win::Cp1252ToUtf8(password), location));
    if (result == kNetOk) {
        drives_[*letter] = {*uri, location, std::string(remote)};
        Keep();
    }
    return result;
}

int NetworkDrives::Unmap(std::string_view drive, bool force) {
    const std::optional<char> letter = DriveLetter(drive);
    const auto found = letter ? drives_.find(*letter) : drives_.end();
    if (found == drives_.end()) return kNetNotConnected;
    const std::string uri = found->second.uri;
    bool shared = false;  // another letter names the same share and keeps it mounted
    for (const auto& [other, d] : drives_) shared = shared || (other != *letter && d.uri == uri);
    const int result = shared ? kNetOk : UnmapResult(shares_.Unmount(uri, force));
    if (result == kNetOk || result == kNetNotConnected) {
        drives_.erase(*letter);
        Keep();
    }
    return result;
}

bool NetworkDrives::Mapped(std::string_view drive) {
    ForgetVanished();
    const char first = FirstLetter(drive);
    for (const auto& entry : drives_)
        if (entry.first == first) return true;
    return false;
}

bool RunNetworkDriveCommand(PlayerWindows& windows, NetworkDrives& drives, const Token& token) {
    if (token.kind != TokenKind::Nwc && token.kind != TokenKind::Nwd && token.kind != TokenKind::Nwt)
        return false;
    auto arg = [&](std::size_t i) { return i < token.args.size() ? token.args[i] : std::string_view(); };
    const std::string_view flags = arg(0);
    // 'P' is accepted: every mapping lasts for the desktop session, none beyond it.
    const bool show = Has(flags, 'S');
    auto unmap = [&](std::string_view drive, bool force) {
        const int result = drives.Unmap(drive, force);
        if (show) windows.DoAMessage("Unmap Network Drive " + std::string(drive), UnmapResultText(result));
    };
    if (token.kind == TokenKind::Nwd) {
        unmap(arg(1), Has(flags, 'F'));
        return true;
    }
    const std::string_view drive = arg(3), remote = arg(4);
    if (token.kind == TokenKind::Nwt && drives.Mapped(drive)) {
        unmap(drive, false);
        return true;
    }
    const int result = drives.Map(drive, remote, std::string(arg(1)), SwapPasswordChars(arg(2)));
    if (show)
        windows.DoAMessage("Map " + std::string(drive) + " to " + std::string(remote), MapResultText(result));
    return true;
}

}  // namespace tessaro
