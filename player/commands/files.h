#pragma once
// The folder and file commands: change and make folders, delete, copy and move files.
// Failures are silent except a folder that cannot be made.
#include "macro/macro_language.h"

namespace tessaro {

class PlayerWindows;

// Runs a "<CHDIR:", "<MKDIR:", "<DELFILE:", "<COPYFILE:" or "<RENFILE:" token; false for
// any other kind.
bool RunFileCommand(PlayerWindows& windows, const Token& token);

}  // namespace tessaro
