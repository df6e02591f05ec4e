#pragma once
// Window messages as X ClientMessages (format 32: message, wParam, lParam).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace win::x11 {

// The message type of our ClientMessages.
inline constexpr const char* kMessageAtomName = "_TESSARO_WINDOW_MESSAGE";

using Handler = std::function<std::int32_t(std::uint32_t, std::uint32_t, std::int32_t)>;
using HandlerLookup = std::shared_ptr<Handler> (*)(std::uint32_t window);

// The atom of a name (created when new); 0 without a display.
std::uint32_t AtomOf(const std::string& name);

// Sends to a window of any program; false when the window does not exist.
bool SendClientMessage(std::uint32_t window, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);

// Installs, once, the Qt native event filter that hands our ClientMessages to the
// handlers found by lookup.
void EnsureClientMessageFilter(HandlerLookup lookup);

}  // namespace win::x11
