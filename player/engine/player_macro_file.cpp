#include "player/engine/player_macro_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <vector>

#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "platform/message_box.h"
#include "macro/macro_file.h"
#include "player/engine/peer_link.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

constexpr const char* kMenuIcon = "MENU";
constexpr const char* kMainIcon = "MAIN";

void ShowError(const std::string& text) {
    win::MessageBox(text, "Error", win::MbButtons::Ok, win::MbIcon::Error);
}

}  // namespace

TMacroIcon FixUpMacroIcon(TMacroRecord& rec, const std::string& programDirectory) {
    const std::string name = rec.IconName.str();
    if (name == kMenuIcon || name == kMainIcon) return {name, {}};
    // Only a plain file name inside the icon folder counts.
    if (!name.empty() && name.find('/') == std::string::npos && name != "." && name != "..") {
        const std::string path = programDirectory + "/Icons/" + win::Cp1252ToUtf8(name);
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec)) return {name, path};
    }
    rec.IconName = rec.Scope == scPopupMenu ? kMenuIcon : kMainIcon;
    return {rec.IconName.str(), {}};
}

std::string PlayerMacroFile::PathOf(const std::string& name) const { return win::Cp1252ToUtf8(name); }

std::string PlayerMacroFile::CurrentFilePath() const { return PathOf(ctx_.config.RecentFiles[0].str()); }

void PlayerMacroFile::SetMacroCount(int count) {
    ctx_.glob.MacroCount = count;
    ctx_.link.Push(ctx_.glob, ggNumKeys);
    ctx_.link.NotifyEditor(puPullGroup, ggNumKeys);
}

void PlayerMacroFile::StoreMirrors(int slot, const TMacroRecord& rec, const TMacroIcon& icon,
                                   MirrorMode mode) {
    if (slot < 1 || slot > kMaxMacros) return;
    TConfigRecord& cfg = ctx_.config;
    cfg.MacroNicknames[slot] = rec.Nickname.view();
    cfg.MacroAbbreviations[slot] = rec.Abbreviation.view();
    cfg.MacroIcons[slot] = icon;
    cfg.MacroCategoryIds[slot] = rec.CategoryId;
    const bool known = rec.AbbrevCase >= 1 && rec.AbbrevCase <= 3;
    cfg.MacroAbbrevCases[slot] =
        mode == MirrorMode::Save || known ? rec.AbbrevCase : static_cast<std::uint16_t>(cfg.SnipraCaseMode);
    cfg.MacroAbbrevErases[slot] = rec.AbbrevErase;

    TGlobData& g = ctx_.glob;
    g.Scope[slot] = rec.Scope;
    g.ScopeText[slot] = rec.ScopeText.view();  // cut to the table's 20 characters
    g.Enabled[slot] = rec.Enabled;
    g.ActivationCode[slot] = rec.ActivationCode;
    g.TopmostOnly[slot] = rec.TopmostOnly;
}

bool PlayerMacroFile::LoadMacroFile(const std::string& name) {
    const std::string path = PathOf(name);
    ctx_.glob.MacroCount = 0;

    std::vector<TMacroRecord> records;
    std::size_t total = 0;
    MacroFileStatus st = ReadMacroRecords(path, kMaxMacros, records, &total);
    if (st.code == MacroFileStatus::NotFound) {
        const MacroFileStatus created = CreateEmptyMacroFile(path);
        if (created.ok()) {
            EnsureSystemMacrosIn(path);
            return true;
        }
        // Someone else created it meanwhile: load theirs.
        if (created.error == EEXIST)
            st = ReadMacroRecords(path, kMaxMacros, records, &total);
        else {
            ShowError("New file could not be created.");
            return false;
        }
    }
    if (!st.ok()) {
        // Never replaced by an empty file: the user may still rescue it.
        ShowError(st.Describe(path));
        SetMacroCount(0);
        return false;
    }
    if (total > records.size() && warnedOversize_ != path) {
        warnedOversize_ = path;
        win::MessageBox("The macro file " + path + " holds " + std::to_string(total) +
                            " macros. Only the first " + std::to_string(kMaxMacros) + " are loaded.",
                        "Warning", win::MbButtons::Ok, win::MbIcon::Warning);
    }

    for (std::size_t i = 0; i < records.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        ctx_.glob.MacroCount = n;
        TMacroRecord& rec = records[i];
        const TMacroIcon icon = FixUpMacroIcon(rec, ctx_.programDirectory);
        StoreMirrors(n, rec, icon, MirrorMode::Load);
        ctx_.link.Push(ctx_.glob, ggItem, n);
        ctx_.link.NotifyEditor(puPullMacro, n);
    }
    SetMacroCount(static_cast<int>(records.size()));
    // Into the file just loaded, even when the settings do not name it yet.
    EnsureSystemMacrosIn(path);
    return true;
}

bool PlayerMacroFile::ReloadMacroFile() { return LoadMacroFile(ctx_.config.RecentFiles[0].str()); }

bool PlayerMacroFile::SaveMacroRecord(int index, TMacroRecord& rec) {
    return SaveRecordTo(CurrentFilePath(), index, rec);
}

bool PlayerMacroFile::SaveRecordTo(const std::string& path, int index, TMacroRecord& rec) {
    const int slot = index == -1 ? ctx_.glob.MacroCount : index;
    const TMacroIcon icon = FixUpMacroIcon(rec, ctx_.programDirectory);
    std::memset(rec.Reserved5151, 0, sizeof rec.Reserved5151);

    // The record is on disk before anyone is told to re-read it.
    const MacroFileStatus st = WriteMacroRecordAt(path, index, rec);
    if (!st.ok()) {
        ShowError(st.code == MacroFileStatus::IoError ? st.Describe(path) : "Saving of keystrokes failed.");
        return false;
    }
    if (slot < 1 || slot > kMaxMacros) return true;  // stored, but beyond the tables
    StoreMirrors(slot, rec, icon, MirrorMode::Save);
    ctx_.link.Push(ctx_.glob, ggItem, slot);
    ctx_.link.NotifyEditor(puMacroChanged, slot);
    return true;
}

bool PlayerMacroFile::ReadMacroRecord(int index, TMacroRecord& buffer) {
    const std::string path = CurrentFilePath();
    const MacroFileStatus st = ReadMacroRecordAt(path, index, buffer);
    if (st.code == MacroFileStatus::IoError) ShowError(st.Describe(path));
    return st.ok();
}

bool PlayerMacroFile::DeleteMacroRecord(int index) {
    const std::string path = CurrentFilePath();
    const MacroFileStatus st = DeleteMacroRecordAt(path, index);
    if (st.code == MacroFileStatus::IoError) ShowError(st.Describe(path));
    return st.ok();
}

bool PlayerMacroFile::SetMacroEnabled(int index, bool enabled) {
    const std::string path = CurrentFilePath();
    const MacroFileStatus st = SetMacroEnabledAt(path, index, enabled);
    if (st.code == MacroFileStatus::IoError) ShowError(st.Describe(path));
    return st.ok();
}

int PlayerMacroFile::FindFreeHotKeyCode(int code) const {
    const TGlobData& g = ctx_.glob;
    const int count = std::min<int>(g.MacroCount, kMaxMacros);
    for (int tries = 0; tries < kHotKeyCodeCount; ++tries) {
        bool used = false;
        for (int n = 1; n <= count && !used; ++n) used = g.ActivationCode[n] == code;
        if (!used) return code;
        code = code - 1 < 0 ? kMaxHotKeyCode : code - 1;
    }
    return acNone;
}

void PlayerMacroFile::EnsureSystemMacros() { EnsureSystemMacrosIn(CurrentFilePath()); }

void PlayerMacroFile::EnsureSystemMacrosIn(const std::string& path) {
    bool present[std::size(kSystemMacros)] = {};
    const int count = std::min<int>(ctx_.glob.MacroCount, kMaxMacros);
    for (int n = 1; n <= count; ++n) {
        if (ctx_.glob.Scope[n] != scSystem || ctx_.glob.ScopeText[n].empty()) continue;
        const char id = ctx_.glob.ScopeText[n].view()[0];
        for (std::size_t k = 0; k < std::size(kSystemMacros); ++k) {
            if (kSystemMacros[k].id != id) continue;
            present[k] = true;
            // Shown under the standard name; the file keeps what the user typed.
            ctx_.config.MacroNicknames[n] = kSystemMacros[k].nickname;
        }
    }

    for (std::size_t k = 0; k < std::size(kSystemMacros); ++k) {
        if (present[k]) continue;
        if (ctx_.glob.MacroCount >= kMaxMacros) return;  // no slot left
        const SystemMacro& sys = kSystemMacros[k];
        // Searched before the new slot counts, so its stale code cannot block one.
        const int hotKey = FindFreeHotKeyCode(sys.defaultHotKey);
        SetMacroCount(ctx_.glob.MacroCount + 1);

        TMacroRecord rec;
        rec.Nickname = sys.nickname;
        rec.ScopeText = std::string_view(&sys.id, 1);
        rec.ActivationCode = static_cast<std::uint16_t>(hotKey);
        rec.Scope = scSystem;
        rec.Enabled = 1;
        rec.LastModified = ctx_.now ? ctx_.now() : win::Now();
        if (!SaveRecordTo(path, -1, rec)) {
            // Not in the file, so not a macro: take the slot back.
            SetMacroCount(ctx_.glob.MacroCount - 1);
            return;
        }
    }
}

}  // namespace tessaro
