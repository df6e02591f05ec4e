#include "player/schedule/wave_sound.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <cstring>
#include <fstream>

#include "platform/cp1252.h"

namespace tessaro {

namespace {

std::uint32_t Le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t(u[0]) | std::uint32_t(u[1]) << 8 | std::uint32_t(u[2]) << 16 |
           std::uint32_t(u[3]) << 24;
}

}  // namespace

std::optional<std::chrono::milliseconds> WaveDuration(const std::string& utf8Path) {
    std::ifstream in(utf8Path, std::ios::binary);
    char riff[12];
    if (!in.read(riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return std::nullopt;
    std::uint32_t byteRate = 0;
    char chunk[8];
    while (in.read(chunk, sizeof chunk)) {
        const std::uint32_t size = Le32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            char fmt[16];
            if (!in.read(fmt, sizeof fmt)) return std::nullopt;
            byteRate = Le32(fmt + 8);
            in.seekg(size - 16 + (size & 1), std::ios::cur);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (byteRate == 0) return std::nullopt;
            return std::chrono::milliseconds(std::uint64_t(size) * 1000 / byteRate);
        } else {
            in.seekg(size + (size & 1), std::ios::cur);
        }
    }
    return std::nullopt;
}

WavePlayer::WavePlayer() = default;
WavePlayer::~WavePlayer() = default;

void WavePlayer::DoWave(const std::string& path, bool wait) {
    const std::string utf8 = win::Cp1252ToUtf8(path);
    const QString file = QString::fromStdString(utf8);
    if (file.isEmpty() || !QFileInfo(file).isFile()) return;
    sound_ = std::make_unique<QSoundEffect>();
    QSoundEffect& sound = *sound_;
    sound.setSource(QUrl::fromLocalFile(file));
    sound.play();
    const std::optional<std::chrono::milliseconds> length = WaveDuration(utf8);
    if (!wait || !length || sound.status() == QSoundEffect::Error) return;

    // Until the sound ends or fails, and never much longer than it lasts.
    QEventLoop loop;
    bool started = sound.isPlaying();
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&sound, &QSoundEffect::statusChanged, &loop, [&] {
        if (sound.status() == QSoundEffect::Error) loop.quit();
    });
    QObject::connect(&sound, &QSoundEffect::playingChanged, &loop, [&] {
        if (sound.isPlaying())
            started = true;
        else if (started)
            loop.quit();
    });
    limit.start(*length + kStartLimit);
    loop.exec();
    sound.stop();
}

}  // namespace tessaro
