#include <dlfcn.h>

#include <cerrno>

#include "platform/mixer.h"
#include "platform/paths.h"

namespace win {

namespace {

struct LibraryCloser {
    void operator()(void* handle) const { ::dlclose(handle); }
};

struct MixerPlugin {
    std::unique_ptr<void, LibraryCloser> library;
    std::unique_ptr<AudioMixerOpener> opener;
};

// Loaded once, on first use, and kept: mixers it opened may live as long as the program.
AudioMixerOpener* LoadedOpener() {
    static const MixerPlugin plugin = [] {
        MixerPlugin p;
        const std::string path = JoinPath(ExecutableDirectory(), "libtesmixer.so");
        p.library.reset(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
        using Entry = AudioMixerOpener* (*)();
        const auto entry =
            p.library ? reinterpret_cast<Entry>(::dlsym(p.library.get(), "TessaroAlsaMixerOpener")) : nullptr;
        if (entry) p.opener.reset(entry());
        return p;
    }();
    return plugin.opener.get();
}

class LoadingOpener : public AudioMixerOpener {
public:
    std::unique_ptr<AudioMixer> Open(int midiDeviceId, int& error) override {
        AudioMixerOpener* opener = LoadedOpener();
        if (!opener) {
            error = -ELIBACC;  // the mixer plugin or the sound library is not installed
            return nullptr;
        }
        return opener->Open(midiDeviceId, error);
    }
};

}  // namespace

std::unique_ptr<AudioMixerOpener> SystemMixerOpener() { return std::make_unique<LoadingOpener>(); }

}  // namespace win
