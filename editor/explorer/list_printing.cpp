#include "editor/explorer/list_printing.h"

#include <QApplication>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "editor/explorer/fonts.h"
#include "editor/explorer/list_printer.h"
#include "editor/model/explorer/explorer.h"
#include "editor/model/explorer/macro_list.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {

ListPrinting::ListPrinting(QWidget& window, TConfigRecord& config, Explorer& explorer, PlayerLink& link)
    : window_(window), config_(config), explorer_(explorer), link_(link) {}

ListPrinting::~ListPrinting() = default;

QPrinter& ListPrinting::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

std::vector<PrintRow> ListPrinting::PrintRows() {
    std::vector<PrintRow> rows;
    auto text = [](const std::string& s) { return QString::fromStdString(win::Cp1252ToUtf8(s)); };
    const std::string file = config_.RecentFiles[0].str();
    for (int n : explorer_.rowMacro()) {
        // A record that cannot be read prints as the last one read.
        TMacroRecord& m = explorer_.CurrentMacro;
        ReadMacroRecordAt(file, n, m);
        rows.push_back({text(PrintActivationText(m.ActivationCode, m.Abbreviation.str())),
                        text(m.Nickname.str()),
                        text(PrintScopeText(m.Scope, m.ScopeText.str(), m.TopmostOnly != 0))});
    }
    return rows;
}

void ListPrinting::MenuPrintClick() {
    QPrinter& printer = Printer();
    if (printer.printerState() == QPrinter::Active) {
        win::MessageBox("Other print job currently in progress.", "Error", win::MbButtons::Ok,
                        win::MbIcon::Error);
        return;
    }
    QPrintDialog dialog(&printer, &window_);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintList(printer);
}

void ListPrinting::PrintList(QPrinter& printer) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PrintMacroList(printer, ToQFont(config_.PrintListFont),
                   QString::fromStdString(win::Cp1252ToUtf8(config_.RecentFiles[0].str())), PrintRows());
    QApplication::restoreOverrideCursor();
}

void ListPrinting::MenuPrinterFontClick() {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, ToQFont(config_.PrintListFont), &window_, "Printer Font");
    if (!ok) return;
    // The printout has no underline or strike-out.
    chosen.setUnderline(false);
    chosen.setStrikeOut(false);
    AssignFont(config_.PrintListFont, chosen);
    config_.PrintListBold = chosen.bold();
    config_.PrintListItalic = chosen.italic();
    SavePrintListFontSettings(config_);
    link_.Notify(puSettingsPrintListFont, 0);
}

void ListPrinting::PrinterSetup1Click() {
    QPageSetupDialog dialog(&Printer(), &window_);
    dialog.exec();
}

}  // namespace tessaro
