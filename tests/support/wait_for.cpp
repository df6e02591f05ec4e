#include "tests/support/wait_for.h"

#include <thread>

namespace tessaro::testing {

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit,
             std::chrono::milliseconds every) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(every);
    }
    return done();
}

}  // namespace tessaro::testing
