#pragma once
// The dial-up commands: dial a phone-book entry (a failed dial ends the macro; without the
// service the rest of the text is skipped) and hang up the first active connection, through
// the dial-up binding.
#include <string>

#include "macro/macro_language.h"
#include "player/engine/command_family.h"

namespace tessaro {

class PlayerWindows;

// The player's topmost status window shown while a number is dialled.
class DialStatusWindow {
public:
    virtual ~DialStatusWindow() = default;
    virtual void ShowStatus(const std::string& caption, const std::string& text) = 0;
    virtual void CloseStatus() = 0;
};

// The text for a dial-up error number: [RAS Errors] of "QTRAS.INI" in the program
// directory, else the one shipped beside the executables; empty when neither has it.
std::string RasErrorText(int error);

// Runs "<DIAL:<NAME:" or "<HANG>".
CommandOutcome RunDialUpCommand(PlayerWindows& windows, DialStatusWindow& status, const Token& token);

}  // namespace tessaro
