#include "editor/explorer/tool_commands.h"

#include <QStandardPaths>
#include <fstream>

#include "editor/explorer/explorer_core.h"
#include "editor/explorer/tools/macro_exchange_dialogs.h"
#include "editor/explorer/tools/swap_dialogs.h"
#include "editor/model/explorer/explorer.h"
#include "editor/model/explorer/file_menu.h"
#include "editor/model/tools/desktop_launcher.h"
#include "editor/model/tools/swap_access.h"
#include "hook/client/glob_data_sync.h"
#include "macro/swap_file.h"
#include "platform/datetime.h"
#include "platform/message_box.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "protocol/window_messages.h"
#include "widgets/file_chooser.h"
#include "widgets/program_icons.h"
#include "platform/regular_file_stream.h"

namespace tessaro {

namespace {

// Imported macros go into the open file through the explorer's file layer.
class FileAppender : public MacroAppender {
public:
    FileAppender(LoadedMacroFile& file, const TGlobData& glob) : file_(file), glob_(glob) {}
    int MacroCount() const override { return glob_.MacroCount; }
    bool AppendMacro(TMacroRecord& rec) override { return file_.AppendMacroRecord(rec, true) != 0; }

private:
    LoadedMacroFile& file_;
    const TGlobData& glob_;
};

}  // namespace

ToolCommands::ToolCommands(QWidget& window, TConfigRecord& config, TMainWinCore& core, Explorer& explorer,
                           PlayerLink& link)
    : window_(window), config_(config), core_(core), explorer_(explorer), link_(link) {}

void ToolCommands::LoadSwapFile() {
    swapFile_ = tessaro::SwapFileName(win::Cp1252ToUtf8(config_.RecentFiles[0].str()));
    TSwapKeys keys = DefaultSwapKeys();
    if (LoadSwapKeysFile(swapFile_, keys) == SwapFileStatus::Missing) SaveSwapKeysFile(swapFile_, keys);
    // The player's table follows the file at once (nothing happens without a player).
    LoadSwapKeys(swapFile_);
}

std::vector<TMacroRecord> ToolCommands::ShownMacros() {
    std::vector<TMacroRecord> shown;
    for (int n : explorer_.rowMacro()) {
        TMacroRecord rec{};
        if (explorer_.file().ReadMacroRecord(n, rec)) shown.push_back(rec);
    }
    return shown;
}

void ToolCommands::MenuImportTextClick() {
    if (explorer_.FileInUse()) return;
    const std::string path =
        win::MessageBox(kTextImportNotice, "Notice", win::MbButtons::OkCancel) == win::MbResult::Ok
            ? ChooseFile(&window_, {"Open", "Text File (*.TXT)", "TXT", false, true})
            : std::string();
    win::RegularFileStream in(path);
    if (!path.empty() && !in.is_open()) {
        win::MessageBox("Unable to open import file.", "Error");
    } else if (!path.empty()) {
        FileAppender target(explorer_.file(), core_.GlobData);
        ImportTextItems(in, target, win::Now());
        explorer_.FillList();
        explorer_.SetHotKeys();
    }
    // Released as changed even when cancelled.
    explorer_.ReleaseSyncFile(1);
}

void ToolCommands::MenuOutputClick() {
    if (explorer_.listEmpty())
        return void(win::MessageBox("No hot keys have been added yet.  Please add one first.", "Error"));
    TDoOutput dialog(&window_, ShownMacros(), GetSched, config_.RecentFiles[0].str());
    dialog.exec();
}

void ToolCommands::MenuExportClick() {
    TMyExport dialog(&window_, config_.RecentFiles[0].str());
    dialog.exec();
}

void ToolCommands::MenuImportClick() {
    if (explorer_.FileInUse()) return;
    std::vector<std::uint16_t> codes;
    for (int n = 1; n <= core_.GlobData.MacroCount; ++n) codes.push_back(core_.GlobData.ActivationCode[n]);
    FileAppender target(explorer_.file(), core_.GlobData);
    TMyImport dialog(&window_, target, codes);
    dialog.exec();
    explorer_.FillList();
    explorer_.SetHotKeys();
    explorer_.ReleaseSyncFile(1);
    if (dialog.TrayFlag) link_.Notify(puTrayMenu, 0);
}

void ToolCommands::MenuOnDesktopClick() {
    const int n = explorer_.SelectedMacro();
    if (n == 0) return;
    std::vector<std::string> nicknames;
    for (int m = 1; m <= core_.GlobData.MacroCount; ++m)
        nicknames.emplace_back(config_.MacroNicknames[m].view());
    if (const std::string refused = CheckLauncherNickname(nicknames, std::size_t(n - 1)); !refused.empty()) {
        win::MessageBox(refused, "Error");
        return;
    }
    TMacroRecord rec{};
    if (!explorer_.file().ReadMacroRecord(n, rec)) return;
    const LauncherPicture picture =
        LauncherPictureFor(std::string(rec.IconName.view()), win::ProgramDirectory() + "/Icons",
                           MainIcon().pixmap(48).toImage());
    // The folder the user's desktop settings name (XDG_DESKTOP_DIR), ~/Desktop without any.
    const LauncherPlace place{QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString(),
                              win::ProgramDirectory() + "/Launchers", win::ExecutableDirectory() + "/tesrun"};
    const std::string error = PlaceLauncher(place, std::string(rec.Nickname.view()), picture);
    win::MessageBox(error.empty() ? "DeskTop Icon Added." : error, error.empty() ? "" : "Error");
}

void ToolCommands::MenuRemapClick() {
    if (explorer_.FileInUse()) return;
    TDoSwapKeys dialog(&window_, swapFile_, core_.Notices());
    dialog.exec();
    explorer_.ReleaseSyncFile(dialog.Changed ? 1 : 0);
}

}  // namespace tessaro
