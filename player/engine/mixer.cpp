#include "player/engine/mixer.h"

#include <QSocketNotifier>
#include <cerrno>

#include "platform/mixer_controls.h"

namespace tessaro {

namespace {

const char* ErrorText(int code) {
    static const char* const kSystem[] = {
        "Unspecified error",         "Device ID out of range",
        "Driver failed enable",      "Device already allocated",
        "Device handle is invalid",  "No device driver present",
        "Memory allocation error",   "Function isn't supported",
        "Error value out of range",  "Invalid flag passed",
        "Invalid parameter passed",  "Handle being used simultaneously on another thread (eg callback)",
        "Specified alias not found", "Bad registry database",
        "Registry key not found",    "Registry read error",
        "Registry write error",      "Registry delete error",
        "Registry value not found",  "Driver does not call DriverCallback"};
    if (code >= 1 && code <= 20) return kSystem[code - 1];
    switch (code) {
        case 1024: return "Invalid Mixer Line";
        case 1025: return "Invalid Mixer Control";
        case 1026: return "Invalid Mixer Value";
        default: return "Unknown error";
    }
}

const char* Category(int code) {
    if (code >= 1 && code <= 20) return "System";
    if (code >= 1024 && code <= 1026) return "Mixer";
    return "Unknown";
}

}  // namespace

std::string MixerErrorMessage(int code, const std::string& function) {
    return std::string("Multimedia ") + Category(code) + " Error " + std::to_string(code) + " - " +
           ErrorText(code) + " in " + function;
}

int MixerErrorCode(int negativeErrno) {
    switch (-negativeErrno) {
        case ENOENT: return 1025;  // the element vanished
        case EINVAL:
        case ERANGE: return 1026;
        case EBUSY: return 4;
        case EBADFD:
        case EPIPE:
        case ECONNRESET:
        case ESHUTDOWN: return 5;
        case ENODEV:
        case ENXIO: return 6;
        case ENOMEM: return 7;
        case ENOSYS:
        case EOPNOTSUPP: return 8;
        default: return 1;
    }
}

EMMError::EMMError(int code, const std::string& function)
    : std::runtime_error(MixerErrorMessage(code, function)), code_(code) {}

TMidiMixer::TMidiMixer(win::AudioMixerOpener& opener) : opener_(opener) {}

TMidiMixer::~TMidiMixer() {
    notifiers_.clear();
    mixer_.reset();
}

void TMidiMixer::SetActive(bool active) {
    if (active)
        Open();
    else
        Close();
}

void TMidiMixer::SetMidiDeviceID(int id) {
    const bool wasActive = active_;
    Close();
    midiDeviceId_ = id;
    if (wasActive) Open();
}

void TMidiMixer::Loaded() {
    if (active_) Open();
}

void TMidiMixer::Open() {
    Close();
    active_ = true;
    int error = 0;
    mixer_ = opener_.Open(midiDeviceId_, error);
    if (!mixer_) return;  // every control stays unavailable
    opened_ = true;
    FindControls();
    for (const int fd : mixer_->PollDescriptors()) {
        auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] { MixerChanged(); });
        notifiers_.push_back(std::move(notifier));
    }
}

void TMidiMixer::Close() {
    notifiers_.clear();
    mixer_.reset();
    opened_ = false;
    active_ = false;
    controls_ = {};
}

void TMidiMixer::FindControls() {
    const auto places = win::FindMixerControls(*mixer_);
    for (int index = 0; index < kMixerControlCount; ++index) {
        const auto& place = places[std::size_t(index)];
        if (!place) continue;
        Control& c = controls_[std::size_t(index)];
        c.element = place->element;
        c.isMute = place->mute;
        c.available = true;
        c.uniform = place->found.mono;
        c.minimum = place->mute ? 0 : std::int32_t(place->found.minimum);
        c.maximum = place->mute ? 1 : std::int32_t(place->found.maximum);
        RefreshControl(index);
    }
}

bool TMidiMixer::Available(int index) const {
    return index >= 0 && index < kMixerControlCount && controls_[std::size_t(index)].available;
}

std::int32_t TMidiMixer::GetMinimum(int index) const {
    return Available(index) ? controls_[std::size_t(index)].minimum : 0;
}

std::int32_t TMidiMixer::GetMaximum(int index) const {
    return Available(index) ? controls_[std::size_t(index)].maximum : 0;
}

std::int32_t TMidiMixer::GetValue(int index, int channel) const {
    if (index < 0 || index >= kMixerControlCount) return 0;
    const Control& c = controls_[std::size_t(index)];
    return channel == 0 ? c.left : c.right;
}

void TMidiMixer::SetValue(int index, int channel, std::int32_t value) {
    if (!Available(index)) return;
    Control& c = controls_[std::size_t(index)];
    std::int32_t& slot = channel == 0 ? c.left : c.right;
    if (slot == value) return;
    slot = value;
    SetControlDetails(index);
}

void TMidiMixer::SetValues(int index, std::int32_t left, std::int32_t right) {
    if (!Available(index)) return;
    Control& c = controls_[std::size_t(index)];
    c.left = left;
    c.right = right;
    SetControlDetails(index);
}

void TMidiMixer::RefreshControl(int index) {
    if (index < 0 || index >= kMixerControlCount) return;
    Control& c = controls_[std::size_t(index)];
    if (!c.available || !mixer_) {
        c.left = c.right = 0;
        return;
    }
    std::int32_t values[2] = {0, 0};
    const int channels = c.uniform ? 1 : 2;
    for (int ch = 0; ch < channels; ++ch) {
        int rc = 0;
        if (c.isMute) {
            bool on = true;
            rc = mixer_->GetSwitch(c.element, ch, on);
            values[ch] = on ? 0 : 1;
        } else {
            long v = 0;
            rc = mixer_->GetVolume(c.element, ch, v);
            values[ch] = std::int32_t(v);
        }
        if (rc < 0) throw EMMError(MixerErrorCode(rc), "mixerGetControlDetails");
    }
    c.left = values[0];
    c.right = c.uniform ? values[0] : values[1];
}

void TMidiMixer::SetControlDetails(int index) {
    if (!Available(index) || !mixer_) return;
    const Control& c = controls_[std::size_t(index)];
    const int channels = c.uniform ? 1 : 2;
    for (int ch = 0; ch < channels; ++ch) {
        const std::int32_t value = ch == 0 ? c.left : c.right;
        const int rc =
            c.isMute ? mixer_->SetSwitch(c.element, ch, value == 0) : mixer_->SetVolume(c.element, ch, value);
        if (rc < 0) throw EMMError(MixerErrorCode(rc), "mixerSetControlDetails");
    }
}

void TMidiMixer::MixerChanged() {
    if (!mixer_) return;
    if (mixer_->HandleEvents() < 0) {
        notifiers_.clear();  // the device went away: no more notifications to wait for
        return;
    }
    for (int index = 0; index < kMixerControlCount; ++index) {
        Control& c = controls_[std::size_t(index)];
        if (!c.available) continue;
        const std::int32_t left = c.left, right = c.right;
        try {
            RefreshControl(index);
        } catch (const EMMError&) {
            continue;  // read again by the next command, which reports it
        }
        if ((c.left != left || c.right != right) && listener_) listener_->OnControlChange(*this, index);
    }
}

}  // namespace tessaro
