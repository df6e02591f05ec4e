// libtesmixer.so: ALSA's simple mixer. The "default" mixer follows the user's sound server
// where the ALSA configuration routes it there.
#include <alsa/asoundlib.h>

#include <cerrno>

#include "platform/mixer.h"

namespace win {

namespace {

struct MixerCloser {
    void operator()(snd_mixer_t* m) const { snd_mixer_close(m); }
};

snd_mixer_selem_channel_id_t Channel(int channel) {
    return channel == 0 ? SND_MIXER_SCHN_FRONT_LEFT : SND_MIXER_SCHN_FRONT_RIGHT;
}

class AlsaMixer : public AudioMixer {
public:
    explicit AlsaMixer(std::unique_ptr<snd_mixer_t, MixerCloser> mixer) : mixer_(std::move(mixer)) {}

    std::optional<Element> Find(const std::string& name) override {
        snd_mixer_elem_t* e = Lookup(name);
        if (!e) return std::nullopt;
        Element out;
        out.hasVolume = snd_mixer_selem_has_playback_volume(e);
        out.hasSwitch = snd_mixer_selem_has_playback_switch(e);
        out.mono = snd_mixer_selem_is_playback_mono(e);
        if (out.hasVolume)
            snd_mixer_selem_get_playback_volume_range(e, &out.minimum, &out.maximum);
        else
            out.maximum = 1;
        return out;
    }
    int GetVolume(const std::string& name, int channel, long& value) override {
        snd_mixer_elem_t* e = Lookup(name);
        return e ? snd_mixer_selem_get_playback_volume(e, ChannelOf(e, channel), &value) : -ENOENT;
    }
    int SetVolume(const std::string& name, int channel, long value) override {
        snd_mixer_elem_t* e = Lookup(name);
        return e ? snd_mixer_selem_set_playback_volume(e, ChannelOf(e, channel), value) : -ENOENT;
    }
    int GetSwitch(const std::string& name, int channel, bool& on) override {
        snd_mixer_elem_t* e = Lookup(name);
        if (!e) return -ENOENT;
        int value = 0;
        const int rc = snd_mixer_selem_get_playback_switch(e, ChannelOf(e, channel), &value);
        on = value != 0;
        return rc;
    }
    int SetSwitch(const std::string& name, int channel, bool on) override {
        snd_mixer_elem_t* e = Lookup(name);
        return e ? snd_mixer_selem_set_playback_switch(e, ChannelOf(e, channel), on ? 1 : 0) : -ENOENT;
    }
    std::vector<int> PollDescriptors() override {
        const int count = snd_mixer_poll_descriptors_count(mixer_.get());
        if (count <= 0) return {};
        std::vector<pollfd> fds(static_cast<std::size_t>(count));
        const int got = snd_mixer_poll_descriptors(mixer_.get(), fds.data(), unsigned(count));
        std::vector<int> out;
        for (int i = 0; i < got; ++i) out.push_back(fds[std::size_t(i)].fd);
        return out;
    }
    int HandleEvents() override {
        const int rc = snd_mixer_handle_events(mixer_.get());
        return rc < 0 ? rc : 0;
    }

private:
    snd_mixer_elem_t* Lookup(const std::string& name) {
        snd_mixer_selem_id_t* id = nullptr;
        snd_mixer_selem_id_alloca(&id);
        snd_mixer_selem_id_set_name(id, name.c_str());
        snd_mixer_selem_id_set_index(id, 0);
        return snd_mixer_find_selem(mixer_.get(), id);
    }
    static snd_mixer_selem_channel_id_t ChannelOf(snd_mixer_elem_t* e, int channel) {
        return snd_mixer_selem_is_playback_mono(e) ? SND_MIXER_SCHN_MONO : Channel(channel);
    }
    std::unique_ptr<snd_mixer_t, MixerCloser> mixer_;
};

// The card that holds MIDI output `index`, counted over every card's output devices.
std::string MidiOutputCard(int index) {
    int seen = 0;
    for (int card = -1; snd_card_next(&card) == 0 && card >= 0;) {
        const std::string name = "hw:" + std::to_string(card);
        snd_ctl_t* ctl = nullptr;
        if (snd_ctl_open(&ctl, name.c_str(), 0) < 0) continue;
        for (int device = -1; snd_ctl_rawmidi_next_device(ctl, &device) == 0 && device >= 0;) {
            snd_rawmidi_info_t* info = nullptr;
            snd_rawmidi_info_alloca(&info);
            snd_rawmidi_info_set_device(info, unsigned(device));
            snd_rawmidi_info_set_stream(info, SND_RAWMIDI_STREAM_OUTPUT);
            if (snd_ctl_rawmidi_info(ctl, info) < 0) continue;
            if (seen++ == index) {
                snd_ctl_close(ctl);
                return name;
            }
        }
        snd_ctl_close(ctl);
    }
    return {};
}

class AlsaOpener : public AudioMixerOpener {
public:
    std::unique_ptr<AudioMixer> Open(int midiDeviceId, int& error) override {
        const std::string device = midiDeviceId < 0 ? "default" : MidiOutputCard(midiDeviceId);
        if (device.empty()) {
            error = -ENODEV;
            return nullptr;
        }
        snd_mixer_t* raw = nullptr;
        if ((error = snd_mixer_open(&raw, 0)) < 0) return nullptr;
        std::unique_ptr<snd_mixer_t, MixerCloser> mixer(raw);
        if ((error = snd_mixer_attach(mixer.get(), device.c_str())) < 0 ||
            (error = snd_mixer_selem_register(mixer.get(), nullptr, nullptr)) < 0 ||
            (error = snd_mixer_load(mixer.get())) < 0)
            return nullptr;
        error = 0;
        return std::make_unique<AlsaMixer>(std::move(mixer));
    }
};

}  // namespace

}  // namespace win

// The plugin's entry (mixer_loader.cpp): the caller owns the opener.
extern "C" __attribute__((visibility("default"))) win::AudioMixerOpener* TessaroAlsaMixerOpener() {
    return new win::AlsaOpener();
}
