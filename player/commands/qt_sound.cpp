#include "player/commands/qt_sound.h"

#include <QFileInfo>
#include <QUrl>

#include "platform/bell.h"

namespace tessaro {

bool QtSoundOutput::Start(const std::string& path) {
    effect_.stop();
    const QString file = QString::fromStdString(path);
    if (path.empty() || !QFileInfo(file).isFile()) return false;  // no default sound instead
    effect_.setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    effect_.play();  // queued until loaded; a file that is no sound never plays
    return true;
}

bool QtSoundOutput::Playing() { return effect_.isPlaying() || effect_.status() == QSoundEffect::Loading; }

void QtSoundOutput::Stop() { effect_.stop(); }

void QtSoundOutput::Beep() { win::DesktopBell(); }

}  // namespace tessaro
