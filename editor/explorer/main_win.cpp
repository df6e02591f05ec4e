#include "editor/explorer/main_win.h"
#include "editor/explorer/main_win_roles.h"

#include "widgets/end_request.h"

#include <utility>
#include <QAbstractButton>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QScreen>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "widgets/about_box.h"
#include "editor/model/explorer/macro_list.h"
#include "foundation/settings.h"
#include "platform/cp1252.h"
#include "platform/desktop.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "protocol/window_messages.h"
#include "widgets/draw_grid.h"
#include "widgets/page_control.h"
#include "widgets/task_icon.h"

namespace tessaro {

QString EditorCaption(const QString& fileLabel, bool showDate, const QDateTime& now) {
    QString caption = "Tessaro Editor (" + fileLabel + ")";
    if (!showDate) return caption;
    const QLocale locale = QLocale::system();
    return caption + "     " + locale.toString(now.date(), QLocale::ShortFormat) + "  " +
           locale.toString(now.time(), QLocale::ShortFormat);
}

QString FileLabelOf(const std::string& macroFile) {
    const QString name = QFileInfo(QString::fromStdString(win::Cp1252ToUtf8(macroFile))).fileName();
    return name.left(std::max<qsizetype>(0, name.size() - 4));
}

TMainWin::TMainWin(win::Platform& platform, TConfigRecord& config, TGlobData& glob,
                   const std::vector<std::string>& args)
    : QMainWindow(nullptr),
      desktop_(platform.desktop()),
      config_(config),
      core_(glob, platform.messages()),
      roles_(std::make_unique<Roles>(*this, platform, config, core_, explorer_)),
      explorer_({config, glob, roles_->player.Link(), *this, roles_->macroForms, win::ProgramDirectory(),
                 &core_.CurrentMacro}) {
    core_.UseLoadedFile(explorer_.file());
    setWindowTitle("Tessaro Editor");
    FormCreate(args);
}

TMainWin::~TMainWin() { explorer_.FormDestroy(); }

void TMainWin::FormCreate(const std::vector<std::string>& args) {
    BuildMenus();
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    widgets_.pages = new TAPageControl(central);
    auto* macrosPage = new QWidget;
    auto* wizardPage = new QWidget;
    BuildMacrosPage(macrosPage);
    BuildWizardPage(wizardPage);
    widgets_.pages->addTab(macrosPage, "M&acros");
    widgets_.pages->addTab(wizardPage, "&Quick Wizards");
    widgets_.pages->setCurrentIndex(0);
    column->addWidget(widgets_.pages);
    setCentralWidget(central);
    widgets_.grid->OnDrawCell = [this](TMyDrawGrid*, int col, int row, const QRect& rect,
                                       TGridDrawState state,
                                       QPainter& canvas) { DrawCell(col, row, rect, state, canvas); };

    // The player's window first: loading the file may already tell it things.
    roles_->player.TakeArguments(args);
    core_.PlayerWnd = roles_->player.PlayerWindow();
    explorer_.Start();
    GetCatFile();
    GetSwapFile();

    widgets_.commands[ExplorerAction::ShowDate].menu->setChecked(config_.ShowDate);
    widgets_.commands[ExplorerAction::DisableScreenSaver].menu->setChecked(config_.DisableScreenSaver);
    if (!config_.IE5Server.str().empty())
        widgets_.commands[ExplorerAction::IE5Fix].menu->setEnabled(false);
    else
        widgets_.commands[ExplorerAction::IE5Restore].menu->setEnabled(false);

    startShowCmd_ = StartShowCmdOf(std::getenv("TESSARO_SHOW"));
    PlaceWindow();
    widgets_.speedStrip->setVisible(config_.UseSpeed);
    widgets_.buttonPanel->setVisible(!config_.UseSpeed);

    roles_->network.Start();
    // The caption's clock shows seconds: it keeps time once a second.
    captionClock_.setInterval(1000);
    connect(&captionClock_, &QTimer::timeout, this, [this] {
        if (config_.ShowDate) DoCaption();
    });
    captionClock_.start();

    widgets_.grid->OnSelectCell = [this](TMyDrawGrid*, int, int row, bool& canSelect) {
        canSelect = !explorer_.listEmpty();
        if (canSelect && !showingList_) explorer_.SelectRow(row);
    };
    roles_->listInput.Wire();
    explorer_.FillList();
    SetButtons(core_.GlobData.MacroCount > 0);

    roles_->player.Listen(static_cast<win::HWND>(winId()), [this] { EndAtOnce(); });
}

void TMainWin::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    FormShow();
}

namespace {

QRect WorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

QRect Fit(const QRect& window, const QRect& area) {
    const Bounds b = FitToArea({window.x(), window.y(), window.width(), window.height()},
                               {area.x(), area.y(), area.width(), area.height()});
    return {b.left, b.top, b.width, b.height};
}

}  // namespace

void TMainWin::PlaceWindow() {
    // The inside at the stored bounds; the frame is brought onto the screen once the window
    // manager has made it (widgets/screen_fit.h).
    QRect stored(config_.MainLeft, config_.MainTop, config_.MainWidth, config_.MainHeight);
    if (stored.width() <= 0 || stored.height() <= 0) stored = QRect(0, 0, 760, 480);
    setGeometry(Fit(stored, WorkArea()));
}

void TMainWin::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TMainWin::FormActivate() {
    if (std::exchange(activated_, true)) return;
    if (startShowCmd_ == StartShow::Minimize)
        QTimer::singleShot(0, this, [this] { showMinimized(); });
    else if (startShowCmd_ == StartShow::Maximize)
        QTimer::singleShot(0, this, [this] { showMaximized(); });
}

void TMainWin::FormShow() {
    DoCaption();
    roles_->appearance.ShowAsStored(WorkArea().width());
    explorer_.FillList();
    static bool firstShowing = true;
    if (std::exchange(firstShowing, false) && config_.FirstUse) DoFirstTime();
}

void TMainWin::DoCaption() {
    // Every switch of the macro file comes here: the label follows the current file.
    fileLabel_ = FileLabelOf(config_.RecentFiles[0].str());
    setWindowTitle(EditorCaption(fileLabel_, config_.ShowDate, QDateTime::currentDateTime()));
}

void TMainWin::SaveStretchDim() {
    const QRect r = geometry();
    if (config_.MainWidth != r.width()) config_.MainWidth = r.width();
    if (config_.MainHeight != r.height()) config_.MainHeight = r.height();
    if (config_.MainLeft != r.x()) config_.MainLeft = r.x();
    if (config_.MainTop != r.y()) config_.MainTop = r.y();
}

void TMainWin::FormClose() {
    if (closing_) return;
    closing_ = true;
    SaveStretchDim();
    SaveAllSettings(config_);
}

void TMainWin::EndAtOnce() {
    // A box left open would keep the editor running after its player ended.
    CloseOpenBoxes();
    QTimer::singleShot(0, this, [this] { close(); });
}

void TMainWin::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TMainWin::SetButtons(bool enable) {
    const bool on = enable && !explorer_.listEmpty();
    constexpr ExplorerAction kSwitched[] = {
        ExplorerAction::ModifyDirectly,  ExplorerAction::Recapture,        ExplorerAction::RemoveMacro,
        ExplorerAction::CopyMacro,       ExplorerAction::ChangeActivation, ExplorerAction::ActivateMacro,
        ExplorerAction::ScriptingEditor, ExplorerAction::PlaceOnDesktop,   ExplorerAction::AddToCategory,
    };
    for (ExplorerAction a : kSwitched) widgets_.commands[a].SetEnabled(on);
    if (!on) widgets_.commands[ExplorerAction::QuickInfo].menu->setEnabled(false);
}

void TMainWin::DoQuickWiz(int function) { roles_->wizards.DoQuickWiz(function); }
void TMainWin::DoFirstTime() { roles_->wizards.DoFirstTime(); }

void TMainWin::HookTheKeyboard() { roles_->player.HookTheKeyboard(); }
void TMainWin::UnHookTheKeyboard() { roles_->player.UnHookTheKeyboard(); }
win::HWND TMainWin::PlayerWindow() const { return roles_->player.PlayerWindow(); }

void TMainWin::GetCatFile() { roles_->categories.Load(); }

void TMainWin::GetSwapFile() { roles_->tools.LoadSwapFile(); }
const std::string& TMainWin::SwapFileName() const { return roles_->tools.SwapFileName(); }

QAction* TMainWin::MenuItem(ExplorerAction action) const {
    const auto it = widgets_.commands.find(action);
    return it == widgets_.commands.end() ? nullptr : it->second.menu;
}

QAbstractButton* TMainWin::LargeButton(ExplorerAction action) const {
    const auto it = widgets_.commands.find(action);
    return it == widgets_.commands.end() ? nullptr : it->second.large;
}

QAbstractButton* TMainWin::SpeedButton(ExplorerAction action) const {
    const auto it = widgets_.commands.find(action);
    if (it == widgets_.commands.end() || !it->second.speed) return nullptr;
    return qobject_cast<QAbstractButton*>(widgets_.speedStrip->widgetForAction(it->second.speed));
}

QWidget* TMainWin::CategoryPanel() const { return roles_->categories.Panel(); }
const std::string& TMainWin::CategoryFileName() const { return roles_->categories.FileName(); }
QListWidget* TMainWin::CategoryList() const { return roles_->categories.List(); }
const std::string& TMainWin::SearchText() const { return roles_->listInput.SearchText(); }
QString TMainWin::LastWave() const { return roles_->categories.LastWave(); }

void TMainWin::MenuTerminateClick() { close(); }

void TMainWin::MenuAboutClick() {
    TAboutBox about(this);
    about.ProductName->setText("Tessaro Editor");
    about.Version->setText("Version 1.6i");
    about.exec();
}

}  // namespace tessaro
