#include "editor/commands/text_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include "editor/commands/delay_dialogs.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "widgets/drop_down.h"

namespace tessaro {
namespace {

// The memo's text with its line breaks as "\n", as plain text gives it, but with a no-break
// space kept (plain text turns it into a blank).
QString MemoText(const QPlainTextEdit& memo) {
    QString text = memo.document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QChar(0xfdd0) ||
            c == QChar(0xfdd1))
            c = u'\n';
    return text;
}

}  // namespace

// ---- TDoSpecial ----

void FillSymbolGrid(QTableWidget& grid) {
    grid.horizontalHeader()->hide();
    grid.verticalHeader()->hide();
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int x = 0; x < kSymbolColumns; ++x) {
        grid.setColumnWidth(x, 26);
        for (int y = 0; y < kSymbolRows; ++y)
            grid.setItem(y, x, new QTableWidgetItem(win::ToQt(std::string(1, char(SymbolAt(x, y))))));
    }
    for (int y = 0; y < kSymbolRows; ++y) grid.setRowHeight(y, 24);
}

TDoSpecial::TDoSpecial(QWidget* owner) : CommandDialog(owner, "TDoSpecial", tr("Insert Symbol")) {
    SymbolGrid = new QTableWidget(kSymbolRows, kSymbolColumns, this);
    SymbolGrid->setObjectName("SymbolGrid");
    FillSymbolGrid(*SymbolGrid);
    SymbolGrid->setMinimumSize(16 * 26 + 20, 8 * 24 + 12);
    SymbolGrid->setCurrentCell(0, 0);
    Body()->addWidget(SymbolGrid);
    AltPadSeq = NewButton("AltPadSeq", tr("&Alt Keypad Sequence"));
    Body()->addWidget(AltPadSeq);
    connect(SymbolGrid, &QTableWidget::cellDoubleClicked, this, [this] { OkButtonClick(); });
    connect(AltPadSeq, &QPushButton::clicked, this, &TDoSpecial::AltPadSeqClick);
}

void TDoSpecial::FocusFirst() {
    ShowEnable(AltPadSeq, HideAltPad == 0);
    SymbolGrid->setFocus(Qt::OtherFocusReason);
}

void TDoSpecial::OkButtonClick() {
    Result = BuildSymbol(SymbolGrid->currentColumn(), SymbolGrid->currentRow());
    Accept(Result);
}

void TDoSpecial::AltPadSeqClick() {
    TDoDelay keypad(this, DelayPurpose::AltKeypad);
    keypad.exec();
    TakeAltPadResult(keypad.CommandText);
}

void TDoSpecial::TakeAltPadResult(const std::string& commandText) {
    if (commandText.empty()) return;
    Result = FormResult<UpdatedText>{};
    Result.fields.TextBuffer = commandText;
    Result.code = cmd::Text;
    Result.record = TTextRec{commandText};
    Result.CommandText = commandText;
    Accept(Result);
}

// ---- TDoSearch ----

TDoSearch::TDoSearch(QWidget* owner, bool findOnly)
    : CommandDialog(owner, "TDoSearch", findOnly ? tr("Find") : tr("Search and Replace")) {
    Find = NewEdit("Find");
    Replace = NewEdit("Replace");
    Label2 = NewLabel("Label2", tr("Replace With"), Replace);
    auto* rows = new QFormLayout;
    rows->addRow(NewLabel("Label1", tr("Find"), Find), Find);
    rows->addRow(Label2, Replace);
    Body()->addLayout(rows);
    Replace->setEnabled(!findOnly);
    Label2->setEnabled(!findOnly);
}

void TDoSearch::FocusFirst() {
    Fields.SearchConfirmed = false;
    Find->setFocus(Qt::OtherFocusReason);
}

void TDoSearch::OkButtonClick() {
    const auto find = ReadText(Find);
    if (!find) return;
    const auto replace = ReadText(Replace);
    if (!replace) return;
    Fields = ConfirmSearch({*find, *replace});
    accept();
}

// ---- TModText ----

TModText::TModText(QWidget* owner) : QDialog(owner) {
    setObjectName("ModText");
    setWindowTitle(tr("Enter Keystrokes"));
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
    auto* outer = new QVBoxLayout(this);
    Menu = new QMenuBar(this);
    outer->setMenuBar(Menu);

    NewFormat = new QPlainTextEdit(this);
    NewFormat->setObjectName("NewFormat");
    auto* label = new QLabel(tr("Keystrokes"), this);
    label->setBuddy(NewFormat);
    outer->addWidget(label);
    outer->addWidget(NewFormat);

    QMenu* file = Menu->addMenu(tr("&File"));
    QMenu* edit = Menu->addMenu(tr("&Edit"));
    QMenu* keys = Menu->addMenu(tr("&Keys"));
    QMenu* fkeys = Menu->addMenu(tr("FKe&ys"));
    file->addAction(tr("&Update"), this, &TModText::UpdateButtonClick);
    file->addAction(tr("E&xit"), this, &QDialog::reject);
    edit->addAction(tr("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X), this, [this] { EditAction(0); });
    edit->addAction(tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), this, [this] { EditAction(1); });
    edit->addAction(tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), this, [this] { EditAction(2); });
    edit->addAction(tr("&Delete"), this, [this] { EditAction(3); });
    edit->addAction(tr("&Find"), QKeySequence(Qt::CTRL | Qt::Key_F), this, &TModText::MenuFind);
    edit->addAction(tr("F&ind Again"), QKeySequence(Qt::Key_F3), this, &TModText::FindAgain);
    edit->addAction(tr("&Search and Replace"), QKeySequence(Qt::CTRL | Qt::Key_S), this,
                    &TModText::MenuReplace);

    auto* grid = new QGridLayout;
    int i = 0;
    for (const TokenButton& b : kTokenButtons) {
        auto* button =
            new QPushButton(QString::fromLatin1(b.caption.data(), qsizetype(b.caption.size())), this);
        button->setObjectName(QString::fromLatin1(b.control.data(), qsizetype(b.control.size())));
        button->setAutoDefault(false);
        const std::string text(b.text);
        auto insert = [this, text] { InsertText(text); };
        connect(button, &QPushButton::clicked, this, insert);
        const bool function = b.control.starts_with("F") && b.control != "F";
        QString item = button->text();
        if (function) {
            fkeys->addAction(item.insert(1, '&'), this, insert);
        } else {
            keys->addAction(item, this, insert);
        }
        grid->addWidget(button, i / 6, i % 6);
        ++i;
    }
    outer->addLayout(grid);

    auto* misc = new QHBoxLayout;
    MiscBox = new QComboBox(this);
    MiscBox->setObjectName("MiscBox");
    ShowRows(*MiscBox, 19);
    auto* miscLabel = new QLabel(tr("Miscellaneous"), this);
    miscLabel->setBuddy(MiscBox);
    OkButton = new QPushButton(tr("ok"), this);
    OkButton->setObjectName("OkButton");
    OkButton->setAutoDefault(false);
    Symbols = new QPushButton(tr("Symbols"), this);
    Symbols->setObjectName("Symbols");
    Symbols->setAutoDefault(false);
    misc->addWidget(miscLabel);
    misc->addWidget(MiscBox, 1);
    misc->addWidget(OkButton);
    misc->addWidget(Symbols);
    outer->addLayout(misc);
    connect(OkButton, &QPushButton::clicked, this, [this] {
        const int at = MiscBox->currentIndex();
        if (at >= 0 && at < int(kMiscEntries.size()))
            InsertText(std::string(kMiscEntries[std::size_t(at)].text));
    });
    connect(Symbols, &QPushButton::clicked, this, [this] {
        TDoSpecial chooser(this);
        chooser.HideAltPad = 0;
        chooser.exec();
        if (!chooser.CommandText.empty()) InsertText(chooser.CommandText);
    });

    auto* row = new QHBoxLayout;
    row->addStretch();
    UpdateButton = new QPushButton(tr("&Update"), this);
    UpdateButton->setObjectName("UpdateButton");
    CancelButton = new QPushButton(tr("&Cancel"), this);
    CancelButton->setObjectName("CancelButton");
    HelpButton = new QPushButton(tr("&Help"), this);
    HelpButton->setObjectName("HelpButton");
    for (auto* b : {UpdateButton, CancelButton, HelpButton}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    row->addStretch();
    outer->addLayout(row);
    connect(UpdateButton, &QPushButton::clicked, this, &TModText::UpdateButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this,
            [this] { ShowHelpTopic(this, HelpKeyword("TModText")); });
    resize(620, 480);
}

void TModText::PresetText(const std::string& cp1252) {
    NewFormat->setPlainText(win::ToQt(cp1252));
    stored_.reset();
    presetMemo_.reset();
}

void TModText::PresetStored(const std::string& stored) {
    PresetText(TypedTextPreset(TTextRec{stored}));
    stored_ = stored;
    presetMemo_ = win::EntryText(MemoText(*NewFormat));
}

void TModText::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    SearchPos = 0;
    Updated = 0;
    MiscBox->clear();
    for (const MiscEntry& m : kMiscEntries)
        MiscBox->addItem(QString::fromLatin1(m.name.data(), qsizetype(m.name.size())));
    MiscBox->setCurrentIndex(-1);
    NewFormat->setFocus(Qt::OtherFocusReason);
}

void TModText::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TModText::InsertText(const std::string& cp1252) {
    const QString insert = win::ToQt(cp1252);
    const QString memo = NewFormat->toPlainText();
    if (!FitsTypedText(static_cast<std::size_t>(memo.size()), static_cast<std::size_t>(insert.size()),
                       limit_)) {
        win::MessageBox(kTextTooLong, "Error", win::MbButtons::Ok);
        return false;
    }
    // At the caret; a selection is kept, not replaced.
    QTextCursor cursor = NewFormat->textCursor();
    const int caret = cursor.selectionStart();
    cursor.clearSelection();
    cursor.setPosition(caret);
    cursor.insertText(insert);
    NewFormat->setTextCursor(cursor);
    NewFormat->setFocus(Qt::OtherFocusReason);
    return true;
}

void TModText::UpdateButtonClick() {
    QString bad;
    const auto memo = win::EntryText(MemoText(*NewFormat), &bad);
    if (!memo) {
        win::MessageBox(win::RefusedCharacterText(bad), "Error", win::MbButtons::Ok);
        NewFormat->setFocus(Qt::OtherFocusReason);
        return;
    }
    UpdatedText u = !stored_      ? UpdateTypedText(*memo, style_, limit_)
                    : presetMemo_ ? UpdateStoredText(*memo, *presetMemo_, *stored_, limit_, style_)
                                  : UpdateTypedText(*memo, StyleOfTypedText(*stored_, style_), limit_);
    Updated = 1;
    if (u.truncated) win::MessageBox(TruncationNotice(), "Error", win::MbButtons::Ok);
    TextBuffer = std::move(u.TextBuffer);
    accept();
}

void TModText::FindText(const std::string& text) {
    SearchPos = 0;
    SearchText = text;
    FindAgain();
}

void TModText::FindAgain() {
    const auto memo = win::EntryText(NewFormat->toPlainText());
    const auto found = memo ? FindFrom(*memo, SearchPos, SearchText) : std::nullopt;
    if (!found) {
        win::MessageBox(NotFoundMessage(SearchText), "Warning", win::MbButtons::Ok);
        SearchPos = 0;
        return;
    }
    QTextCursor cursor = NewFormat->textCursor();
    cursor.setPosition(static_cast<int>(found->start));
    cursor.setPosition(static_cast<int>(found->nextFrom), QTextCursor::KeepAnchor);
    NewFormat->setTextCursor(cursor);
    SearchPos = found->nextFrom;
}

void TModText::ReplaceText(const std::string& find, const std::string& replace) {
    const auto memo = win::EntryText(NewFormat->toPlainText());
    if (!memo) return;
    const Replaced r = ReplaceAll(*memo, find, replace);
    if (r.count == 0) {
        win::MessageBox(NotFoundMessage(find), "Warning", win::MbButtons::Ok);
        return;
    }
    NewFormat->setPlainText(win::ToQt(r.text));
    win::MessageBox(ReplacedMessage(find, r.count), "Replaced", win::MbButtons::Ok);
}

void TModText::MenuFind() {
    TDoSearch search(this, true);
    search.exec();
    if (search.Fields.SearchConfirmed) FindText(search.Fields.FindText);
}

void TModText::MenuReplace() {
    TDoSearch search(this, false);
    search.exec();
    if (search.Fields.SearchConfirmed) ReplaceText(search.Fields.FindText, search.Fields.ReplaceText);
}

void TModText::EditAction(int which) {
    QWidget* focus = focusWidget();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(focus)) {
        if (which == 0) memo->cut();
        if (which == 1) memo->copy();
        if (which == 2) memo->paste();
        if (which == 3) memo->textCursor().removeSelectedText();
    } else if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
        if (which == 0) edit->cut();
        if (which == 1) edit->copy();
        if (which == 2) edit->paste();
        if (which == 3) edit->del();
    }
}

}  // namespace tessaro
