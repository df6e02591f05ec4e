#pragma once
// The player's command line: its switches, the start macro named by "/A", and the
// hand-over of a second start's command line to the running player.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/config_record.h"

namespace tessaro {

enum class SwitchKind {
    Ignored,
    Browse,       // "/B", "/BA"
    AutoSync,     // "/S"
    MacroFile,    // "/F" + file name
    StartMacro,   // "/A" + nickname
    NetworkMode,  // "/N"
    SyncMinutes,  // "/SM" + minutes
    ShowTray,     // "/T"
    HideTray,     // "/H"
    EditorOff,    // "/EN"
    EditorOn,     // "/EY"
};

struct Switch {
    SwitchKind kind = SwitchKind::Ignored;
    std::string text;  // "/F": the file name as given; "/A": the nickname, at most 50
    int number = 0;    // "/SM": 1..98 (anything else is Ignored)
};

// Reads one argument. Switches match in any case; the file name of "/F" keeps its case.
Switch ParseSwitch(std::string_view param);

// Applies a switch that only changes settings; false for the others (browse mode, "/F",
// "/A" and network mode need the player).
bool ApplySettingSwitch(const Switch& sw, TConfigRecord& config);

// What the switches leave for the player beyond the settings record.
struct StartSwitches {
    bool browseMode = false;  // the editor cannot be opened and no capture can start
    std::string startMacro;   // "/A"; replaced by StartMacroNickname afterwards
};

// What the player does for the switches that need it; the main window implements it.
class SwitchHost {
public:
    virtual ~SwitchHost() = default;
    // "/N", and "/F" in network mode: the lock record beside this macro file.
    virtual void UseLockFileOf(const std::string& macroFile) = 0;
    // "/F" made an existing file current: load it.
    virtual void MacroFileSwitched() = 0;
};

// Runs every argument in order. "/F" names an existing regular file (relative names are
// taken from the current directory and stored absolute); a missing one changes nothing.
void ProcessParams(const std::vector<std::string>& args, TConfigRecord& config, StartSwitches& state,
                   SwitchHost& host);

// The main block reads "/S" on its own, before the switches run: exactly that text, in
// that case, turns the tray icon on.
bool TraySwitchGiven(const std::vector<std::string>& args);

// Saves what the switches change ("Current File", [Misc], [Network]); false when a
// section could not be written.
bool SaveSwitchSettings(TConfigRecord& config);

// The start macro's nickname from the arguments (program name excluded): the text after
// the first argument starting with "/A" up to the next "/", blanks trimmed, upper-cased,
// at most 50 characters. Empty when no argument names one.
std::string StartMacroNickname(const std::vector<std::string>& args);

// The command line a second start hands over: its arguments joined by blanks, cut to
// kHandOverCapacity characters.
inline constexpr std::size_t kHandOverCapacity = 255;
std::string HandOverText(const std::vector<std::string>& args);

// The nickname in a handed-over command line: upper-cased, the text after the first
// argument that starts with "/A" up to the next "/", trimmed; empty without one.
std::string NicknameFromHandOver(std::string_view text);

// The hand-over travels as a short sequence of messages: each carries up to four
// characters in lParam (low byte first, a zero byte ends them) and the sender's id in
// wParam; lParam 0 ends the text.
std::vector<std::int32_t> PackHandOver(std::string_view text);

// Collects hand-over messages, one buffer per sender so two second starts at the same
// time never mix their characters.
class HandOverCollector {
public:
    // Returns the finished text when lParam ends it.
    std::optional<std::string> Receive(std::uint32_t sender, std::int32_t lParam);
    std::size_t pending() const { return buffers_.size(); }

private:
    static constexpr std::size_t kMaxSenders = 16;
    std::map<std::uint32_t, std::string> buffers_;
};

}  // namespace tessaro
