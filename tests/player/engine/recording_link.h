#pragma once
// A PeerLink that records what the player would tell the hook library and the editor.
#include <functional>
#include <vector>

#include "protocol/glob_data.h"
#include "player/engine/peer_link.h"

namespace tessaro::testing {

class RecordingLink : public PeerLink {
public:
    struct Call {
        char kind;  // 'U' push, 'G' pull, 'E' notice to the editor, 'M' playback mark
        int a, b;
        bool operator==(const Call&) const = default;
    };

    void Push(const TGlobData&, int group, int index) override { calls.push_back({'U', group, index}); }
    void Pull(TGlobData& data, int group, int index) override {
        calls.push_back({'G', group, index});
        if (master) CopyGlobGroup(data, *master, group, index);
    }
    void NotifyEditor(std::uint32_t code, std::int32_t arg) override {
        if (onNotify) onNotify(code, arg);
        calls.push_back({'E', static_cast<int>(code), arg});
    }
    void ForgetEditor() override { ++forgets; }
    void MarkPlayback() override { calls.push_back({'M', 0, 0}); }

    int Count(char kind, int a) const {
        int n = 0;
        for (const auto& c : calls) n += c.kind == kind && c.a == a;
        return n;
    }

    std::vector<Call> calls;
    const TGlobData* master = nullptr;  // what a pull copies from
    std::function<void(std::uint32_t, std::int32_t)> onNotify;
    int forgets = 0;
};

}  // namespace tessaro::testing
