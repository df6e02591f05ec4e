#pragma once
// The explorer's main window: the macro list of the current macro file, the commands on
// the selected macro, the quick-wizard buttons and the menus.
#include <QMainWindow>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor/explorer/explorer_actions.h"
#include "editor/explorer/explorer_core.h"
#include "foundation/config_record.h"
#include "platform/messages.h"
#include "protocol/glob_data.h"
#include "widgets/draw_grid.h"

class QAction;
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
class CommandDialogsNotBuilt;
struct MacroFormsContext;

// "/RH" in any case followed by the player's window id in decimal sets `playerWnd`; the
// bare switch leaves it, digits followed by other characters store 0. Other arguments are
// ignored.
void ProcessParam(const std::string& argument, win::HWND& playerWnd);

// "Tessaro Editor (name)", with the date and time after five spaces when `showDate`.
QString EditorCaption(const QString& fileLabel, bool showDate, const QDateTime& now);

// The macro file's name without folder and its last four characters.
QString FileLabelOf(const std::string& macroFile);

class TMainWin : public QMainWindow {
    Q_OBJECT
public:
    TMainWin(TConfigRecord& config, TGlobData& glob, const std::vector<std::string>& args);
    ~TMainWin() override;

    TMainWinCore& Core() { return core_; }
    TConfigRecord& Config() { return config_; }
    win::HWND PlayerWindow() const { return core_.PlayerWnd; }

    // Runs one command as its menu item, button or speed button does.
    void Run(ExplorerAction action);
    // The quick wizard for function 1..29.
    void DoQuickWiz(int function);

    void DoCaption();
    void SetButtons(bool enable);
    void HookTheKeyboard();
    void UnHookTheKeyboard();
    void GetCatFile();
    void GetSwapFile();

    // Prints the list on `printer` as the print command does after its dialog.
    void PrintList(QPrinter& printer);

    // For the tests and the dialogs: the widgets by their command.
    QAction* MenuItem(ExplorerAction action) const;
    QAbstractButton* LargeButton(ExplorerAction action) const;
    QAbstractButton* SpeedButton(ExplorerAction action) const;
    const std::vector<QAbstractButton*>& WizardButtons() const { return wizardButtons_; }
    TAPageControl* Pages() const { return pages_; }
    TMyDrawGrid* Grid() const { return grid_; }
    QWidget* SpeedStrip() const { return speedStrip_; }
    QWidget* ButtonPanel() const { return buttonPanel_; }
    QWidget* CategoryPanel() const { return categoryPanel_; }
    const std::string& CategoryFileName() const { return categoryFile_; }
    const std::string& SwapFileName() const { return swapFile_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Handler = void (TMainWin::*)();
    struct CommandWidgets {
        QAction* menu = nullptr;
        QAbstractButton* large = nullptr;
        QAbstractButton* speed = nullptr;
    };

    // Window set-up (main_win_layout.cpp).
    void BuildMenus();
    void BuildMacrosPage(QWidget* page);
    void BuildWizardPage(QWidget* page);
    void BuildSpeedStrip(QWidget* parent);
    void BuildButtonPanel(QWidget* parent);
    void BuildCategoryPanel(QWidget* parent);
    QAction* AddMenuItem(class QMenu* menu, ExplorerAction action, const char* caption);
    void SetMenuLastFiles();

    void FormCreate(const std::vector<std::string>& args);
    void FormShow();
    void FormClose();
    void SaveStretchDim();
    std::int32_t WndProc(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);

    void Post(std::uint32_t code, std::int32_t arg);

    // The macro list (main_win_list.cpp).
    void LoadMacroFile(const std::string& name, bool notify);
    void FillList();
    void OnPlayerMessage(std::uint32_t code, std::int32_t arg);
    void DrawCell(int col, int row, const QRect& rect, TGridDrawState state, QPainter& canvas);

    // Handlers of the commands built here.
    void NotAvailableYet();
    void MenuTerminateClick();
    void MenuAboutClick();
    void MenuPrintClick();
    QPrinter& Printer();
    std::vector<PrintRow> PrintRows();
    void MenuPrinterFontClick();
    void PrinterSetup1Click();
    void MenuKeyHooksClick();
    void MenuMouseHooksClick();
    void MenuLastFileClick(int k);

    // The macro commands that open the macro forms (main_win_macros.cpp).
    void DoAdd();
    void DoModifySelected();
    void DoCopy();
    void DoMove();
    int SelectedMacro() const;
    MacroFormsContext& FormsContext();
    void TakeSavedRecord(int n, const TMacroRecord& rec);

    // The one table from command to handler (main_win_commands.cpp).
    static Handler HandlerOf(ExplorerAction action);

    TConfigRecord& config_;
    TMainWinCore core_;
    bool firstShowDone_ = false;
    bool closing_ = false;
    bool destroyNoticeSent_ = false;
    QString fileLabel_;
    std::string categoryFile_;
    std::string swapFile_;
    int currentCategory_ = 0;
    std::vector<int> rowMacro_;  // [row] the macro shown in the row; [0] unused
    bool listEmpty_ = true;

    std::unique_ptr<win::MessageReceiver> receiver_;
    std::unique_ptr<InstalledPrograms> installedPrograms_;  // scanned once per run
    std::unique_ptr<CommandDialogsNotBuilt> commandDialogs_;
    std::unique_ptr<MacroFormsContext> formsContext_;
    std::unique_ptr<QPrinter> printer_;
    std::map<ExplorerAction, CommandWidgets> commands_;
    std::vector<QAbstractButton*> wizardButtons_;
    std::vector<QAction*> lastFileItems_;
    QAction* lastFileSeparator_ = nullptr;
    TAPageControl* pages_ = nullptr;
    TMyDrawGrid* grid_ = nullptr;
    QWidget* speedStrip_ = nullptr;
    QWidget* buttonPanel_ = nullptr;
    QWidget* categoryPanel_ = nullptr;
    QListWidget* categoryList_ = nullptr;
};

}  // namespace tessaro
