#pragma once
// Line edits whose typing stops at a limit while a longer text the program puts there (a
// stored window title, a row taken whole) stays whole.
#include <QString>

class QLineEdit;

namespace tessaro {

// Typing never makes the text longer than `typedLimit`, nor than it already is.
void LimitTyping(QLineEdit& edit, int typedLimit);
// Puts a text in whole, however long; typing stays as LimitTyping allows.
void SetKeptText(QLineEdit& edit, const QString& text, int typedLimit);

}  // namespace tessaro
