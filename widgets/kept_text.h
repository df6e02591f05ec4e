#pragma once
// Line edits whose typing stops at a limit while any text the program puts there (a stored
// window title, a hand-written command, a row taken whole) stays whole.
class QLineEdit;

namespace tessaro {

// From now on typing, pasting or dropping never makes the text longer than `typedLimit`, nor
// than it already is; a text set by the program is never cut. Called again, it changes the
// limit and leaves the text as it is.
void LimitTyping(QLineEdit& edit, int typedLimit);
// The limit LimitTyping set, else the edit's own maximum length.
int TypingLimit(const QLineEdit& edit);

}  // namespace tessaro
