#include "player/commands/multimedia.h"

#include <algorithm>

#include "platform/cp1252.h"
#include "player/commands/cd_position.h"
#include "player/commands/mixer_steps.h"
#include "player/engine/macro_player.h"
#include "player/engine/mixer.h"

namespace tessaro {

namespace {

using K = TokenKind;

constexpr int kWavePollMs = 10;

std::string PathArg(const Token& token) {
    return token.args.empty() ? std::string() : win::Cp1252ToUtf8(token.args.back());
}

struct LevelCommand {
    K kind;
    int index;
    LevelAction action;
};

constexpr LevelCommand kLevels[] = {
    {K::AudOff, kSpeakerVolume, LevelAction::Off},       {K::AudOn, kSpeakerVolume, LevelAction::On},
    {K::AudUp, kSpeakerVolume, LevelAction::Up},         {K::AudDown, kSpeakerVolume, LevelAction::Down},
    {K::AudLeft, kSpeakerVolume, LevelAction::Left},     {K::AudRight, kSpeakerVolume, LevelAction::Right},
    {K::AudCenter, kSpeakerVolume, LevelAction::Center}, {K::MidiOff, kSynthVolume, LevelAction::Off},
    {K::MidiOn, kSynthVolume, LevelAction::On},          {K::MidiUp, kSynthVolume, LevelAction::Up},
    {K::MidiDown, kSynthVolume, LevelAction::Down},      {K::MidiLeft, kSynthVolume, LevelAction::Left},
    {K::MidiRight, kSynthVolume, LevelAction::Right},    {K::MidiCenter, kSynthVolume, LevelAction::Center},
};

const LevelCommand* FindLevel(K kind) {
    for (const LevelCommand& c : kLevels)
        if (c.kind == kind) return &c;
    return nullptr;
}

}  // namespace

std::string MissingPluginText(const std::string& name, const std::string& what) {
    return "The file \"" + name + "\" cannot be played: the media framework lacks a plug-in (" + what + ").";
}

MultimediaCommands::MultimediaCommands(MultimediaDevices devices) : devices_(devices) {}
MultimediaCommands::~MultimediaCommands() = default;

TMidiMixer& MultimediaCommands::OpenMixer() {
    if (!mixer_) {
        mixer_ = std::make_unique<TMidiMixer>(devices_.mixers);
        mixer_->SetMidiDeviceID(-1);
        mixer_->Loaded();
    }
    return *mixer_;
}

CommandOutcome MultimediaCommands::Run(MacroPlayer& player, const CommandToken& command) {
    const Token& token = command.token;
    try {
        switch (token.kind) {
            case K::Wav1: PlaySound(player, PathArg(token), true); break;
            case K::Wav2: PlaySound(player, PathArg(token), false); break;
            case K::Beep: devices_.sound.Beep(); break;
            case K::Avi: devices_.video.PlayVideo(PathArg(token), 3, player); break;
            case K::AviI: devices_.video.PlayVideo(PathArg(token), 1, player); break;
            case K::AviE: devices_.video.PlayVideo(PathArg(token), 2, player); break;
            case K::AudMute: Mute(kSpeakerMute, audioMuted_); break;
            case K::MidiMute: Mute(kSynthMute, midiMuted_); break;
            case K::TrebUp:
            case K::TrebDown:
            case K::BassUp:
            case K::BassDown: Tone(player, token.kind); break;
            case K::CdPlay:
            case K::CdStop:
            case K::CdPause:
            case K::CdNext:
            case K::CdPrev:
            case K::CdGoto:
            case K::CdStep:
            case K::CdBack:
            case K::CdEject:
            case K::CdClose: Cd(token); break;
            default:
                if (FindLevel(token.kind)) Level(player, token.kind);
                break;
        }
    } catch (const EMMError& error) {
        // The macro goes on; the sound system's own failure is the user's to see.
        player.services().windows.DoAMessage("Macro Error", error.what());
    } catch (const SoundUnavailable& error) {
        player.services().windows.DoAMessage("Multimedia Error", error.what());
    }
    return CommandOutcome::Done;
}

void MultimediaCommands::PlaySound(MacroPlayer& player, const std::string& path, bool wait) {
    SoundOutput& sound = devices_.sound;
    if (!sound.Start(path) || !wait) return;
    PlaybackClock& clock = player.services().clock;
    while (sound.Playing()) {
        if (player.Aborted()) {
            sound.Stop();
            return;
        }
        clock.PumpMessages();
        clock.Sleep(kWavePollMs);
    }
}

// Refusals of the drive are not reported, as with every CD command.
void MultimediaCommands::Cd(const Token& token) {
    if (!cd_) cd_ = devices_.cds.Open();
    if (!cd_) return;
    win::CdAudio& cd = *cd_;
    switch (token.kind) {
        case K::CdStop:
            cd.Stop();
            cd_.reset();
            return;
        case K::CdPause: cd.Pause(); return;
        case K::CdEject:
            cd.Eject();
            cd_.reset();
            return;
        case K::CdClose: cd.CloseTray(); return;
        default: break;
    }
    win::CdAudio::Toc toc;
    win::CdAudio::Position now;
    if (!cd.ReadToc(toc) || !cd.ReadPosition(now)) return;
    const CdLayout disc{toc.firstTrack, toc.starts};
    const long end = toc.starts.back();
    const auto playTrack = [&](int track) {
        if (track >= disc.firstTrack && track <= disc.lastTrack())
            cd.Play(toc.starts[std::size_t(track - disc.firstTrack)], end);
    };
    const int track = now.track > 0 ? now.track : TmsfOf(disc, now.frame).track;
    switch (token.kind) {
        case K::CdPlay:
            if (now.paused)
                cd.Resume();
            else
                cd.Play(std::clamp(now.frame, toc.starts.front(), end - 1), end);
            break;
        case K::CdNext: playTrack(track + 1); break;
        case K::CdPrev: playTrack(std::max(track - 1, disc.firstTrack)); break;
        case K::CdGoto: playTrack(int(ArgInt(token.args.empty() ? "" : token.args[0]))); break;
        case K::CdStep:
        case K::CdBack: {
            const int seconds = int(ArgInt(token.args.empty() ? "" : token.args[0]));
            const CdTmsf to =
                StepCdPosition(disc, TmsfOf(disc, now.frame), token.kind == K::CdStep ? seconds : -seconds);
            cd.Play(AbsoluteFrameOf(disc, to), end);
            break;
        }
        default: break;
    }
}

void MultimediaCommands::Level(MacroPlayer& player, TokenKind kind) {
    const LevelCommand& command = *FindLevel(kind);
    TMidiMixer& mixer = OpenMixer();
    if (!mixer.Available(command.index)) {
        player.services().windows.DoAMessage("Macro Error",
                                             std::string(command.index == kSpeakerVolume ? "Audio" : "MIDI") +
                                                 " volume control is not supported by your Audio Device.");
        return;
    }
    const MixerRange range{mixer.GetMinimum(command.index), mixer.GetMaximum(command.index)};
    const StereoLevel now{mixer.GetValue(command.index, 0), mixer.GetValue(command.index, 1)};
    if (const auto next = AdjustLevel(command.action, range, now))
        mixer.SetValues(command.index, next->left, next->right);
}

void MultimediaCommands::Tone(MacroPlayer& player, TokenKind kind) {
    const bool treble = kind == K::TrebUp || kind == K::TrebDown;
    const int index = treble ? kTreble : kBass;
    TMidiMixer& mixer = OpenMixer();
    if (!mixer.Available(index)) {
        player.services().windows.DoAMessage("Macro Error",
                                             std::string(treble ? "Treble" : "Bass") +
                                                 " volume control is not supported by your Audio Device.");
        return;
    }
    const MixerRange range{mixer.GetMinimum(index), mixer.GetMaximum(index)};
    const bool up = kind == K::TrebUp || kind == K::BassUp;
    if (const auto value = AdjustTone(up, range, mixer.GetValue(index, 0)))
        mixer.SetValues(index, *value, *value);
}

void MultimediaCommands::Mute(int index, bool& muted) {
    TMidiMixer& mixer = OpenMixer();
    if (mixer.Available(index)) {
        // Both channels: a mute that silences only the left speaker is no mute.
        const std::int32_t value = muted ? mixer.GetMinimum(index) : mixer.GetMaximum(index);
        mixer.SetValues(index, value, value);
    }
    muted = !muted;
}

}  // namespace tessaro
