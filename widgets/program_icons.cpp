#include "widgets/program_icons.h"

#include <QFileInfo>
#include <QPixmap>

namespace tessaro {

namespace {

// Every size drawn for the picture, so that no size is scaled up from a small one. Adding
// a file decodes it: each picture is built once and shared (a QIcon is a shared handle),
// kept to the end of the process so that no pixmap outlives the application object.
QIcon FromFiles(const QString& stem) {
    QIcon icon;
    for (int size : {16, 32, 48, 256}) icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(stem).arg(size));
    return icon;
}

QIcon FilePicture(const TMacroIcon& icon) {
    if (icon.Path.empty()) return {};
    const QString path = QString::fromStdString(icon.Path);
    if (!QFileInfo(path).isFile()) return {};
    const QPixmap pixmap(path);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

}  // namespace

QIcon MainIcon() {
    static const QIcon* const icon = new QIcon(FromFiles(QStringLiteral("main")));
    return *icon;
}

QIcon MenuIcon() {
    static const QIcon* const icon = new QIcon(FromFiles(QStringLiteral("menu")));
    return *icon;
}

QIcon MacroPicture(const TMacroIcon& icon, std::uint16_t scope) {
    if (icon.Name == "MAIN") return MainIcon();
    if (icon.Name == "MENU") return MenuIcon();
    const QIcon file = FilePicture(icon);
    if (!file.isNull()) return file;
    return scope == 4 ? MenuIcon() : MainIcon();
}

}  // namespace tessaro
