#include "player/engine/macro_file_control.h"

#include "foundation/config_record.h"
#include "hook/qtmhook.h"
#include "protocol/glob_data.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"

namespace tessaro {

MacroFileControl::MacroFileControl(TGlobData& glob, TConfigRecord& config,
                                   std::function<std::string()> macroFile)
    : glob_(glob), config_(config), macroFile_(std::move(macroFile)) {}

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
    if (!ReadMacroRecordAt(macroFile_(), n, rec).ok()) return std::nullopt;
    return GetMacroText(rec);
}

std::vector<std::uint16_t> MacroFileControl::PopupItems(int n) {
    TMacroRecord rec;
    if (!ReadMacroRecordAt(macroFile_(), n, rec).ok()) return {};
    return ReadPopupMenu(rec, MacroCount()).items;
}

void MacroFileControl::SavePopupItems(int n, const std::vector<std::uint16_t>& items) {
    const std::string path = macroFile_();
    TMacroRecord rec;
    if (!ReadMacroRecordAt(path, n, rec).ok()) return;
    PopupMenu menu = ReadPopupMenu(rec, MacroCount());
    menu.items = items;
    WritePopupMenu(rec, menu);
    WriteMacroRecordAt(path, n, rec);
}

void MacroFileControl::DeleteMacroRecord(int n) { DeleteMacroRecordAt(macroFile_(), n); }

void MacroFileControl::SetMacroEnabled(int n, bool enabled) { SetMacroEnabledAt(macroFile_(), n, enabled); }

void MacroFileControl::SetTriggerEnabled(int n, bool enabled) {
    if (!Loaded(n)) return;
    glob_.Enabled[n] = enabled ? 1 : 0;
    QtmUpItem(&glob_, n);
}

}  // namespace tessaro
