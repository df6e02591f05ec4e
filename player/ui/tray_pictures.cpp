#include "player/ui/tray_pictures.h"

#include <QPainter>
#include <QPixmap>

#include <functional>

namespace tessaro {
namespace {

constexpr int kSize = 32;

// A coloured disc with a white mark drawn on top.
QIcon Disc(const QColor& colour, const std::function<void(QPainter&)>& mark) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawEllipse(1, 1, kSize - 2, kSize - 2);
    mark(p);
    return QIcon(pixmap);
}

}  // namespace

QIcon PlayerIcon() {
    return Disc(QColor(0, 96, 160), [](QPainter& p) {
        p.setPen(Qt::white);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(20);
        p.setFont(font);
        p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, "T");
    });
}

QIcon RunningIcon() {
    return Disc(QColor(200, 40, 40), [](QPainter& p) {
        p.setBrush(Qt::white);
        const QPointF play[] = {{11, 8}, {25, 16}, {11, 24}};
        p.drawPolygon(play, 3);
    });
}

}  // namespace tessaro
