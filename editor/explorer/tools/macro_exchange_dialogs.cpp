#include "editor/explorer/tools/macro_exchange_dialogs.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <fstream>

#include "editor/commands/command_dialog.h"
#include "editor/explorer/forms/form_support.h"
#include "editor/script/save_it.h"
#include "macro/macro_file.h"
#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "platform/message_box.h"
#include "widgets/file_chooser.h"
#include "widgets/screen_fit.h"
#include "platform/regular_file_stream.h"

namespace tessaro {

namespace {

QPushButton* Button(QWidget* owner, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, owner);
    b->setObjectName(name);
    return b;
}

enum Role { kActivation = Qt::UserRole, kName, kScope, kSource };

// The rows of the export and import lists: activation, name and scope at fixed sevenths.
class ExchangeRow : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        p->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        p->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const int u = option.rect.width() / 7;
        const QFontMetrics metrics(option.font);
        QString name = index.data(kName).toString();
        while (!name.isEmpty() && metrics.horizontalAdvance(name) >= 3 * u) name.chop(1);
        const int top = option.rect.top();
        const auto draw = [&](int x, const QString& text) {
            p->drawText(QRect(option.rect.left() + x, top, option.rect.width() - x, option.rect.height()),
                        Qt::AlignLeft | Qt::AlignTop, text);
        };
        draw(2, index.data(kActivation).toString());
        draw(static_cast<int>(2.5 * u), name);
        const int scopeAt = static_cast<int>(5.5 * u);
        draw(scopeAt, metrics.elidedText(index.data(kScope).toString(), Qt::ElideRight,
                                         option.rect.width() - scopeAt));
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {300, std::max(18, QFontMetrics(option.font).height())};
    }
};

QListWidget* ExchangeList(QWidget* owner) {
    auto* list = new QListWidget(owner);
    list->setObjectName("ListBox1");
    list->setSelectionMode(QAbstractItemView::MultiSelection);  // each click toggles a row
    list->setItemDelegate(new ExchangeRow(list));
    list->setMinimumWidth(480);
    return list;
}

void AddRow(QListWidget* list, std::uint16_t activation, std::string_view abbreviation, std::string_view name,
            std::uint16_t scope, std::string_view scopeText, int source) {
    auto* item = new QListWidgetItem(list);
    item->setData(kActivation, win::ToQt(ActivationCaption(activation, abbreviation)));
    item->setData(kName, win::ToQt(name));
    item->setData(kScope, win::ToQt(ScopeCaption(scope, scopeText)));
    item->setData(kSource, source);
}

// Wide enough that each row's activation fits before the name's column at 2.5 sevenths and
// its scope after 5.5 sevenths: the columns are fixed shares of the row.
void WidenForRows(QListWidget* list) {
    const QFontMetrics metrics(list->font());
    int unit = 0;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        const int activation = metrics.horizontalAdvance(item->data(kActivation).toString()) + 2 + 4;
        const int scope = metrics.horizontalAdvance(item->data(kScope).toString()) + 4;
        unit = std::max({unit, activation * 2 / 5 + 1, scope * 2 / 3 + 1});
    }
    const int chrome =
        2 * list->frameWidth() + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    // Never wider than the screen holds (a scope of twenty wide letters is then elided).
    const QScreen* screen = list->screen() ? list->screen() : QGuiApplication::primaryScreen();
    const int most = screen ? screen->availableGeometry().width() - 60 : 7 * unit + chrome;
    list->setMinimumWidth(std::max(480, std::min(7 * unit + chrome, most)));
}

void SelectAllRows(QListWidget* list, bool on) {
    for (int i = 0; i < list->count(); ++i) list->item(i)->setSelected(on);
}

}  // namespace

// ---- Output Macros To File ----

TDoOutput::TDoOutput(QWidget* owner, std::vector<TMacroRecord> shown,
                     std::function<std::string(const TMacroRecord&)> describeSchedule, std::string macroFile)
    : QDialog(owner),
      shown_(std::move(shown)),
      describeSchedule_(std::move(describeSchedule)),
      macroFile_(std::move(macroFile)) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Output Macros To File"));
    auto* heading = new QLabel(tr("Macro Information To Output"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    const auto box = [this](const char* name, const QString& caption) {
        auto* c = new QCheckBox(caption, this);
        c->setObjectName(name);
        c->setChecked(true);
        return c;
    };
    MacroKeys = box("MacroKeys", tr("&Hot Key"));
    MacroName = box("MacroName", tr("&Name"));
    MacroWindow = box("MacroWindow", tr("&Window"));
    MacroText = box("MacroText", tr("&Text"));
    MacroSched = box("MacroSched", tr("&Schedule"));
    MacroIcon = box("MacroIcon", tr("&Icon"));
    QPushButton* ok = Button(this, "OkButton", tr("&Ok"));
    ok->setDefault(true);
    QPushButton* cancel = Button(this, "CancelButton", tr("&Cancel"));
    connect(ok, &QPushButton::clicked, this, &TDoOutput::OkButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    for (QCheckBox* c : {MacroKeys, MacroName, MacroWindow, MacroText, MacroSched, MacroIcon})
        layout->addWidget(c);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    MacroKeys->setFocus();
}

void TDoOutput::OkButtonClick() {
    const ListingChoice choice{MacroKeys->isChecked(), MacroName->isChecked(),  MacroWindow->isChecked(),
                               MacroText->isChecked(), MacroSched->isChecked(), MacroIcon->isChecked()};
    if (!choice.Any()) {
        win::MessageBox(kListingNothingChecked, "Error");
        MacroKeys->setFocus();
        return;
    }
    DoIt();
    accept();
}

void TDoOutput::DoIt() {
    const std::string path = ChooseFile(
        this, {tr("Write Hot Key Definitions to File"), tr("Text File (*.TXT)"), "TXT", true, false});
    if (path.empty()) return;
    if (const std::string refused = RefuseOpenMacroFile(path, macroFile_); !refused.empty()) {
        win::MessageBox(refused, "Error");
        return;
    }
    const ListingChoice choice{MacroKeys->isChecked(), MacroName->isChecked(),  MacroWindow->isChecked(),
                               MacroText->isChecked(), MacroSched->isChecked(), MacroIcon->isChecked()};
    std::string error;
    if (!WriteWholeFile(path, MacroListing(shown_, choice, describeSchedule_), error))
        win::MessageBox("Unable to create text file.  " + error, "Error");
}

// ---- Export Macros ----

TMyExport::TMyExport(QWidget* owner, std::string macroFile)
    : QDialog(owner), macroFile_(std::move(macroFile)) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Export Macros"));
    ListBox1 = ExchangeList(this);
    std::vector<TMacroRecord> macros;
    ReadMacroRecords(macroFile_, kMaxMacros, macros);
    for (std::size_t i = 0; i < macros.size(); ++i) {
        const TMacroRecord& m = macros[i];
        if (m.Scope == scSystem) continue;  // system macros belong to their file
        AddRow(ListBox1, m.ActivationCode, m.Abbreviation.view(), m.Nickname.view(), m.Scope,
               m.ScopeText.view(), static_cast<int>(i) + 1);
    }
    WidenForRows(ListBox1);
    QPushButton* save = Button(this, "SaveFile", tr("&Save File"));
    QPushButton* exit = Button(this, "ExitButton", tr("&Exit"));
    QPushButton* all = Button(this, "SelectAll", tr("Select &All"));
    QPushButton* clear = Button(this, "Clear", tr("C&lear"));
    QPushButton* help = Button(this, "HelpButton", tr("&Help"));
    connect(save, &QPushButton::clicked, this, &TMyExport::SaveFileClick);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(all, &QPushButton::clicked, this, [this] { SelectAllRows(ListBox1, true); });
    connect(clear, &QPushButton::clicked, this, [this] { SelectAllRows(ListBox1, false); });
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, "Export Macros"); });
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {save, all, clear, help, exit}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
}

void TMyExport::SaveFileClick() {
    std::vector<int> numbers;
    for (int i = 0; i < ListBox1->count(); ++i)
        if (ListBox1->item(i)->isSelected()) numbers.push_back(ListBox1->item(i)->data(kSource).toInt());
    if (numbers.empty()) {
        win::MessageBox("No Hot Key Macros have been selected for exporting.", "Error");
        return;
    }
    const std::string path =
        ChooseFile(this, {tr("Save Macro File"), tr("Tessaro File (*.QTM)"), "QTM", true, false});
    if (path.empty()) return;
    if (const std::string error = ExportMacros(macroFile_, numbers, path); !error.empty()) {
        win::MessageBox(error, "Error");
        return;
    }
    win::MessageBox("Export Complete", "ok");
    accept();
}

// ---- Import Macros ----

TMyImport::TMyImport(QWidget* owner, MacroAppender& target, std::vector<std::uint16_t> existingCodes)
    : QDialog(owner), target_(target), existingCodes_(std::move(existingCodes)) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Import Macros"));
    ListBox1 = ExchangeList(this);
    QPushButton* open = Button(this, "OpenFile", tr("O&pen File"));
    Ok = Button(this, "Ok", tr("&Ok"));
    QPushButton* cancel = Button(this, "Button1", tr("&Cancel"));
    SelectAll = Button(this, "SelectAll", tr("Select &All"));
    Clear = Button(this, "Clear", tr("C&lear"));
    QPushButton* help = Button(this, "HelpButton", tr("&Help"));
    for (QPushButton* b : {Ok, SelectAll, Clear}) b->setEnabled(false);
    connect(open, &QPushButton::clicked, this, &TMyImport::OpenFileClick);
    connect(Ok, &QPushButton::clicked, this, &TMyImport::OkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(SelectAll, &QPushButton::clicked, this, [this] { SelectAllRows(ListBox1, true); });
    connect(Clear, &QPushButton::clicked, this, [this] { SelectAllRows(ListBox1, false); });
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, "Import Macros"); });
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {open, Ok, SelectAll, Clear, help, cancel}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
}

void TMyImport::OpenFileClick() {
    const std::string path =
        ChooseFile(this, {tr("Import Tessaro Files"), tr("Tessaro (*.QTM);;Lindrel (*.LD2);;Snipra (*.SNP)"),
                          "QTM", false, true});
    if (!path.empty()) OpenFile(path);
}

void TMyImport::OpenFile(const std::string& path) {
    const ImportKind kind = ImportKindOf(path);
    if (kind == ImportKind::Unknown) {
        win::MessageBox("Improper file type selected.  Please choose a different file.", "Error");
        return;
    }
    win::RegularFileStream in(path);
    if (!in.is_open()) {
        win::MessageBox("Unable to open import file.", "Error");
        return;
    }
    ImportSource source = ReadImportSource(kind, in);
    if (!source.Error.empty()) {
        win::MessageBox(source.Error, "Error");
        return;
    }
    source_ = std::move(source);
    ListBox1->clear();
    for (const ImportEntry& e : source_.Entries)
        AddRow(ListBox1, e.ActivationCode, e.Abbreviation, e.Name, e.Scope, e.ScopeText, e.SourceRecord);
    WidenForRows(ListBox1);
    FitToLayout(*this);
    for (QPushButton* b : {Ok, SelectAll, Clear}) b->setEnabled(true);
}

void TMyImport::OkClick() {
    std::vector<bool> selected;
    for (int i = 0; i < ListBox1->count(); ++i) selected.push_back(ListBox1->item(i)->isSelected());
    const std::vector<std::string> conflicts =
        ImportHotKeyConflicts(source_.Entries, selected, existingCodes_);
    for (const std::string& warning : conflicts) win::MessageBox(warning, "Warning");
    for (int i = 0; i < ListBox1->count(); ++i)
        ListBox1->item(i)->setSelected(selected[static_cast<std::size_t>(i)]);
    const auto count = static_cast<int>(std::count(selected.begin(), selected.end(), true));
    if (count == 0) {
        win::MessageBox(kImportNothingFlagged, "Error");
        return;
    }
    bool excluded = !conflicts.empty();
    if (const std::string capacity = ImportCapacityWarning(target_.MacroCount(), count); !capacity.empty()) {
        win::MessageBox(capacity, "Warning");
        excluded = true;
    }
    if (excluded &&
        win::MessageBox(kImportContinueQuestion, "Warning", win::MbButtons::YesNo) != win::MbResult::Yes)
        return;

    const int base = target_.MacroCount();
    std::vector<int> sources;
    for (std::size_t i = 0; i < selected.size(); ++i)
        if (selected[i]) sources.push_back(source_.Entries[i].SourceRecord);
    for (std::size_t i = 0; i < selected.size() && target_.MacroCount() < kMaxMacros; ++i) {
        if (!selected[i]) continue;
        ImportedMacro m = ConvertForImport(source_.Kind, source_.Entries[i], sources, base, win::Now());
        if (!m.Warning.empty()) win::MessageBox(m.Warning, "Warning");
        if (!target_.AppendMacro(m.Record)) break;
        TrayFlag = TrayFlag || m.ShowsInTray;
        ++Imported;
    }
    accept();
}

}  // namespace tessaro
