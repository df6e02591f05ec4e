// The player's notices to the editor (WM_PEER_UPDATE).
#include <algorithm>

#include "editor/model/explorer/explorer.h"
#include "editor/model/explorer/file_menu.h"
#include "foundation/settings.h"
#include "protocol/window_messages.h"

namespace tessaro {

void Explorer::OnPlayerMessage(std::uint32_t code, std::int32_t arg) {
    switch (code) {
        case puSwapKeys: ctx_.window.Repaint(); break;
        case puMacroFile: {
            FillList();
            const int row = ReverseSort(arg);
            if (row != -1) Select(row);
            break;
        }
        case puSchedule: {  // the player switched its current macro file
            TConfigRecord& config = ctx_.config;
            const std::string old = config.RecentFiles[0].str();
            LoadCurrentFileSetting(config);
            const std::string name = config.RecentFiles[0].str();
            lock_.Configure(config.NetworkMode, name);
            lock_.NoteLoaded();
            file_.LoadMacroFile(name, false, false);  // the player has warned of its faults
            ctx_.window.DoCaption();
            FillList();
            SetButtons(ctx_.glob.MacroCount != 0);
            DoLastFiles(config, old, name);
            ctx_.window.ShowLastFiles(LastFileCaptions(config));
            ctx_.window.GetSwapFile();
            ctx_.window.GetCatFile();
            break;
        }
        case puEditorClosed: {
            const int row = ReverseSort(arg);
            ctx_.window.GetCatFile();
            FillList();
            if (listEmpty())
                SetButtons(false);
            else if (row != -1)
                Select(std::min(row, static_cast<int>(rowMacro_.size())));
            break;
        }
        case puPullGroup:
            if (arg >= 0 && arg < kGlobGroupCount && arg != ggItem) ctx_.link.PullGroup(ctx_.glob, arg, 0);
            break;
        case puPullMacro:
            if (ValidMacro(arg)) ctx_.link.PullGroup(ctx_.glob, ggItem, arg);
            break;
        case puMacroChanged: {
            if (!ValidMacro(arg)) break;
            TMacroRecord rec;
            if (!file_.ReadMacroRecord(arg, rec)) break;
            // Mirrors only: the sender has pushed the slot already.
            const TMacroIcon icon = FixUpMacroIcon(rec, file_.programDirectory());
            file_.StoreMirrors(arg, rec, icon, LoadedMacroFile::MirrorMode::Save);
            Refresh(arg);
            break;
        }
        case puReloadAll:
            file_.ReloadMacroFile(false, false);
            ctx_.window.GetSwapFile();
            ctx_.window.GetCatFile();
            FillList();
            SetHotKeys();
            break;
        default: break;  // 0, 5, 7, 9..19 and above 21
    }
}

void Explorer::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    Post(puEditorClosed);
}

}  // namespace tessaro
