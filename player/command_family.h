#pragma once
// The plug-in point for command families that live outside the interpreter core (waits,
// programs and windows, files and drives, multimedia, e-mail, date and time).
#include <array>
#include <memory>
#include <string_view>

#include "player/token_table.h"

namespace tessaro {

class MacroPlayer;

enum class CommandOutcome {
    Done,      // go on after the token
    EndMacro,  // the command failed and told the user the macro aborts
};

struct CommandToken {
    std::string_view name;  // the matched prefix, e.g. "<LAUNCH:"
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
    CommandFamily* Find(CommandFamilyId id) const {
        return families_[static_cast<std::size_t>(id)].get();
    }

private:
    std::array<std::unique_ptr<CommandFamily>, kCommandFamilyCount> families_;
};

}  // namespace tessaro
