// The "&File" menu: opening, creating and switching macro files.
#include <filesystem>

#include "editor/model/explorer/explorer.h"
#include "editor/model/explorer/file_menu.h"
#include "foundation/settings.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

void ShowError(const std::string& text) {
    win::MessageBox(text, "Error", win::MbButtons::Ok, win::MbIcon::Error);
}

}  // namespace

bool Explorer::SwitchTo(const std::string& name) {
    TConfigRecord& config = ctx_.config;
    const std::string old = config.RecentFiles[0].str();
    // Current before loading: the system macros the load adds go into the new file.
    config.RecentFiles[0] = name;
    lock_.Configure(config.NetworkMode, name);
    lock_.NoteLoaded();
    if (!file_.LoadMacroFile(name, true)) {
        // Reported by the load; the file is left as it is and the old one stays current.
        config.RecentFiles[0] = old;
        lock_.Configure(config.NetworkMode, old);
        lock_.NoteLoaded();
        file_.LoadMacroFile(old, true);
        FillList();
        SetButtons(ctx_.glob.MacroCount != 0);
        return false;
    }
    SetHotKeys();
    ctx_.window.DoCaption();
    FillList();
    SetButtons(ctx_.glob.MacroCount != 0);
    ctx_.window.GetSwapFile();
    ctx_.window.GetCatFile();
    DoLastFiles(config, old, name);
    ctx_.window.ShowLastFiles(LastFileCaptions(config));
    SaveCurrentFileSetting(config);
    SaveMiscSettings(config);
    return true;
}

bool Explorer::SwitchToChosen(const std::optional<std::string>& name) {
    if (!name) return false;
    if (!IsMacroFileName(*name)) {
        ShowError("Invalid file type selected.");
        return false;
    }
    return SwitchTo(*name);
}

void Explorer::DoOpen() {
    if (!SwitchToChosen(ctx_.window.OpenFileDialog())) return;
    Post(puMacroFile);
    Post(puSchedule);
    Post(puSettingsMisc);
}

void Explorer::DoNew() {
    if (!SwitchToChosen(ctx_.window.NewFileDialog())) return;
    Post(puMacroFile);
    Post(puSettingsMisc);
}

void Explorer::OpenSaveFile(const std::string& name) {
    std::error_code ec;
    if (name.empty() || !std::filesystem::exists(win::Cp1252ToUtf8(name), ec)) {
        ShowError("File does not exist.");
        return;
    }
    if (!SwitchTo(name)) return;
    Post(puMacroFile);
    Post(puSettingsMisc);
}

void Explorer::MenuShowDateClick() {
    ctx_.config.ShowDate = !ctx_.config.ShowDate;
    ctx_.window.DoCaption();
    SaveMiscSettings(ctx_.config);
    Post(puSettingsMisc);
}

}  // namespace tessaro
