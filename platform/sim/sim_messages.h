#pragma once
// The simulated desktop's messages: there are no other programs; registered names are
// numbered in the order they are first asked for.
#include <map>

#include "platform/messages.h"

namespace win::sim {

class SimMessages : public Messages {
public:
    std::uint32_t RegisterWindowMessage(const std::string& name) override;
    bool PostToOtherProgram(HWND, std::uint32_t, std::uint32_t, std::int32_t) override { return false; }
    void ListenToOtherPrograms() override {}
    std::unique_ptr<QWindow> MessageOnlyWindow() override;

private:
    std::map<std::string, std::uint32_t> registered_;
};

}  // namespace win::sim
