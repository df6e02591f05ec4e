#include "player/ui/tray_pictures.h"

#include <QFileInfo>
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

// The picture of an icon file, or a null icon when it cannot be read.
QIcon FilePicture(const TMacroIcon& icon) {
    if (icon.Path.empty()) return {};
    const QString path = QString::fromStdString(icon.Path);
    if (!QFileInfo(path).isFile()) return {};
    const QPixmap pixmap(path);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
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

QIcon RecordingIcon() {
    return Disc(QColor(190, 0, 0), [](QPainter& p) {
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 16), 7, 7);
    });
}

QIcon MenuIcon() {
    return Disc(QColor(40, 130, 60), [](QPainter& p) {
        p.setBrush(Qt::white);
        for (int y : {9, 15, 21}) p.drawRect(9, y, 14, 3);
    });
}

QIcon MacroPicture(const TMacroIcon& icon, std::uint16_t scope) {
    if (icon.Name == "MAIN") return PlayerIcon();
    if (icon.Name == "MENU") return MenuIcon();
    const QIcon file = FilePicture(icon);
    if (!file.isNull()) return file;
    return scope == 4 ? MenuIcon() : PlayerIcon();
}

QIcon PopupTrayPicture(const TMacroIcon& icon) {
    if (icon.Name == "MENU") return MenuIcon();
    const QIcon file = FilePicture(icon);
    return file.isNull() ? MenuIcon() : file;
}

}  // namespace tessaro
