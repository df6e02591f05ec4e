#pragma once
// The player's loaded macro file: reading and writing records, and keeping the per-macro
// mirrors (settings-record index and trigger table) and the hook library in step with it.
// The file is the current one of the settings (RecentFiles[0]) except for LoadMacroFile.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "foundation/config_record.h"
#include "protocol/glob_data.h"
#include "macro/macro_record.h"

namespace tessaro {

class PeerLink;

// The icon a record names, after the fix-up: "MENU" and "MAIN" are the built-in icons; a
// file name must name a file in <program dir>/Icons, else the record falls back to
// "MENU" (popup menus) or "MAIN" and its IconName is repaired.
TMacroIcon FixUpMacroIcon(TMacroRecord& rec, const std::string& programDirectory);

// The five built-in system macros (scope 5), in the order they are added when missing.
struct SystemMacro {
    char id;  // the one-character ScopeText
    const char* nickname;
    int defaultHotKey;  // free codes are searched downwards from here
};
inline constexpr SystemMacro kSystemMacros[] = {
    {'5', "Terminate Tessaro", 261},
    {'1', "Activate Tessaro", 262},
    {'2', "Start / Stop Capture", 263},
    {'3', "Resume Pause", 264},
    {'4', "Menu of Macros for Top Most Window", 265},
};

class PlayerMacroFile {
public:
    struct Context {
        TConfigRecord& config;
        TGlobData& glob;
        PeerLink& link;
        std::string programDirectory;
        std::function<double()> now;  // LastModified of new records; empty: the clock
    };

    explicit PlayerMacroFile(Context context) : ctx_(std::move(context)) {}

    // Makes `name` (Windows-1252) the loaded file: mirrors, pushes, system macros. A
    // missing file is created; an existing one that cannot be read is reported and left
    // alone, and nothing is loaded. False when nothing could be loaded.
    bool LoadMacroFile(const std::string& name);
    bool ReloadMacroFile();

    // Writes the record at index (1-based) or appends it (-1, slot = MacroCount), then
    // refreshes that slot's mirrors and tells the hook library and the editor.
    bool SaveMacroRecord(int index, TMacroRecord& rec);
    // Silent when the file cannot be opened or has no such record; `buffer` is then kept.
    bool ReadMacroRecord(int index, TMacroRecord& buffer);
    // Removes the record from the file only; renumbering and reloading are the caller's.
    bool DeleteMacroRecord(int index);
    // Rewrites the Enabled byte in the file; mirrors are not touched.
    bool SetMacroEnabled(int index, bool enabled);

    // The first hot-key code at or below `code` (wrapping from 0 to 720) that no loaded
    // macro uses; acNone when every code is taken.
    int FindFreeHotKeyCode(int code) const;
    // Appends each missing system macro and shows present ones under their standard name.
    void EnsureSystemMacros();

    // Mirrors of slot n from a record; loading substitutes the default case rule.
    enum class MirrorMode { Load, Save };
    void StoreMirrors(int slot, const TMacroRecord& rec, const TMacroIcon& icon, MirrorMode mode);

    // The current macro file as a file-system path.
    std::string CurrentFilePath() const;
    const std::string& programDirectory() const { return ctx_.programDirectory; }

private:
    std::string PathOf(const std::string& name) const;
    void SetMacroCount(int count);
    bool SaveRecordTo(const std::string& path, int index, TMacroRecord& rec);
    void EnsureSystemMacrosIn(const std::string& path);

    Context ctx_;
    std::string warnedOversize_;  // the file whose surplus records were last reported
};

}  // namespace tessaro
