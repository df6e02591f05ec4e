#pragma once
// Sounds on Qt Multimedia's sound effect (WAV files to the default audio output) and the
// desktop's bell.
#include <QSoundEffect>

#include "player/commands/multimedia.h"

namespace tessaro {

class QtSoundOutput : public SoundOutput {
public:
    bool Start(const std::string& path) override;
    bool Playing() override;
    void Stop() override;
    void Beep() override;

private:
    QSoundEffect effect_;
};

}  // namespace tessaro
