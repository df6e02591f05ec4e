#include "player/engine/peer_update.h"

#include <utility>

namespace tessaro {

const PeerUpdateInfo* FindPeerUpdate(std::uint32_t code) {
    for (const auto& info : kPeerUpdateCodes)
        if (info.code == code) return &info;
    return nullptr;
}

void PeerUpdateDispatcher::On(PeerUpdateCode code, Handler handler) {
    const PeerUpdateInfo* info = FindPeerUpdate(code);
    if (info && info->fromEditor) handlers_[code] = std::move(handler);
}

void PeerUpdateDispatcher::After(PeerUpdateCode code, Handler then) {
    const PeerUpdateInfo* info = FindPeerUpdate(code);
    if (!info || !info->fromEditor) return;
    handlers_[code] = [first = std::move(handlers_[code]), then = std::move(then)](std::int32_t argument) {
        if (first) first(argument);
        then(argument);
    };
}

bool PeerUpdateDispatcher::Dispatch(std::uint32_t wParam, std::int32_t lParam) const {
    if (closing_ || !FindPeerUpdate(wParam)) return false;
    const Handler& handler = handlers_[wParam];
    if (!handler) return false;
    handler(lParam);
    return true;
}

}  // namespace tessaro
