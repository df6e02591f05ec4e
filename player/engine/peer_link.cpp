#include "player/engine/peer_link.h"

#include "foundation/start_gate.h"
#include "platform/single_instance.h"

namespace tessaro {

EditorLocator::EditorLocator() : finder_([] { return win::RunningInstanceWindow(kEditorInstanceName); }) {}

std::uint64_t EditorLocator::Window() {
    if (window_ == 0 && finder_) window_ = finder_();
    return window_;
}

}  // namespace tessaro
