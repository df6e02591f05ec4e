#pragma once
// A private X server on the dummy video driver, whose output offers three display modes
// (1024x768, 800x600, 640x480 at 60 Hz): the test bed for display mode changes, which
// Xvfb cannot make. name() is empty when the server could not be started.
#include <memory>
#include <string>

#include "tests/support/child_process.h"

namespace tessaro::testing {

class XorgDummy {
public:
    // `dir` holds the configuration and the log.
    explicit XorgDummy(const std::string& dir);
    ~XorgDummy();
    XorgDummy(const XorgDummy&) = delete;
    XorgDummy& operator=(const XorgDummy&) = delete;

    const std::string& name() const { return name_; }

private:
    bool Start(const std::string& dir, const std::string& config, unsigned number);

    std::unique_ptr<ChildProcess> server_;
    std::string name_;
};

}  // namespace tessaro::testing
