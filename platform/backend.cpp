#include "platform/backend.h"

#include <optional>

#include "platform/x11/display.h"

namespace win {

namespace {
std::optional<Backend>& Chosen() {
    static std::optional<Backend> chosen;
    return chosen;
}
}  // namespace

Backend ActiveBackend() {
    auto& chosen = Chosen();
    if (!chosen) chosen = x11::DisplayReachable() ? Backend::X11 : Backend::Sim;
    return *chosen;
}

void SelectBackend(Backend backend) { Chosen() = backend; }

}  // namespace win
