#pragma once
// Whether the media backend can build a player here. Qt's GStreamer backend links its
// pipeline from named elements and crashes when one of them is not installed, so the
// elements are looked up before any player is made.
#include <string>
#include <vector>

namespace tessaro {

// The elements a clip with picture and sound needs that this machine lacks (all of them
// when the GStreamer library itself is missing). Empty when everything is there, or when
// another backend was chosen with QT_MEDIA_BACKEND.
std::vector<std::string> MissingVideoElements();

// The user's text for what is missing, naming the packages that hold it.
std::string DescribeMissingElements(const std::vector<std::string>& elements);

}  // namespace tessaro
