#pragma once
// The window-activation block the player shares with the hook library: the player's
// window, which the library's activation notices go to.
#include <cstddef>
#include <cstdint>

namespace tessaro {

#pragma pack(push, 1)
struct TActivationShared {
    std::uint32_t PlayerWnd;
    std::uint32_t CbtHook;
    std::uint32_t LastActiveWnd;
    std::uint32_t LastOtherActiveWnd;
    std::uint8_t IsNT;
};
#pragma pack(pop)
static_assert(sizeof(TActivationShared) == 17);
static_assert(offsetof(TActivationShared, PlayerWnd) == 0);
static_assert(offsetof(TActivationShared, CbtHook) == 4);
static_assert(offsetof(TActivationShared, LastActiveWnd) == 8);
static_assert(offsetof(TActivationShared, LastOtherActiveWnd) == 12);
static_assert(offsetof(TActivationShared, IsNT) == 16);

}  // namespace tessaro
