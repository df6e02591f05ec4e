#include "player/schedule/wave_sound.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include "platform/cp1252.h"

namespace tessaro {

WavePlayer::WavePlayer() = default;
WavePlayer::~WavePlayer() = default;

void WavePlayer::DoWave(const std::string& path, bool wait) {
    const QString file = QString::fromStdString(win::Cp1252ToUtf8(path));
    if (file.isEmpty() || !QFileInfo(file).isFile()) return;
    sound_ = std::make_unique<QSoundEffect>();
    QSoundEffect& sound = *sound_;
    sound.setSource(QUrl::fromLocalFile(file));
    sound.play();
    if (!wait) return;

    QEventLoop loop;
    bool started = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&sound, &QSoundEffect::statusChanged, &loop, [&] {
        if (sound.status() == QSoundEffect::Error) loop.quit();
    });
    QObject::connect(&sound, &QSoundEffect::playingChanged, &loop, [&] {
        if (sound.isPlaying() && !started) {
            started = true;
            limit.start(kPlayLimit);
        } else if (!sound.isPlaying() && started) {
            loop.quit();
        }
    });
    if (sound.status() == QSoundEffect::Error) return;
    if (sound.isPlaying()) {
        started = true;
        limit.start(kPlayLimit);
    } else {
        limit.start(kStartLimit);
    }
    loop.exec();
    sound.stop();
}

}  // namespace tessaro
