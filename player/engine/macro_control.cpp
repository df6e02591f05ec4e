#include "player/engine/macro_control.h"

#include <algorithm>

#include "foundation/config_record.h"
#include "macro/macro_record.h"
#include "protocol/glob_data.h"
#include "player/engine/playback_services.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

std::vector<int> MacrosNamed(MacroControlHost& host, const std::string& name) {
    std::vector<int> found;
    const int count = host.MacroCount();
    for (int n = 1; n <= count; ++n) {
        if (host.Nickname(n) == name) found.push_back(n);
    }
    return found;
}

// The first lock test of every command: take the lock when free and give it back unchanged.
void ProbeLock(MacroControlHost& host) {
    if (!host.FileInUse()) host.ReleaseSyncFile(0);
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// Drops `deleted` from every popup-menu list and renumbers the macros after it.
void RenumberPopupLists(MacroControlHost& host, int deleted) {
    const int count = host.MacroCount();
    for (int n = 1; n <= count; ++n) {
        if (n == deleted || host.Scope(n) != scPopupMenu) continue;
        std::vector<std::uint16_t> items = host.PopupItems(n);
        std::vector<std::uint16_t> kept;
        kept.reserve(items.size());
        for (std::uint16_t item : items) {
            if (item == deleted) continue;
            kept.push_back(item > deleted ? std::uint16_t(item - 1) : item);
        }
        if (kept != items) host.SavePopupItems(n, kept);
    }
}

}  // namespace

std::optional<std::string> FindMacroText(MacroControlHost& host, const std::string& name) {
    const int count = host.MacroCount();
    for (int n = 1; n <= count; ++n) {
        if (host.Nickname(n) == name) return host.MacroText(n);
    }
    return std::nullopt;
}

void DeleteMacroByName(MacroControlHost& host, PlayerWindows& windows, const std::string& name) {
    ProbeLock(host);
    for (int n : MacrosNamed(host, name)) {
        if (host.FileInUse()) {
            windows.DoAMessage(
                "Macro Delete Error",
                "Cannot delete macro " + Quoted(name) + " because the macro file is in use by another user.");
            continue;
        }
        const bool scheduled = host.ActivationCode(n) == acScheduled;
        const bool popup = host.Scope(n) == scPopupMenu;
        RenumberPopupLists(host, n);
        host.DeleteMacroRecord(n);
        if (popup) host.ClearMenuTaskIcon();
        host.ReloadMacroFile();
        host.GetSwapFile();
        host.SetHotKeys();
        if (scheduled) host.CheckAndSetTime();
        if (popup) host.DoMenuTaskIcon();
        host.ReleaseSyncFile(1);
        host.TellOtherPlayers();
        host.PostEditor(puReloadAll, 0);
        return;
    }
}

void EnableMacroByName(MacroControlHost& host, PlayerWindows& windows, const std::string& name, bool enable) {
    ProbeLock(host);
    for (int n : MacrosNamed(host, name)) {
        if (host.Enabled(n) == enable) continue;
        if (host.FileInUse()) {
            windows.DoAMessage(enable ? "Macro Activate Error" : "Macro Deactivate Error",
                               std::string(enable ? "Cannot activate macro " : "Cannot deactivate macro ") +
                                   Quoted(name) + " because the macro file is in use by another user.");
            continue;
        }
        host.SetTriggerEnabled(n, enable);
        host.TellOtherPlayers();
        host.PostEditor(puPullMacro, n);
        host.SetMacroEnabled(n, enable);
        if (host.ActivationCode(n) == acScheduled) host.CheckAndSetTime();
        host.SetHotKeys();
        host.PostEditor(puSwapKeys, 0);
        host.ReleaseSyncFile(1);
        return;
    }
}

void SwapMacroFile(MacroControlHost& host, PlayerWindows& windows, const std::string& path) {
    // A name the settings cannot hold whole would point at another file.
    if (path.size() > decltype(TConfigRecord::RecentFiles)::value_type::kCapacity) {
        windows.DoAMessage("Error", "The macro file name " + Quoted(path) + " is too long.");
        return;
    }
    host.SetMacroFileName(path);
    host.UseLockFileOf(path);
    host.ClearMenuTaskIcon();
    host.LoadMacroFile(path);
    host.SetHotKeys();
    host.CheckAndSetTime();
    host.DoMenuTaskIcon();
    host.GetSwapFile();
    host.TellOtherPlayers();
    host.PostEditor(puSchedule, 0);
}

}  // namespace tessaro
