#pragma once
// A length-prefixed string of fixed capacity, laid out as stored in the records:
// one length byte, then N character bytes (Windows-1252). Trivially copyable, so a
// record holding it can be read and written as raw bytes.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tessaro {

template <std::size_t N>
struct ShortString {
    static_assert(N >= 1 && N <= 255, "a short string holds at most 255 characters");
    static constexpr std::size_t kCapacity = N;

    std::uint8_t len = 0;
    char chars[N] = {};

    ShortString() = default;
    ShortString(std::string_view s) { assign(s); }  // NOLINT: cut to capacity, as stored

    // Cuts to the capacity, as an assignment to the field would.
    void assign(std::string_view s) {
        const std::size_t n = std::min(s.size(), N);
        if (n) std::memcpy(chars, s.data(), n);  // an empty view may hold no pointer at all
        len = static_cast<std::uint8_t>(n);
    }
    ShortString& operator=(std::string_view s) {
        assign(s);
        return *this;
    }

    // A length byte larger than the capacity (a damaged file) is read as the capacity.
    std::size_t size() const { return std::min<std::size_t>(len, N); }
    bool empty() const { return size() == 0; }
    std::string_view view() const { return {chars, size()}; }
    std::string str() const { return std::string(view()); }

    friend bool operator==(const ShortString& a, const ShortString& b) { return a.view() == b.view(); }
    friend bool operator==(const ShortString& a, std::string_view b) { return a.view() == b; }
};

}  // namespace tessaro
