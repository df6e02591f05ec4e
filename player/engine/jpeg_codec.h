#pragma once
// The JPEG codec lives in a plugin (libtesjpeg.so beside the programs) that is loaded the
// first time a macro reads or writes a JPEG picture, so the player maps libjpeg only then.
#include <cstdio>
#include <vector>

namespace tessaro {

struct JpegCodec {
    // Reads a whole picture as RGB rows, 3 bytes a pixel; false on any fault of the file.
    bool (*decode)(std::FILE* file, std::vector<unsigned char>& rgb, int& width, int& height);
    // Writes RGB rows (`stride` bytes apart) at the given quality (1 to 100).
    bool (*encode)(std::FILE* file, const unsigned char* rgb, int stride, int width, int height, int quality);
};

}  // namespace tessaro

// The plugin's one export.
extern "C" __attribute__((visibility("default"))) const tessaro::JpegCodec* TessaroJpegCodec();
