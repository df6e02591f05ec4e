// The plugin's side of the JPEG codec: libjpeg behind a table of two functions.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "player/engine/jpeg_codec.h"

namespace tessaro {
namespace {

// libjpeg reports fatal errors through a callback that must not return.
struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void ThrowJpegError(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }

void SilenceJpegMessage(j_common_ptr) {}

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

bool EncodeJpeg(std::FILE* file, const unsigned char* rgb, int stride, int width, int height, int quality) {
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
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + std::size_t(info.next_scanline) * std::size_t(stride));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

constexpr JpegCodec kCodec{DecodeJpeg, EncodeJpeg};

}  // namespace
}  // namespace tessaro

extern "C" const tessaro::JpegCodec* TessaroJpegCodec() { return &tessaro::kCodec; }
