#pragma once
// A print server of its own in a temporary folder, with queues that print nowhere; the
// print system's clients of this process talk to it while it lives.
#include <initializer_list>
#include <memory>
#include <string>

#include "tests/support/child_process.h"

namespace tessaro::testing {

class PrintServer {
public:
    PrintServer(const std::string& root, std::initializer_list<const char*> queues);
    ~PrintServer();
    PrintServer(const PrintServer&) = delete;
    PrintServer& operator=(const PrintServer&) = delete;

    bool ready() const { return ready_; }

private:
    std::string socket_;
    std::unique_ptr<ChildProcess> server_;
    bool ready_ = false;
};

}  // namespace tessaro::testing
