#pragma once
// What a person reads of a shown message box: its whole caption in the title bar, every line
// of its text on a row of its own (unless the line is wider than the screen), the box
// centred, and a dialog's frame (no minimise or maximise box, one size, never minimised).
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <optional>
#include <vector>

#include "widgets/screen_fit.h"

// Xlib's macros come with the desktop: last.
#include "tests/e2e/windows/windows_desktop.h"

namespace tessaro::testing {

inline const QLabel* BoxText(const QWidget& box) {
    if (qobject_cast<const QMessageBox*>(&box)) return box.findChild<QLabel*>("qt_msgbox_label");
    for (const QLabel* l : box.findChildren<QLabel*>())
        if (!l->text().isEmpty()) return l;
    return nullptr;
}

// Empty when the manager has room for the whole caption: its width in openbox's title font
// (its rc.xml: sans, bold, 8 points at 96 dots an inch, taken at the whole pixel above) against
// the part of the title bar the caption is drawn in, read from the frame's windows.
inline std::string CaptionFault(const QWidget& window) {
    if (window.windowTitle().trimmed().isEmpty() || !window.windowHandle()) return {};
    const std::optional<int> room = TitleRoom(*window.windowHandle());
    if (!room) return WindowsDesktop::Describe(window) + " has no title bar to hold its caption";
    QFont title("Sans");
    title.setBold(true);
    title.setPixelSize(11);
    const int caption = QFontMetrics(title).horizontalAdvance(window.windowTitle());
    if (caption <= *room) return {};
    return WindowsDesktop::Describe(window) + " has " + std::to_string(*room) +
           " pixels for its caption, which needs " + std::to_string(caption);
}

// Notes that the window manager minimised a window: the program hears it as a change of state.
class MinimiseSeen final : public QObject {
public:
    explicit MinimiseSeen(QWidget& window) : window_(window) { window.installEventFilter(this); }
    bool seen = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::WindowStateChange &&
            (window_.windowState() & Qt::WindowMinimized))
            seen = true;
        return false;
    }

private:
    QWidget& window_;
};

// Empty when the window offers none of what a dialog's frame leaves out, as the manager allows
// them (_NET_WM_ALLOWED_ACTIONS) and as the program asks for them: resizing, maximising (a
// resizable dialog: only minimising), and a minimise the manager makes is undone at once, for
// the dialog and the windows under it. The manager offers minimising every dialog whatever it
// asks for: it is asked to minimise this one, as its box or a task bar does.
inline std::vector<std::string> DialogFrameFaults(const WindowsDesktop& desktop, QWidget& window) {
    std::vector<std::string> out;
    const std::string name = WindowsDesktop::Describe(window);
    const std::vector<std::string> offered = desktop.Offered(window.winId());
    const bool resizable = window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint);
    for (const char* b : {"minimise", "maximise", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                          "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"})
        if (std::count(offered.begin(), offered.end(), b) && (!resizable || std::string(b) == "minimise"))
            out.push_back(name + " offers " + b);
    std::vector<WId> stack;
    for (const QWidget* w = &window; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        if (w->isVisible()) stack.push_back(w->winId());
    MinimiseSeen minimised(window);
    desktop.Minimise(window.winId());
    // A manager that does not minimise it (none seen within 2 s) leaves nothing to undo.
    if (!QTest::qWaitFor([&] { return minimised.seen; }, 2000)) return out;
    for (const WId id : stack)
        if (!desktop.ComesBack(id))
            out.push_back(name + ": minimised, window " + std::to_string(id) + " stays off the screen");
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
    if (const std::string fault = CaptionFault(box); !fault.empty()) out.push_back(fault);
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
