#include "editor/explorer/forms/t_mod_hot_keys.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/explorer/forms/form_support.h"
#include "editor/script/ui/icon_button.h"
#include "editor/explorer/forms/t_do_schedule.h"
#include "editor/commands/text_dialogs.h"
#include "platform/cp1252.h"
#include "editor/explorer/forms/t_do_spec_wind.h"
#include "editor/explorer/forms/t_short_options.h"
#include "editor/model/macro_forms/macro_icon.h"
#include "editor/model/macro_forms/text_import.h"
#include "foundation/ras.h"
#include "platform/datetime.h"
#include "widgets/program_icons.h"
#include "widgets/drop_down.h"

namespace tessaro {

namespace {

enum { kCut, kCopy, kPaste, kDelete };

// The button panels wrap into these many columns, so the form, frame included, fits a
// screen 800 pixels wide.
constexpr int kKeyColumns = 4;
constexpr int kCommandColumns = 4;

}  // namespace

TModHotKeys::TModHotKeys(MacroFormsContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    NickName = new QLineEdit;
    LimitTyping(*NickName, 50);
    NewFormat = new QPlainTextEdit;
    NewFormat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    NewFormat->setMinimumSize(300, 180);
    NewFormat->installEventFilter(this);
    HotKeyLabel = new QLabel;
    TimerLabel = new QLabel;
    SetSchedule = new QPushButton("Set Schedule");
    SnipraName = new QLineEdit;
    ShortProp = new QPushButton("Properties");
    Global = new QRadioButton("Global");
    Specific = new QRadioButton("Window");
    ProgExe = new QRadioButton("Program");
    ChooseWinProg = new QPushButton("Select");
    MySpeed = new QToolButton;
    WireIconButton(
        *MySpeed, context_.programDir, [this](const std::string& path) { LoadIconFrom(path); },
        [this] { ResetIcon(); });
    UpdateButton = new QPushButton("&Update");
    CancelButton = new QPushButton("&Cancel");
    UpdateButton->setDefault(true);
    HelpButton = forms::NewHelpButton(*this, [] { return std::string("Modify Hot Key"); });

    auto* scopes = new QButtonGroup(this);
    for (QRadioButton* b : {Global, Specific, ProgExe}) scopes->addButton(b);
    connect(Global, &QRadioButton::clicked, this, [this] {
        ChooseWinProg->setEnabled(false);
        DoCaption();
    });
    for (QRadioButton* b : {Specific, ProgExe})
        connect(b, &QRadioButton::clicked, this, [this] {
            ChooseWinProg->setEnabled(true);
            DoCaption();
        });
    connect(ChooseWinProg, &QPushButton::clicked, this, &TModHotKeys::ChooseWinProgClick);
    connect(SetSchedule, &QPushButton::clicked, this, &TModHotKeys::SetScheduleClick);
    connect(ShortProp, &QPushButton::clicked, this, &TModHotKeys::ShortPropClick);
    connect(UpdateButton, &QPushButton::clicked, this, &TModHotKeys::UpdateButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    BuildMenus();

    auto* top = new QGridLayout;
    top->addWidget(new QLabel("Nickname"), 0, 0);
    top->addWidget(NickName, 0, 1, 1, 3);
    top->addWidget(new QLabel("Icon"), 0, 4);
    top->addWidget(MySpeed, 0, 5);
    top->addWidget(HotKeyLabel, 1, 0, 1, 2);
    top->addWidget(TimerLabel, 1, 0);
    top->addWidget(SetSchedule, 1, 1);
    top->addWidget(SnipraName, 1, 1);
    top->addWidget(ShortProp, 1, 2);
    auto* scopeRow = new QHBoxLayout;
    scopeRow->addWidget(Global);
    scopeRow->addWidget(Specific);
    scopeRow->addWidget(ProgExe);
    scopeRow->addWidget(ChooseWinProg);
    scopeRow->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addLayout(scopeRow);
    left->addWidget(new QLabel("Enter Keystrokes"));
    left->addWidget(NewFormat, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(UpdateButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    left->addLayout(buttons);

    auto* right = new QVBoxLayout;
    right->addWidget(BuildKeyPanel());
    right->addWidget(BuildCommandPanel());
    right->addStretch();

    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right);
    auto* main = new QVBoxLayout(this);
    main->setMenuBar(Menu);
    main->addLayout(body);
    // A form of one size: no maximise box (the window manager offers none for a window
    // that cannot be sized).
    main->setSizeConstraint(QLayout::SetFixedSize);
}

void TModHotKeys::BuildMenus() {
    Menu = new QMenuBar(this);
    QMenu* file = Menu->addMenu("&File");
    connect(file->addAction("&Import From Text File"), &QAction::triggered, this,
            &TModHotKeys::MenuImportClick);
    connect(file->addAction("&Export To Text File"), &QAction::triggered, this,
            &TModHotKeys::MenuExportClick);
    connect(file->addAction("&Update and Exit"), &QAction::triggered, this, &TModHotKeys::UpdateButtonClick);
    connect(file->addAction("E&xit"), &QAction::triggered, this, &QDialog::reject);

    QMenu* edit = Menu->addMenu("&Edit");
    const std::pair<const char*, QKeySequence> clip[] = {{"Cu&t", QKeySequence("Ctrl+X")},
                                                         {"&Copy", QKeySequence("Ctrl+C")},
                                                         {"&Paste", QKeySequence("Ctrl+V")},
                                                         {"&Delete", QKeySequence()}};
    for (int i = 0; i < 4; ++i) {
        QAction* a = edit->addAction(clip[i].first);
        a->setShortcut(clip[i].second);
        connect(a, &QAction::triggered, this, [this, i] { EditAction(i); });
    }
    edit->addSeparator();
    QAction* find = edit->addAction("&Find");
    find->setShortcut(QKeySequence("Ctrl+F"));
    connect(find, &QAction::triggered, this, &TModHotKeys::MenuFindClick);
    QAction* again = edit->addAction("F&ind Again");
    again->setShortcut(QKeySequence("F3"));
    connect(again, &QAction::triggered, this, &TModHotKeys::DoSearchFor);
    QAction* replace = edit->addAction("&Search and Replace");
    replace->setShortcut(QKeySequence("Ctrl+S"));
    connect(replace, &QAction::triggered, this, &TModHotKeys::SearchandReplace1Click);

    QMenu* keys = Menu->addMenu("&Keys");
    QMenu* fkeys = Menu->addMenu("FKe&ys");
    for (const KeyTokenEntry& e : KeyTokenEntries()) {
        const QString token = e.token;
        connect((e.functionKey ? fkeys : keys)->addAction(e.menu), &QAction::triggered, this,
                [this, token] { InsertToken(token); });
    }
    QMenu* am = Menu->addMenu("&Actions (A - M)");
    QMenu* nz = Menu->addMenu("Actions (N - Z)");
    for (const CommandEntry& e : CommandEntries())
        connect((e.firstMenu ? am : nz)->addAction(e.menu), &QAction::triggered, this,
                [this, &e] { RunCommand(e); });
}

QWidget* TModHotKeys::BuildKeyPanel() {
    auto* box = new QGroupBox;
    box->setObjectName("KeyPanel");
    auto* grid = new QGridLayout(box);
    grid->setSpacing(2);
    int i = 0;
    for (const KeyTokenEntry& e : KeyTokenEntries()) {
        auto* b = new QPushButton(e.button);
        b->setObjectName(QString(e.handler).remove("Click"));
        b->setAutoDefault(false);
        const QString token = e.token;
        connect(b, &QPushButton::clicked, this, [this, token] { InsertToken(token); });
        grid->addWidget(b, i / kKeyColumns, i % kKeyColumns);
        ++i;
    }
    MiscBox = new QComboBox;
    ShowRows(*MiscBox, 19);
    OkButton = new QPushButton("ok");
    OkButton->setAutoDefault(false);
    connect(OkButton, &QPushButton::clicked, this, [this] {
        const int row = MiscBox->currentIndex();
        if (row >= 0) InsertToken(QString::fromStdString(std::string(kMiscEntries[std::size_t(row)].text)));
    });
    const int rows = (i + kKeyColumns - 1) / kKeyColumns;
    grid->addWidget(new QLabel("Miscellaneous"), rows, 0);
    grid->addWidget(MiscBox, rows, 1, 1, kKeyColumns - 2);
    grid->addWidget(OkButton, rows, kKeyColumns - 1);
    return box;
}

QWidget* TModHotKeys::BuildCommandPanel() {
    auto* box = new QGroupBox;
    box->setObjectName("CommandPanel");
    auto* grid = new QGridLayout(box);
    grid->setSpacing(2);
    int i = 0;
    for (const CommandEntry& e : CommandEntries()) {
        auto* b = new QPushButton(e.button);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, &e] { RunCommand(e); });
        grid->addWidget(b, i / kCommandColumns, i % kCommandColumns);
        ++i;
    }
    return box;
}

void TModHotKeys::showEvent(QShowEvent* event) {
    if (!shown_) FormShow();
    QDialog::showEvent(event);
}

void TModHotKeys::FormShow() {
    shown_ = true;
    MiscBox->clear();
    for (const MiscEntry& m : kMiscEntries) MiscBox->addItem(QString::fromStdString(std::string(m.name)));
    MiscBox->setCurrentIndex(-1);
    Search = {};
    TMacroRecord& rec = context_.core.CurrentMacro;
    if (!ModifyExisting) context_.core.DefaultTimer(win::Now());
    const ModHotKeysView v = PrepareModHotKeys(rec, ModifyExisting, GlobalKeyTaken, ActivationKind,
                                               context_.config, context_.programDir + "/Icons");
    NickName->setText(v.nickname);
    NewFormat->setPlainText(v.text);
    (v.scope == ScopeChoice::Global   ? Global
     : v.scope == ScopeChoice::Window ? Specific
                                      : ProgExe)
        ->setChecked(true);
    Global->setEnabled(v.globalEnabled);
    ChooseWinProg->setEnabled(v.scope != ScopeChoice::Global);
    IconFile = v.iconFile;
    if (IconFile == "MAIN")
        LoadInMainIcon();
    else
        LoadInIcon(context_.programDir + "/Icons/" + IconFile);

    const KindControls& c = v.controls;
    TimerLabel->setVisible(c.timerLabelShown);
    TimerLabel->setText(QString::fromStdString(c.timerLabel));
    HotKeyLabel->setVisible(c.hotKeyLabelShown);
    SetSchedule->setVisible(c.setScheduleShown);
    SetSchedule->setEnabled(c.setScheduleShown);
    SnipraName->setVisible(c.snipraNameShown);
    SnipraName->setEnabled(c.snipraNameShown);
    // The limit is on typing: a stored title longer than it is shown and kept whole.
    forms::LimitTyping(*SnipraName, c.snipraNameLimit);
    SnipraName->setText(v.snipraName);
    ShortProp->setVisible(c.shortPropShown);
    ShortProp->setEnabled(c.shortPropShown);
    if (!c.windowScopesEnabled)
        for (QWidget* w : std::initializer_list<QWidget*>{Specific, ProgExe, ChooseWinProg})
            w->setEnabled(false);
    NickName->setFocus();
    DoCaption();
    adjustSize();
    forms::CentreOnScreen(*this);
}

void TModHotKeys::DoCaption() {
    const ScopeChoice scope = ProgExe->isChecked()    ? ScopeChoice::Program
                              : Specific->isChecked() ? ScopeChoice::Window
                                                      : ScopeChoice::Global;
    setWindowTitle(ModHotKeysCaption(scope, std::string(context_.core.CurrentMacro.ScopeText.view())));
}

void TModHotKeys::UpdateButtonClick() {
    ModHotKeysEntry entry;
    entry.modifyExisting = ModifyExisting;
    entry.activationKind = ActivationKind;
    entry.nickname = NickName->text();
    entry.text = NewFormat->toPlainText();
    entry.snipraName = SnipraName->text();
    entry.scope = Global->isChecked()     ? ScopeChoice::Global
                  : Specific->isChecked() ? ScopeChoice::Window
                                          : ScopeChoice::Program;
    entry.iconFile = IconFile;
    TMacroRecord& rec = context_.core.CurrentMacro;
    ModHotKeysUpdate u = UpdateModHotKeys(rec, entry, false, win::Now());
    if (u.status == ModHotKeysUpdate::Status::AskTruncation) {
        if (win::MessageBox(u.message, "Warning", win::MbButtons::YesNo, win::MbIcon::Warning) !=
            win::MbResult::Yes)
            return;
        u = UpdateModHotKeys(rec, entry, true, win::Now());
    }
    if (u.status != ModHotKeysUpdate::Status::Stored) {
        forms::ErrorBox(u.message);
        if (u.focus == EntryFocus::SnipraName) SnipraName->setFocus();
        if (u.focus == EntryFocus::NickName) NickName->setFocus();
        if (u.focus == EntryFocus::NewFormat) NewFormat->setFocus();
        return;
    }
    rec = u.record;
    Updated = true;
    accept();
}

void TModHotKeys::ChooseWinProgClick() {
    TMacroRecord& rec = context_.core.CurrentMacro;
    TDoSpecWind dialog(context_.desktop, context_.installedPrograms, std::string(rec.ScopeText.view()),
                       rec.TopmostOnly != 0, !ProgExe->isChecked(), this);
    dialog.exec();
    if (dialog.ScopeText.empty()) return;
    rec.ScopeText = dialog.ScopeText.substr(0, 30);
    rec.TopmostOnly = dialog.OnTop ? 1 : 0;
    DoCaption();
}

void TModHotKeys::SetScheduleClick() {
    TDoSchedule dialog(context_.core.CurrentMacro, this);
    dialog.exec();
}

void TModHotKeys::ShortPropClick() {
    TShortOptions dialog(context_.core.CurrentMacro, this);
    dialog.exec();
}

void TModHotKeys::LoadInMainIcon() { MySpeed->setIcon(MainIcon()); }

void TModHotKeys::LoadInIcon(const std::string& path) {
    if (const auto glyph = LoadIconGlyph(path))
        MySpeed->setIcon(QIcon(QPixmap::fromImage(*glyph)));
    else
        LoadInMainIcon();
}

void TModHotKeys::LoadIconFrom(const std::string& chosenPath) {
    const std::optional<IconChoice> c = TakeIconFile(chosenPath, context_.programDir);
    if (!c) return;
    LoadInIcon(c->path);
    IconFile = c->iconName;
}

void TModHotKeys::ResetIcon() {
    LoadInMainIcon();
    IconFile = "MAIN";
}

bool TModHotKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched == NewFormat &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        // Ctrl+V pastes through the menu only, so one press pastes once.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) return event->type() == QEvent::KeyPress;
    }
    return QDialog::eventFilter(watched, event);
}

void TModHotKeys::InsertToken(const QString& token) { InsertSized(token, StoredLength(token)); }

void TModHotKeys::InsertSized(const QString& token, int storedSize) {
    if (!FitsMacroText(NewFormat->toPlainText(), storedSize)) {
        forms::ErrorBox(kTextTooLong);
        return;
    }
    const Insertion ins = InsertAt(NewFormat->toPlainText(), NewFormat->textCursor().selectionStart(), token);
    NewFormat->setPlainText(ins.text);
    QTextCursor c = NewFormat->textCursor();
    c.setPosition(ins.caret);
    NewFormat->setTextCursor(c);
    NewFormat->setFocus();
}

void TModHotKeys::RunCommand(const CommandEntry& entry) {
    if (entry.preset == CommandPreset::DialUp && !RasAvailable()) {
        RasMissingWarning(this);
        return;
    }
    const CommandDialogs::Result r = context_.commands.Run(entry, this);
    if (entry.preset == CommandPreset::TextBox) {
        if (r.title.empty()) return;
        if (const std::string problem = TextBoxProblem(r.title, r.text); !problem.empty()) {
            forms::ErrorBox(problem);
            return;
        }
        InsertSized(FromStoredText(TextBoxToken(r.title, r.text)), TextBoxInsertSize(r.title, r.text));
        return;
    }
    if (r.text.empty()) return;
    InsertSized(FromStoredText(r.text),
                entry.preset == CommandPreset::EMail ? EMailInsertSize(r.text) : int(r.text.size()));
}

void TModHotKeys::EditAction(int which) {
    QWidget* focused = focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(focused)) {
        if (which == kCut) line->cut();
        if (which == kCopy) line->copy();
        if (which == kPaste) line->paste();
        if (which == kDelete) line->del();
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(focused)) {
        if (which == kCut) memo->cut();
        if (which == kCopy) memo->copy();
        if (which == kPaste) memo->paste();
        if (which == kDelete) memo->textCursor().removeSelectedText();
    }
}

void TModHotKeys::FindText(const QString& text) {
    Search.pos = 0;
    Search.text = text;
    DoSearchFor();
}

void TModHotKeys::DoSearchFor() {
    const SearchHit hit = SearchFrom(NewFormat->toPlainText(), Search);
    if (!hit.found) {
        forms::WarningBox(NotFoundMessage(win::FromQt(Search.text)));
        return;
    }
    QTextCursor c = NewFormat->textCursor();
    c.setPosition(hit.start);
    c.setPosition(hit.start + hit.length, QTextCursor::KeepAnchor);
    NewFormat->setTextCursor(c);
}

void TModHotKeys::ReplaceText(const QString& find, const QString& with) {
    // On UTF-8 bytes: only a-z fold, and no multi-byte character holds one of them.
    const Replaced r =
        ReplaceAll(NewFormat->toPlainText().toStdString(), find.toStdString(), with.toStdString());
    if (r.count == 0) {
        forms::WarningBox(NotFoundMessage(win::FromQt(find)));
        return;
    }
    NewFormat->setPlainText(QString::fromStdString(r.text));
    win::MessageBox(ReplacedMessage(win::FromQt(find), r.count), "Replaced");
}

void TModHotKeys::MenuFindClick() {
    TDoSearch dialog(this, true);
    dialog.exec();
    if (dialog.Fields.SearchConfirmed)
        FindText(QString::fromStdString(win::Cp1252ToUtf8(dialog.Fields.FindText)));
}

void TModHotKeys::SearchandReplace1Click() {
    TDoSearch dialog(this, false);
    dialog.exec();
    if (dialog.Fields.SearchConfirmed)
        ReplaceText(QString::fromStdString(win::Cp1252ToUtf8(dialog.Fields.FindText)),
                    QString::fromStdString(win::Cp1252ToUtf8(dialog.Fields.ReplaceText)));
}

void TModHotKeys::ImportFrom(const std::string& path) {
    const ImportedFile f = ReadImportFile(path);
    if (f.status != ImportedFile::Status::Ok) {
        if (!f.message.empty()) forms::ErrorBox(f.message);
        return;
    }
    if (f.size > 5000 && win::MessageBox(kImportTooLong, "Warning", win::MbButtons::YesNo,
                                         win::MbIcon::Warning) != win::MbResult::Yes)
        return;
    NewFormat->setPlainText(FromStoredText(f.bytes));
}

void TModHotKeys::ExportTo(const std::string& path) {
    const StoredText s = ToStoredText(NewFormat->toPlainText(), false);
    if (!s.ok) {
        forms::ErrorBox(win::FromQt(s.problem));
        return;
    }
    if (std::string why; !ExportTextFile(path, s.bytes, &why))
        forms::ErrorBox("The text could not be saved to " + win::Utf8ToCp1252(path) + ": " + why + ".");
}

void TModHotKeys::MenuImportClick() {
    const QString path =
        QFileDialog::getOpenFileName(this, "Load From Text File", {}, "Text Files (*.TXT *.txt)");
    if (!path.isEmpty()) ImportFrom(path.toStdString());
}

void TModHotKeys::MenuExportClick() {
    QString path = QFileDialog::getSaveFileName(this, "Save To Text File", {}, "Text File (*.TXT *.txt)");
    if (path.isEmpty()) return;
    if (!path.contains('.')) path += ".TXT";
    ExportTo(path.toStdString());
}

}  // namespace tessaro
