#pragma once
// One rule for the frame of every top-level window of a program, applied to each as it is
// shown, whatever its own code asked for:
// - a dialog (a window of the dialog type) has a dialog's frame: one size (what its layout
//   needs, wide enough for its whole caption, set again when its controls change) and no
//   minimise or maximise box, so no window manager offers to resize, minimise or maximise it;
// - a dialog that asks for a maximise box (a resizable editor) keeps its own size hints;
// - no dialog is minimised: some managers offer it on every dialog whatever the window asks
//   for (openbox does), and minimising a modal dialog takes the stack of windows under it off
//   the screen with nothing left to bring it back by, so a minimise is undone at once;
// - a main window keeps its own frame.
#include <QObject>

class QWidget;

namespace tessaro {

// True for a window of one size: FitToLayout keeps it so.
bool HasDialogFrame(const QWidget& window);

// Watches every top-level window of the application while it lives; one per program.
class WindowPolicy final : public QObject {
public:
    WindowPolicy();
    ~WindowPolicy() override;
    WindowPolicy(const WindowPolicy&) = delete;
    WindowPolicy& operator=(const WindowPolicy&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tessaro
