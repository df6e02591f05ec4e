#include "editor/script/ui/do_scripting.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFontDialog>
#include <QGuiApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QPixmap>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "widgets/entry_text.h"
#include "editor/commands/command_dialog.h"
#include "widgets/kept_text.h"
#include "editor/script/command_table.h"
#include "editor/script/parse_text.h"
#include "editor/script/save_it.h"
#include "editor/script/script_form.h"
#include "editor/script/ui/script_editor_services.h"
#include "editor/model/macro_forms/macro_icon.h"
#include "editor/script/ui/do_wizard.h"
#include "editor/script/ui/icon_button.h"
#include "editor/script/ui/script_print.h"
#include "editor/script/ui/script_rows.h"
#include "foundation/ras.h"
#include "foundation/settings.h"
#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "platform/message_box.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "widgets/display_scale.h"

namespace tessaro {

namespace {

// The commands list: a key that moves to the row already current (Home on the first row
// focus made current) chooses it, as any other move does.
class CommandChoiceList : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        QListWidget::keyPressEvent(event);
        QListWidgetItem* item = currentItem();
        if (item && !item->isSelected() && event->modifiers() == Qt::NoModifier &&
            (event->key() == Qt::Key_Home || event->key() == Qt::Key_End || event->key() == Qt::Key_PageUp ||
             event->key() == Qt::Key_PageDown || event->key() == Qt::Key_Up || event->key() == Qt::Key_Down))
            item->setSelected(true);
    }
};

// The command menu: each item opens the command editor of its default code for a new line.
struct CommandItem {
    const char* name;
    const char* caption;
    int code;
};
// clang-format off
constexpr CommandItem kCommandItems[] = {
    {"MenuBox", "Display a Text &Box", 54},           {"MenuDelay", "Insert a &Delay", 4},
    {"MenuNewFile", "&Load New Macro File", 14},       {"MenuPause", "Ma&cro Pause", 5},
    {"MenuMacros", "Play, Delete, &Activate Macros", 51}, {"MenuRepeat", "&Repeat Loop", 6},
    {"MenuKeyboard", "Set &Keyboard or Mouse Speed", 8}, {"MenuWait", "&Wait For Window", 93},
    {"MenuLaunch", "&Activate / Launch Programs", 33}, {"MenuFiles", "&Delete, Copy, Rename Files, etc.", 46},
    {"MenuFTP", "&FTP Download", 44},                  {"MenuWeb", "&Launch a Web Site", 43},
    {"MenuFolder", "&Open Folder In Explorer", 66},    {"MenuSound", "Pla&y a Sound", 13},
    {"MenuVideo", "Play a &Video Clip", 55},           {"MenuEMail", "&Send E-Mail", 112},
    {"MenuAudio", "&Audio CD Functions", 56},          {"MenuDialup", "&Dial-Up Networking", 94},
    {"MenuMaximize", "Maximize, Minimize, etc &Windows", 19}, {"MenuNetwork", "&Network Connections", 52},
    {"MenuReboot", "&Reboot, Logoff, Shutdown", 75},   {"MenuSaver", "Screen Sa&ver Settings, Wallpaper", 81},
    {"MenuSize", "Set a Window Si&ze or Position", 16}, {"MenuPrinter", "Set De&fault Printer", 72},
    {"MenuScreen", "Set S&creen Resolution", 73},      {"MenuSpeaker", "Spea&ker Controls", 87},
    {"MenuTile", "T&ile, Cascade, Minimize Desktop", 67}, {"MenuAlt", "&Alt, Ctrl, Shift, Win Down and Up", 40},
    {"MenuClip", "&Clipboard Functions (copy, paste)", 37}, {"MenuRemark", "Enter a Comment or &Remark", 29},
    {"MenuText", "&Enter Text, Symbols, Keystrokes", 1}, {"EncryptedText1", "Encr&ypted Text", 113},
    {"MenuTextFile", "&Insert a Text File", 15},       {"MenuDate", "Insert &Date (current, past or future)", 2},
    {"MenuTime", "I&nsert Time", 3},                   {"MenuMouse", "M&ouse Clicks, Movements, Wheel", 24},
};
// clang-format on
static_assert(std::size(kCommandItems) == 36);

constexpr int kDialUp = 94;

QPushButton* Button(QWidget* owner, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, owner);
    b->setObjectName(name);
    return b;
}

}  // namespace

TDoScripting::TDoScripting(QWidget* owner, TMacroRecord& current, TConfigRecord& config,
                           ScriptEditorServices& services, std::string programDir, PeerNotify notify)
    : QDialog(owner),
      current_(current),
      config_(config),
      services_(services),
      programDir_(std::move(programDir)),
      notify_(std::move(notify)) {
    setObjectName("TDoScripting");
    // Resizable with a maximise box and no minimise box (widgets/window_policy.h).
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    OptionBox = new CommandChoiceList(this);
    OptionBox->setObjectName("OptionBox");
    Script = new QListView(this);
    Script->setObjectName("Script");
    Script->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Files of a hundred thousand lines: rows of one height are laid out without measuring
    // each text, and no row is an object of its own.
    Script->setUniformItemSizes(true);
    rows_ = new ScriptRows(lines_.Lines, Script);
    Script->setModel(rows_);
    OkButton = Button(this, "OkButton", tr("Sa&ve"));
    CancelButton = Button(this, "CancelButton", tr("&Cancel"));
    AddButton = Button(this, "AddButton", tr("&Add"));
    InsertBefore = Button(this, "InsertBefore", tr("I&nsert"));
    InsertAfter = Button(this, "InsertAfter", tr("&Insert"));
    DoEdit = Button(this, "DoEdit", tr("&Edit"));
    DoCopy = Button(this, "DoCopy", tr("Cop&y"));
    DoDelete = Button(this, "DoDelete", tr("De&lete"));
    DoUp = Button(this, "DoUp", tr("&Up"));
    DoDown = Button(this, "DoDown", tr("&Down"));
    HelpButton = Button(this, "HelpButton", tr("&Help"));
    Wizard = Button(this, "Wizard", tr("Wi&zard"));
    Wizard->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    NickName = new QLineEdit(this);
    NickName->setObjectName("NickName");
    LimitTyping(*NickName, 50);
    Global = new QRadioButton(tr("&Global"), this);
    Global->setObjectName("Global");
    Specific = new QRadioButton(tr("&Window"), this);
    Specific->setObjectName("Specific");
    ProgExe = new QRadioButton(tr("&Program"), this);
    ProgExe->setObjectName("ProgExe");
    ChooseWinProg = Button(this, "ChooseWinProg", tr("Select"));
    HotKeyLabel = new QLabel(this);
    HotKeyLabel->setObjectName("HotKeyLabel");
    TimerLabel = new QLabel(this);
    TimerLabel->setObjectName("TimerLabel");
    SetSchedule = Button(this, "SetSchedule", tr("Se&t Schedule"));
    SnipraName = new QLineEdit(this);
    SnipraName->setObjectName("SnipraName");
    ShortProp = Button(this, "ShortProp", tr("Properties"));
    MySpeed = new QToolButton(this);
    MySpeed->setObjectName("MySpeed");
    WireIconButton(
        *MySpeed, programDir_, [this](const std::string& path) { MySpeedClick(path); },
        [this] {
            iconName_ = "MAIN";
            ShowIcon();
        });
    NickLabel = new QLabel(tr("Nickname"), this);
    NickLabel->setObjectName("NickLabel");
    IconLabel = new QLabel(tr("Icon"), this);
    IconLabel->setObjectName("IconLabel");
    TextName = new QLabel(this);
    TextName->setObjectName("TextName");

    // Left: the commands; then add and insert; the script; its line buttons at the right edge.
    auto* left = new QVBoxLayout;
    auto* commandsLabel = new QLabel(tr("Co&mmands"), this);
    commandsLabel->setBuddy(OptionBox);  // shows the letter; Alt + it focuses the list
    left->addWidget(commandsLabel);
    left->addWidget(OptionBox);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    for (QPushButton* b : {AddButton, InsertBefore, InsertAfter}) middle->addWidget(b);
    middle->addStretch();
    middle->addWidget(Wizard);
    auto* right = new QVBoxLayout;
    auto* scriptLabel = new QLabel(tr("Macro &Script"), this);
    scriptLabel->setBuddy(Script);  // shows the letter; Alt + it focuses the list
    right->addWidget(scriptLabel);
    right->addWidget(Script);
    auto* lineButtons = new QVBoxLayout;
    lineButtons->addStretch();
    for (QPushButton* b : {DoEdit, DoCopy, DoDelete, DoUp, DoDown}) lineButtons->addWidget(b);
    lineButtons->addStretch();
    auto* lists = new QHBoxLayout;
    lists->addLayout(left);
    lists->addLayout(middle);
    lists->addLayout(right, 1);
    lists->addLayout(lineButtons);

    auto* panel = new QGroupBox(this);
    Panel1 = panel;
    panel->setObjectName("Panel1");
    auto* panelLayout = new QHBoxLayout(panel);
    for (QWidget* w : {static_cast<QWidget*>(HotKeyLabel), static_cast<QWidget*>(TimerLabel),
                       static_cast<QWidget*>(SetSchedule), static_cast<QWidget*>(SnipraName),
                       static_cast<QWidget*>(ShortProp)})
        panelLayout->addWidget(w);
    panelLayout->addStretch();
    auto* top = new QGridLayout;
    top->addWidget(NickLabel, 0, 0);
    top->addWidget(NickName, 0, 1);
    top->addWidget(IconLabel, 0, 2);
    top->addWidget(MySpeed, 0, 3);
    auto* scope = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(Global), static_cast<QWidget*>(Specific),
                       static_cast<QWidget*>(ProgExe), static_cast<QWidget*>(ChooseWinProg)})
        scope->addWidget(w);
    top->addLayout(scope, 1, 0, 1, 4);
    top->addWidget(panel, 2, 0, 1, 4);
    top->addWidget(TextName, 3, 0, 1, 4);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    for (QPushButton* b : {OkButton, CancelButton, HelpButton}) bottom->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(BuildMenus());
    layout->addLayout(top);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);
    // Never narrower than 320, nor than its lists and buttons side by side need (a minimum
    // width of the window's own would let them overlap).
    layout->addStrut(320);

    for (int code = 1; code <= kCommandCount; ++code) {
        auto* item = new QListWidgetItem(win::ToQt(CommandName(code)), OptionBox);
        item->setData(Qt::UserRole, code);
    }
    // As wide as its longest name (nine begin with "Window "); the script list takes the
    // rest of the window's width.
    OptionBox->setFixedWidth(OptionBox->sizeHintForColumn(0) + 2 * OptionBox->frameWidth() +
                             OptionBox->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, OptionBox));
    connect(AddButton, &QPushButton::clicked, this, [this] { AddALine(AddStyle::AtEnd); });
    connect(OptionBox, &QListWidget::itemDoubleClicked, this, [this] { AddALine(AddStyle::AtEnd); });
    connect(InsertBefore, &QPushButton::clicked, this, [this] { AddALine(AddStyle::Before); });
    connect(InsertAfter, &QPushButton::clicked, this, [this] { AddALine(AddStyle::After); });
    connect(DoEdit, &QPushButton::clicked, this, &TDoScripting::DoEditClick);
    connect(Wizard, &QPushButton::clicked, this, &TDoScripting::WizardClick);
    connect(Script, &QListView::doubleClicked, this, &TDoScripting::DoEditClick);
    connect(DoCopy, &QPushButton::clicked, this, &TDoScripting::DoCopyClick);
    connect(DoDelete, &QPushButton::clicked, this, &TDoScripting::DoDeleteClick);
    connect(DoUp, &QPushButton::clicked, this, [this] { MoveClick(true); });
    connect(DoDown, &QPushButton::clicked, this, [this] { MoveClick(false); });
    connect(Script->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& row) {
                if (showing_) return;
                lines_.Selected = row.row();
                ShowLineButtons();
            });
    connect(OkButton, &QPushButton::clicked, this, &TDoScripting::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TDoScripting::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, "Scripting Editor"); });
    connect(Global, &QRadioButton::clicked, this, [this] {
        ChooseWinProg->setEnabled(false);
        Caption();
    });
    for (QRadioButton* r : {Specific, ProgExe})
        connect(r, &QRadioButton::clicked, this, [this] {
            ChooseWinProg->setEnabled(true);
            Caption();
        });
    connect(ChooseWinProg, &QPushButton::clicked, this, &TDoScripting::ChooseWinProgClick);
    connect(SetSchedule, &QPushButton::clicked, this, [this] { services_.SetSchedule(this, current_); });
    connect(ShortProp, &QPushButton::clicked, this, [this] { services_.SnipraProperties(this, current_); });
}

TDoScripting::~TDoScripting() = default;

QMenuBar* TDoScripting::BuildMenus() {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(tr("&File"));
    file->addAction(tr("Sa&ve"), this, &TDoScripting::OkButtonClick);
    file->addAction(tr("Print Set&up"), this, &TDoScripting::MenuPrintSetupClick)
        ->setObjectName("MenuPrintSetup");
    file->addAction(tr("&Print"), this, &TDoScripting::MenuPrintClick)->setObjectName("MenuPrint");
    file->addAction(tr("Print &Font"), this, &TDoScripting::MenuPrintFontClick)
        ->setObjectName("MenuPrintFont");
    file->addAction(tr("E&xit"), this, &TDoScripting::CancelButtonClick);
    QMenu* commands = bar->addMenu(tr("C&ommands"));
    for (const CommandItem& item : kCommandItems) {
        QAction* a = commands->addAction(tr(item.caption));
        a->setObjectName(item.name);
        const int code = item.code;
        connect(a, &QAction::triggered, this, [this, code] { CommandMenuClick(code); });
    }
    // The buttons "&Insert" and "&Help" keep Alt+I and Alt+H: the menus take other letters,
    // and "Help" has none free (H, E, L and P belong to buttons).
    QMenu* insertion = bar->addMenu(tr("Inse&rtion"));
    MenuInsBefore = insertion->addAction(tr("Insert &Before"), this, [this] { SetInsertMethod(1); });
    MenuInsAfter = insertion->addAction(tr("Insert &After"), this, [this] { SetInsertMethod(2); });
    MenuInsAtEnd = insertion->addAction(tr("Insert At &End"), this, [this] { SetInsertMethod(3); });
    for (QAction* a : {MenuInsBefore, MenuInsAfter, MenuInsAtEnd}) a->setCheckable(true);
    QMenu* help = bar->addMenu(tr("Help"));
    help->addAction(tr("&Help"), this, [this] { ShowHelpTopic(this, "Scripting Editor"); });
    return bar;
}

void TDoScripting::showEvent(QShowEvent* event) {
    if (!shown_) FormShow();
    QDialog::showEvent(event);
}

void TDoScripting::FormShow() {
    shown_ = true;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const WindowBounds b = ScriptWindowBounds(config_.ScriptWidth, config_.ScriptHeight, DisplayScale(*this),
                                              {area.x(), area.y(), area.width(), area.height()});
    resize(b.width, b.height);
    move(b.x, b.y);
    const ScriptStart start =
        PrepareScriptMacro(current_, IsExisting, ScriptMode, GlobalTaken, config_, programDir_, win::Now());
    lines_ = {};
    if (IsExisting) BuildTheScript(current_, lines_.Lines);
    SetIndents(lines_.Lines);
    NickName->setText(win::ToQt(start.NickName));
    (start.Scope == ScriptScope::Global   ? Global
     : start.Scope == ScriptScope::Window ? Specific
                                          : ProgExe)
        ->setChecked(true);
    Global->setEnabled(start.GlobalEnabled);
    iconName_ = start.IconName;
    ShowIcon();

    const ActivationPanel panel = PanelForMode(ScriptMode);
    HotKeyLabel->setVisible(panel.HotKeyLabel);
    TimerLabel->setVisible(panel.TimerLabel);
    TimerLabel->setText(tr(panel.TimerText.c_str()));
    SetSchedule->setVisible(panel.SetSchedule);
    SnipraName->setVisible(panel.SnipraName);
    LimitTyping(*SnipraName, panel.SnipraLimit);
    ShortProp->setVisible(panel.ShortProp);
    if (ScriptMode == 3) SnipraName->setText(win::ToQt(current_.Abbreviation.view()));
    // A stored title longer than what may be typed is kept whole unless edited.
    if (ScriptMode == 7) SnipraName->setText(win::ToQt(current_.ScopeText.view()));
    for (QWidget* w : {static_cast<QWidget*>(Specific), static_cast<QWidget*>(ProgExe),
                       static_cast<QWidget*>(ChooseWinProg)})
        w->setEnabled(panel.ScopeButtonsEnabled);
    if (panel.ScopeButtonsEnabled) ChooseWinProg->setEnabled(!Global->isChecked());
    SetInsertMethod(config_.InsertMethod);
    SetEditTFile();
    Refresh();
    Caption();
}

void TDoScripting::UpdateWidestRow() {
    const std::vector<ScriptLine>& lines = lines_.Lines;
    if (lines.empty()) return;
    // Every row takes one size: the width of the widest text, so that the list still
    // scrolls far enough to the right for every line.
    constexpr std::size_t kMeasured = 8;
    std::vector<std::size_t> longest;
    const auto shorter = [&](std::size_t a, std::size_t b) {
        return lines[a].Text.size() > lines[b].Text.size();
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (longest.size() < kMeasured) {
            longest.push_back(i);
            std::push_heap(longest.begin(), longest.end(), shorter);
        } else if (lines[i].Text.size() > lines[longest.front()].Text.size()) {
            std::pop_heap(longest.begin(), longest.end(), shorter);
            longest.back() = i;
            std::push_heap(longest.begin(), longest.end(), shorter);
        }
    }
    const QFontMetrics metrics(Script->font());
    int widest = 0;
    for (std::size_t i : longest)
        widest = std::max(widest, metrics.horizontalAdvance(ShownText(lines[i].Text)));
    const int margin = 2 * (Script->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Script) + 1);
    if (rowHeight_ <= 0) {
        rows_->SetRowSize(QSize());
        rowHeight_ = Script->sizeHintForRow(static_cast<int>(lines.size()) - 1);
    }
    rows_->SetRowSize(QSize(widest + margin, rowHeight_));
}

void TDoScripting::Refresh() {
    {
        const QScopedValueRollback quiet(showing_, true);
        rows_->Show();
        UpdateWidestRow();
        if (Script->currentIndex().row() != lines_.Selected)
            Script->selectionModel()->setCurrentIndex(rows_->index(lines_.Selected),
                                                      QItemSelectionModel::ClearAndSelect);
    }
    ShowLineButtons();
}

void TDoScripting::ShowLineButtons() {
    const LineButtons b = EnableDisable(lines_);
    DoUp->setEnabled(b.Up);
    DoDown->setEnabled(b.Down);
    DoCopy->setEnabled(b.Copy);
    DoEdit->setEnabled(b.Edit);
    DoDelete->setEnabled(b.Delete);
}

void TDoScripting::Caption() {
    setWindowTitle(
        win::ToQt(ScriptCaption(ProgExe->isChecked(), Specific->isChecked(), current_.ScopeText.view())));
}

void TDoScripting::SetInsertMethod(int method) {
    MenuInsBefore->setChecked(method == 1);
    MenuInsAfter->setChecked(method == 2);
    MenuInsAtEnd->setChecked(method != 1 && method != 2);
    config_.InsertMethod = method == 1 || method == 2 ? method : 3;
}

void TDoScripting::AddALine(AddStyle style) {
    // The chosen command, not the list's current row: focus alone makes the first current.
    const QList<QListWidgetItem*> chosen = OptionBox->selectedItems();
    if (chosen.isEmpty()) {
        win::MessageBox(kNoCommandSelected, "Error");
        return;
    }
    const int code = chosen.front()->data(Qt::UserRole).toInt();
    if (code == kDialUp && !RasAvailable()) {
        RasMissingWarning(this);
        return;
    }
    const int insertIndex = InsertIndexOf(lines_);
    RunCommand({code, true, style, insertIndex});
    if (!textFile_.Active) SetScriptIndex(lines_, style, insertIndex);
    Refresh();
}

void TDoScripting::CommandMenuClick(int code) {
    if (code == kDialUp && !RasAvailable()) {
        RasMissingWarning(this);
        return;
    }
    const AddStyle style = GetAddStyle(config_.InsertMethod);
    const int insertIndex = InsertIndexOf(lines_);
    RunCommand({code, true, style, insertIndex});
    if (!textFile_.Active) SetScriptIndex(lines_, style, insertIndex);
    Refresh();
}

CommandOutcome TDoScripting::RunCommand(const CommandRequest& request) {
    // One text file at a time: a second would put the first in place of the macro's script.
    CommandRequest run = request;
    run.AllowTextEdit = request.AllowTextEdit && !textFile_.Active;
    run.MayEditTextFile = [this](const std::string& path) {
        return MayEnterTextFile(SaveForm(), lines_, programDir_, win::Cp1252ToUtf8(path));
    };
    run.TextFileLine = textFile_.Active;
    if (textFile_.Active) run.TextFileStyle = textFile_.Style;
    CommandOutcome outcome = services_.EditCommand(this, lines_, run);
    if (outcome.EditTextFile.empty() || !run.AllowTextEdit) return outcome;
    // The file's own lines replace the macro's until the file is saved or the edit cancelled.
    if (EnterTextFile(textFile_, SaveForm(), lines_, programDir_, win::Cp1252ToUtf8(outcome.EditTextFile),
                      outcome.EditTextFile)) {
        textFile_.InsertNew = request.IsNew;
        textFile_.InsertStyle = request.Style;
        textFile_.InsertLine = request.InsertIndex;
        TextName->setText(tr("Edit Text File: ") + win::ToQt(textFile_.Name));
        SetEditTFile();
    }
    return outcome;
}

bool TDoScripting::AppendFromPalette(int code, bool allowTextEdit) {
    CommandRequest request{code, true, AddStyle::AtEnd, InsertIndexOf(lines_)};
    request.AllowTextEdit = allowTextEdit;
    const bool added = RunCommand(request).Changed;
    if (!textFile_.Active) SetScriptIndex(lines_, AddStyle::AtEnd, request.InsertIndex);
    Refresh();
    return added;
}

void TDoScripting::WizardClick() {
    TDoWizard palette(*this);
    palette.exec();
}

void TDoScripting::ShowIcon() {
    std::optional<QImage> glyph;
    if (iconName_ != "MAIN") glyph = LoadIconGlyph(programDir_ + "/Icons/" + iconName_);
    // The program's own icon stands for "MAIN" and for an icon file that cannot be read.
    const QIcon icon = glyph ? QIcon(QPixmap::fromImage(*glyph)) : QApplication::windowIcon();
    MySpeed->setIcon(icon);
    setWindowIcon(icon);
}

void TDoScripting::MySpeedClick(const std::string& chosenPath) {
    if (const std::optional<IconChoice> choice = TakeIconFile(chosenPath, programDir_)) {
        iconName_ = choice->iconName;
        ShowIcon();
    }
}

void TDoScripting::SetEditTFile() {
    const bool macro = !textFile_.Active;
    for (QWidget* w : {Panel1, static_cast<QWidget*>(NickLabel), static_cast<QWidget*>(NickName),
                       static_cast<QWidget*>(IconLabel), static_cast<QWidget*>(MySpeed)}) {
        w->setVisible(macro);
        w->setEnabled(macro);
    }
    // The scope buttons keep what the mode and the scope allow.
    for (QWidget* w : {static_cast<QWidget*>(ChooseWinProg), static_cast<QWidget*>(ProgExe),
                       static_cast<QWidget*>(Specific), static_cast<QWidget*>(Global)})
        w->setVisible(macro);
    TextName->setVisible(!macro);
    TextName->setEnabled(!macro);
}

void TDoScripting::CancelButtonClick() {
    if (textFile_.Active)
        ReturnFromTextFile(false);
    else
        QDialog::reject();
}

void TDoScripting::reject() { CancelButtonClick(); }

void TDoScripting::ReturnFromTextFile(bool reopen) {
    LeaveTextFile(textFile_, lines_, programDir_);
    SetEditTFile();
    Refresh();  // the macro's lines, not the file's, behind the dialog that opens again
    if (reopen) {
        CommandRequest request{15, textFile_.InsertNew, textFile_.InsertStyle, textFile_.InsertLine};
        request.TextFilePreset = textFile_.Name;
        RunCommand(request);
        if (!textFile_.Active) {
            if (request.IsNew)
                SetScriptIndex(lines_, request.Style, request.InsertIndex);
            else if (request.InsertIndex < static_cast<int>(lines_.Lines.size()))
                lines_.Selected = request.InsertIndex;
            SetIndents(lines_.Lines);
        }
    }
    Refresh();
}

void TDoScripting::DoEditClick() {
    if (lines_.Selected < 0) {
        win::MessageBox(kNoItemSelected, "Error");
        return;
    }
    const int index = lines_.Selected;
    const int code = LineCommand(lines_.Lines[static_cast<std::size_t>(index)]);
    if (code != 0) RunCommand({code, false, AddStyle::AtEnd, index});
    if (!textFile_.Active) lines_.Selected = std::min(index, static_cast<int>(lines_.Lines.size()) - 1);
    SetIndents(lines_.Lines);
    Refresh();
}

void TDoScripting::DoCopyClick() {
    if (const std::string message = CopySelectedLine(lines_); !message.empty())
        win::MessageBox(message, "Error");
    Refresh();
}

void TDoScripting::DoDeleteClick() {
    if (const std::string message = DeleteSelectedLine(lines_); !message.empty())
        win::MessageBox(message, "Error");
    Refresh();
}

void TDoScripting::MoveClick(bool up) {
    up ? MoveSelectedUp(lines_) : MoveSelectedDown(lines_);
    Refresh();
}

void TDoScripting::ChooseWinProgClick() {
    bool topmost = current_.TopmostOnly != 0;
    const std::string chosen = services_.ChooseWindowOrProgram(this, std::string(current_.ScopeText.view()),
                                                               !Specific->isChecked(), topmost);
    if (chosen.empty()) return;
    current_.ScopeText.assign(std::string_view(chosen).substr(0, 30));
    current_.TopmostOnly = topmost ? 1 : 0;
    Caption();
}

ScriptSaveForm TDoScripting::SaveForm() const {
    ScriptSaveForm form;
    form.ScriptMode = ScriptMode;
    form.IsExisting = IsExisting;
    form.IconName = iconName_;
    form.NickName = win::FromQt(NickName->text());
    form.Global = Global->isChecked();
    form.Specific = Specific->isChecked();
    form.ProgExe = ProgExe->isChecked();
    form.SnipraName = win::FromQt(SnipraName->text());
    form.TextFileMode = textFile_.Active;
    form.TextFilePath = textFile_.Path;
    form.TextFileUtf8 = textFile_.Utf8;
    return form;
}

void TDoScripting::OkButtonClick() {
    ScriptSaveForm form = SaveForm();
    if (textFile_.Active) {
        if (SaveIt(false, form, lines_.Lines, current_, programDir_, win::Now()).result ==
            SaveResult::StoredInTextFile)
            ReturnFromTextFile(true);
        return;
    }
    // What the macro stores is refused for a character it has no byte for, not cut to "?".
    if (!EntryOrRefuse(NickName)) return;
    if ((ScriptMode == 3 || ScriptMode == 7) && !EntryOrRefuse(SnipraName)) return;
    const SaveOutcome outcome = SaveIt(false, form, lines_.Lines, current_, programDir_, win::Now());
    if (outcome.focusSnipraName) SnipraName->setFocus();
    Accepted = form.Accepted;
    if (form.Saved) accept();
}

void TDoScripting::done(int result) {
    config_.ScriptLeft = x();
    config_.ScriptTop = y();
    // The size is kept unscaled: the next opening scales it again.
    const double scale = DisplayScale(*this);
    config_.ScriptWidth = static_cast<std::int32_t>(std::lround(width() / scale));
    config_.ScriptHeight = static_cast<std::int32_t>(std::lround(height() / scale));
    QDialog::done(result);
}

void TDoScripting::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::AltModifier) {
        if (event->key() == Qt::Key_Z) {
            WizardClick();
            return;
        }
        if (event->key() == Qt::Key_M) {
            OptionBox->setFocus();
            return;
        }
        if (event->key() == Qt::Key_S) {
            Script->setFocus();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

namespace {

QFont PrintFont(const TFontDescription& d) {
    QFont font(QString::fromStdString(win::Cp1252ToUtf8(d.Name)));
    if (d.Size > 0) font.setPointSize(d.Size);
    font.setBold(d.Bold);
    font.setItalic(d.Italic);
    return font;
}

}  // namespace

QPrinter& TDoScripting::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>();
    return *printer_;
}

void TDoScripting::MenuPrintSetupClick() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}

void TDoScripting::MenuPrintClick() {
    if (printing_) {
        win::MessageBox("Other print job currently in progress.", "Error");
        return;
    }
    QPrintDialog dialog(&Printer(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintTo(Printer());
}

bool TDoScripting::PrintTo(QPrinter& printer) {
    printing_ = true;
    std::vector<std::string> texts;
    for (const ScriptLine& line : lines_.Lines) texts.push_back(line.Text);
    std::string error;
    const bool ok = PrintScript(printer, PrintFont(config_.PrintListFont),
                                ScriptHeading(ScriptMode, current_, HotKeyLabel->text().toStdString()), texts,
                                printer.copyCount(), error);
    printing_ = false;
    if (!ok) win::MessageBox(error, "Error");
    return ok;
}

void TDoScripting::MenuPrintFontClick() {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, PrintFont(config_.PrintListFont), this);
    if (!ok) return;
    config_.PrintListFont.Name = win::Utf8ToCp1252(chosen.family().toStdString());
    config_.PrintListFont.Size = chosen.pointSize();
    config_.PrintListFont.Bold = chosen.bold();
    config_.PrintListFont.Italic = chosen.italic();
    config_.PrintListFont.Underline = false;
    config_.PrintListFont.StrikeOut = false;
    SavePrintListFontSettings(config_);
    notify_(puSettingsPrintListFont, 0);
}

}  // namespace tessaro
