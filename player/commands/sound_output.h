#pragma once
// The sound commands' output: sound files through the player's sound service, and the
// desktop's bell.
#include "player/commands/multimedia.h"
#include "platform/platform.h"
#include "platform/sound.h"

namespace tessaro {

class ServiceSoundOutput : public SoundOutput {
public:
    // `bell` rings the desktop's bell.
    explicit ServiceSoundOutput(win::Platform& bell, std::string pluginPath = {})
        : bell_(bell), service_(std::move(pluginPath)) {}
    bool Start(const std::string& path) override;
    bool Playing() override { return service_.Playing(); }
    void Stop() override { service_.Stop(); }
    void Beep() override;

private:
    win::Platform& bell_;
    win::SoundService service_;
};

}  // namespace tessaro
