#pragma once
// Macro control over the loaded macro file and the trigger table: the record-level half of
// what the macro commands change, with the shell's upkeep behind it.
#include <string>

#include "player/engine/macro_control.h"

namespace tessaro {

struct TGlobData;
struct TConfigRecord;
class PlayerMacroFile;

class MacroFileControl final : public MacroControlHost {
public:
    // The file is the one the settings name as current at the time of each call.
    MacroFileControl(TGlobData& glob, TConfigRecord& config, PlayerMacroFile& file, MacroFileUpkeep& shell);

    int MacroCount() override;
    std::string Nickname(int n) override;
    std::uint16_t ActivationCode(int n) override;
    std::uint16_t Scope(int n) override;
    bool Enabled(int n) override;
    std::optional<std::string> MacroText(int n) override;
    std::vector<std::uint16_t> PopupItems(int n) override;
    void SavePopupItems(int n, const std::vector<std::uint16_t>& items) override;
    void DeleteMacroRecord(int n) override;
    void SetMacroEnabled(int n, bool enabled) override;
    void SetTriggerEnabled(int n, bool enabled) override;
    void ReloadMacroFile() override;
    void LoadMacroFile(const std::string& path) override;
    void SetMacroFileName(const std::string& path) override;

    bool FileInUse() override { return shell_.FileInUse(); }
    void ReleaseSyncFile(int changes) override { shell_.ReleaseSyncFile(changes); }
    void UseLockFileOf(const std::string& macroFile) override { shell_.UseLockFileOf(macroFile); }
    void GetSwapFile() override { shell_.GetSwapFile(); }
    void SetHotKeys() override { shell_.SetHotKeys(); }
    void CheckAndSetTime() override { shell_.CheckAndSetTime(); }
    void ClearMenuTaskIcon() override { shell_.ClearMenuTaskIcon(); }
    void DoMenuTaskIcon() override { shell_.DoMenuTaskIcon(); }
    void TellOtherPlayers() override { shell_.TellOtherPlayers(); }
    void PostEditor(std::uint32_t code, std::int32_t value) override { shell_.PostEditor(code, value); }

private:
    bool Loaded(int n);

    TGlobData& glob_;
    TConfigRecord& config_;
    PlayerMacroFile& file_;
    MacroFileUpkeep& shell_;
};

}  // namespace tessaro
