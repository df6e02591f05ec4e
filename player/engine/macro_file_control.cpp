#include "player/engine/macro_file_control.h"

#include <algorithm>

#include "foundation/config_record.h"
#include "foundation/settings.h"
#include "hook/qtmhook.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "player/engine/player_macro_file.h"
#include "protocol/glob_data.h"

namespace tessaro {

MacroFileControl::MacroFileControl(TGlobData& glob, TConfigRecord& config, PlayerMacroFile& file,
                                   MacroFileUpkeep& shell)
    : glob_(glob), config_(config), file_(file), shell_(shell) {}

bool MacroFileControl::Loaded(int n) { return n >= 1 && n <= MacroCount(); }

int MacroFileControl::MacroCount() { return std::clamp(glob_.MacroCount, 0, kMaxMacros); }

std::string MacroFileControl::Nickname(int n) {
    return Loaded(n) ? config_.MacroNicknames[n].str() : std::string();
}

std::uint16_t MacroFileControl::ActivationCode(int n) { return Loaded(n) ? glob_.ActivationCode[n] : acNone; }

std::uint16_t MacroFileControl::Scope(int n) { return Loaded(n) ? glob_.Scope[n] : 0; }

bool MacroFileControl::Enabled(int n) { return Loaded(n) && glob_.Enabled[n] != 0; }

std::optional<std::string> MacroFileControl::MacroText(int n) {
    TMacroRecord rec;
    if (!file_.ReadMacroRecord(n, rec)) return std::nullopt;
    return GetMacroText(rec);
}

std::vector<std::uint16_t> MacroFileControl::PopupItems(int n) {
    TMacroRecord rec;
    if (!file_.ReadMacroRecord(n, rec)) return {};
    return ReadPopupMenu(rec, MacroCount()).items;
}

void MacroFileControl::SavePopupItems(int n, const std::vector<std::uint16_t>& items) {
    TMacroRecord rec;
    if (!file_.ReadMacroRecord(n, rec)) return;
    PopupMenu menu = ReadPopupMenu(rec, MacroCount());
    menu.items = items;
    WritePopupMenu(rec, menu);
    WriteMacroRecordAt(file_.CurrentFilePath(), n, rec);
}

void MacroFileControl::DeleteMacroRecord(int n) { file_.DeleteMacroRecord(n); }

void MacroFileControl::SetMacroEnabled(int n, bool enabled) { file_.SetMacroEnabled(n, enabled); }

void MacroFileControl::SetTriggerEnabled(int n, bool enabled) {
    if (!Loaded(n)) return;
    glob_.Enabled[n] = enabled ? 1 : 0;
    QtmUpItem(&glob_, n);
}

void MacroFileControl::ReloadMacroFile() { file_.ReloadMacroFile(); }

void MacroFileControl::LoadMacroFile(const std::string& path) { file_.LoadMacroFile(path); }

void MacroFileControl::SetMacroFileName(const std::string& path) {
    config_.RecentFiles[0] = path;
    SaveCurrentFileSetting(config_);
}

}  // namespace tessaro
