#pragma once
// Packing of CD positions as the drive reports them: track, minute, second and frame
// bytes inside 16- and 32-bit values.
#include <cstdint>

namespace tessaro {

void SplitWord(std::uint16_t value, std::uint8_t& low, std::uint8_t& high);
// The bytes in the order 0, 1, 3, 2 (track/minute first, then frame before second).
void SplitLongInt(std::uint32_t value, std::uint8_t& byte0, std::uint8_t& byte1, std::uint8_t& byte3,
                  std::uint8_t& byte2);
// a + b x 256 + c x 65536.
std::uint32_t MakeLong3(std::uint8_t a, std::uint8_t b, std::uint8_t c);

}  // namespace tessaro
