#pragma once
// The X server as the library's input source: XInput2 raw events for every key and
// button (raw events also report grabbed keys and tell the XTEST device apart), passive
// grabs for the hot keys in use, and _NET_ACTIVE_WINDOW for window activation. Read from
// the connection's descriptor on the caller's thread by the Qt event loop.
#include <memory>

#include "hook/input_source.h"

namespace tessaro::hook {

// nullptr when no display can be opened.
std::unique_ptr<InputSource> MakeX11Source();

}  // namespace tessaro::hook
