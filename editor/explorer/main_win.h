#pragma once
// The explorer's main window: the macro list of the current macro file, the commands on
// the selected macro, the quick-wizard buttons and the menus. What it does beyond showing
// them lives in its roles (main_win_roles.h).
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <QToolBar>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/explorer/explorer_actions.h"
#include "editor/explorer/explorer_core.h"
#include "editor/explorer/main_win_widgets.h"
#include "editor/model/explorer/explorer.h"
#include "editor/model/explorer/list_input.h"
#include "foundation/config_record.h"
#include "platform/messages.h"
#include "protocol/glob_data.h"
#include "widgets/draw_grid.h"

class QAbstractButton;
class QAction;
class QDateTime;
class QListWidget;
class QMenu;
class QPainter;
class QWidget;

namespace win {
class Desktop;
class Platform;
}  // namespace win

namespace tessaro {

class TAPageControl;

// "Tessaro Editor (name)", with the date and time after five spaces when `showDate`.
QString EditorCaption(const QString& fileLabel, bool showDate, const QDateTime& now);

// The macro file's name without folder and its last four characters.
QString FileLabelOf(const std::string& macroFile);

class TMainWin : public QMainWindow, private ExplorerWindow {
    Q_OBJECT
public:
    // Works on the desktop of `platform`, which must outlive it.
    TMainWin(win::Platform& platform, TConfigRecord& config, TGlobData& glob,
             const std::vector<std::string>& args);
    ~TMainWin() override;

    // Closes every open box, then the window as its user would (its player ended, or a signal).
    void EndAtOnce();

    TMainWinCore& Core() { return core_; }
    Explorer& Logic() { return explorer_; }
    TConfigRecord& Config() { return config_; }
    win::HWND PlayerWindow() const;

    // Runs one command as its menu item, button or speed button does.
    void Run(ExplorerAction action);
    // The quick wizard for function 1..29.
    void DoQuickWiz(int function);
    // The first-use set-up: its wizard, then the follow-up wizards it chose.
    void DoFirstTime();

    void DoCaption() override;
    void SetButtons(bool enable) override;
    void HookTheKeyboard();
    void UnHookTheKeyboard();
    void GetCatFile() override;
    void GetSwapFile() override;

    // For the tests and the dialogs: the widgets by their command.
    QAction* MenuItem(ExplorerAction action) const;
    QAbstractButton* LargeButton(ExplorerAction action) const;
    QAbstractButton* SpeedButton(ExplorerAction action) const;
    const std::vector<QAbstractButton*>& WizardButtons() const { return widgets_.wizardButtons; }
    TAPageControl* Pages() const { return widgets_.pages; }
    TMyDrawGrid* Grid() const { return widgets_.grid; }
    QToolBar* SpeedStrip() const { return widgets_.speedStrip; }
    QWidget* ButtonPanel() const { return widgets_.buttonPanel; }
    QWidget* CategoryPanel() const;
    const std::string& CategoryFileName() const;
    const std::string& SwapFileName() const;
    QListWidget* CategoryList() const;
    // The sound file played last on a drop onto a category; empty when none was.
    QString LastWave() const;
    // The list's incremental search text (upper case).
    const std::string& SearchText() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    using Handler = void (*)(TMainWin&);
    // The roles the window is made of (main_win_roles.h).
    struct Roles;

    // Window set-up (main_win_layout.cpp).
    void BuildMenus();
    void BuildMacrosPage(QWidget* page);
    void BuildWizardPage(QWidget* page);
    void BuildSpeedStrip(QWidget* parent);
    void BuildButtonPanel(QWidget* parent);
    QAction* AddMenuItem(QMenu* menu, ExplorerAction action, const char* caption);

    void FormCreate(const std::vector<std::string>& args);
    void FormShow();
    void FormClose();
    void FormActivate();
    // The stored bounds inside the screen's work area.
    void PlaceWindow();
    void SaveStretchDim();

    // ExplorerWindow (main_win_list.cpp)
    void ShowList() override;
    void Repaint() override;
    void ShowCommandStates(const CommandStates& states) override;
    void ShowActivateCaption(bool enabled) override;
    void ShowLastFiles(const std::array<std::string, 5>& captions) override;
    void NetTimer(bool on) override;
    std::optional<std::string> OpenFileDialog() override;
    std::optional<std::string> NewFileDialog() override;
    std::string ForegroundProgram() override;
    void ShowRecordIcon(bool shown) override;
    void BringToFront() override;
    std::uint32_t WindowId() override;
    double Now() override;
    std::int64_t LocalMs() override;

    void DrawCell(int col, int row, const QRect& rect, TGridDrawState state, QPainter& canvas);

    // The window's own commands.
    void MenuTerminateClick();
    void MenuAboutClick();
    void MenuShowDateClick();

    // The one table from command to handler (main_win_commands.cpp).
    static Handler HandlerOf(ExplorerAction action);

    win::Desktop& desktop_;
    TConfigRecord& config_;
    TMainWinCore core_;
    bool closing_ = false;
    QString fileLabel_;
    MainWinWidgets widgets_;
    // Made before the explorer, which the roles reach through a reference only once it is built.
    std::unique_ptr<Roles> roles_;
    Explorer explorer_;
    QTimer captionClock_;  // the time in the caption, while "Show Date & Time" is on
    bool showingList_ = false;
    StartShow startShowCmd_ = StartShow::Normal;
    bool activated_ = false;  // the start's show command is applied at the first activation only
};

}  // namespace tessaro
