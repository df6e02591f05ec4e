#pragma once
// The frame of a dialog or a message box: one size (what its controls need, set again when
// they change), no minimise or maximise box. A window manager reads these from the window's
// type and its size hints.
class QWidget;

namespace tessaro {

void SetDialogFrame(QWidget& form);

// True for a form of one size: FitToLayout keeps it so.
bool HasDialogFrame(const QWidget& form);

}  // namespace tessaro
