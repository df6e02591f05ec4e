#include "widgets/on_top.h"

#include <QWidget>

namespace tessaro {

void MakeOnTop(QWidget& window) {
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window.setAttribute(Qt::WA_ShowWithoutActivating, false);
}

}  // namespace tessaro
