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

bool PeerUpdateDispatcher::Dispatch(std::uint32_t wParam, std::int32_t lParam) const {
    if (closing_ || !FindPeerUpdate(wParam)) return false;
    const Handler& handler = handlers_[wParam];
    if (!handler) return false;
    handler(lParam);
    return true;
}

}  // namespace tessaro
