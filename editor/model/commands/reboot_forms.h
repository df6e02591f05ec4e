#pragma once
// The shut-down dialog (TDoReboot) and the text box dialog (TDoTBox).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/model/commands/command_form.h"

namespace tessaro {

// Table order is the dialog's; kinds are the record's.
inline constexpr std::array<RadioChoice, 4> kRebootChoices{{
    {"Reboot", "&Reboot", 2, cmd::Reboot, TokenKind::Reboot},
    {"ShutDown", "&Shut Down", 3, cmd::ShutDown, TokenKind::Shutdown},
    {"Logoff", "&Logoff", 1, cmd::Logoff, TokenKind::LogOff},
    {"PowerOff", "S&hut Down && Power Off", 4, cmd::PowerOff, TokenKind::PowerOff},
}};

struct RebootFields {
    std::int32_t RebootKind = 0;
};
FormResult<RebootFields> BuildReboot(std::int32_t kind);

inline constexpr int kTBoxHeaderMax = 80;
inline constexpr int kTBoxContentsMax = 500;

struct TBoxFields {
    std::string BoxHeader;  // trimmed
    std::string Contents;   // the memo's text, line breaks CR LF
};

// A memo's text with every line break made CR LF (or `lineBreak`).
std::string WithCrLf(const std::string& text, std::string_view lineBreak = "\r\n");

// A stored box text and what the memo showed once preset from it.
struct TBoxKept {
    std::string presetMemo;
    std::string stored;
};

// The text box command every creator inserts: "<TBOX:<HEAD:" title ">" text ">". Both texts
// end at ">", so one inside either is refused. With `kept`, an unchanged memo gives back the
// stored text byte for byte and an edited one is written in its line breaks (a text file's
// LF lines stay LF).
FormResult<TBoxFields> BuildTBox(const std::string& header, const std::string& contents,
                                 const TBoxKept* kept = nullptr);

}  // namespace tessaro
