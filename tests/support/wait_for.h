#pragma once
// Waiting for a condition a test needs, looked at again and again until a limit.
#include <chrono>
#include <functional>

namespace tessaro::testing {

// True as soon as `done` holds; false when it still does not after `limit`.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit,
             std::chrono::milliseconds every = std::chrono::milliseconds(20));

}  // namespace tessaro::testing
