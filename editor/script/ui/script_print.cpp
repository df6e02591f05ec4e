#include "editor/script/ui/script_print.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <cmath>

#include "platform/cp1252.h"

namespace tessaro {

bool PrintScript(QPrinter& printer, const QFont& font, const std::string& heading,
                 const std::vector<std::string>& lines, int copies, std::string& error) {
    printer.setDocName("Tessaro 99");
    // The copies are drawn here, one after another; the printer must not repeat them.
    printer.setCopyCount(1);
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = "The printer could not be started.";
        return false;
    }
    painter.setFont(QFont(font, painter.device()));
    const QFontMetrics metrics(painter.font(), painter.device());
    const QRect page = painter.viewport();
    const int left = page.width() / 17;
    const int usable = page.width() - 2 * left;
    const int top = page.height() / 22;
    const int bottom = page.height() - 2 * top;
    const int lineHeight = std::max(1, static_cast<int>(std::lround(1.1 * metrics.height())));
    int y = top;
    bool ok = true;
    const auto line = [&](const std::string& text1252) {
        QString text = QString::fromStdString(win::Cp1252ToUtf8(text1252));
        // Cut from the end, never wrapped.
        while (!text.isEmpty() && metrics.horizontalAdvance(text) >= usable) text.chop(1);
        if (y > bottom) {
            ok = ok && printer.newPage();
            y = top;
        }
        painter.drawText(left, y + metrics.ascent(), text);
        y += lineHeight;
    };
    for (int copy = 0; copy < std::max(copies, 1); ++copy) {
        if (copy > 0) {
            ok = ok && printer.newPage();
            y = top;
        }
        line(heading);
        for (const std::string& text : lines) line(text);
    }
    if (!painter.end() || !ok) {
        error = "The print job failed.";
        return false;
    }
    return true;
}

}  // namespace tessaro
