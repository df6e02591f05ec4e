#pragma once
// TDoNetConn: connect, disconnect or toggle a network drive.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/model/commands/command_form.h"

namespace tessaro {

// Kinds as NetMode: 1 connect, 2 disconnect, 3 toggle.
inline constexpr std::array<RadioChoice, 3> kNetChoices{{
    {"DoCon", "C&onnect Drive", 1, cmd::NetworkConnect, TokenKind::Nwc},
    {"DoDisCon", "&Disconnect Drive", 2, cmd::NetworkDisconnect, TokenKind::Nwd},
    {"DoToggle", "&Toggle Connection", 3, cmd::NetworkToggle, TokenKind::Nwt},
}};

struct NetConnForm {
    std::int32_t NetMode = 1;
    std::string Drive = "B:";  // the DriveBox entry
    std::string ProgPath;      // the network path after the drive
    bool MakePerm = false, ForceDisc = false, UseDefault = true, DispStatus = false;
    std::string LogName, LogPass;  // the password as typed
};

struct NetConnFields {
    std::string NetPath, LogonName, LogonPassword;  // the password substituted
    bool IsPermanent = false, ForceDisconnect = false, ShowStatus = false;
};

// No letter is a local disk on this system: "A:" to "Z:"; a new command selects the second.
std::vector<std::string> AvailableDrives();

struct NetLayout {
    bool path, logon, logonEnabled, forceDisc;
    const char* connectLabel;
    const char* makePermCaption;
};
NetLayout NetLayoutOf(std::int32_t netMode, bool useDefault);

// One line of the connection lists: "X: mapped to //server/share".
std::string MappedLine(std::string_view local, std::string_view remote);

// The share a folder chosen under the desktop's SMB mounts stands for: a gvfs mount
// ".../smb-share:server=host,share=name" (and anything below it) gives "//host/name";
// a path that already reads "//host/share[/...]" keeps host and share. nullopt otherwise.
std::optional<std::string> ShareOfFolder(std::string_view folder);

NetConnForm NetConnDefaults();
NetConnForm NetConnPreset(std::int32_t netMode, const TNetRec& rec);
FormResult<NetConnFields> BuildNetConn(const NetConnForm& form);

}  // namespace tessaro
