#pragma once
// A dial-up status window that writes down what it was asked to show.
#include <string>
#include <vector>

#include "player/commands/dialup.h"

namespace tessaro {

class RecordingStatus : public DialStatusWindow {
public:
    std::vector<std::string> log;
    void ShowStatus(const std::string& caption, const std::string& text) override {
        log.push_back(caption + "|" + text);
    }
    void CloseStatus() override { log.push_back("closed"); }
};

}  // namespace tessaro
