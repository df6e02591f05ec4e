#include "player/engine/picture_files.h"

#include <QImage>
#include <QSaveFile>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace tessaro {
namespace {

// libjpeg reports fatal errors through a callback that must not return.
struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void ThrowJpegError(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }

void SilenceJpegMessage(j_common_ptr) {}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Decodes into `pixels` (RGB, 3 bytes a pixel); kept free of C++ objects with destructors
// between setjmp and the last libjpeg call.
bool DecodeJpeg(std::FILE* file, std::vector<unsigned char>& pixels, int& width, int& height) {
    jpeg_decompress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.mgr);
    error.mgr.error_exit = ThrowJpegError;
    error.mgr.output_message = SilenceJpegMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = int(info.output_width);
    height = int(info.output_height);
    pixels.resize(std::size_t(width) * std::size_t(height) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + std::size_t(info.output_scanline) * width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool EncodeJpeg(std::FILE* file, const QImage& rgb, int quality) {
    jpeg_compress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.mgr);
    error.mgr.error_exit = ThrowJpegError;
    error.mgr.output_message = SilenceJpegMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

bool LoadJpeg(const std::string& path, QImage& out) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    std::vector<unsigned char> pixels;
    int width = 0;
    int height = 0;
    if (!DecodeJpeg(file.get(), pixels, width, height) || width <= 0 || height <= 0) return false;
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
        ok = EncodeJpeg(file.get(), rgb, quality) && std::fflush(file.get()) == 0;
    }
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

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
