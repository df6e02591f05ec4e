#include "platform/sim/sim_messages.h"

#include <QWindow>

namespace win::sim {

std::uint32_t SimMessages::RegisterWindowMessage(const std::string& name) {
    if (name.empty()) return 0;
    const auto [it, added] =
        registered_.emplace(name, 0xC000 + 1 + static_cast<std::uint32_t>(registered_.size()));
    return it->second;
}

std::unique_ptr<QWindow> SimMessages::MessageOnlyWindow() { return nullptr; }

}  // namespace win::sim
