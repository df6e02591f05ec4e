#pragma once
// The message box of the programs: a modal Qt box on top of every window. Installed by each
// program for its whole run with win::ScopedMessageBoxHandler.
#include "platform/message_box.h"

namespace tessaro {

win::MbResult QtMessageBox(const win::MessageBoxCall& call);

}  // namespace tessaro
