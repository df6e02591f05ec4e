#pragma once
// Sound files (WAV to the default audio output) for both programs. The sound code lives in
// a plugin (libtessound.so beside the programs) loaded the first time a sound is played,
// so the audio libraries are mapped only when one is.
#include <QString>
#include <QtPlugin>
#include <memory>
#include <string>

namespace win {

// One sound at a time: starting one stops the one before. Played while the event loop runs.
class SoundChannel {
public:
    virtual ~SoundChannel() = default;
    // `file` is an absolute path to an existing file; one that is no sound never plays.
    virtual void Start(const QString& file) = 0;
    // True while the sound is loading or playing.
    virtual bool Playing() = 0;
    virtual void Stop() = 0;
};

class SoundPlugin {
public:
    virtual ~SoundPlugin() = default;
    virtual std::unique_ptr<SoundChannel> CreateChannel() = 0;
};

enum class SoundStart { Started, NoFile, Unavailable };

class SoundService {
public:
    // `pluginPath` empty: the plugin beside the program.
    explicit SoundService(std::string pluginPath = {});
    ~SoundService();

    // `utf8Path` names the file. NoFile when there is no such file (nothing plays);
    // Unavailable when sounds cannot be played here (see Unavailable()).
    SoundStart Start(const std::string& utf8Path);
    bool Playing();
    void Stop();
    // Empty until a sound was asked for and the plugin could not be loaded; then the
    // user's text saying why.
    const std::string& Unavailable() const { return error_; }

private:
    SoundChannel* Channel();

    std::string pluginPath_;
    std::unique_ptr<SoundChannel> channel_;
    std::string error_;
};

}  // namespace win

#define TessaroSoundPlugin_iid "org.tessaro.SoundPlugin/1"
Q_DECLARE_INTERFACE(win::SoundPlugin, TessaroSoundPlugin_iid)
