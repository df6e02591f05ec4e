#pragma once
// Macro control over the loaded macro file and the trigger table: the record-level half of
// what the macro commands change. The player's main window adds the lock and the upkeep.
#include <functional>
#include <string>

#include "player/engine/macro_control.h"

namespace tessaro {

struct TGlobData;
struct TConfigRecord;

class MacroFileControl : public MacroControlHost {
public:
    // `macroFile` names the loaded macro file at the time of each call.
    MacroFileControl(TGlobData& glob, TConfigRecord& config, std::function<std::string()> macroFile);

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

private:
    bool Loaded(int n);

    TGlobData& glob_;
    TConfigRecord& config_;
    std::function<std::string()> macroFile_;
};

}  // namespace tessaro
