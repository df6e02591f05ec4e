#pragma once
// The trigger table the hook library shares, read by the tests as any program pulls it.
#include <memory>

#include "hook/qtmhook.h"
#include "protocol/glob_data.h"

namespace tessaro::testing {

// The block the hook library shares, as the player last pushed it. The library keeps the block
// of the first namespace this process used: one session per test process, as ctest runs them.
inline TGlobData SharedGlob() {
    auto copy = std::make_unique<TGlobData>();
    TGlobData* p = copy.get();
    QtmGetGlob(&p);
    return *copy;
}

}  // namespace tessaro::testing
