#pragma once
// The explorer's logic without widgets: the loaded macro file and its list, the network
// lock, the eight macro commands, the capture's end, the "&File" menu's switches of files
// and the handler of the player's notices. The Qt main window implements ExplorerWindow
// and MacroDialogs and forwards its menu items, timers and messages here.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/model/explorer/command_rules.h"
#include "editor/model/explorer/player_link.h"
#include "foundation/config_record.h"
#include "foundation/network_lock.h"
#include "macro/capture_recording.h"
#include "macro/loaded_macro_file.h"
#include "macro/macro_record.h"
#include "protocol/glob_data.h"

namespace tessaro {

// The editor's names of the five system macros, in the order they are added when missing.
inline constexpr SystemMacro kEditorSystemMacros[] = {
    {'5', "Terminate Tessaro", 261},
    {'1', "Run Tessaro Editor", 262},
    {'2', "Start / Stop Capture", 263},
    {'3', "Resume Pause", 264},
    {'4', "Menu of Macros for Topmost Window", 265},
};

// What the logic needs of the main window.
class ExplorerWindow {
public:
    virtual ~ExplorerWindow() = default;
    // The rows or the selection changed: show Explorer::rowMacro() and selectedRow().
    virtual void ShowList() = 0;
    // Same rows, new looks (an enabled flag or the remap table changed).
    virtual void Repaint() = 0;
    virtual void ShowCommandStates(const CommandStates& states) = 0;
    virtual void ShowActivateCaption(bool enabled) = 0;
    // SetButtons: the macro commands on or off (also MenuQuickOver when off).
    virtual void SetButtons(bool enable) = 0;
    // MenuLastFile1..5 ("" hidden) and the separator above them.
    virtual void ShowLastFiles(const std::array<std::string, 5>& captions) = 0;
    // FileLabel from RecentFiles[0] and the caption.
    virtual void DoCaption() = 0;
    // The key-remapping table and the category file of RecentFiles[0].
    virtual void GetSwapFile() = 0;
    virtual void GetCatFile() = 0;
    virtual void NetTimer(bool on) = 0;
    // The open and save dialogs; nothing on Cancel.
    virtual std::optional<std::string> OpenFileDialog() = 0;
    virtual std::optional<std::string> NewFileDialog() = 0;
    // Capture: the foreground program's executable base name, the recording tray icon,
    // bringing the editor to the front (restored and shown).
    virtual std::string ForegroundProgram() = 0;
    virtual void ShowRecordIcon(bool shown) = 0;
    virtual void BringToFront() = 0;
    virtual std::uint32_t WindowId() = 0;
    // Days since 1899-12-30, and monotonic milliseconds.
    virtual double Now() = 0;
    virtual std::int64_t LocalMs() = 0;
};

// The dialogs the macro commands open; each edits Explorer::CurrentMacro in place.
class MacroDialogs {
public:
    virtual ~MacroDialogs() = default;
    struct AddResult {
        bool added = false;
        bool trayMenuChanged = false;
        // A capture records the macro: its end gives the network lock back, once.
        bool captureStarted = false;
    };
    // TAddNewHotKey for the new macro `number`.
    virtual AddResult AddMacro(int number) = 0;
    // TDoBuildMenu in modify mode, its caption line the hot key's name.
    struct MenuResult {
        bool saved = false;
        bool trayMenuChanged = false;
    };
    virtual MenuResult ModifyPopupMenu(const std::string& hotKeyName) = 0;
    // TModHotKeys in modify mode; kind 1 hot key, 2 timed, 3 abbreviation, 6 none, 7 window
    // title; text: the hot key's name, the abbreviation or the scope text.
    virtual bool ModifyProperties(int kind, const std::string& text, bool conflict) = 0;
    // TCopyOrMove with its title.
    virtual bool CopyOrMove(bool copy, const std::string& title) = 0;
    // TSystemKeys for system function 1..5; it writes the file itself.
    virtual bool SystemKeys(int function) = 0;
    // TCaptureKeys in recapture mode. True when a capture was started (it ends with
    // Explorer::OnCaptureDone); false when the dialog was cancelled, which gives the
    // network lock back unchanged itself.
    virtual bool Recapture(const std::string& label, int number, bool conflict) = 0;
    // TQuickInfo for CurrentMacro.
    virtual void QuickInfo() = 0;
};

class Explorer : private SyncLockHost {
public:
    struct Context {
        TConfigRecord& config;
        TGlobData& glob;
        PlayerLink& link;
        ExplorerWindow& window;
        MacroDialogs& dialogs;
        std::string programDirectory;
        // The one macro being edited: give the main window's (TMainWinCore::CurrentMacro)
        // so that its forms and these commands share it; none: the explorer keeps its own.
        TMacroRecord* currentMacro = nullptr;
    };
    explicit Explorer(Context context);

private:
    TMacroRecord ownMacro_{};

public:
    TMacroRecord& CurrentMacro;

    // Start-up: the lock record of RecentFiles[0] (network mode), the file loaded without
    // notices, the library's groups pulled (0..6, 8..14, then every macro's slot), the
    // recent-file menu.
    void Start();
    LoadedMacroFile& file() { return file_; }

    // The list.
    void FillList();
    void SetCategory(int category);  // and FillList
    int currentCategory() const { return currentCategory_; }
    const std::vector<int>& rowMacro() const { return rowMacro_; }
    int rowCount() const { return static_cast<int>(rowMacro_.size()) + 1; }  // with the title row
    bool listEmpty() const { return rowMacro_.empty(); }
    int selectedRow() const { return selectedRow_; }
    int SelectedMacro() const;  // 0 when none
    // A row chosen by mouse or keyboard: selection, activate caption, CheckTimeItem.
    void SelectRow(int row);
    // A click on the list: the commands on again and set for the selected macro.
    void GridClick();
    // The incremental search: selects the first row whose activation text begins with
    // `text`; false when none does.
    bool SearchIt(std::string_view text);
    // A right click on list column 2, 3 or 4 of the title row: the primary sort by that
    // column, the selected macro kept, [Misc] saved and the player told. False when the
    // header does not sort or the order stays.
    bool SortByHeader(int column);
    int ReverseSort(int n) const;
    void CheckTimeItemFor(int row);
    void SetHotKeys();
    // Another macro with n's activation code in a global, popup-menu or system scope (or,
    // with anyScopeButGlobal, in the global scope only).
    bool HotKeyConflict(int n, bool anyScopeButGlobal) const;

    // The network lock (does nothing outside network mode).
    bool FileInUse();
    void ReleaseSyncFile(int changes);
    void NetTimerTimer();
    void SyncTimerTimer();
    const SyncLock& lock() const { return lock_; }
    // The network options changed: the lock follows the settings' mode and current file.
    void NetworkModeChanged();

    // The macro commands.
    void DoAdd();
    void DoModify(bool locked);
    void DoCopy();
    void DoMove(bool locked);
    void DoClear();
    void DoCapture();
    void DoActivate();
    void DoInfo(int row);

    // Capture messages: a recorded character; the end (also the recording icon's click).
    // Whoever starts a capture for this window calls StartRecording once the capture file
    // holds the recording's start (the dialog that armed it wrote its speed token there):
    // the recording begins with that and its end is awaited.
    void StartRecording();
    void OnCaptureChar(std::uint32_t wParam, std::int32_t lParam);
    void OnCaptureDone(std::uint32_t wParam);
    bool captureFinished() const { return captureFinished_; }
    bool captureProgramScope = false;  // the capture dialog's "&Program" choice

    // "&File".
    void DoOpen();
    void DoNew();
    void OpenSaveFile(const std::string& name);  // MenuLastFile1..5
    void MenuLastFileClick(int k) { OpenSaveFile(ctx_.config.RecentFiles[k].str()); }
    void MenuShowDateClick();

    // WM_PEER_UPDATE from the player (also while closing).
    void OnPlayerMessage(std::uint32_t code, std::int32_t arg);
    // The window is destroyed: (4, 0), once.
    void FormDestroy();

private:
    // SyncLockHost
    void HeartbeatTimer(bool running) override { ctx_.window.NetTimer(running); }
    void LockMessage(const std::string& caption, const std::string& text) override;
    double Now() override { return ctx_.window.Now(); }
    std::int64_t LocalMs() override { return ctx_.window.LocalMs(); }

    bool CheckSelection();
    void Select(int row);  // programmatic: selection shown, CheckTimeItem
    void SetButtons(bool enable) { ctx_.window.SetButtons(enable && !listEmpty()); }
    bool ValidMacro(std::int32_t n) const;
    void Refresh(int n);  // FillList, select n's row, CheckTimeItem
    void ReloadKeepingRow();
    bool SwitchTo(const std::string& name);
    bool SwitchToChosen(const std::optional<std::string>& name);  // a .QTM name, or refused
    void Post(std::uint32_t code, std::int32_t arg = 0) { ctx_.link.Notify(code, arg); }

    Context ctx_;
    LoadedMacroFile file_;
    SyncLock lock_;
    std::vector<int> rowMacro_;
    int selectedRow_ = 1;
    int currentCategory_ = 0;
    int captureMacro_ = 0;
    bool captureFinished_ = true;
    CaptureRecording recording_{CaptureFilePath(ctx_.programDirectory)};
    bool destroyed_ = false;
    int syncTicks_ = 0;
    std::uint64_t writesAtLock_ = 0;  // file_.writes() when the network lock was taken
};

}  // namespace tessaro
