#include "tests/support/scripted_boxes.h"

namespace tessaro::testing {

std::unique_ptr<win::ScopedMessageBoxHandler> ScriptedBoxes(std::vector<win::MessageBoxCall>& calls,
                                                            std::vector<win::MbResult>& answers) {
    return std::make_unique<win::ScopedMessageBoxHandler>(
        [&calls, &answers](const win::MessageBoxCall& call) {
            calls.push_back(call);
            if (answers.empty()) return win::FirstButton(call.buttons);
            const win::MbResult a = answers.front();
            answers.erase(answers.begin());
            return a;
        });
}

}  // namespace tessaro::testing
