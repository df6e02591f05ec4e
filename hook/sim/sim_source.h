#pragma once
// A simulated desktop as the library's input source: tests feed events and read what the
// library sent, what it grabbed and what reached the focused window.
#include <vector>

#include "hook/input_source.h"

namespace tessaro::hook {

class SimSource : public InputSource {
public:
    bool Start(Sink sink, std::string*) override {
        sink_ = std::move(sink);
        running = true;
        return true;
    }
    void Stop() override { running = false; }
    std::vector<std::string> SetGrabs(const std::vector<int>& codes) override;
    std::vector<int> HeldElsewhere() const override { return refused; }
    void EndHotKeyGrab() override { ++grabsEnded; }
    bool Send(const Post& post) override {
        sent.push_back(post);
        return true;
    }
    std::uint32_t MarkWindow() const override { return markWindow; }

    // Delivers an event; a key or button that is grabbed never reaches the focused window.
    void Feed(const InputEvent& e);

    bool running = false;
    std::vector<int> grabs;
    std::vector<int> heldElsewhere;  // codes another program holds: their grabs fail
    std::vector<int> refused;        // those of the last SetGrabs
    std::vector<Post> sent;
    std::vector<InputEvent> focusedReceived;
    int grabsEnded = 0;
    std::uint32_t markWindow = 0;  // a test's stand-in for the X window

private:
    Sink sink_;
};

}  // namespace tessaro::hook
