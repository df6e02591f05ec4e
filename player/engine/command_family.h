#pragma once
// The plug-in point for command families that live outside the interpreter core (waits,
// programs and windows, files and drives, multimedia, e-mail, date and time).
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "macro/macro_language.h"

namespace tessaro {

class MacroPlayer;

enum class CommandFamilyId : std::uint8_t {
    Waits,
    ProgramsWindowsSystem,
    FilesDrivesDialUp,
    Multimedia,
    EMail,
    DateTime,
};
inline constexpr int kCommandFamilyCount = 6;

// The family a command token belongs to; nothing for the interpreter's own tokens.
std::optional<CommandFamilyId> FamilyOf(TokenKind kind);

enum class CommandOutcome {
    Done,      // go on after the token
    SkipRest,  // the command failed: the rest of this text is skipped, the texts around it go on
    EndMacro,  // the command failed and told the user the macro aborts
};

struct CommandToken {
    const Token& token;     // kind and arguments as recognised
    std::string_view text;  // the whole token, from '<' to its closing '>'
};

class CommandFamily {
public:
    virtual ~CommandFamily() = default;
    virtual CommandOutcome Run(MacroPlayer& player, const CommandToken& token) = 0;
};

class CommandFamilies {
public:
    void Register(CommandFamilyId id, std::unique_ptr<CommandFamily> family) {
        families_[static_cast<std::size_t>(id)] = std::move(family);
    }
    CommandFamily* Find(CommandFamilyId id) const { return families_[static_cast<std::size_t>(id)].get(); }

private:
    std::array<std::unique_ptr<CommandFamily>, kCommandFamilyCount> families_;
};

}  // namespace tessaro
