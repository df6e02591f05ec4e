#pragma once
// What every window of a program shares, set up once by its main block after the
// application object: the program's icon, the message boxes, and each window's place on
// the screen.
#include "platform/message_box.h"
#include "widgets/screen_fit.h"
#include "widgets/window_policy.h"

namespace tessaro {

class ProgramWindows {
public:
    ProgramWindows();

private:
    win::ScopedMessageBoxHandler boxes_;
    WindowPolicy policy_;
    ScreenFit fit_;
};

}  // namespace tessaro
