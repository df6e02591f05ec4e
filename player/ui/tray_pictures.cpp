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

// Each picture is drawn once, on first use, and kept to the end of the process.
QIcon RunningIcon() {
    static const QIcon* const icon = new QIcon(Disc(QColor(200, 40, 40), [](QPainter& p) {
        p.setBrush(Qt::white);
        const QPointF play[] = {{11, 8}, {25, 16}, {11, 24}};
        p.drawPolygon(play, 3);
    }));
    return *icon;
}

QIcon RecordingIcon() {
    static const QIcon* const icon = new QIcon(Disc(QColor(190, 0, 0), [](QPainter& p) {
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 16), 7, 7);
    }));
    return *icon;
}

QIcon PopupTrayPicture(const TMacroIcon& icon) {
    return icon.Name == "MAIN" ? MenuIcon() : MacroPicture(icon, 4);
}

}  // namespace tessaro
