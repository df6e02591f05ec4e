#include "player/engine/byte_packing.h"

namespace tessaro {

void SplitWord(std::uint16_t value, std::uint8_t& low, std::uint8_t& high) {
    low = static_cast<std::uint8_t>(value & 0xFF);
    high = static_cast<std::uint8_t>(value >> 8);
}

void SplitLongInt(std::uint32_t value, std::uint8_t& byte0, std::uint8_t& byte1, std::uint8_t& byte3,
                  std::uint8_t& byte2) {
    byte0 = static_cast<std::uint8_t>(value & 0xFF);
    byte1 = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    byte2 = static_cast<std::uint8_t>((value >> 16) & 0xFF);
    byte3 = static_cast<std::uint8_t>(value >> 24);
}

std::uint32_t MakeLong3(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    return std::uint32_t(a) + std::uint32_t(b) * 256u + std::uint32_t(c) * 65536u;
}

}  // namespace tessaro
