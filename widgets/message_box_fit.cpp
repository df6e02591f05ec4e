#include "widgets/message_box_fit.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "widgets/screen_fit.h"

namespace tessaro {

void FitBoxToText(QWidget& box, QLabel& text, const QSize& least) {
    QLayout* layout = box.layout();
    const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    if (!layout || !screen) return;
    const QMargins frame = FrameOf(box);
    const QRect area = screen->availableGeometry();
    const int roomWidth = std::max(1, area.width() - frame.left() - frame.right());
    const int roomHeight = std::max(1, area.height() - frame.top() - frame.bottom());
    // Every line on its own first; wrapped only when one is wider than the screen.
    text.setWordWrap(false);
    layout->invalidate();
    layout->activate();
    int width = std::max({layout->totalSizeHint().width(), least.width(), TitleNeed(box, frame)});
    if (layout->totalMinimumSize().width() > roomWidth) text.setWordWrap(true);
    width = std::min(width, roomWidth);
    layout->invalidate();
    layout->activate();
    const int height =
        layout->hasHeightForWidth() ? layout->totalHeightForWidth(width) : layout->totalSizeHint().height();
    box.setFixedSize(width, std::min(std::max(height, least.height()), roomHeight));
    // Laid out in that size now: the manager may answer with no word of a size it already gave.
    layout->invalidate();
    layout->activate();
    CentreOnScreen(box);
}

}  // namespace tessaro
