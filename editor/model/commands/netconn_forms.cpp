#include "editor/model/commands/netconn_forms.h"

#include "foundation/strings.h"

namespace tessaro {

std::vector<std::string> AvailableDrives() {
    std::vector<std::string> drives;
    for (char c = 'A'; c <= 'Z'; ++c) drives.push_back(std::string(1, c) + ":");
    return drives;
}

NetLayout NetLayoutOf(std::int32_t netMode, bool useDefault) {
    if (netMode == 2)
        return {false, false,        false,
                true,  "Disconnect", "&Make Disconnection Permanent (Do not Map Drive on Bootup)"};
    return {true,  true,      !useDefault,
            false, "Connect", "&Make Connection Permanent (Map Drive on Windows Bootup)"};
}

std::string MappedLine(std::string_view local, std::string_view remote) {
    return std::string(local) + " mapped to " + std::string(remote);
}

std::optional<std::string> ShareOfFolder(std::string_view folder) {
    constexpr std::string_view kMount = "smb-share:";
    if (const auto at = folder.find(kMount); at != std::string_view::npos) {
        std::string_view rest = folder.substr(at + kMount.size());
        rest = rest.substr(0, rest.find('/'));
        std::string server, share;
        while (!rest.empty()) {
            const auto comma = rest.find(',');
            const std::string_view item = rest.substr(0, comma);
            if (item.starts_with("server=")) server = item.substr(7);
            if (item.starts_with("share=")) share = item.substr(6);
            if (comma == std::string_view::npos) break;
            rest.remove_prefix(comma + 1);
        }
        if (server.empty() || share.empty()) return std::nullopt;
        return "//" + server + "/" + share;
    }
    if (folder.starts_with("//")) {
        const auto slash = folder.find('/', 2);
        if (slash == std::string_view::npos || slash == 2) return std::nullopt;
        const auto end = folder.find('/', slash + 1);
        const std::string_view share = folder.substr(0, end);
        if (share.size() == slash + 1) return std::nullopt;
        return std::string(share);
    }
    return std::nullopt;
}

NetConnForm NetConnDefaults() { return {}; }

NetConnForm NetConnPreset(std::int32_t netMode, const TNetRec& rec) {
    NetConnForm f;
    f.NetMode = netMode;
    f.Drive = rec.Resource.substr(0, 2);
    f.ProgPath = rec.Resource.size() > 2 ? rec.Resource.substr(2) : std::string();
    f.MakePerm = rec.PFlag;
    f.ForceDisc = rec.FFlag;
    f.LogName = rec.UserName;
    f.LogPass = SwapPasswordChars(rec.Password);
    f.UseDefault = rec.UserName.empty() && rec.Password.empty();
    f.DispStatus = rec.SFlag;
    return f;
}

FormResult<NetConnFields> BuildNetConn(const NetConnForm& form) {
    const RadioChoice* choice = ChoiceOfKind(kNetChoices, form.NetMode);
    if (!choice) return {};
    NetConnFields out;
    out.NetPath = form.Drive;
    if (form.NetMode != 2) {
        const std::string path = FieldText(form.ProgPath);
        if (path.empty())
            return Fail<NetConnFields>("No network path has been entered.  Please correct.", "ProgPath");
        if (auto bad = CheckFreeText(path, "ProgPath")) return Fail<NetConnFields>(bad->message, bad->focus);
        out.NetPath += path;
        if (!form.UseDefault) {
            out.LogonName = FieldText(form.LogName);
            if (auto bad = CheckFreeText(out.LogonName, "LogName"))
                return Fail<NetConnFields>(bad->message, bad->focus);
            const std::string password = FieldText(form.LogPass);
            if (auto bad = CheckPassword(password, "LogPass"))
                return Fail<NetConnFields>(bad->message, bad->focus);
            out.LogonPassword = SwapPasswordChars(password);
        }
    }
    out.IsPermanent = form.MakePerm;
    out.ForceDisconnect = form.NetMode == 2 && form.ForceDisc;
    out.ShowStatus = form.DispStatus;
    TNetRec rec{.Resource = out.NetPath,
                .UserName = out.LogonName,
                .Password = out.LogonPassword,
                .PFlag = out.IsPermanent,
                .FFlag = out.ForceDisconnect,
                .SFlag = out.ShowStatus};
    return Finish(std::move(out), choice->code, std::move(rec));
}

}  // namespace tessaro
