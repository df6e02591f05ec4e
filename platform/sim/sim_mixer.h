#pragma once
// A mixer held in memory for tests: elements are added, changed "from elsewhere" (which
// wakes the poll descriptor like a real change) and removed; every write is counted.
#include <map>
#include <memory>

#include "platform/file_io.h"
#include "platform/mixer.h"

namespace win::sim {

class SimMixer : public AudioMixer {
public:
    struct State {
        Element element;
        long volume[2] = {0, 0};
        bool on[2] = {true, true};
    };

    SimMixer();
    void Add(const std::string& name, const Element& element, long left, long right);
    void Remove(const std::string& name);
    // A change made by another program: the values change and a notification is due.
    void ChangeElsewhere(const std::string& name, int channel, long volume);
    State* state(const std::string& name);
    int writes = 0;
    int failWith = 0;  // when nonzero, every read and write answers it

    std::optional<Element> Find(const std::string& name) override;
    int GetVolume(const std::string& name, int channel, long& value) override;
    int SetVolume(const std::string& name, int channel, long value) override;
    int GetSwitch(const std::string& name, int channel, bool& on) override;
    int SetSwitch(const std::string& name, int channel, bool on) override;
    std::vector<int> PollDescriptors() override;
    int HandleEvents() override;

private:
    State* Channel(const std::string& name, int channel, int& rc);
    std::map<std::string, State> elements_;
    UniqueFd event_;
};

// Hands out one test-owned mixer (or none: the open fails with `error`).
class SimMixerOpener : public AudioMixerOpener {
public:
    explicit SimMixerOpener(SimMixer* mixer, int error = -ENODEV) : mixer_(mixer), error_(error) {}
    std::unique_ptr<AudioMixer> Open(int midiDeviceId, int& error) override;
    int lastDeviceId = 0;

private:
    SimMixer* mixer_;
    int error_;
};

}  // namespace win::sim
