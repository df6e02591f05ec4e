#include "platform/message_box.h"

#include <atomic>
#include <cstdio>

#include "platform/cp1252.h"

namespace win {

MbResult FirstButton(MbButtons b) {
    switch (b) {
        case MbButtons::YesNo:
        case MbButtons::YesNoCancel: return MbResult::Yes;
        case MbButtons::RetryCancel: return MbResult::Retry;
        default: return MbResult::Ok;
    }
}

namespace {

// Without a desktop to show it on, the box is written to stderr and answers with its
// first button, so a program never blocks on an invisible question.
MbResult WriteToStderr(const MessageBoxCall& call) {
    std::fprintf(stderr, "%s: %s\n", Cp1252ToUtf8(call.caption).c_str(), Cp1252ToUtf8(call.text).c_str());
    return FirstButton(call.buttons);
}

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler = WriteToStderr;
    return handler;
}

std::atomic<bool> g_unseen{false};

}  // namespace

MbResult MessageBox(const std::string& text, const std::string& caption, MbButtons buttons, MbIcon icon) {
    const MessageBoxCall call{text, caption, buttons, icon};
    return g_unseen.load() ? WriteToStderr(call) : Handler()(call);
}

void StopShowingMessageBoxes() { g_unseen.store(true); }

ScopedMessageBoxHandler::ScopedMessageBoxHandler(MessageBoxHandler handler)
    : previous_(std::move(Handler())) {
    Handler() = std::move(handler);
}

ScopedMessageBoxHandler::~ScopedMessageBoxHandler() { Handler() = std::move(previous_); }

}  // namespace win
