#include "player/commands/sound_output.h"

namespace tessaro {

bool ServiceSoundOutput::Start(const std::string& path) {
    switch (service_.Start(path)) {
        case win::SoundStart::Started: return true;
        case win::SoundStart::NoFile: return false;
        case win::SoundStart::Unavailable: throw SoundUnavailable(service_.Unavailable());
    }
    return false;
}

void ServiceSoundOutput::Beep() { bell_.Bell(); }

}  // namespace tessaro
