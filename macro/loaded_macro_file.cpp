#include "macro/loaded_macro_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>
#include <vector>

#include "foundation/network_lock.h"

#include "macro/macro_file.h"
#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

constexpr const char* kMenuIcon = "MENU";
constexpr const char* kMainIcon = "MAIN";

void ShowError(const std::string& text) {
    win::MessageBox(text, "Error", win::MbButtons::Ok, win::MbIcon::Error);
}

std::string PathOf(const std::string& name) { return win::Cp1252ToUtf8(name); }

// The network lock of a shared file, held only for one short write while loading: taken
// without a word; a user who holds the file is waited for a moment, then left alone (the
// write waits for a later load).
class BriefNetworkHold : public SyncLockHost {
public:
    BriefNetworkHold(const std::string& macroFile, std::function<double()> now)
        : lock_(*this), now_(std::move(now)) {
        lock_.Configure(true, macroFile);
        lock_.NoteLoaded();
    }
    bool Take() {
        for (int attempt = 0; attempt < 50; ++attempt) {
            switch (lock_.Acquire()) {
                case LockAttempt::Taken: return true;
                case LockAttempt::ChangedByOther: continue;  // their count is adopted: ask again
                case LockAttempt::HeldByOther:
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                    break;
                case LockAttempt::Failed: return false;
            }
        }
        return false;
    }
    void Release(int changes) { lock_.Release(changes); }

    // Held for milliseconds: no heartbeat is due.
    void HeartbeatTimer(bool) override {}
    void LockMessage(const std::string& caption, const std::string& text) override {
        win::MessageBox(text, caption, win::MbButtons::Ok, win::MbIcon::Error);
    }
    double Now() override { return now_(); }
    std::int64_t LocalMs() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

private:
    SyncLock lock_;
    std::function<double()> now_;
};

}  // namespace

int FreeHotKeyCode(int code, std::span<const std::uint16_t> used) {
    for (int tries = 0; tries < kHotKeyCodeCount; ++tries) {
        if (std::find(used.begin(), used.end(), code) == used.end()) return code;
        code = code - 1 < 0 ? kMaxHotKeyCode : code - 1;
    }
    return acNone;
}

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

LoadedMacroFile::LoadedMacroFile(Context context) : ctx_(std::move(context)) {}

double LoadedMacroFile::Now() const { return ctx_.now ? ctx_.now() : win::Now(); }

std::string LoadedMacroFile::CurrentFilePath() const { return PathOf(ctx_.config.RecentFiles[0].str()); }

void LoadedMacroFile::SetMacroCount(int count, bool notify) {
    ctx_.glob.MacroCount = count;
    ctx_.peer.PushGroup(ctx_.glob, ggNumKeys, 0);
    if (notify) ctx_.peer.Notify(puPullGroup, ggNumKeys);
}

void LoadedMacroFile::StoreMirrors(int slot, const TMacroRecord& rec, const TMacroIcon& icon,
                                   MirrorMode mode) {
    if (slot < 1 || slot > kMaxMacros) return;
    TConfigRecord& cfg = ctx_.config;
    cfg.MacroNicknames[slot] = rec.Nickname.view();
    cfg.MacroAbbreviations[slot] = rec.Abbreviation.view();
    cfg.MacroIcons[slot] = icon;
    cfg.MacroCategoryIds[slot] = rec.CategoryId;
    const bool keep = mode == MirrorMode::Save || !ctx_.policy.defaultUnknownAbbrevCase ||
                      (rec.AbbrevCase >= 1 && rec.AbbrevCase <= 3);
    cfg.MacroAbbrevCases[slot] = keep ? rec.AbbrevCase : static_cast<std::uint16_t>(cfg.SnipraCaseMode);
    cfg.MacroAbbrevErases[slot] = rec.AbbrevErase;

    TGlobData& g = ctx_.glob;
    g.Scope[slot] = rec.Scope;
    g.ScopeText[slot] = rec.ScopeText.view();  // cut to the table's 20 characters
    g.Enabled[slot] = rec.Enabled;
    g.ActivationCode[slot] = rec.ActivationCode;
    g.TopmostOnly[slot] = rec.TopmostOnly;
}

bool LoadedMacroFile::LoadMacroFile(const std::string& name, bool notify, bool warn) {
    const std::string path = PathOf(name);
    ctx_.glob.MacroCount = 0;

    std::vector<TMacroRecord> records;
    MacroFileExtent extent;
    MacroFileStatus st = ReadMacroRecords(path, kMaxMacros, records, &extent);
    if (st.code == MacroFileStatus::NotFound) {
        const MacroFileStatus created = CreateEmptyMacroFile(path);
        if (created.ok()) {
            SetMacroCount(0, notify);
            EnsureSystemMacrosIn(path);
            return true;
        }
        // Someone else created it meanwhile: load theirs.
        if (created.error == EEXIST) {
            st = ReadMacroRecords(path, kMaxMacros, records, &extent);
        } else {
            ShowError("New file could not be created.");
            return false;
        }
    }
    if (!st.ok()) {
        // Never replaced by an empty file: the user may still rescue it.
        ShowError(st.Describe(path));
        SetMacroCount(0, notify);
        return false;
    }
    if (extent.trailingBytes != 0 && warn && warnedPartial_ != path) {
        warnedPartial_ = path;
        win::MessageBox("The macro file " + win::OsToCp1252(path) + " ends in a partial macro: " +
                            std::to_string(extent.trailingBytes) + " bytes after the last whole macro. " +
                            "They are not shown as a macro, and the file is left as it is.",
                        "Warning", win::MbButtons::Ok, win::MbIcon::Warning);
    }
    if (extent.records > records.size() && warn && warnedOversize_ != path) {
        warnedOversize_ = path;
        win::MessageBox("The macro file " + win::OsToCp1252(path) + " holds " +
                            std::to_string(extent.records) + " macros. Only the first " +
                            std::to_string(kMaxMacros) + " are loaded.",
                        "Warning", win::MbButtons::Ok, win::MbIcon::Warning);
    }

    for (std::size_t i = 0; i < records.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        ctx_.glob.MacroCount = n;
        TMacroRecord& rec = records[i];
        const TMacroIcon icon = FixUpMacroIcon(rec, ctx_.programDirectory);
        StoreMirrors(n, rec, icon, MirrorMode::Load);
        ctx_.peer.PushGroup(ctx_.glob, ggItem, n);
        if (notify) ctx_.peer.Notify(puPullMacro, n);
    }
    SetMacroCount(static_cast<int>(records.size()), notify);
    // Into the file just loaded, even when the settings do not name it yet; a file that ends
    // in a partial macro is left as it is, as the user was told.
    if (extent.trailingBytes == 0)
        EnsureSystemMacrosIn(path);
    else
        AllSystemMacrosShown();
    return true;
}

bool LoadedMacroFile::ReloadMacroFile(bool notify, bool warn) {
    return LoadMacroFile(ctx_.config.RecentFiles[0].str(), notify, warn);
}

bool LoadedMacroFile::SaveMacroRecord(int index, TMacroRecord& rec, bool notify) {
    return SaveRecordTo(CurrentFilePath(), index, rec, notify);
}

bool LoadedMacroFile::SaveRecordTo(const std::string& path, int index, TMacroRecord& rec, bool notify) {
    if (!MayWrite()) return false;
    const int slot = index == -1 ? ctx_.glob.MacroCount : index;
    const TMacroIcon icon = FixUpMacroIcon(rec, ctx_.programDirectory);
    std::memset(rec.Reserved5151, 0, sizeof rec.Reserved5151);

    // The record is on disk before anyone is told to re-read it.
    const MacroFileStatus st = WriteMacroRecordAt(path, index, rec);
    if (!st.ok()) {
        ShowError("Saving of keystrokes failed.\n\n" + st.Describe(path));
        return false;
    }
    ++writes_;
    if (slot < 1 || slot > kMaxMacros) return true;  // stored, but beyond the tables
    StoreMirrors(slot, rec, icon, MirrorMode::Save);
    ctx_.peer.PushGroup(ctx_.glob, ggItem, slot);
    if (notify) ctx_.peer.Notify(puMacroChanged, slot);
    return true;
}

int LoadedMacroFile::AppendMacroRecord(TMacroRecord& rec, bool notify) {
    return AppendTo(CurrentFilePath(), rec, notify);
}

int LoadedMacroFile::AppendTo(const std::string& path, TMacroRecord& rec, bool notify) {
    if (ctx_.glob.MacroCount >= kMaxMacros || !MayWrite()) return 0;
    const TMacroIcon icon = FixUpMacroIcon(rec, ctx_.programDirectory);
    std::memset(rec.Reserved5151, 0, sizeof rec.Reserved5151);
    const MacroFileStatus st = WriteMacroRecordAt(path, -1, rec);
    if (!st.ok()) {
        ShowError("Saving of keystrokes failed.\n\n" + st.Describe(path));
        return 0;
    }
    ++writes_;
    const int slot = std::max<int>(ctx_.glob.MacroCount, 0) + 1;
    SetMacroCount(slot, true);
    StoreMirrors(slot, rec, icon, MirrorMode::Save);
    ctx_.peer.PushGroup(ctx_.glob, ggItem, slot);
    if (notify) ctx_.peer.Notify(puMacroChanged, slot);
    return slot;
}

bool LoadedMacroFile::ReadMacroRecord(int index, TMacroRecord& buffer) {
    const std::string path = CurrentFilePath();
    const MacroFileStatus st = reader_.Read(path, index, buffer);
    if (st.code == MacroFileStatus::IoError) ShowError(st.Describe(path));
    return st.ok();
}

bool LoadedMacroFile::DeleteMacroRecord(int index) {
    if (!MayWrite()) return false;
    const std::string path = CurrentFilePath();
    const MacroFileStatus st = DeleteMacroRecordAt(path, index);
    if (st.code == MacroFileStatus::IoError) ShowError(st.Describe(path));
    writes_ += st.ok() ? 1 : 0;
    return st.ok();
}

bool LoadedMacroFile::SetMacroEnabled(int index, bool enabled) {
    if (!MayWrite()) return false;
    const std::string path = CurrentFilePath();
    const MacroFileStatus st = SetMacroEnabledAt(path, index, enabled);
    if (st.code == MacroFileStatus::IoError) ShowError(st.Describe(path));
    writes_ += st.ok() ? 1 : 0;
    return st.ok();
}

int LoadedMacroFile::FindFreeHotKeyCode(int code) const {
    const TGlobData& g = ctx_.glob;
    const int count = std::min<int>(g.MacroCount, kMaxMacros);
    return FreeHotKeyCode(code, std::span<const std::uint16_t>(&g.ActivationCode[1], std::max(count, 0)));
}

void LoadedMacroFile::EnsureSystemMacros() { EnsureSystemMacrosIn(CurrentFilePath()); }

std::vector<TMacroRecord> LoadedMacroFile::MissingSystemMacros(const std::vector<TMacroRecord>& records) {
    // Copies: a field of the packed record cannot bind to push_back's reference.
    std::vector<std::uint16_t> used;
    for (const TMacroRecord& r : records) used.push_back(std::uint16_t{r.ActivationCode});
    std::vector<TMacroRecord> add;
    for (const SystemMacro& sys : ctx_.policy.systemMacros) {
        const bool present = std::any_of(records.begin(), records.end(), [&](const TMacroRecord& r) {
            return r.Scope == scSystem && r.ScopeText.size() > 0 && r.ScopeText.view()[0] == sys.id;
        });
        if (present) continue;
        if (records.size() + add.size() >= static_cast<std::size_t>(kMaxMacros)) break;  // no slot left
        TMacroRecord rec;
        rec.Nickname = sys.nickname;
        rec.ScopeText = std::string_view(&sys.id, 1);
        rec.ActivationCode = static_cast<std::uint16_t>(FreeHotKeyCode(sys.defaultHotKey, used));
        rec.Scope = scSystem;
        rec.Enabled = 1;
        rec.LastModified = Now();
        FixUpMacroIcon(rec, ctx_.programDirectory);
        used.push_back(std::uint16_t{rec.ActivationCode});
        add.push_back(rec);
    }
    return add;
}

bool LoadedMacroFile::AllSystemMacrosShown() {
    const std::span<const SystemMacro> system = ctx_.policy.systemMacros;
    std::vector<bool> present(system.size(), false);
    const int count = std::min<int>(ctx_.glob.MacroCount, kMaxMacros);
    for (int n = 1; n <= count; ++n) {
        if (ctx_.glob.Scope[n] != scSystem || ctx_.glob.ScopeText[n].empty()) continue;
        const char id = ctx_.glob.ScopeText[n].view()[0];
        for (std::size_t k = 0; k < system.size(); ++k) {
            if (system[k].id != id) continue;
            present[k] = true;
            // Shown under this program's name; the file keeps what it holds.
            ctx_.config.MacroNicknames[n] = system[k].nickname;
        }
    }
    return std::all_of(present.begin(), present.end(), [](bool p) { return p; }) ||
           ctx_.glob.MacroCount >= kMaxMacros;
}

void LoadedMacroFile::EnsureSystemMacrosIn(const std::string& path) {
    if (AllSystemMacrosShown()) return;
    // Another program may be adding them to the same file at this moment: the file is
    // looked at again, and added to, in one step under its lock, and in network mode
    // only while this program holds the file.
    std::optional<BriefNetworkHold> hold;
    if (ctx_.config.NetworkMode) hold.emplace(win::Utf8ToCp1252(path), [this] { return Now(); });
    const bool mayWrite = !hold || hold->Take();
    std::vector<TMacroRecord> records;
    int appended = 0;
    const MacroFileStatus st = AppendMissingRecords(
        path, kMaxMacros,
        [&](const std::vector<TMacroRecord>& now) {
            return mayWrite ? MissingSystemMacros(now) : std::vector<TMacroRecord>{};
        },
        records, appended);
    // The records added are those every program adds to the file as it loads it, so
    // nobody has to reload for them: the change count stays.
    if (hold && mayWrite) hold->Release(0);
    if (!st.ok()) ShowError("Saving of keystrokes failed.\n\n" + st.Describe(path));
    // Ours and whatever the other program added meanwhile. Told always, whatever the
    // load's notify: the other program must see the addition.
    for (int n = std::max<int>(ctx_.glob.MacroCount, 0) + 1; n <= static_cast<int>(records.size()); ++n) {
        TMacroRecord& rec = records[static_cast<std::size_t>(n - 1)];
        const TMacroIcon icon = FixUpMacroIcon(rec, ctx_.programDirectory);
        SetMacroCount(n, true);
        StoreMirrors(n, rec, icon, MirrorMode::Save);
        ctx_.peer.PushGroup(ctx_.glob, ggItem, n);
        ctx_.peer.Notify(puMacroChanged, n);
    }
    AllSystemMacrosShown();
}

}  // namespace tessaro
