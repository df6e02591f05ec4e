#pragma once
// The sound commands' output: sound files through the player's sound service, and the
// desktop's bell.
#include "player/commands/multimedia.h"
#include "platform/sound.h"

namespace tessaro {

class ServiceSoundOutput : public SoundOutput {
public:
    explicit ServiceSoundOutput(std::string pluginPath = {}) : service_(std::move(pluginPath)) {}
    bool Start(const std::string& path) override;
    bool Playing() override { return service_.Playing(); }
    void Stop() override { service_.Stop(); }
    void Beep() override;

private:
    win::SoundService service_;
};

}  // namespace tessaro
