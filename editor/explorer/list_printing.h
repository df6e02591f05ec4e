#pragma once
// The print commands of the main window: the macro list, the printer font and the printer
// set-up, on one printer kept for the run.
#include <memory>
#include <vector>

class QPrinter;
class QWidget;

namespace tessaro {

class Explorer;
class PlayerLink;
struct PrintRow;
struct TConfigRecord;

class ListPrinting {
public:
    ListPrinting(QWidget& window, TConfigRecord& config, Explorer& explorer, PlayerLink& link);
    ~ListPrinting();

    void MenuPrintClick();
    // Prints the list on `printer` as the print command does after its dialog.
    void PrintList(QPrinter& printer);
    void MenuPrinterFontClick();
    void PrinterSetup1Click();

private:
    QPrinter& Printer();
    std::vector<PrintRow> PrintRows();

    QWidget& window_;
    TConfigRecord& config_;
    Explorer& explorer_;
    PlayerLink& link_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace tessaro
