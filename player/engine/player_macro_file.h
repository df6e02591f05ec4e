#pragma once
// The player's loaded macro file: the shared loaded-file routines with the player's
// system-macro names and case-rule default, telling the hook library and the editor
// through the player's peer link.
#include <cstdint>
#include <functional>
#include <string>

#include "foundation/config_record.h"
#include "macro/loaded_macro_file.h"
#include "macro/macro_record.h"
#include "protocol/glob_data.h"

namespace tessaro {

class PeerLink;

// The player's names of the five system macros, in the order they are added when missing.
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

    explicit PlayerMacroFile(Context context);

    // Makes `name` (Windows-1252) the loaded file: mirrors, pushes, system macros. A
    // missing file is created; an existing one that cannot be read is reported and left
    // alone, and nothing is loaded. False when nothing could be loaded.
    bool LoadMacroFile(const std::string& name) { return file_.LoadMacroFile(name, true); }
    // `warn` false: the reload follows the editor, which has told the user of the file already.
    bool ReloadMacroFile(bool warn = true) { return file_.ReloadMacroFile(true, warn); }

    // Writes the record at index (1-based) or appends it (-1, slot = MacroCount), then
    // refreshes that slot's mirrors and tells the hook library and the editor.
    bool SaveMacroRecord(int index, TMacroRecord& rec) { return file_.SaveMacroRecord(index, rec, true); }
    bool ReadMacroRecord(int index, TMacroRecord& buffer) { return file_.ReadMacroRecord(index, buffer); }
    bool DeleteMacroRecord(int index) { return file_.DeleteMacroRecord(index); }
    bool SetMacroEnabled(int index, bool enabled) { return file_.SetMacroEnabled(index, enabled); }

    int FindFreeHotKeyCode(int code) const { return file_.FindFreeHotKeyCode(code); }
    void EnsureSystemMacros() { file_.EnsureSystemMacros(); }

    using MirrorMode = LoadedMacroFile::MirrorMode;
    void StoreMirrors(int slot, const TMacroRecord& rec, const TMacroIcon& icon, MirrorMode mode) {
        file_.StoreMirrors(slot, rec, icon, mode);
    }

    std::string CurrentFilePath() const { return file_.CurrentFilePath(); }
    const std::string& programDirectory() const { return file_.programDirectory(); }

private:
    class LinkPeer : public MacroFilePeer {
    public:
        explicit LinkPeer(PeerLink& link) : link_(link) {}
        void PushGroup(const TGlobData& glob, int group, int index) override;
        void Notify(std::uint32_t code, std::int32_t argument) override;

    private:
        PeerLink& link_;
    };

    LinkPeer peer_;
    LoadedMacroFile file_;
};

}  // namespace tessaro
