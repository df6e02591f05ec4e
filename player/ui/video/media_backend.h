#pragma once
// Whether the media backend can play a clip here. Qt's GStreamer backend links its
// pipeline from named elements and crashes when one of them is not installed, so the
// elements are looked up before any player is made, and each file is then discovered to
// find a plug-in for every one of its streams.
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

// The elements a clip with picture and sound needs that this machine lacks (all of them
// when the framework cannot start). Empty when everything is there, or when another
// backend was chosen with QT_MEDIA_BACKEND.
std::vector<std::string> MissingVideoElements();

// The user's text for what is missing, naming the packages that hold it.
std::string DescribeMissingElements(const std::vector<std::string>& elements);

// What the framework lacks to play `path` (UTF-8), in its own words; nothing when the file
// can be handed to the player (including files that are merely damaged or absent: the
// player reports those itself). Asked only once MissingVideoElements() is empty.
std::optional<std::string> MissingMediaPlugin(const std::string& path);

}  // namespace tessaro
