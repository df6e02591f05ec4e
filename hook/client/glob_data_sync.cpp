#include "hook/client/glob_data_sync.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "hook/qtmhook.h"
#include "protocol/window_messages.h"

namespace tessaro {

bool GetGlobDataItem(TGlobData& own, int item, int index) {
    if (item < 0 || item >= kGlobGroupCount) return false;
    auto buffer = std::make_unique<TGlobData>();
    TGlobData* p = buffer.get();
    QtmGetGlob(&p);
    if (!p || !CopyGlobGroup(own, *buffer, item, index)) return false;
    if (item == ggInit) own.LibDword812 = 0;
    return true;
}

void SetHotKeys(TGlobData& own, const PeerNotify& notify) {
    std::memset(own.HotKeyUsed, 0, sizeof own.HotKeyUsed);
    bool abbreviations = false;
    const int count = std::clamp<int>(own.MacroCount, 0, kMaxMacros);
    for (int n = 1; n <= count; ++n) {
        const std::uint16_t code = own.ActivationCode[n];
        if (code == acAbbreviation) abbreviations = true;
        // Codes beyond the hot-key range (the other activations, or a damaged slot) name
        // no hot key.
        if (code >= kHotKeyCodeCount) continue;
        if (own.Enabled[n] == 1) own.HotKeyUsed[code] = 1;
    }
    own.HasAbbreviations = abbreviations ? 1 : 0;
    QtmUpKeys(&own);
    if (notify) notify(puPullGroup, ggKeys);
}

}  // namespace tessaro
