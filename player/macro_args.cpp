#include "player/macro_args.h"

#include <cmath>
#include <limits>

namespace tessaro {

std::string_view FieldAt(std::string_view text, std::size_t from, std::size_t width) {
    if (from >= text.size()) return {};
    return text.substr(from, width);
}

std::int64_t LeadingInteger(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        const int digit = s[i] - '0';
        if (value > (kMax - digit) / 10) {
            value = kMax;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

namespace {

// Length of the number at the front of s (sign, digits, one point); 0 when none.
std::size_t NumberPrefix(std::string_view s, double& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    double v = 0;
    bool digits = false;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + (s[i] - '0');
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        double scale = 0.1;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, scale /= 10) {
            v += (s[i] - '0') * scale;
            digits = true;
        }
    }
    if (!digits) return 0;
    value = negative ? -v : v;
    return i;
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    double value = 0;
    const std::size_t used = NumberPrefix(s, value);
    if (used == 0 || used != s.size()) return std::nullopt;
    return value;
}

double LeadingDecimal(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    double value = 0;
    return NumberPrefix(s, value) ? value : 0.0;
}

std::size_t PastClose(std::string_view text, std::size_t from) {
    if (from >= text.size()) return text.size();
    const std::size_t close = text.find('>', from);
    return close == std::string_view::npos ? text.size() : close + 1;
}

std::string_view FreeText(std::string_view text, std::size_t from) {
    if (from >= text.size()) return {};
    const std::size_t close = text.find('>', from);
    return text.substr(from, close == std::string_view::npos ? std::string_view::npos
                                                              : close - from);
}

}  // namespace tessaro
