#pragma once
// A program's loaded macro file: reading and writing records while keeping the per-macro
// mirrors (settings-record index and trigger table), the hook library and the other
// program in step. Player and editor share it; a policy holds where they differ. Every
// routine but LoadMacroFile works on the settings' current file (RecentFiles[0]).
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "foundation/config_record.h"
#include "macro/macro_record.h"
#include "macro/macro_record_reader.h"
#include "protocol/glob_data.h"

namespace tessaro {

// The icon a record names, after the fix-up: "MENU" and "MAIN" are the built-in icons; a
// file name must name a file in <program dir>/Icons, else the record falls back to
// "MENU" (popup menus) or "MAIN" and its IconName is repaired.
TMacroIcon FixUpMacroIcon(TMacroRecord& rec, const std::string& programDirectory);

// The first hot-key code at or below `code` (wrapping from 0 to 720) that is not in `used`;
// acNone when every code is taken.
int FreeHotKeyCode(int code, std::span<const std::uint16_t> used);

// One of the five built-in system macros (scope 5), in the order they are added when missing.
struct SystemMacro {
    char id;  // the one-character ScopeText
    const char* nickname;
    int defaultHotKey;  // free codes are searched downwards from here
};

// Where the loaded file's changes go: the hook library's master table and the other program.
class MacroFilePeer {
public:
    virtual ~MacroFilePeer() = default;
    // Pushes one group of the program's table to the hook library (ggItem: slot `index`).
    virtual void PushGroup(const TGlobData& glob, int group, int index) = 0;
    // Posts WM_PEER_UPDATE (code, argument) to the other program.
    virtual void Notify(std::uint32_t code, std::int32_t argument) = 0;
};

// What differs between the programs.
struct MacroFilePolicy {
    std::span<const SystemMacro> systemMacros;  // the names this program shows
    bool defaultUnknownAbbrevCase;              // a stored case rule outside 1..3 shows the settings' default
};

class LoadedMacroFile {
public:
    struct Context {
        TConfigRecord& config;
        TGlobData& glob;
        MacroFilePeer& peer;
        std::string programDirectory;
        MacroFilePolicy policy;
        std::function<double()> now;  // LastModified of new records; empty: the clock
    };

    explicit LoadedMacroFile(Context context);

    // Makes `name` (Windows-1252) the loaded file: mirrors, pushes, system macros. A
    // missing file is created; an existing one that cannot be read is reported and left
    // alone, and nothing is loaded. Over 500 records: the first 500, with a warning. A file
    // ending in a partial macro is loaded without it, with a warning, and never written to
    // by the load (no system macro is added). Each warning is given once per file; `warn`
    // false (a load that follows the other program, which warned already) gives none.
    // `notify` tells the other program of every slot (8, n) and of the count (6, 8).
    bool LoadMacroFile(const std::string& name, bool notify, bool warn = true);
    bool ReloadMacroFile(bool notify, bool warn = true);

    // Writes the record at index (1-based) or appends it (-1, slot = MacroCount, which the
    // caller has raised), then refreshes that slot's mirrors, pushes it and, with
    // `notify`, posts (20, slot) once the record is on disk. A failure is reported with
    // its cause and changes no mirror.
    bool SaveMacroRecord(int index, TMacroRecord& rec, bool notify);
    // Appends a new macro: MacroCount grows (pushed, (6, 8) posted) only once the record
    // is in the file. Returns the new macro's number, 0 on failure (reported).
    int AppendMacroRecord(TMacroRecord& rec, bool notify);
    // Silent when the file cannot be opened or has no such record; `buffer` is then kept.
    bool ReadMacroRecord(int index, TMacroRecord& buffer);
    // Removes the record from the file only; renumbering and reloading are the caller's.
    bool DeleteMacroRecord(int index);
    // Rewrites the Enabled byte in the file; mirrors are not touched.
    bool SetMacroEnabled(int index, bool enabled);

    // The first hot-key code at or below `code` (wrapping from 0 to 720) that no loaded
    // macro uses; acNone when every code is taken.
    int FindFreeHotKeyCode(int code) const;
    // Appends each missing system macro and shows present ones under this program's name.
    void EnsureSystemMacros();

    // Mirrors of slot n from a record; loading may substitute the default case rule.
    enum class MirrorMode { Load, Save };
    void StoreMirrors(int slot, const TMacroRecord& rec, const TMacroIcon& icon, MirrorMode mode);

    // Asked before every write to the file: false (the program has lost the network lock
    // to another user, and what it would write may undo theirs) makes the write refuse
    // quietly, the program having told the user already.
    void SetWriteGuard(std::function<bool()> mayWrite) { mayWrite_ = std::move(mayWrite); }

    // How many changes this object has written to macro files so far.
    std::uint64_t writes() const { return writes_; }

    // The current macro file as a file-system path.
    std::string CurrentFilePath() const;
    const std::string& programDirectory() const { return ctx_.programDirectory; }

private:
    std::uint64_t writes_ = 0;
    void SetMacroCount(int count, bool notify);
    bool SaveRecordTo(const std::string& path, int index, TMacroRecord& rec, bool notify);
    int AppendTo(const std::string& path, TMacroRecord& rec, bool notify);
    void EnsureSystemMacrosIn(const std::string& path);
    // Names present system macros in the mirrors; true when none is missing (or no slot is left).
    bool AllSystemMacrosShown();
    std::vector<TMacroRecord> MissingSystemMacros(const std::vector<TMacroRecord>& records);
    double Now() const;
    bool MayWrite() const { return !mayWrite_ || mayWrite_(); }

    Context ctx_;
    std::function<bool()> mayWrite_;
    MacroRecordReader reader_;    // records asked for one by one, as each hot key asks
    std::string warnedOversize_;  // the file whose surplus records were last reported
    std::string warnedPartial_;   // the file whose trailing partial record was last reported
};

}  // namespace tessaro
