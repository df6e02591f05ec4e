#pragma once
// Message boxes answered as a test scripts them: every call kept, each answered with the
// next of the answers given (taken from the front), else with its first button.
#include <memory>
#include <vector>

#include "platform/message_box.h"

namespace tessaro::testing {

std::unique_ptr<win::ScopedMessageBoxHandler> ScriptedBoxes(std::vector<win::MessageBoxCall>& calls,
                                                            std::vector<win::MbResult>& answers);

}  // namespace tessaro::testing
