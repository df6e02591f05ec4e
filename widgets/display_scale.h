#pragma once
// The display scale factor: 1.0 on a screen of 96 dots per inch, more on a denser one.
// Forms laid out with fixed pixel sizes multiply those sizes by it.
#include <QWidget>

namespace tessaro {

inline double DisplayScale(const QWidget& widget) { return widget.logicalDpiY() / 96.0; }

}  // namespace tessaro
