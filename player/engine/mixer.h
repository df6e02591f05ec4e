#pragma once
// TMidiMixer: the speaker's volume, mute, treble and bass and the synthesizer's volume and
// mute on the system's mixer, with cached ranges and values that follow changes made
// elsewhere. Reads and writes that fail throw EMMError.
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/mixer.h"
#include "platform/mixer_controls.h"

class QSocketNotifier;

namespace tessaro {

// Control indexes.
inline constexpr int kSynthVolume = win::kMixerSynthVolume;
inline constexpr int kSpeakerVolume = win::kMixerSpeakerVolume;
inline constexpr int kSynthMute = win::kMixerSynthMute;
inline constexpr int kSpeakerMute = win::kMixerSpeakerMute;
inline constexpr int kTreble = win::kMixerTreble;
inline constexpr int kBass = win::kMixerBass;
inline constexpr int kMixerControlCount = win::kMixerControls;

class EMMError : public std::runtime_error {
public:
    EMMError(int code, const std::string& function);
    int code() const { return code_; }

private:
    int code_;
};

// "Multimedia <category> Error <code> - <text> in <function>".
std::string MixerErrorMessage(int code, const std::string& function);
// The mixer error number for a negative errno of the sound system.
int MixerErrorCode(int negativeErrno);

class TMidiMixer;

// Told of a control whose values changed outside this mixer object.
class MixerChangeListener {
public:
    virtual ~MixerChangeListener() = default;
    virtual void OnControlChange(TMidiMixer& sender, int index) = 0;
};

class TMidiMixer {
public:
    explicit TMidiMixer(win::AudioMixerOpener& opener);
    ~TMidiMixer();
    TMidiMixer(const TMidiMixer&) = delete;
    TMidiMixer& operator=(const TMidiMixer&) = delete;

    // Nobody listens by default; the listener must outlive the mixer or be unset first.
    void SetOnControlChange(MixerChangeListener* listener) { listener_ = listener; }

    bool Active() const { return active_; }
    void SetActive(bool active);
    int MidiDeviceID() const { return midiDeviceId_; }
    void SetMidiDeviceID(int id);  // -1 or -2 the default mixer, n the card of MIDI output n

    void Loaded();  // opens now when Active is set
    void Open();
    void Close();

    bool Available(int index) const;
    std::int32_t GetMinimum(int index) const;
    std::int32_t GetMaximum(int index) const;
    std::int32_t GetValue(int index, int channel) const;  // channel 0 left, 1 right
    void SetValue(int index, int channel, std::int32_t value);
    void SetValues(int index, std::int32_t left, std::int32_t right);
    void RefreshControl(int index);
    void SetControlDetails(int index);

private:
    struct Control {
        std::string element;
        bool isMute = false;  // 1 = muted: the inverse of the element's switch
        bool available = false;
        bool uniform = false;  // one value for both channels
        std::int32_t minimum = 0, maximum = 0, left = 0, right = 0;
    };
    void FindControls();
    void MixerChanged();

    win::AudioMixerOpener& opener_;
    MixerChangeListener* listener_ = nullptr;
    std::unique_ptr<win::AudioMixer> mixer_;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers_;
    std::array<Control, kMixerControlCount> controls_{};
    bool active_ = true;
    bool opened_ = false;
    int midiDeviceId_ = -1;
};

}  // namespace tessaro
