#pragma once
// The printout of the macro list: a header line, then one line per macro in three
// columns, page after page, once per copy.
#include <QFont>
#include <QString>
#include <vector>

class QPrinter;

namespace tessaro {

struct PrintRow {
    QString activation;
    QString nickname;
    QString scope;
};

struct PrintLayout {
    int leftMargin = 0;
    int topMargin = 0;
    int lastLine = 0;  // a line below this ends the page
    int lineHeight = 0;
    int column1 = 0;  // width of the activation column
    int column2 = 0;  // width of the nickname column
};

// Margins from the page size and column sizes from the texts as `font` measures them on
// `printer`.
PrintLayout LayOutPrint(QPrinter& printer, const QFont& font, const std::vector<PrintRow>& rows);

// Prints the document "Tessaro 99" with the header "Macro File: " + `macroFile`; the
// printer's copy count is printed copy after copy. False when the printer cannot start.
bool PrintMacroList(QPrinter& printer, const QFont& font, const QString& macroFile,
                    const std::vector<PrintRow>& rows);

}  // namespace tessaro
