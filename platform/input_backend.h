#pragma once
// The input backend of the active desktop (platform/backend.h): XTest into the X server,
// else the simulated log. A display without the XTEST extension falls back to the log,
// with a note on stderr, since nothing could be typed.
#include <memory>

#include "platform/input.h"

namespace win {

std::unique_ptr<InputBackend> CreateInputBackend();

// At the start of the one player of the session: releases the keys and buttons a player
// that died left held down and gives back the keycodes it left remapped. True when there
// was something to undo.
bool UndoInputLeftByDeadPlayer();

}  // namespace win
