#include "platform/mixer_controls.h"

namespace win {

namespace {

constexpr const char* kSpeakerElements[] = {"Master", "Speaker", "PCM"};

}  // namespace

std::array<std::optional<MixerControlPlace>, kMixerControls> FindMixerControls(AudioMixer& mixer) {
    std::array<std::optional<MixerControlPlace>, kMixerControls> places;
    auto take = [&](int index, const char* element, bool mute) {
        const auto found = mixer.Find(element);
        if (!found || !(mute ? found->hasSwitch : found->hasVolume)) return;
        places[static_cast<std::size_t>(index)] = MixerControlPlace{element, mute, *found};
    };
    for (const char* speaker : kSpeakerElements) {
        const auto found = mixer.Find(speaker);
        if (!found || !(found->hasVolume || found->hasSwitch)) continue;
        take(kMixerSpeakerVolume, speaker, false);
        take(kMixerSpeakerMute, speaker, true);
        take(kMixerTreble, "Treble", false);
        take(kMixerBass, "Bass", false);
        break;
    }
    take(kMixerSynthVolume, "Synth", false);
    take(kMixerSynthMute, "Synth", true);
    return places;
}

}  // namespace win
