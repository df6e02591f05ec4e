#include "hook/client/glob_data_sync.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "hook/qtmhook.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

using PushFn = void (*)(const TGlobData*);

// The push of each group, by group number; the macro slot (group 7) takes its index.
constexpr PushFn kPushes[kGlobGroupCount] = {
    QtmUpCapture, QtmUpCaptureOn, QtmUpInUse, QtmUpKeyHook, QtmUpMouseHook,
    QtmUpWindow,  QtmUpWindow2,   nullptr,    QtmUpNumKeys, QtmUpProg,
    QtmUpProgs,   QtmUpInit,      QtmUpIdle,  QtmUpWaits,   QtmUpKeys,
};

}  // namespace

void PushGlobDataItem(const TGlobData& own, int item, int index) {
    if (item == ggItem) {
        if (index >= 1 && index <= kMaxMacros) QtmUpItem(&own, index);
        return;
    }
    if (item >= 0 && item < kGlobGroupCount) kPushes[item](&own);
}

bool GetGlobDataItem(TGlobData& own, int item, int index) {
    if (item < 0 || item >= kGlobGroupCount) return false;
    auto buffer = std::make_unique<TGlobData>();
    TGlobData* p = buffer.get();
    QtmGetGlob(&p);
    if (!p || !CopyGlobGroup(own, *buffer, item, index)) return false;
    if (item == ggInit) own.LibDword812 = 0;
    return true;
}

void RebuildHotKeys(TGlobData& own) {
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
}

void SetHotKeys(TGlobData& own, const PeerNotify& notify) {
    RebuildHotKeys(own);
    QtmUpKeys(&own);
    if (notify) notify(puPullGroup, ggKeys);
}

}  // namespace tessaro
