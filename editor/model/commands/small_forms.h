#pragma once
// The small dialogs: sounds (TDoSound), the pause window (TDoPausePos), another macro
// file (TDoSwap), remarks (TDoRemark), held modifier keys (TDoKeyUpDown) and web or FTP
// addresses (TDoWebStuff).
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/commands/command_form.h"
#include "foundation/config_record.h"

namespace tessaro {

// ---- TDoSound ----
inline constexpr std::array<RadioChoice, 2> kSoundChoices{{
    {"Beep", "&Beep", 1, cmd::SoundBeep, TokenKind::Beep},
    {"WaveFile", "&Wave File", 2, cmd::SoundWaveFile, TokenKind::None},  // WAV1 or WAV2
}};
inline constexpr const char* kNoWaveFile = "Specified WAV File does not exist.  Please correct.";

struct SoundForm {
    std::int32_t Kind = 1;
    std::string ProgPath;
    bool WaitFor = false;
};
struct SoundFields {
    std::int32_t SoundKind = 0;
    std::string WaveFileName;
    bool WaitForWave = false;
};
SoundForm SoundDefaults();
SoundForm SoundPreset(const TSoundRec& rec);
FormResult<SoundFields> BuildSound(const SoundForm& form);
// The scheduler's alarm: the form from the settings, and OK writing them back (no command).
SoundForm AlarmPreset(const TConfigRecord& settings);
std::optional<FormError> StoreAlarm(const SoundForm& form, TConfigRecord& settings);

// ---- TDoPausePos ----
inline constexpr std::array<RadioChoice, 2> kPauseChoices{{
    {"BasicPause", "&Basic Pause", 1, cmd::Pause, TokenKind::PauseBasic},
    {"ComplexPause", "Complex &Pause", 2, cmd::Pause, TokenKind::Pause},
}};
struct PauseForm {
    std::int32_t Kind = 2;
    std::string TopCoord = "0", LeftCoord = "0", PauseMessage;
};
struct PauseFields {
    std::int32_t PauseKind = 0, PauseSecond = 0, PauseFirst = 0;
    std::string PauseText;
};
PauseForm PauseDefaults();
PauseForm PausePreset(const TPauseRec& rec);  // the first number of the token is the top
FormResult<PauseFields> BuildPause(const PauseForm& form);

// ---- TDoSwap ----
struct SwapFields {
    std::string SwapFileName;
};
FormResult<SwapFields> BuildSwap(const std::string& progPath);

// ---- TDoRemark ----
struct RemarkFields {};
FormResult<RemarkFields> BuildRemark(const std::string& comments);

// ---- TDoKeyUpDown ----
inline constexpr std::array<RadioChoice, 8> kKeyUpDownChoices{{
    {"CtrlDown", "C&ontrol Key Down", 1, cmd::ControlKey, TokenKind::CtlD},
    {"CtrlUp", "Co&ntrol Key Up", 2, cmd::ControlKey, TokenKind::CtlU},
    {"AltDown", "&Alt Key Down", 3, cmd::AltKey, TokenKind::AltD},
    {"AltUp", "A&lt Key Up", 4, cmd::AltKey, TokenKind::AltU},
    {"ShiftDown", "&Shift Key Down", 5, cmd::ShiftKey, TokenKind::ShfD},
    {"ShiftUp", "S&hift Key Up", 6, cmd::ShiftKey, TokenKind::ShfU},
    {"WinDown", "&Win Key Down", 7, cmd::WinKey, TokenKind::WinD},
    {"WinUp", "W&in Key Up", 8, cmd::WinKey, TokenKind::WinU},
}};
struct KeyUpDownFields {
    std::int32_t KeyKind = 0;
};
FormResult<KeyUpDownFields> BuildKeyUpDown(std::int32_t kind);

// ---- TDoWebStuff ----
struct WebLook {
    const char* caption;
    const char* label;
    const char* start;  // the field of a new command
};
WebLook WebLookOf(bool isFtp);
struct WebFields {
    std::string WebAddress;
};
// `stored` is the address of the line being edited: confirmed unchanged, it stays as it was
// written (a web address of another editor gets no "http://" put in front).
FormResult<WebFields> BuildWeb(bool isFtp, const std::string& progPath, const std::string& stored = {});

}  // namespace tessaro
