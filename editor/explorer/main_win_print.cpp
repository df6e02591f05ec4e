// The main window's print commands: the list, the printer font and the printer set-up.
#include <QApplication>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "editor/explorer/fonts.h"
#include "editor/explorer/list_printer.h"
#include "editor/explorer/main_win.h"
#include "editor/model/explorer/macro_list.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {

QPrinter& TMainWin::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

std::vector<PrintRow> TMainWin::PrintRows() {
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

void TMainWin::MenuPrintClick() {
    QPrinter& printer = Printer();
    if (printer.printerState() == QPrinter::Active) {
        win::MessageBox("Other print job currently in progress.", "Error", win::MbButtons::Ok,
                        win::MbIcon::Error);
        return;
    }
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintList(printer);
}

void TMainWin::PrintList(QPrinter& printer) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PrintMacroList(printer, ToQFont(config_.PrintListFont),
                   QString::fromStdString(win::Cp1252ToUtf8(config_.RecentFiles[0].str())), PrintRows());
    QApplication::restoreOverrideCursor();
}

void TMainWin::MenuPrinterFontClick() {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, ToQFont(config_.PrintListFont), this, "Printer Font");
    if (!ok) return;
    // The printout has no underline or strike-out.
    chosen.setUnderline(false);
    chosen.setStrikeOut(false);
    AssignFont(config_.PrintListFont, chosen);
    config_.PrintListBold = chosen.bold();
    config_.PrintListItalic = chosen.italic();
    SavePrintListFontSettings(config_);
    Post(puSettingsPrintListFont, 0);
}

void TMainWin::PrinterSetup1Click() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}

}  // namespace tessaro
