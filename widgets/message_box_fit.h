#pragma once
// The size of a message box of either program: as wide as its caption and its text need, each
// line of the text whole (wrapped only where a line is wider than the screen), never below
// `least`; one size, centred in the work area with its frame.
#include <QSize>

class QLabel;
class QWidget;

namespace tessaro {

void FitBoxToText(QWidget& box, QLabel& text, const QSize& least = {});

}  // namespace tessaro
