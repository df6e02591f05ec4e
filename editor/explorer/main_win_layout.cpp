// The main window's widgets: menus, the two pages, the speed strip, the large buttons and
// the category panel. Only captions, groupings and commands are fixed; the layout is ours.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/explorer/main_win.h"
#include "editor/explorer/main_win_roles.h"
#include "editor/explorer/quick_wizard_table.h"
#include "widgets/draw_grid.h"
#include "widgets/page_control.h"

namespace tessaro {
namespace {

// The picture with its disabled form drawn faint: the style's greying leaves grey and white
// pictures (the bin, the sheets of paper) looking as they do enabled.
QIcon FadedWhenDisabled(const QIcon& icon, QSize size) {
    QIcon out;
    QList<QSize> sizes = icon.availableSizes();
    if (!sizes.contains(size)) sizes.append(size);
    for (const QSize& s : sizes) {
        const QPixmap normal = icon.pixmap(s);
        if (normal.isNull()) continue;
        QPixmap faded(normal.size());
        faded.setDevicePixelRatio(normal.devicePixelRatio());
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(0.35);
        painter.drawPixmap(0, 0, normal);
        painter.end();
        out.addPixmap(normal, QIcon::Normal);
        out.addPixmap(faded, QIcon::Disabled);
    }
    return out;
}

}  // namespace

namespace {

struct ButtonEntry {
    ExplorerAction action;
    const char* caption;  // large button
    const char* hint;     // speed button
    // The speed button's picture: the desktop theme's icon of that name, else the style's.
    const char* themeIcon;
    QStyle::StandardPixmap styleIcon;
};

// The commands on the selected macro, in the order of the panel and the strip.
constexpr ButtonEntry kMacroButtons[] = {
    {ExplorerAction::AddMacro, "Add Ma&cro", "Add Macro", "list-add", QStyle::SP_FileDialogNewFolder},
    {ExplorerAction::ModifyDirectly, "Modify &Directly", "Modify Macro Directly", "document-edit",
     QStyle::SP_FileDialogContentsView},
    {ExplorerAction::Recapture, "Recapt&ure Macro", "Recapture Macro", "media-record",
     QStyle::SP_MediaSeekBackward},
    {ExplorerAction::RemoveMacro, "R&emove Macro", "Delete Macro", "edit-delete", QStyle::SP_TrashIcon},
    {ExplorerAction::CopyMacro, "Cop&y Macro", "Copy Macro", "edit-copy", QStyle::SP_FileLinkIcon},
    {ExplorerAction::ChangeActivation, "Cha&nge Activation", "Change Macro Activation",
     "preferences-desktop-keyboard", QStyle::SP_BrowserReload},
    {ExplorerAction::ActivateMacro, "Acti&vate Macro", "Activate Macro", "media-playback-start",
     QStyle::SP_DialogApplyButton},
    {ExplorerAction::ScriptingEditor, "&Scripting Editor", "Modify Macro Using Scripting Editor",
     "text-x-script", QStyle::SP_FileDialogDetailedView},
};

// Speed buttons that have no large button.
constexpr ButtonEntry kFileSpeedButtons[] = {
    {ExplorerAction::NewFile, nullptr, "New File", "document-new", QStyle::SP_FileIcon},
    {ExplorerAction::OpenFile, nullptr, "Open File", "document-open", QStyle::SP_DialogOpenButton},
    {ExplorerAction::PrintList, nullptr, "Print Macro List", "document-print", QStyle::SP_DriveFDIcon},
    {ExplorerAction::SortSpeed, nullptr, "Sort Macros", "view-sort-ascending", QStyle::SP_ArrowDown},
    {ExplorerAction::HelpContents, nullptr, "Help", "help-contents", QStyle::SP_DialogHelpButton},
};

}  // namespace

QAction* TMainWin::AddMenuItem(QMenu* menu, ExplorerAction action, const char* caption) {
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    connect(item, &QAction::triggered, this, [this, action] { Run(action); });
    widgets_.commands[action].menu = item;
    return item;
}

void TMainWin::BuildMenus() {
    QMenuBar* bar = menuBar();
    using A = ExplorerAction;

    QMenu* file = bar->addMenu("&File");
    AddMenuItem(file, A::NewFile, "&New File");
    AddMenuItem(file, A::OpenFile, "&Open File");
    file->addSeparator();
    AddMenuItem(file, A::ImportText, "&Import Text File");
    AddMenuItem(file, A::OutputMacroInfo, "O&utput Macro Information");
    file->addSeparator();
    AddMenuItem(file, A::PrintList, "&Print Macro List");
    AddMenuItem(file, A::PrinterFont, "Printer &Font");
    AddMenuItem(file, A::PrinterSetup, "Printer &Setup");
    file->addSeparator();
    AddMenuItem(file, A::Terminate, "&Terminate Tessaro Editor");
    widgets_.lastFileSeparator = file->addSeparator();
    for (int k = 1; k <= 5; ++k) {
        QAction* item = file->addAction(QString("&%1").arg(k));
        connect(item, &QAction::triggered, this, [this, k] { explorer_.MenuLastFileClick(k); });
        widgets_.lastFileItems.push_back(item);
    }

    QMenu* macros = bar->addMenu("&Macros");
    AddMenuItem(macros, A::AddMacro, "&Add Macro");
    AddMenuItem(macros, A::ModifyDirectly, "Modify &Directly");
    AddMenuItem(macros, A::Recapture, "Re&capture Macro");
    AddMenuItem(macros, A::RemoveMacro, "&Remove Macro");
    AddMenuItem(macros, A::CopyMacro, "Cop&y Macro");
    AddMenuItem(macros, A::ChangeActivation, "Change &Macro Activation");
    AddMenuItem(macros, A::ActivateMacro, "Acti&vate Macro");
    AddMenuItem(macros, A::ScriptingEditor, "&Scripting Editor");
    macros->addSeparator();
    AddMenuItem(macros, A::PlaceOnDesktop, "&Place On Desktop");
    AddMenuItem(macros, A::AddToCategory, "Add &To Category");
    AddMenuItem(macros, A::QuickInfo, "&Quick Info");
    macros->addSeparator();
    AddMenuItem(macros, A::ImportMacros, "&Import Macros");
    AddMenuItem(macros, A::ExportMacros, "E&xport Macros");
    AddMenuItem(macros, A::SortMacros, "S&ort Macros");

    QMenu* wizards = bar->addMenu("&Wizards");
    for (const QuickWizardGroup& g : QuickWizardMenu()) {
        QMenu* group = wizards->addMenu(QString::fromUtf8(g.caption));
        for (const QuickWizardItem& w : g.items) {
            QAction* item = group->addAction(QString::fromUtf8(w.caption));
            const int function = w.function;
            connect(item, &QAction::triggered, this, [this, function] { DoQuickWiz(function); });
        }
    }

    QAction* remap = bar->addAction("&Remap");
    connect(remap, &QAction::triggered, this, [this] { Run(ExplorerAction::Remap); });
    widgets_.commands[A::Remap].menu = remap;

    QMenu* options = bar->addMenu("&Options");
    AddMenuItem(options, A::Appearance, "&Appearance");
    AddMenuItem(options, A::CaptureOptions, "&Capture");
    AddMenuItem(options, A::EMailDefaults, "&E-Mail Defaults");
    AddMenuItem(options, A::EMailRecipients, "E-Mail &Recipients");
    AddMenuItem(options, A::NetworkOptions, "&Network");
    QMenu* scheduler = options->addMenu("&Scheduler");
    AddMenuItem(scheduler, A::ShowDate, "&Show Date && Time")->setCheckable(true);
    AddMenuItem(scheduler, A::Alarm, "&Alarm");
    AddMenuItem(scheduler, A::TimerInterval, "&Timer Interval");
    QMenu* saver = options->addMenu("Screen Sa&ver");
    AddMenuItem(saver, A::DisableScreenSaver, "&Disable if using Timed Macros")->setCheckable(true);
    AddMenuItem(options, A::Settings, "Se&ttings");
    AddMenuItem(options, A::SnipraOptions, "Sn&ipra Options");

    QMenu* tools = bar->addMenu("&Tools");
    AddMenuItem(tools, A::MouseLocator, "Mouse &Locator");
    AddMenuItem(tools, A::RestoreKeyboardHooks, "Restore &Keyboard Hooks");
    AddMenuItem(tools, A::RestoreMouseHooks, "Restore &Mouse Hooks");
    QMenu* ie5 = tools->addMenu("&Internet Explorer 5.0 Fix");
    AddMenuItem(ie5, A::IE5Fix, "&Apply Fix To Windows Registry");
    AddMenuItem(ie5, A::IE5Restore, "&Restore Windows Registry Prior To Fix");

    QMenu* help = bar->addMenu("&Help");
    AddMenuItem(help, A::HelpContents, "&Contents");
    AddMenuItem(help, A::Tutorial, "&Tutorial / User Guide");
    AddMenuItem(help, A::FirstTimeSetup, "&First Time Setup");
    AddMenuItem(help, A::HomePage, "Tessaro &Home Page");  // T is the tutorial's
    help->addSeparator();
    AddMenuItem(help, A::About, "&About");
}

void TMainWin::BuildSpeedStrip(QWidget* parent) {
    // A tool bar of actions: the buttons that do not fit the window's width are reached
    // through its overflow button, whose menu holds their actions, so the strip never
    // widens the window. (Widgets put on a tool bar could not go into that menu.)
    auto* strip = new QToolBar(parent);
    strip->setObjectName("SpeedStrip");
    strip->setMovable(false);
    strip->setFloatable(false);
    widgets_.speedStrip = strip;
    // Pictures with the hint as tool tip: the whole strip fits the window's default width.
    strip->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto add = [&](const ButtonEntry& button) {
        const QIcon icon = QIcon::fromTheme(QString::fromLatin1(button.themeIcon),
                                            style()->standardIcon(button.styleIcon, nullptr, strip));
        QAction* a =
            strip->addAction(FadedWhenDisabled(icon, strip->iconSize()), QString::fromUtf8(button.hint));
        a->setToolTip(QString::fromUtf8(button.hint));
        const ExplorerAction action = button.action;
        connect(a, &QAction::triggered, this, [this, action] { Run(action); });
        widgets_.commands[action].speed = a;
    };
    for (const ButtonEntry& s : kFileSpeedButtons) add(s);
    for (const ButtonEntry& s : kMacroButtons) add(s);
}

void TMainWin::BuildButtonPanel(QWidget* parent) {
    widgets_.buttonPanel = new QWidget(parent);
    auto* column = new QVBoxLayout(widgets_.buttonPanel);
    column->setContentsMargins(4, 4, 4, 4);
    for (const ButtonEntry& button : kMacroButtons) {
        auto* b = new QPushButton(QString::fromUtf8(button.caption), widgets_.buttonPanel);
        const ExplorerAction action = button.action;
        connect(b, &QPushButton::clicked, this, [this, action] { Run(action); });
        widgets_.commands[action].large = b;
        column->addWidget(b);
    }
    column->addStretch(1);
}

void TMainWin::BuildMacrosPage(QWidget* page) {
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(2, 2, 2, 2);
    BuildSpeedStrip(page);
    column->addWidget(widgets_.speedStrip);
    auto* row = new QHBoxLayout;
    BuildButtonPanel(page);
    row->addWidget(widgets_.buttonPanel);
    row->addWidget(roles_->categories.Build(page, widgets_, [this](ExplorerAction a) { Run(a); }));
    widgets_.grid = new TMyDrawGrid(page);
    new MacroRowDrag(*widgets_.grid, *roles_->categories.List(), roles_->categories);  // owned by the grid
    row->addWidget(widgets_.grid, 1);
    column->addLayout(row, 1);
}

void TMainWin::BuildWizardPage(QWidget* page) {
    auto* grid = new QGridLayout(page);
    constexpr int kPerRow = 7;
    int i = 0;
    for (const QuickWizardButton& w : QuickWizardButtons()) {
        // The picture, then the caption's lines, each centred.
        auto* b = new QToolButton(page);
        b->setObjectName(w.name);
        b->setText(QString::fromUtf8(w.lines));
        b->setIcon(page->style()->standardIcon(w.picture, nullptr, b));
        b->setIconSize(QSize(32, 32));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setMinimumSize(80, 64);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        const int function = w.function;
        connect(b, &QToolButton::clicked, this, [this, function] { DoQuickWiz(function); });
        widgets_.wizardButtons.push_back(b);
        grid->addWidget(b, i / kPerRow, i % kPerRow);
        ++i;
    }
}

}  // namespace tessaro
