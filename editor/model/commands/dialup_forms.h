#pragma once
// The dial-up dialog (TDoDialup): dial a phone-book entry with a user name and password,
// or hang up.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/model/commands/command_form.h"

namespace tessaro {

inline constexpr std::array<RadioChoice, 2> kDialChoices{{
    {"Hang", "&Hang Up", 2, cmd::DialUpNetworking, TokenKind::Hang},
    {"Dial", "&Dial a Phone Book Entry", 1, cmd::DialUpNetworking, TokenKind::Dial},
}};

struct DialForm {
    std::int32_t Kind = 0;
    std::string DialEntry;  // the entry to select on showing
    std::string UserName;
    std::string Password;  // in clear, as typed
    bool operator==(const DialForm&) const = default;
};

struct DialFields {
    std::int32_t DialKind = 0;
    std::string DialEntry, DialUserName;
    std::string DialPassword;  // substituted
};

DialForm DialDefaults();  // dial
DialForm DialPreset(const TDialRec& rec);

// The list entry equal to `entry` without regard to case, -1 for none; with NewCommand the
// first entry.
int DialInitialSelection(const std::vector<std::string>& entries, bool newCommand, const std::string& entry);

inline constexpr const char* kNoPhoneEntry = "No phone book entry has been selected.";

FormResult<DialFields> BuildDial(const DialForm& form, const std::vector<std::string>& entries, int selected);

}  // namespace tessaro
