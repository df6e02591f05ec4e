#pragma once
// Runs a piece of a test in a child process and gives up on it after a limit, so that a
// call that would block for ever (opening a FIFO, waiting on a box) fails the test instead
// of hanging it.
#include <chrono>
#include <functional>

namespace tessaro::testing {

// The child's exit code (body's result), or -1 when it was still running after `limit`.
int ExitCodeWithin(const std::function<int()>& body, std::chrono::milliseconds limit);

}  // namespace tessaro::testing
