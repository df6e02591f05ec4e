#pragma once
// The multimedia dialogs: video clip (TDoAVI), audio CD (TDoCDRom), speaker (TDoVolume).
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/commands/command_form.h"

namespace tessaro {

// ---- TDoAVI ----
inline constexpr std::array<RadioChoice, 3> kAviChoices{{
    {"Immediate", "&Play Immediately", 1, cmd::VideoClipPlay, TokenKind::AviI},
    {"ExitDone", "Play &Immediately && Exit When Done", 2, cmd::VideoClipPlay, TokenKind::AviE},
    {"WaitPlay", "&Wait To Play", 3, cmd::VideoClipPlay, TokenKind::Avi},
}};

struct AviForm {
    std::int32_t Kind = 0;  // none checked plays as "Wait To Play"
    std::string ProgPath;
    bool operator==(const AviForm&) const = default;
};
struct AviFields {
    std::string AviPath;
    std::int32_t AviKind = 0;
};
AviForm AviDefaults();
AviForm AviPreset(const TVideoRec& rec);
FormResult<AviFields> BuildAvi(const AviForm& form);

// ---- TDoCDRom ----
// Kinds 1..10 in command-code order; table order is the dialog's.
inline constexpr std::array<RadioChoice, 10> kCDChoices{{
    {"CDStop", "&Stop", 2, cmd::CdStop, TokenKind::CdStop},
    {"CDGoTo", "&Go To Track", 6, cmd::CdGoToTrack, TokenKind::CdGoto},
    {"CDPause", "P&ause", 3, cmd::CdPause, TokenKind::CdPause},
    {"CDStep", "S&tep", 7, cmd::CdStep, TokenKind::CdStep},
    {"CDPlay", "&Play", 1, cmd::CdPlay, TokenKind::CdPlay},
    {"CDPrev", "P&revious Track", 5, cmd::CdPreviousTrack, TokenKind::CdPrev},
    {"CDNext", "&Next Track", 4, cmd::CdNextTrack, TokenKind::CdNext},
    {"CDEject", "&Eject", 9, cmd::CdEject, TokenKind::CdEject},
    {"CDBack", "&Back", 8, cmd::CdBack, TokenKind::CdBack},
    {"CDClose", "Close CD &Tray", 10, cmd::CdCloseTray, TokenKind::CdClose},
}};

// The number panel's label for a kind; nullptr where it is hidden.
const char* CDNumberLabel(std::int32_t kind);

struct CDForm {
    std::int32_t Kind = 0;
    std::string Track;
    bool operator==(const CDForm&) const = default;
};
struct CDFields {
    std::int32_t CDKind = 0;
    std::int32_t CDNumber = 0;
};
CDForm CDDefaults();  // play, Track "1"
CDForm CDPreset(const TCDRec& rec);
FormResult<CDFields> BuildCD(const CDForm& form);

// ---- TDoVolume ----
inline constexpr std::array<RadioChoice, 20> kVolumeChoices{{
    {"AudioOff", "Audio &Volume Off", 1, cmd::AudioVolume, TokenKind::AudOff},
    {"AudioOn", "Audio Volume On &Full", 2, cmd::AudioVolume, TokenKind::AudOn},
    {"AudioUp", "Move Audio Volume &Up", 3, cmd::AudioVolume, TokenKind::AudUp},
    {"AudioDown", "Move Audio Volume &Down", 4, cmd::AudioVolume, TokenKind::AudDown},
    {"AudioMute", "&Toggle Audio Mute", 5, cmd::AudioMuteToggle, TokenKind::AudMute},
    {"AudioLeft", "Move Audio Balance to &Left", 6, cmd::AudioBalance, TokenKind::AudLeft},
    {"AudioRight", "Move Audio Balance to &Right", 7, cmd::AudioBalance, TokenKind::AudRight},
    {"AudioCenter", "C&enter Audio Balance", 8, cmd::AudioBalance, TokenKind::AudCenter},
    {"TrebleUp", "Move Treble Volume U&p", 9, cmd::AudioTreble, TokenKind::TrebUp},
    {"TrebleDown", "Move Treble Volume Do&wn", 10, cmd::AudioTreble, TokenKind::TrebDown},
    {"MIDIOff", "&MIDI Volume Off", 11, cmd::MidiVolume, TokenKind::MidiOff},
    {"MIDIOn", "M&IDI Volume On Full", 12, cmd::MidiVolume, TokenKind::MidiOn},
    {"MIDIUp", "Move MIDI Volume Up", 13, cmd::MidiVolume, TokenKind::MidiUp},
    {"MIDIDown", "Move MIDI Volume Dow&n", 14, cmd::MidiVolume, TokenKind::MidiDown},
    {"MIDIMute", "To&ggle MIDI Mute", 15, cmd::MidiMuteToggle, TokenKind::MidiMute},
    {"MIDILeft", "Move MIDI Balance to Left", 16, cmd::MidiBalance, TokenKind::MidiLeft},
    {"MIDIRight", "Move MIDI Balance to Right", 17, cmd::MidiBalance, TokenKind::MidiRight},
    {"MIDICenter", "Center MIDI Balance", 18, cmd::MidiBalance, TokenKind::MidiCenter},
    {"BassUp", "Move &Bass Volume Up", 19, cmd::AudioBass, TokenKind::BassUp},
    {"BassDown", "Move Ba&ss Volume Down", 20, cmd::AudioBass, TokenKind::BassDown},
}};

struct VolumeFields {
    std::int32_t VolumeKind = 0;
};
FormResult<VolumeFields> BuildVolume(std::int32_t kind);

// Which of the six mixer controls (index 0..5) the audio device has.
class MixerControls {
public:
    virtual ~MixerControls() = default;
    virtual bool Available(int controlIndex) = 0;
};
// The "Audio Device" box's text: six lines, each ended by LF CR.
std::string MixerCapabilitiesText(MixerControls& mixer);

}  // namespace tessaro
