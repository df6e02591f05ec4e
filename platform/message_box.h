#pragma once
// Every message box of the system goes through here, so tests can answer and record them.
#include <functional>
#include <string>

class QString;  // the Qt side; declared only, so Xlib users may include this first

namespace win {

enum class MbButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MbIcon { None, Information, Warning, Error, Question };
// Values as the Windows dialog results, which some stored settings and callers compare.
enum class MbResult { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

struct MessageBoxCall {
    std::string text;     // UTF-8, as shown
    std::string caption;  // UTF-8, as shown
    MbButtons buttons = MbButtons::Ok;
    MbIcon icon = MbIcon::None;
};

using MessageBoxHandler = std::function<MbResult(const MessageBoxCall&)>;

// Shows a modal box through the installed handler. The programs install the Qt box
// (widgets/message_box_qt.h); until then the text goes to stderr and the box answers with
// its first button.
// `text` and `caption` are Windows-1252.
MbResult MessageBox(const std::string& text, const std::string& caption, MbButtons buttons = MbButtons::Ok,
                    MbIcon icon = MbIcon::None);
MbResult MessageBox(const char* text, const std::string& caption, MbButtons buttons = MbButtons::Ok,
                    MbIcon icon = MbIcon::None);
// A text that may hold characters Windows-1252 has no byte for (a refused character).
MbResult MessageBox(const QString& text, const std::string& caption, MbButtons buttons = MbButtons::Ok,
                    MbIcon icon = MbIcon::None);

// The answer of a box that nobody can see: its first button.
MbResult FirstButton(MbButtons buttons);

// From now on no box is shown: each goes to stderr and answers with its first button
// (a program that was told to end must not wait for anyone to click).
void StopShowingMessageBoxes();

// Replaces the handler for as long as it lives (tests: scripted answers, recorded calls).
class ScopedMessageBoxHandler {
public:
    explicit ScopedMessageBoxHandler(MessageBoxHandler handler);
    ~ScopedMessageBoxHandler();
    ScopedMessageBoxHandler(const ScopedMessageBoxHandler&) = delete;
    ScopedMessageBoxHandler& operator=(const ScopedMessageBoxHandler&) = delete;

private:
    MessageBoxHandler previous_;
};

}  // namespace win
