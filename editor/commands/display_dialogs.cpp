#include "editor/commands/display_dialogs.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "editor/commands/form_parts.h"
#include "platform/printers.h"
#include "platform/system_settings.h"

namespace tessaro {

using namespace parts;

namespace {

QListWidget* SettingList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName("SettingBox");
    return list;
}

void Select(QListWidget* list, int row) {
    list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    if (row < 0) list->clearSelection();
}

int SelectedRow(QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.front());
}

}  // namespace

TDoScreen::TDoScreen(QWidget* owner, win::SystemSettings& settings)
    : CommandDialog(owner, "TDoScreen", tr("Screen Display Setting")), settings_(settings) {
    SettingBox = SettingList(this);
    Body()->addWidget(Label(this, tr("Choose Setting"), SettingBox));
    Body()->addWidget(SettingBox);
    auto* note = new QLabel(
        tr("NOTE: Some video drivers may require a reboot before the new settings can take effect."), this);
    note->setWordWrap(true);
    Body()->addWidget(note);
}

void TDoScreen::FillSettingBox() {
    SettingBox->clear();
    for (const std::string& line : DisplayModeList(settings_.DisplayModes()))
        SettingBox->addItem(QString::fromStdString(line));
}

void TDoScreen::FocusFirst() {
    FillSettingBox();
    SettingBox->setFocus(Qt::OtherFocusReason);
    Select(SettingBox, ScreenInitialSelection(SettingBox->count(), NewCommand == 1, ModeIndex));
}

void TDoScreen::OkButtonClick() {
    Result = BuildScreen(SelectedRow(SettingBox));
    if (Result.ok()) ModeIndex = Result.fields.ModeIndex;
    Accept(Result);
}

TDoDefPrint::TDoDefPrint(QWidget* owner, win::Printers& printers)
    : CommandDialog(owner, "TDoDefPrint", tr("Default Printer")), source_(printers) {
    SettingBox = SettingList(this);
    Body()->addWidget(Label(this, tr("Choose Printer"), SettingBox));
    Body()->addWidget(SettingBox);
}

void TDoDefPrint::FillSettingBox() {
    SettingBox->clear();
    printers_.clear();
    for (const std::string& name : source_.Names()) {
        printers_.push_back(win::Utf8ToCp1252(name));
        SettingBox->addItem(QString::fromStdString(name));
    }
}

void TDoDefPrint::FocusFirst() {
    FillSettingBox();
    Select(SettingBox, DefPrintInitialSelection(printers_, NewCommand == 1, PrinterName));
    SettingBox->setFocus(Qt::OtherFocusReason);
}

void TDoDefPrint::OkButtonClick() {
    Result = BuildDefPrint(printers_, SelectedRow(SettingBox));
    if (Result.ok()) PrinterName = Result.fields.PrinterName;
    Accept(Result);
}

}  // namespace tessaro
