#include "player/engine/picture_files.h"

#include <dlfcn.h>

#include <QImage>
#include <QSaveFile>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/paths.h"
#include "player/engine/jpeg_codec.h"

namespace tessaro {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

struct LibraryCloser {
    void operator()(void* handle) const { ::dlclose(handle); }
};

struct JpegPlugin {
    std::unique_ptr<void, LibraryCloser> library;
    const JpegCodec* codec = nullptr;
    std::string error;
};

// Loaded once, on first use, and kept.
const JpegPlugin& Plugin() {
    static const JpegPlugin plugin = [] {
        JpegPlugin p;
        const std::string path = win::JoinPath(win::ExecutableDirectory(), "libtesjpeg.so");
        p.library.reset(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
        using Entry = const JpegCodec* (*)();
        const auto entry =
            p.library ? reinterpret_cast<Entry>(::dlsym(p.library.get(), "TessaroJpegCodec")) : nullptr;
        p.codec = entry ? entry() : nullptr;
        if (!p.codec) {
            const char* why = ::dlerror();
            p.error = "JPEG pictures cannot be read or written: the JPEG plugin " + path +
                      " cannot be loaded" + (why ? std::string(" (") + why + ")." : std::string("."));
        }
        return p;
    }();
    return plugin;
}

}  // namespace

bool LoadJpeg(const std::string& path, QImage& out) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    std::vector<unsigned char> pixels;
    int width = 0;
    int height = 0;
    const JpegCodec* codec = Plugin().codec;
    if (!codec || !codec->decode(file.get(), pixels, width, height) || width <= 0 || height <= 0)
        return false;
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        std::memcpy(image.scanLine(y), pixels.data() + std::size_t(y) * width * 3, std::size_t(width) * 3);
    }
    out = image;
    return true;
}

bool SaveJpeg(const std::string& path, const QImage& image, int quality) {
    if (image.isNull()) return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const std::string temp = path + ".part";
    bool ok = false;
    {
        File file(std::fopen(temp.c_str(), "wb"));
        if (!file) return false;
        const JpegCodec* codec = Plugin().codec;
        ok = codec &&
             codec->encode(file.get(), rgb.constBits(), int(rgb.bytesPerLine()), rgb.width(), rgb.height(),
                           quality) &&
             std::fflush(file.get()) == 0;
    }
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

std::string JpegUnavailable() { return Plugin().error; }

bool LoadBitmap(const std::string& path, QImage& out) {
    QImage image;
    if (!image.load(QString::fromStdString(path), "BMP")) return false;
    out = image;
    return true;
}

bool SaveBitmap(const std::string& path, const QImage& image) {
    if (image.isNull()) return false;
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!image.save(&file, "BMP")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace tessaro
