#include "player/engine/hook_peer_link.h"

#include <memory>

#include "hook/qtmhook.h"
#include "platform/messages.h"
#include "hook/client/glob_data_sync.h"
#include "protocol/window_messages.h"

namespace tessaro {

void HookPeerLink::Push(const TGlobData& data, int group, int index) { PushGlobDataItem(data, group, index); }

void HookPeerLink::Pull(TGlobData& data, int group, int index) { GetGlobDataItem(data, group, index); }

void HookPeerLink::MarkPlayback() {
    auto master = std::make_unique<TGlobData>();
    TGlobData* buffer = master.get();
    QtmGetGlob(&buffer);
    if (buffer && buffer->HookWnd != 0) messages_.PostMessage(buffer->HookWnd, WM_PLAYBACK_MARK, 0, 0);
}

void HookPeerLink::NotifyEditor(std::uint32_t code, std::int32_t argument) {
    const std::uint64_t editor = editor_.Window();
    if (editor != 0) messages_.PostMessage(static_cast<win::HWND>(editor), WM_PEER_UPDATE, code, argument);
}

}  // namespace tessaro
