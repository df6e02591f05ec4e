#pragma once
// The player's PeerLink: pushes through the hook library's entry points, pulls with
// GetGlobDataItem and posts WM_PEER_UPDATE to the editor's registered window.
#include <cstdint>

#include "platform/messages.h"
#include "player/engine/peer_link.h"

namespace tessaro {

class HookPeerLink : public PeerLink {
public:
    // The notices travel as `messages`.
    explicit HookPeerLink(win::Messages& messages, EditorLocator locator = {})
        : messages_(messages), editor_(std::move(locator)) {}

    void Push(const TGlobData& data, int group, int index = 0) override;
    void Pull(TGlobData& data, int group, int index = 0) override;
    void NotifyEditor(std::uint32_t code, std::int32_t argument) override;
    void ForgetEditor() override { editor_.Forget(); }
    // A message to the library's own window, sent on the connection the playback typed
    // on, so that it reaches the library behind every key sent before it.
    void MarkPlayback() override;

    // The editor's window (0: none runs), for the notices outside WM_PEER_UPDATE.
    std::uint64_t EditorWindow() { return editor_.Window(); }

private:
    win::Messages& messages_;
    EditorLocator editor_;
};

}  // namespace tessaro
