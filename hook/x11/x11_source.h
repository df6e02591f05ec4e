#pragma once
// The X server as the library's input source: the XInput2 raw events of every keyboard
// and pointer device (they arrive whatever the grabs and tell the XTEST device apart),
// passive grabs for the hot keys in use, _NET_ACTIVE_WINDOW for window activation, and a
// window of its own that the player's marks come to. Read from the connection's
// descriptor on the caller's thread by the Qt event loop.
#include <memory>

#include "hook/input_source.h"

namespace tessaro::hook {

// nullptr when no display can be opened.
std::unique_ptr<InputSource> MakeX11Source();

}  // namespace tessaro::hook
