#pragma once
// The explorer's main window: the macro list of the current macro file, the commands on
// the selected macro, the quick-wizard buttons and the menus.
#include <QMainWindow>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QTimer>
#include <QToolBar>

#include "editor/explorer/explorer_actions.h"
#include "editor/explorer/explorer_core.h"
#include "editor/explorer/main_win_widgets.h"
#include "editor/explorer/forms/t_add_new_hot_key.h"
#include "editor/commands/chooser.h"
#include "editor/explorer/tools/appearance_dialog.h"
#include "editor/explorer/tools/help_viewer.h"
#include "editor/explorer/tools/macro_row_drag.h"
#include "editor/explorer/tools/options_dialogs.h"
#include "editor/explorer/tools/sort_order_dialog.h"
#include "editor/model/explorer/explorer.h"
#include "editor/model/explorer/list_input.h"
#include "editor/model/explorer/player_link.h"
#include "editor/script/ui/script_editor_services.h"
#include "editor/model/macro_forms/capture_setup.h"
#include "editor/model/wizard/wizard_outcome.h"
#include "foundation/config_record.h"
#include "platform/launch.h"
#include "platform/messages.h"
#include "platform/screen_saver.h"
#include "platform/sound.h"
#include "protocol/glob_data.h"
#include "widgets/draw_grid.h"

class QAction;
class QKeyEvent;
class QMouseEvent;
class QAbstractButton;
class QDateTime;
class QPainter;
class QPrinter;
class QListWidget;
class QStackedWidget;
class QWidget;

namespace tessaro {

class TAPageControl;
struct PrintRow;
class InstalledPrograms;
class CommandDialogs;
struct MacroFormsContext;

// "Tessaro Editor (name)", with the date and time after five spaces when `showDate`.
QString EditorCaption(const QString& fileLabel, bool showDate, const QDateTime& now);

// The macro file's name without folder and its last four characters.
QString FileLabelOf(const std::string& macroFile);

class TTaskIcon;

class TMainWin : public QMainWindow,
                 private ExplorerWindow {
    Q_OBJECT
public:
    TMainWin(TConfigRecord& config, TGlobData& glob, const std::vector<std::string>& args);
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
    QAction* AddMenuItem(class QMenu* menu, ExplorerAction action, const char* caption);

    void FormCreate(const std::vector<std::string>& args);
    void FormShow();
    void FormClose();
    void FormActivate();
    // The stored bounds inside the screen's work area.
    void PlaceWindow();
    void SaveStretchDim();

    HookPlayerLink& Link();
    void Post(std::uint32_t code, std::int32_t arg);

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


    // Handlers of the commands built here.
    void MenuTerminateClick();
    void MenuAboutClick();
    void DoClearClick() { explorer_.DoClear(); }
    void DoActivateClick() { explorer_.DoActivate(); }
    void DoOpenClick() { explorer_.DoOpen(); }
    void DoNewClick() { explorer_.DoNew(); }
    void MenuShowDateClick();

    // The option commands (main_win_options.cpp).

    // The macro commands that open the macro forms (main_win_macros.cpp).
    // The tools and option commands (main_win_tools.cpp).
    void MenuQuickInfoClick() { explorer_.DoInfo(explorer_.selectedRow()); }

    void DoAddClick() { explorer_.DoAdd(); }
    void DoModifyClick() { explorer_.DoModify(false); }
    void DoCopyClick() { explorer_.DoCopy(); }
    void DoMoveClick() { explorer_.DoMove(false); }
    void DoCaptureClick() { explorer_.DoCapture(); }


    // The one table from command to handler (main_win_commands.cpp).
    static Handler HandlerOf(ExplorerAction action);

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

    XdgHelpViewer helpViewer_;
    ScopedHelpViewer helpScope_{helpViewer_};  // every editor dialog's help, while the window lives
};

}  // namespace tessaro
