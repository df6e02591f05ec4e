#pragma once
// Sound files for the scheduler (DoWave): played asynchronously, or until their end while
// the event loop runs. A missing or broken file plays nothing, and a wait never outlasts
// its limits.
#include <chrono>
#include <optional>
#include <string>

#include "platform/sound.h"

namespace tessaro {

// The playing time of a RIFF wave file from its header; nothing when the header is not
// one (a broken file is never waited for).
std::optional<std::chrono::milliseconds> WaveDuration(const std::string& utf8Path);

class WavePlayer {
public:
    explicit WavePlayer(win::SoundService& sound) : sound_(sound) {}

    // `path` in Windows-1252. With `wait`, returns when the sound ended or failed. When
    // sounds cannot be played here, returns why (the caller tells the user).
    std::string DoWave(const std::string& path, bool wait);

    // Longest wait beyond the sound's own length.
    static constexpr std::chrono::milliseconds kStartLimit{5000};

private:
    win::SoundService& sound_;
};

}  // namespace tessaro
