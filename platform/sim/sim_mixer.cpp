#include "platform/sim/sim_mixer.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace win::sim {

namespace {

// The opener's product refers to the test's mixer, which outlives it.
class Borrowed : public AudioMixer {
public:
    explicit Borrowed(SimMixer& m) : m_(m) {}
    std::optional<Element> Find(const std::string& n) override { return m_.Find(n); }
    int GetVolume(const std::string& n, int c, long& v) override { return m_.GetVolume(n, c, v); }
    int SetVolume(const std::string& n, int c, long v) override { return m_.SetVolume(n, c, v); }
    int GetSwitch(const std::string& n, int c, bool& on) override { return m_.GetSwitch(n, c, on); }
    int SetSwitch(const std::string& n, int c, bool on) override { return m_.SetSwitch(n, c, on); }
    std::vector<int> PollDescriptors() override { return m_.PollDescriptors(); }
    int HandleEvents() override { return m_.HandleEvents(); }

private:
    SimMixer& m_;
};

}  // namespace

SimMixer::SimMixer() : event_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

void SimMixer::Add(const std::string& name, const Element& element, long left, long right) {
    State s;
    s.element = element;
    s.volume[0] = left;
    s.volume[1] = element.mono ? left : right;
    elements_[name] = s;
}

void SimMixer::Remove(const std::string& name) { elements_.erase(name); }

void SimMixer::ChangeElsewhere(const std::string& name, int channel, long volume) {
    if (State* s = state(name)) {
        s->volume[s->element.mono ? 0 : channel] = volume;
        if (s->element.mono) s->volume[1] = volume;
    }
    const std::uint64_t one = 1;
    (void)::write(event_.get(), &one, sizeof one);
}

SimMixer::State* SimMixer::state(const std::string& name) {
    const auto it = elements_.find(name);
    return it == elements_.end() ? nullptr : &it->second;
}

SimMixer::State* SimMixer::Channel(const std::string& name, int channel, int& rc) {
    rc = failWith;
    if (rc) return nullptr;
    State* s = state(name);
    if (!s)
        rc = -ENOENT;
    else if (channel < 0 || channel > 1)
        rc = -EINVAL;
    return rc ? nullptr : s;
}

std::optional<AudioMixer::Element> SimMixer::Find(const std::string& name) {
    if (const State* s = state(name)) return s->element;
    return std::nullopt;
}

int SimMixer::GetVolume(const std::string& name, int channel, long& value) {
    int rc = 0;
    if (State* s = Channel(name, channel, rc)) value = s->volume[s->element.mono ? 0 : channel];
    return rc;
}

int SimMixer::SetVolume(const std::string& name, int channel, long value) {
    int rc = 0;
    if (State* s = Channel(name, channel, rc)) {
        ++writes;
        if (s->element.mono)
            s->volume[0] = s->volume[1] = value;
        else
            s->volume[channel] = value;
    }
    return rc;
}

int SimMixer::GetSwitch(const std::string& name, int channel, bool& on) {
    int rc = 0;
    if (State* s = Channel(name, channel, rc)) on = s->on[s->element.mono ? 0 : channel];
    return rc;
}

int SimMixer::SetSwitch(const std::string& name, int channel, bool on) {
    int rc = 0;
    if (State* s = Channel(name, channel, rc)) {
        ++writes;
        if (s->element.mono)
            s->on[0] = s->on[1] = on;
        else
            s->on[channel] = on;
    }
    return rc;
}

std::vector<int> SimMixer::PollDescriptors() { return {event_.get()}; }

int SimMixer::HandleEvents() {
    std::uint64_t count = 0;
    (void)::read(event_.get(), &count, sizeof count);
    return failWith;
}

std::unique_ptr<AudioMixer> SimMixerOpener::Open(int midiDeviceId, int& error) {
    lastDeviceId = midiDeviceId;
    if (!mixer_) {
        error = error_;
        return nullptr;
    }
    error = 0;
    return std::make_unique<Borrowed>(*mixer_);
}

}  // namespace win::sim
