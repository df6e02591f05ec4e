#pragma once
// What a person reads of a shown message box: its whole caption in the title bar, every line
// of its text on a row of its own (unless the line is wider than the screen), the box
// centred, and a dialog's frame (no minimise or maximise box, one size).
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

// Xlib's macros come with the desktop: last.
#include "tests/e2e/windows/windows_desktop.h"

namespace tessaro::testing {

inline const QLabel* BoxText(const QWidget& box) {
    if (qobject_cast<const QMessageBox*>(&box)) return box.findChild<QLabel*>("qt_msgbox_label");
    for (const QLabel* l : box.findChildren<QLabel*>())
        if (!l->text().isEmpty()) return l;
    return nullptr;
}

// Empty when the frame is wide enough for the whole caption: bold, as managers draw it,
// beside the title bar's boxes (each about as wide as the bar is high: the window's icon,
// close, and room at the ends).
inline std::string CaptionFault(const QWidget& window, const QRect& frame) {
    const int bar = window.geometry().y() - frame.y();
    QFont bold = window.font();
    bold.setBold(true);
    const int caption = QFontMetrics(bold).horizontalAdvance(window.windowTitle());
    if (window.windowTitle().isEmpty() || frame.width() >= caption + 3 * bar) return {};
    return WindowsDesktop::Describe(window) + " is " + std::to_string(frame.width()) +
           " wide, its caption needs " + std::to_string(caption + 3 * bar);
}

// Empty when the window offers none of what a dialog's frame leaves out: minimising,
// maximising and resizing, as the manager allows them and as the program asks for them.
inline std::vector<std::string> DialogFrameFaults(const WindowsDesktop& desktop, const QWidget& window) {
    std::vector<std::string> out;
    const std::vector<std::string> offered = desktop.Offered(window.winId());
    for (const char* b : {"minimise", "maximise", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                          "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"})
        if (std::count(offered.begin(), offered.end(), b))
            out.push_back(WindowsDesktop::Describe(window) + " offers " + b);
    return out;
}

inline std::vector<std::string> BoxFaults(const WindowsDesktop& desktop, QWidget& box) {
    std::vector<std::string> out;
    const std::string name = WindowsDesktop::Describe(box);
    const std::optional<QRect> frame = desktop.SettledFrame(box);
    if (!frame) return {name + " got no frame"};
    const QRect area = desktop.WorkArea();
    if (!area.contains(*frame)) out.push_back(name + " runs off the work area");
    if (std::abs(frame->x() - (area.x() + (area.width() - frame->width()) / 2)) > 1 ||
        std::abs(frame->y() - (area.y() + (area.height() - frame->height()) / 2)) > 1)
        out.push_back(name + " is not centred: its frame is at " + std::to_string(frame->x()) + "," +
                      std::to_string(frame->y()));
    if (const std::string fault = CaptionFault(box, *frame); !fault.empty()) out.push_back(fault);
    if (const QLabel* text = BoxText(box)) {
        const QFontMetrics metrics(text->font());
        const int room = text->contentsRect().width();
        // The most the text can have: the screen, less what of the frame is not the text.
        const int most = area.width() - (frame->width() - room);
        for (const QString& line : text->text().split('\n')) {
            const QString l = QString(line).remove('\r');
            const int width = metrics.horizontalAdvance(l);
            if (width > room && width <= most)
                out.push_back(name + ": the line \"" + l.toStdString() + "\" is wrapped in a row of " +
                              std::to_string(room));
        }
    } else {
        out.push_back(name + " shows no text");
    }
    for (const std::string& f : DialogFrameFaults(desktop, box)) out.push_back(f);
    return out;
}

}  // namespace tessaro::testing
