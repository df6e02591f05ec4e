#include "platform/message_box.h"

#include <atomic>
#include <cstdio>

#include <QString>

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
    std::fprintf(stderr, "%s: %s\n", call.caption.c_str(), call.text.c_str());
    return FirstButton(call.buttons);
}

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler = WriteToStderr;
    return handler;
}

std::atomic<bool> g_unseen{false};

MbResult Show(const MessageBoxCall& call) { return g_unseen.load() ? WriteToStderr(call) : Handler()(call); }

}  // namespace

MbResult MessageBox(const std::string& text, const std::string& caption, MbButtons buttons, MbIcon icon) {
    return Show({Cp1252ToUtf8(text), Cp1252ToUtf8(caption), buttons, icon});
}

MbResult MessageBox(const char* text, const std::string& caption, MbButtons buttons, MbIcon icon) {
    return MessageBox(std::string(text), caption, buttons, icon);
}

MbResult MessageBox(const QString& text, const std::string& caption, MbButtons buttons, MbIcon icon) {
    return Show({text.toStdString(), Cp1252ToUtf8(caption), buttons, icon});
}

void StopShowingMessageBoxes() { g_unseen.store(true); }

ScopedMessageBoxHandler::ScopedMessageBoxHandler(MessageBoxHandler handler)
    : previous_(std::move(Handler())) {
    Handler() = std::move(handler);
}

ScopedMessageBoxHandler::~ScopedMessageBoxHandler() { Handler() = std::move(previous_); }

}  // namespace win
