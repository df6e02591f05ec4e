#pragma once
// Where the player's own copies meet the outside: the hook library's master trigger table
// and the editor's window. The player's wiring gives the real link; tests record the calls.
#include <cstdint>
#include <functional>
#include <utility>

namespace tessaro {

struct TGlobData;

class PeerLink {
public:
    virtual ~PeerLink() = default;
    // Pushes one group of the player's copy to the hook library (ggItem: slot `index`).
    virtual void Push(const TGlobData& data, int group, int index = 0) = 0;
    // Pulls one group of the library's master copy into the player's copy.
    virtual void Pull(TGlobData& data, int group, int index = 0) = 0;
    // Posts WM_PEER_UPDATE (code, argument) to the editor when the editor is known.
    virtual void NotifyEditor(std::uint32_t code, std::int32_t argument) = 0;
    // The editor reported that it closed: look for it afresh next time.
    virtual void ForgetEditor() = 0;
    // The playback sent so far is out: the hook library answers once its input has come
    // this far (WM_CLEAR_IN_USE, or WM_PLAYBACK_CAUGHT_UP while WaitPlayback is set).
    // Nothing reaches any program's window.
    virtual void MarkPlayback() = 0;
};

// Finds the editor by the window it published in its single-instance guard, never by a
// window title; a found window is kept until Forget().
class EditorLocator {
public:
    using Finder = std::function<std::uint64_t()>;  // 0 = no editor

    EditorLocator();  // the editor's single-instance guard
    explicit EditorLocator(Finder finder) : finder_(std::move(finder)) {}

    // The editor's window, or 0 when no editor runs.
    std::uint64_t Window();
    void Forget() { window_ = 0; }

private:
    Finder finder_;
    std::uint64_t window_ = 0;
};

}  // namespace tessaro
