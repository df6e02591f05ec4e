#pragma once
// Picture files of the clipboard commands: JPEG through libjpeg (in a plugin loaded on first
// use, jpeg_codec.h), bitmaps through Qt.
#include <string>

class QImage;

namespace tessaro {

// File names are UTF-8 here. Each returns false on any failure and leaves no half-written
// picture behind; a save says why in `why` and leaves the file there as it was.
bool LoadJpeg(const std::string& path, QImage& out);
bool SaveJpeg(const std::string& path, const QImage& image, int quality, std::string& why);
bool LoadBitmap(const std::string& path, QImage& out);
bool SaveBitmap(const std::string& path, const QImage& image, std::string& why);

// Empty when JPEG pictures can be read and written here; else a text for the user saying
// why not.
std::string JpegUnavailable();

}  // namespace tessaro
