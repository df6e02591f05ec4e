#pragma once
// Where the six controls of the speaker and the synthesiser lie on a mixer. The player drives
// them and the editor reports which exist; both find them here, so they always agree.
#include <array>
#include <optional>
#include <string>

#include "platform/mixer.h"

namespace win {

// Control indexes, as the mixer commands number them.
inline constexpr int kMixerSynthVolume = 0;
inline constexpr int kMixerSpeakerVolume = 1;
inline constexpr int kMixerSynthMute = 2;
inline constexpr int kMixerSpeakerMute = 3;
inline constexpr int kMixerTreble = 4;
inline constexpr int kMixerBass = 5;
inline constexpr int kMixerControls = 6;

struct MixerControlPlace {
    std::string element;
    bool mute = false;  // the element's switch, inverted; else its volume
    AudioMixer::Element found;
};

// The speaker is the first of "Master", "Speaker" and "PCM" the mixer has, and treble and
// bass count only beside it; the synthesiser is "Synth". A control the mixer lacks is empty.
std::array<std::optional<MixerControlPlace>, kMixerControls> FindMixerControls(AudioMixer& mixer);

}  // namespace win
