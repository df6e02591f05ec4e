#include "player/engine/picture_files.h"

#include <dlfcn.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/file_io.h"
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

bool SaveJpeg(const std::string& path, const QImage& image, int quality, std::string& why) {
    why = "there is no picture";
    if (image.isNull()) return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const JpegCodec* codec = Plugin().codec;
    why = Plugin().error;
    if (!codec) return false;
    // Encoded in memory first: the file is then replaced whole, and only a regular one.
    char* data = nullptr;
    std::size_t size = 0;
    bool ok = false;
    if (File memory(::open_memstream(&data, &size)); memory) {
        ok = codec->encode(memory.get(), rgb.constBits(), int(rgb.bytesPerLine()), rgb.width(), rgb.height(),
                           quality) &&
             std::fflush(memory.get()) == 0;
    }
    const std::unique_ptr<char, decltype(&std::free)> owned(data, &std::free);
    why = "the picture could not be encoded";
    return ok && win::ReplaceRegularFile(path, std::string_view(data, size), why);
}

std::string JpegUnavailable() { return Plugin().error; }

bool LoadBitmap(const std::string& path, QImage& out) {
    QImage image;
    if (!image.load(QString::fromStdString(path), "BMP")) return false;
    out = image;
    return true;
}

bool SaveBitmap(const std::string& path, const QImage& image, std::string& why) {
    why = "there is no picture";
    if (image.isNull()) return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    why = "the picture could not be encoded";
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP")) return false;
    return win::ReplaceRegularFile(path, std::string_view(bytes.constData(), std::size_t(bytes.size())), why);
}

}  // namespace tessaro
