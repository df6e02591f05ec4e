#include "player/engine/single_start.h"

#include <unistd.h>

#include <thread>

#include "platform/messages.h"
#include "player/engine/command_line.h"
#include "protocol/window_messages.h"

namespace tessaro {

StartDecision ClaimOrHandOver(const std::vector<std::string>& args, std::chrono::milliseconds wait,
                              const HandOverSender& send) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    const std::string text = HandOverText(args);
    for (;;) {
        win::SingleInstance guard(kPlayerInstanceName);
        if (guard.status() == win::SingleInstance::Status::Refused)
            return {StartDecision::Refused, {}, guard.problem()};
        if (guard.status() != win::SingleInstance::Status::Running) {
            StartDecision d;
            if (guard.acquired()) d.guard.emplace(std::move(guard));
            return d;
        }
        const std::uint64_t window = win::RunningInstanceWindow(kPlayerInstanceName);
        if (window != 0 && send(static_cast<std::uint32_t>(window), text))
            return {StartDecision::HandedOver, {}, {}};
        if (std::chrono::steady_clock::now() >= deadline) return {StartDecision::GaveUp, {}, {}};
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

bool PostHandOver(win::Messages& messages, std::uint32_t window, const std::string& text) {
    const std::uint32_t msg = messages.RegisterWindowMessage(std::string(kCommandLineMessageName));
    if (msg == 0) return false;
    const auto sender = static_cast<std::uint32_t>(::getpid());
    for (const std::int32_t word : PackHandOver(text))
        if (!messages.PostMessage(window, msg, sender, word)) return false;
    return true;
}

}  // namespace tessaro
