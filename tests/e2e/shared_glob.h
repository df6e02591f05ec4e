#pragma once
// The trigger table the hook library shares, read by the tests as any program pulls it.
#include <cstring>
#include <memory>

#include "hook/qtmhook.h"
#include "macro/macro_record.h"
#include "platform/shared_memory.h"
#include "protocol/glob_data.h"
#include "protocol/object_names.h"

namespace tessaro::testing {

// The block the hook library shares, as the player last pushed it. The library keeps the block
// of the first namespace this process used: one session per test process, as ctest runs them.
inline TGlobData SharedGlob() {
    auto copy = std::make_unique<TGlobData>();
    TGlobData* p = copy.get();
    QtmGetGlob(&p);
    return *copy;
}

// The block of the session in force now (this moment's namespace), read afresh: for
// fixtures that run one session after another in one process. Zero when there is none.
inline TGlobData CurrentGlob() {
    auto copy = std::make_unique<TGlobData>();
    if (auto block = win::SharedMemory::Open(kMasterBlockName, kGlobDataSize))
        std::memcpy(copy.get(), block->data(), sizeof(TGlobData));
    return *copy;
}

// The hot key of the system macro "Start / Stop Capture"; -1 when there is none.
inline int CaptureHotKey(const TGlobData& g) {
    for (int n = 1; n <= g.MacroCount && n <= kMaxMacros; ++n)
        if (g.Scope[n] == scSystem && g.ScopeText[n].str() == "2") return g.ActivationCode[n];
    return -1;
}

}  // namespace tessaro::testing
