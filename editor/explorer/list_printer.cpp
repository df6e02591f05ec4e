#include "editor/explorer/list_printer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "editor/model/explorer/macro_list.h"

namespace tessaro {

PrintLayout LayOutPrint(QPrinter& printer, const QFont& font, const std::vector<PrintRow>& rows) {
    PrintLayout l;
    const PrintMargins margins = PrintMarginsFor(printer.width(), printer.height());
    l.leftMargin = margins.left;
    l.topMargin = margins.top;
    l.lastLine = margins.lastLine;
    const QFontMetrics m(font, &printer);
    int tallest = m.height();
    int widestActivation = 0;
    int widestNickname = 0;
    for (const PrintRow& r : rows) {
        tallest =
            std::max({tallest, m.boundingRect(r.activation).height(), m.boundingRect(r.nickname).height()});
        widestActivation = std::max(widestActivation, m.horizontalAdvance(r.activation));
        widestNickname = std::max(widestNickname, m.horizontalAdvance(r.nickname));
    }
    l.lineHeight = static_cast<int>(std::lround(1.1 * tallest));
    l.column1 = static_cast<int>(std::lround(1.1 * widestActivation));
    l.column2 = static_cast<int>(std::lround(1.1 * widestNickname));
    return l;
}

bool PrintMacroList(QPrinter& printer, const QFont& font, const QString& macroFile,
                    const std::vector<PrintRow>& rows) {
    const int copies = std::max(1, printer.copyCount());
    printer.setCopyCount(1);
    printer.setDocName("Tessaro 99");
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setFont(font);
    const PrintLayout l = LayOutPrint(printer, font, rows);
    const QFontMetrics m(font, &printer);
    auto drawAt = [&](int x, int line, const QString& text) {
        painter.drawText(x, l.topMargin + line * l.lineHeight + m.ascent(), text);
    };
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0) printer.newPage();
        drawAt(l.leftMargin, 0, "Macro File: " + macroFile);
        int line = 2;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const PrintRow& r = rows[i];
            drawAt(l.leftMargin, line, r.activation);
            drawAt(l.leftMargin + l.column1, line, r.nickname);
            drawAt(l.leftMargin + l.column1 + l.column2, line, r.scope);
            const bool pageFull = l.topMargin + line * l.lineHeight > l.lastLine;
            ++line;
            // No empty page after the last line.
            if (pageFull && i + 1 < rows.size()) {
                printer.newPage();
                line = 0;
            }
        }
    }
    return painter.end();
}

}  // namespace tessaro
