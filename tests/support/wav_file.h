#pragma once
// A WAV file of `ms` milliseconds of a quiet square tone, 16-bit mono at 8 kHz.
#include <cstdint>
#include <fstream>
#include <string>

namespace tessaro::testing {

inline void WriteToneWav(const std::string& path, int ms) {
    const std::uint32_t samples = std::uint32_t(8 * ms);
    const std::uint32_t dataBytes = samples * 2;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(16000);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    for (std::uint32_t i = 0; i < samples; ++i) u16(std::uint16_t((i % 16 < 8) ? 2000 : -2000));
}

}  // namespace tessaro::testing
