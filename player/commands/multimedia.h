#pragma once
// The multimedia commands: sounds, video clips, volume, balance, tone and mute on the
// mixer (opened on first use), and the audio CD.
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/cdrom.h"
#include "platform/mixer.h"
#include "player/engine/command_family.h"

namespace tessaro {

class TMidiMixer;

// Thrown when no sound can be played on this computer; what() is the user's text.
class SoundUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One sound at a time: starting one stops the one before.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // False when the file cannot be played (missing, not a sound): nothing plays then.
    // Throws SoundUnavailable when sounds cannot be played here at all.
    virtual bool Start(const std::string& path) = 0;
    virtual bool Playing() = 0;
    virtual void Stop() = 0;
    virtual void Beep() = 0;  // the desktop's bell
};

// The player's video window: 1 plays at once, 2 plays to the end and closes, 3 waits for
// the user. Returns when the window closes, which an abort of `macro` does too.
class VideoWindow {
public:
    virtual ~VideoWindow() = default;
    virtual void PlayVideo(const std::string& path, int mode, const MacroPlayer& macro) = 0;
};

// "The file "<name>" cannot be played: the media framework lacks a plug-in (<what>)."
std::string MissingPluginText(const std::string& name, const std::string& what);

struct MultimediaDevices {
    win::AudioMixerOpener& mixers;
    SoundOutput& sound;
    VideoWindow& video;
    win::CdDrives& cds;
};

class MultimediaCommands : public CommandFamily {
public:
    explicit MultimediaCommands(MultimediaDevices devices);
    ~MultimediaCommands() override;
    CommandOutcome Run(MacroPlayer& player, const CommandToken& token) override;

private:
    TMidiMixer& OpenMixer();
    void Level(MacroPlayer& player, TokenKind kind);
    void Tone(MacroPlayer& player, TokenKind kind);
    void Mute(int index, bool& muted);
    void PlaySound(MacroPlayer& player, const std::string& path, bool wait);
    void Cd(const Token& token);

    MultimediaDevices devices_;
    std::unique_ptr<TMidiMixer> mixer_;
    std::unique_ptr<win::CdAudio> cd_;  // opened by the first CD command that finds a drive
    bool audioMuted_ = false;
    bool midiMuted_ = false;
};

}  // namespace tessaro
