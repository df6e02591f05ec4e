#include "player/schedule/wave_sound.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstring>
#include <fstream>

#include "platform/cp1252.h"

namespace tessaro {

namespace {

constexpr std::chrono::milliseconds kPoll{20};

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

std::string WavePlayer::DoWave(const std::string& path, bool wait) {
    const std::string utf8 = win::Cp1252ToUtf8(path);
    const win::SoundStart start = sound_.Start(utf8);
    if (start == win::SoundStart::Unavailable) return sound_.Unavailable();
    const std::optional<std::chrono::milliseconds> length = WaveDuration(utf8);
    if (start != win::SoundStart::Started || !wait || !length) return {};

    // Until the sound ends or fails, and never much longer than it lasts.
    QElapsedTimer elapsed;
    elapsed.start();
    const qint64 limit = (*length + kStartLimit).count();
    while (sound_.Playing() && elapsed.elapsed() < limit) {
        QEventLoop loop;
        QTimer::singleShot(kPoll, &loop, &QEventLoop::quit);
        loop.exec();
    }
    sound_.Stop();
    return {};
}

}  // namespace tessaro
