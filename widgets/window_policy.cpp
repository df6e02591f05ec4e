#include "widgets/window_policy.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "widgets/screen_fit.h"

namespace tessaro {

namespace {

bool IsDialog(const QWidget& window) { return window.isWindow() && window.windowType() == Qt::Dialog; }

// A dialog whose own code asks for a maximise box is meant to be resized by its user.
bool Resizable(const QWidget& dialog) { return dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint); }

void TakeDialogFrame(QWidget& dialog) {
    const bool resizable = Resizable(dialog);
    Qt::WindowFlags flags =
        dialog.windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowContextHelpButtonHint);
    if (!resizable) flags &= ~Qt::WindowMaximizeButtonHint;
    if (flags != dialog.windowFlags()) {
        // Told to the window system without making the window anew: it is about to be mapped.
        dialog.overrideWindowFlags(flags);
        if (QWindow* window = dialog.windowHandle()) window->setFlags(flags);
    }
    // A message box fits itself to its text.
    if (resizable || qobject_cast<QMessageBox*>(&dialog)) return;
    if (dialog.minimumSize() != dialog.maximumSize()) dialog.setFixedSize(dialog.size());
    // Its layout no longer sets its least size (a hint that would let it be resized): the
    // dialog takes what its controls need through FitToLayout.
    if (QLayout* layout = dialog.layout()) layout->setSizeConstraint(QLayout::SetNoConstraint);
}

// Once the change is handled, so that the window manager hears the new state.
void UndoMinimise(QWidget& dialog) {
    QTimer::singleShot(0, &dialog, [d = QPointer<QWidget>(&dialog)] {
        if (!d || !(d->windowState() & Qt::WindowMinimized)) return;
        d->setWindowState(d->windowState() & ~Qt::WindowMinimized);
        d->show();
        d->raise();
        d->activateWindow();
    });
}

// A dialog of one size whose controls came to need more than it has is fitted again: its
// size would otherwise cut them. A message box fits itself to its text.
void KeepControlsWhole(QWidget& dialog) {
    QTimer::singleShot(0, &dialog, [d = QPointer<QWidget>(&dialog)] {
        if (!d || !d->isVisible() || !HasDialogFrame(*d) || !d->layout()) return;
        const QSize least = d->layout()->totalMinimumSize();
        if (least.width() > d->width() || least.height() > d->height()) FitToLayout(*d);
    });
}

}  // namespace

bool HasDialogFrame(const QWidget& window) { return window.minimumSize() == window.maximumSize(); }

WindowPolicy::WindowPolicy() { qApp->installEventFilter(this); }

WindowPolicy::~WindowPolicy() {
    if (qApp) qApp->removeEventFilter(this);
}

bool WindowPolicy::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::WindowStateChange && type != QEvent::LayoutRequest)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !IsDialog(*widget)) return false;
    switch (type) {
        case QEvent::Show: TakeDialogFrame(*widget); break;
        case QEvent::WindowStateChange:
            // A minimise the manager made; one the program asks for itself stands.
            if (event->spontaneous() && (widget->windowState() & Qt::WindowMinimized)) UndoMinimise(*widget);
            break;
        default:
            if (widget->isVisible() && !qobject_cast<QMessageBox*>(widget)) KeepControlsWhole(*widget);
            break;
    }
    return false;
}

}  // namespace tessaro
