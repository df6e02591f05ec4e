#pragma once
// Sound files for the scheduler (DoWave): played asynchronously, or until their end while
// the event loop runs. A missing or broken file plays nothing, and a wait never outlasts
// its limits.
#include <QObject>
#include <chrono>
#include <memory>
#include <string>

class QSoundEffect;

namespace tessaro {

class WavePlayer : public QObject {
    Q_OBJECT
public:
    WavePlayer();
    ~WavePlayer() override;

    // `path` in Windows-1252. With `wait`, returns when the sound ended or failed.
    void DoWave(const std::string& path, bool wait);

    // Longest wait for the sound to start and to end.
    static constexpr std::chrono::milliseconds kStartLimit{5000};
    static constexpr std::chrono::milliseconds kPlayLimit{600000};

private:
    std::unique_ptr<QSoundEffect> sound_;  // the last one, kept while it plays
};

}  // namespace tessaro
