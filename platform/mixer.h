#pragma once
// The system's audio mixer: named elements with a playback volume and a playback switch,
// per channel. Every call answers 0 or a negative errno; an element that vanished answers
// -ENOENT. Change notifications arrive on the poll descriptors; HandleEvents takes them in.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace win {

class AudioMixer {
public:
    struct Element {
        bool hasVolume = false;
        bool hasSwitch = false;
        bool mono = false;  // one value for every channel
        long minimum = 0;
        long maximum = 0;
    };
    virtual ~AudioMixer() = default;
    virtual std::optional<Element> Find(const std::string& name) = 0;
    virtual int GetVolume(const std::string& name, int channel, long& value) = 0;
    virtual int SetVolume(const std::string& name, int channel, long value) = 0;
    virtual int GetSwitch(const std::string& name, int channel, bool& on) = 0;
    virtual int SetSwitch(const std::string& name, int channel, bool on) = 0;
    virtual std::vector<int> PollDescriptors() = 0;
    virtual int HandleEvents() = 0;
};

// Opens mixers: id -1 or -2 the "default" mixer, n >= 0 the mixer of the card that holds
// MIDI output n.
class AudioMixerOpener {
public:
    virtual ~AudioMixerOpener() = default;
    // Nothing, with a negative errno in `error`, when there is no such mixer.
    virtual std::unique_ptr<AudioMixer> Open(int midiDeviceId, int& error) = 0;
};

// The machine's sound system (ALSA, in a plugin loaded by the first Open).
std::unique_ptr<AudioMixerOpener> SystemMixerOpener();

}  // namespace win
