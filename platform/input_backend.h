#pragma once
// The input backend of the active desktop: XTest into the X server, else the simulated log.
#include <memory>

#include "platform/input.h"

namespace win {

std::unique_ptr<InputBackend> CreateInputBackend();

}  // namespace win
