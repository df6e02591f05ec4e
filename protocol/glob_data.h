#pragma once
// TGlobData: the trigger table shared by the player, the editor and the hook library.
// The library keeps the master copy in the shared block "QTBA1KGR"; each program keeps
// a private copy and exchanges it with the library group by group. Header-only, so the
// hook library can use the layout without linking the player.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "foundation/short_string.h"

namespace tessaro {

inline constexpr int kMaxMacros = 500;
inline constexpr int kMaxPrograms = 200;
inline constexpr int kHotKeyCodeCount = 721;  // hot-key codes 0..720
inline constexpr std::size_t kGlobDataSize = 19789;

// Activation codes that are not hot keys.
inline constexpr std::uint16_t acScheduled = 10000;
inline constexpr std::uint16_t acAbbreviation = 20000;
inline constexpr std::uint16_t acWindowTitle = 25000;
inline constexpr std::uint16_t acNone = 30000;

#pragma pack(push, 1)

// An array indexed 1..N as the records are (slot n lives at base + size * (n - 1)).
template <typename T, int N>
struct OneBased {
    T items[N];
    T& operator[](int n) {
        assert(n >= 1 && n <= N);
        return items[n - 1];
    }
    const T& operator[](int n) const {
        assert(n >= 1 && n <= N);
        return items[n - 1];
    }
    static constexpr bool Valid(int n) { return n >= 1 && n <= N; }
};

struct TGlobData {
    std::uint32_t PlayerWnd;
    std::uint8_t LibByte4;
    std::uint8_t Reserved5[12];
    std::uint8_t HotKeyUsed[kHotKeyCodeCount];
    std::uint8_t CaptureOn;
    std::uint16_t CaptureMacro;
    std::uint8_t LibByte741;
    std::uint8_t CapDoubleAlt;
    std::uint16_t LibWord743;
    std::uint32_t MouseHook;
    std::uint32_t KeyboardHook;
    std::uint32_t SecWnd;
    std::uint8_t SecWndOn;
    std::uint32_t CapWnd;
    std::uint8_t CapWndOn;
    std::uint16_t StopKeyMouse;
    std::uint16_t StopKeyVK;
    std::uint8_t StopKeyCtrl, StopKeyAlt, StopKeyShift, StopKeyWin;
    std::uint8_t LibByte771;
    std::uint8_t OwnKeyOn;
    std::uint16_t OwnKeyMouse;
    std::uint16_t OwnKeyVK;
    std::uint8_t OwnKeyCtrl, OwnKeyAlt, OwnKeyShift, OwnKeyWin;
    std::uint8_t LibByte781;
    std::uint8_t CapWindowSize;
    std::uint8_t InUse;
    std::uint8_t Reserved784;
    std::uint8_t CapKeys;
    std::uint8_t CapMouse;
    std::uint8_t CapClicksOnly;
    std::uint8_t CapRelativeTo;
    std::uint8_t CapTime;
    std::uint32_t LibDword790;
    std::uint32_t LibDword794;
    std::uint8_t CapStarting;
    std::uint8_t CapWindowSize2;
    // Library fields in no group: a count of user activities (so that a push of the idle
    // group can tell that its counter went stale meanwhile); the X server's time at which
    // CaptureOn last went to 1 (0: unknown); and the library's own window, which the
    // player's end-of-playback and wait-for-playback marks are posted to (0: none).
    std::uint32_t UserActivities;
    std::uint32_t CapStartTime;
    std::uint32_t HookWnd;
    std::uint32_t LibDword812;
    OneBased<std::uint16_t, kMaxMacros> Scope;
    OneBased<ShortString<20>, kMaxMacros> ScopeText;
    OneBased<std::uint8_t, kMaxMacros> Enabled;
    OneBased<std::uint16_t, kMaxMacros> ActivationCode;
    OneBased<std::uint8_t, kMaxMacros> TopmostOnly;
    std::int32_t MacroCount;
    std::uint8_t LibByte14320;
    std::uint8_t IsNT;
    std::uint8_t HasAbbreviations;
    ShortString<250> ActiveProgram;
    std::int32_t ProgramCount;
    std::uint8_t MouseSwapped;
    std::uint8_t IdleSchedules;
    std::uint8_t IdleFired;
    std::uint8_t WaitMouse;
    std::uint8_t WaitKey;
    std::uint8_t WaitText;
    std::uint8_t WaitPlayback;
    std::uint32_t IdleSeconds;
    OneBased<ShortString<25>, kMaxPrograms> Programs;
};

#pragma pack(pop)

static_assert(sizeof(TGlobData) == kGlobDataSize);
static_assert(offsetof(TGlobData, PlayerWnd) == 0);
static_assert(offsetof(TGlobData, LibByte4) == 4);
static_assert(offsetof(TGlobData, HotKeyUsed) == 17);
static_assert(offsetof(TGlobData, CaptureOn) == 738);
static_assert(offsetof(TGlobData, CaptureMacro) == 739);
static_assert(offsetof(TGlobData, LibByte741) == 741);
static_assert(offsetof(TGlobData, CapDoubleAlt) == 742);
static_assert(offsetof(TGlobData, LibWord743) == 743);
static_assert(offsetof(TGlobData, MouseHook) == 745);
static_assert(offsetof(TGlobData, KeyboardHook) == 749);
static_assert(offsetof(TGlobData, SecWnd) == 753);
static_assert(offsetof(TGlobData, SecWndOn) == 757);
static_assert(offsetof(TGlobData, CapWnd) == 758);
static_assert(offsetof(TGlobData, CapWndOn) == 762);
static_assert(offsetof(TGlobData, StopKeyMouse) == 763);
static_assert(offsetof(TGlobData, StopKeyVK) == 765);
static_assert(offsetof(TGlobData, StopKeyCtrl) == 767);
static_assert(offsetof(TGlobData, StopKeyWin) == 770);
static_assert(offsetof(TGlobData, LibByte771) == 771);
static_assert(offsetof(TGlobData, OwnKeyOn) == 772);
static_assert(offsetof(TGlobData, OwnKeyMouse) == 773);
static_assert(offsetof(TGlobData, OwnKeyVK) == 775);
static_assert(offsetof(TGlobData, OwnKeyCtrl) == 777);
static_assert(offsetof(TGlobData, OwnKeyWin) == 780);
static_assert(offsetof(TGlobData, LibByte781) == 781);
static_assert(offsetof(TGlobData, CapWindowSize) == 782);
static_assert(offsetof(TGlobData, InUse) == 783);
static_assert(offsetof(TGlobData, CapKeys) == 785);
static_assert(offsetof(TGlobData, CapMouse) == 786);
static_assert(offsetof(TGlobData, CapClicksOnly) == 787);
static_assert(offsetof(TGlobData, CapRelativeTo) == 788);
static_assert(offsetof(TGlobData, CapTime) == 789);
static_assert(offsetof(TGlobData, LibDword790) == 790);
static_assert(offsetof(TGlobData, LibDword794) == 794);
static_assert(offsetof(TGlobData, CapStarting) == 798);
static_assert(offsetof(TGlobData, CapWindowSize2) == 799);
static_assert(offsetof(TGlobData, UserActivities) == 800);
static_assert(offsetof(TGlobData, CapStartTime) == 804);
static_assert(offsetof(TGlobData, HookWnd) == 808);
static_assert(offsetof(TGlobData, LibDword812) == 812);
static_assert(offsetof(TGlobData, Scope) == 814 + 2 * 1);
static_assert(offsetof(TGlobData, ScopeText) == 1795 + 21 * 1);
static_assert(offsetof(TGlobData, Enabled) == 12315 + 1);
static_assert(offsetof(TGlobData, ActivationCode) == 12814 + 2 * 1);
static_assert(offsetof(TGlobData, TopmostOnly) == 13815 + 1);
static_assert(offsetof(TGlobData, MacroCount) == 14316);
static_assert(offsetof(TGlobData, LibByte14320) == 14320);
static_assert(offsetof(TGlobData, IsNT) == 14321);
static_assert(offsetof(TGlobData, HasAbbreviations) == 14322);
static_assert(offsetof(TGlobData, ActiveProgram) == 14323);
static_assert(offsetof(TGlobData, ProgramCount) == 14574);
static_assert(offsetof(TGlobData, MouseSwapped) == 14578);
static_assert(offsetof(TGlobData, IdleSchedules) == 14579);
static_assert(offsetof(TGlobData, IdleFired) == 14580);
static_assert(offsetof(TGlobData, WaitMouse) == 14581);
static_assert(offsetof(TGlobData, WaitKey) == 14582);
static_assert(offsetof(TGlobData, WaitText) == 14583);
static_assert(offsetof(TGlobData, WaitPlayback) == 14584);
static_assert(offsetof(TGlobData, IdleSeconds) == 14585);
static_assert(offsetof(TGlobData, Programs) == 14589);
static_assert(sizeof(ShortString<20>) == 21 && sizeof(ShortString<25>) == 26);

// The fifteen groups in which the copies are exchanged (item codes of a pull).
enum GlobGroup : int {
    ggCapture = 0,    // QtmUpCapture
    ggCaptureOn = 1,  // QtmUpCaptureOn
    ggInUse = 2,      // QtmUpInUse
    ggKeyHook = 3,    // QtmUpKeyHook
    ggMouseHook = 4,  // QtmUpMouseHook
    ggWindow = 5,     // QtmUpWindow
    ggWindow2 = 6,    // QtmUpWindow2
    ggItem = 7,       // QtmUpItem (one macro slot)
    ggNumKeys = 8,    // QtmUpNumKeys
    ggProg = 9,       // QtmUpProg
    ggProgs = 10,     // QtmUpProgs
    ggInit = 11,      // QtmUpInit
    ggIdle = 12,      // QtmUpIdle
    ggWaits = 13,     // QtmUpWaits
    ggKeys = 14,      // QtmUpKeys
};
inline constexpr int kGlobGroupCount = 15;

namespace glob_detail {

// A length byte beyond the field (a damaged block) is cut to the field's size.
template <std::size_t N>
inline void CopyString(ShortString<N>& to, const ShortString<N>& from) {
    std::memcpy(&to, &from, sizeof(to));
    if (to.len > N) to.len = static_cast<std::uint8_t>(N);
}

// Copies the bytes [first, end) of the block.
inline void CopyBytes(TGlobData& to, const TGlobData& from, std::size_t first, std::size_t end) {
    std::memcpy(reinterpret_cast<unsigned char*>(&to) + first,
                reinterpret_cast<const unsigned char*>(&from) + first, end - first);
}

}  // namespace glob_detail

// Copies the fields of one group from `from` into `to`; for ggItem only macro slot
// `index` (1..500). An unknown group or slot copies nothing. Returns whether it copied.
inline bool CopyGlobGroup(TGlobData& to, const TGlobData& from, int group, int index = 0) {
    using glob_detail::CopyBytes;
    using glob_detail::CopyString;
    switch (group) {
        case ggCapture:
            to.CaptureMacro = from.CaptureMacro;
            to.CapDoubleAlt = from.CapDoubleAlt;
            CopyBytes(to, from, offsetof(TGlobData, StopKeyMouse), offsetof(TGlobData, InUse));
            CopyBytes(to, from, offsetof(TGlobData, CapKeys), offsetof(TGlobData, LibDword790));
            to.CapStarting = from.CapStarting;
            to.CapWindowSize2 = from.CapWindowSize2;
            return true;
        case ggCaptureOn: to.CaptureOn = from.CaptureOn; return true;
        case ggInUse: to.InUse = from.InUse; return true;
        case ggKeyHook: to.KeyboardHook = from.KeyboardHook; return true;
        case ggMouseHook: to.MouseHook = from.MouseHook; return true;
        case ggWindow: to.PlayerWnd = from.PlayerWnd; return true;
        case ggWindow2:
            to.SecWnd = from.SecWnd;
            to.SecWndOn = from.SecWndOn;
            to.CapWnd = from.CapWnd;
            to.CapWndOn = from.CapWndOn;
            return true;
        case ggItem:
            if (!OneBased<std::uint8_t, kMaxMacros>::Valid(index)) return false;
            to.Scope[index] = from.Scope[index];
            CopyString(to.ScopeText[index], from.ScopeText[index]);
            to.Enabled[index] = from.Enabled[index];
            to.ActivationCode[index] = from.ActivationCode[index];
            to.TopmostOnly[index] = from.TopmostOnly[index];
            return true;
        case ggNumKeys: to.MacroCount = from.MacroCount; return true;
        case ggProg: CopyString(to.ActiveProgram, from.ActiveProgram); return true;
        case ggProgs:
            to.ProgramCount = from.ProgramCount;
            for (int i = 1; i <= kMaxPrograms; ++i) CopyString(to.Programs[i], from.Programs[i]);
            return true;
        case ggInit:
            to.LibByte741 = from.LibByte741;
            to.LibWord743 = from.LibWord743;
            to.LibDword790 = from.LibDword790;
            to.LibDword794 = from.LibDword794;
            to.LibByte14320 = from.LibByte14320;
            to.IsNT = from.IsNT;
            to.LibByte4 = from.LibByte4;
            to.MouseSwapped = from.MouseSwapped;
            return true;
        case ggIdle:
            // IdleFired travels with the idle group so that the library knows when to
            // report the next user activity.
            to.IdleSchedules = from.IdleSchedules;
            to.IdleSeconds = from.IdleSeconds;
            to.IdleFired = from.IdleFired;
            return true;
        case ggWaits:
            CopyBytes(to, from, offsetof(TGlobData, WaitMouse), offsetof(TGlobData, IdleSeconds));
            return true;
        case ggKeys:
            std::memcpy(to.HotKeyUsed, from.HotKeyUsed, sizeof to.HotKeyUsed);
            to.HasAbbreviations = from.HasAbbreviations;
            return true;
        default: return false;
    }
}

}  // namespace tessaro
