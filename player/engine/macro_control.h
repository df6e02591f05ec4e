#pragma once
// Macro commands that change other macros by nickname: run, delete, activate, deactivate,
// and the switch to another macro file.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

class PlayerWindows;

// What the player's shell does after a macro command changed the macro file: the remap
// table, hot keys, schedules, tray icons, the network lock and the peers. The main window
// implements all of it.
class MacroFileUpkeep {
public:
    virtual ~MacroFileUpkeep() = default;
    // Network lock: true when the file may not be changed now.
    virtual bool FileInUse() = 0;
    virtual void ReleaseSyncFile(int changes) = 0;
    virtual void UseLockFileOf(const std::string& macroFile) = 0;
    // The current macro file's remap table into the shared block and the installed remap.
    virtual void GetSwapFile() = 0;
    virtual void SetHotKeys() = 0;
    virtual void CheckAndSetTime() = 0;
    virtual void ClearMenuTaskIcon() = 0;
    virtual void DoMenuTaskIcon() = 0;
    virtual void TellOtherPlayers() = 0;
    virtual void PostEditor(std::uint32_t code, std::int32_t value) = 0;
};

// The player state macro control reads and changes: the loaded macro file, and the
// shell's upkeep after a change. Macro numbers are 1-based.
class MacroControlHost : public MacroFileUpkeep {
public:
    // Loaded macro file (mirrors and records).
    virtual int MacroCount() = 0;
    virtual std::string Nickname(int n) = 0;
    virtual std::uint16_t ActivationCode(int n) = 0;
    virtual std::uint16_t Scope(int n) = 0;
    virtual bool Enabled(int n) = 0;
    virtual std::optional<std::string> MacroText(int n) = 0;
    virtual std::vector<std::uint16_t> PopupItems(int n) = 0;
    virtual void SavePopupItems(int n, const std::vector<std::uint16_t>& items) = 0;
    virtual void DeleteMacroRecord(int n) = 0;
    virtual void SetMacroEnabled(int n, bool enabled) = 0;    // the record in the file
    virtual void SetTriggerEnabled(int n, bool enabled) = 0;  // trigger table, pushed
    virtual void ReloadMacroFile() = 0;
    virtual void LoadMacroFile(const std::string& path) = 0;
    // Makes `path` the settings' current macro file and saves it.
    virtual void SetMacroFileName(const std::string& path) = 0;
};

// Text of the first macro (lowest number) whose nickname equals name byte for byte.
std::optional<std::string> FindMacroText(MacroControlHost& host, const std::string& name);

void DeleteMacroByName(MacroControlHost& host, PlayerWindows& windows, const std::string& name);
void EnableMacroByName(MacroControlHost& host, PlayerWindows& windows, const std::string& name, bool enable);
void SwapMacroFile(MacroControlHost& host, PlayerWindows& windows, const std::string& path);

}  // namespace tessaro
