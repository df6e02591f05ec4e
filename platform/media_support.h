#pragma once
// Whether the media framework behind the video player can play a file. Its player crashes
// when basic elements are missing, so every clip is checked first: the elements the player
// builds must be registered, and a discovery pass over the file must find a plug-in for
// each of its streams.
#include <optional>
#include <string>

namespace win {

// What is missing to play `path` (UTF-8), in the framework's words; nothing when the file
// can be handed to the player (including files that are merely damaged: the player reports
// those itself).
std::optional<std::string> MissingMediaPlugin(const std::string& path);

}  // namespace win
