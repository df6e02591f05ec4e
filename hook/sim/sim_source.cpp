#include "hook/sim/sim_source.h"

#include <algorithm>

#include "hook/hook_logic.h"
#include "protocol/hotkey_codes.h"

namespace tessaro::hook {

std::vector<std::string> SimSource::SetGrabs(const std::vector<int>& codes) {
    std::vector<std::string> problems;
    grabs.clear();
    refused.clear();
    for (int code : codes) {
        if (std::find(heldElsewhere.begin(), heldElsewhere.end(), code) != heldElsewhere.end()) {
            refused.push_back(code);
            const HotKeyDef* def = HotKeyDefinition(code);
            problems.push_back("hot key " + (def ? def->name : std::to_string(code)) +
                               " is held by another program");
            continue;
        }
        grabs.push_back(code);
    }
    return problems;
}

void SimSource::Feed(const InputEvent& e) {
    if (!running) return;
    const int code = HookLogic::CodeOf(e);
    const bool grabbed = code >= 0 && std::find(grabs.begin(), grabs.end(), code) != grabs.end();
    const bool input = e.kind != InputEvent::Activated && e.kind != InputEvent::WindowsChanged &&
                       e.kind != InputEvent::Motion;
    if (!grabbed && input) focusedReceived.push_back(e);
    if (sink_) sink_(e);
}

}  // namespace tessaro::hook
