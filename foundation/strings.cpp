#include "foundation/strings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "platform/profile.h"

namespace tessaro {

namespace {

constexpr std::size_t kShortMax = 255;

std::string Short(std::string s) {
    if (s.size() > kShortMax) s.resize(kShortMax);
    return s;
}

// Rounds a plain digit string ("1234.5678") to `decimals` decimals, half away from zero.
std::string RoundDigits(std::string digits, int decimals) {
    auto point = digits.find('.');
    if (point == std::string::npos) {
        point = digits.size();
        digits += '.';
    }
    std::string frac = digits.substr(point + 1);
    std::string whole = digits.substr(0, point);
    const auto keep = static_cast<std::size_t>(decimals);
    bool up = frac.size() > keep && frac[keep] >= '5';
    frac.resize(keep, '0');
    std::string all = whole + frac;
    for (std::size_t i = all.size(); up && i-- > 0;) {
        if (all[i] == '9') {
            all[i] = '0';
        } else {
            ++all[i];
            up = false;
        }
    }
    if (up) all.insert(all.begin(), '1');
    whole = all.substr(0, all.size() - keep);
    return keep == 0 ? whole : whole + "." + all.substr(all.size() - keep);
}

}  // namespace

std::string FormatReal(double x, int width, int decimals) {
    decimals = std::clamp(decimals, 0, 255);
    std::string text;
    if (std::isnan(x)) {
        text = "NAN";
    } else if (std::isinf(x)) {
        text = x < 0 ? "-INF" : "INF";
    } else {
        char buf[400];
        const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::fixed);
        text = RoundDigits(std::string(buf, r.ptr), decimals);
        if (x < 0 && text.find_first_not_of("0.") != std::string::npos) text.insert(text.begin(), '-');
    }
    return Short(PadLeft(text, width));
}

std::string FormatThousands(double x, int width, int decimals) {
    std::string s = TrimBlanks(FormatReal(x, 0, decimals));
    if (std::isfinite(x)) {
        std::size_t distance = decimals <= 0 ? 3 : static_cast<std::size_t>(std::min(decimals, 255)) + 4;
        while (s.size() > distance) {
            s.insert(s.size() - distance, 1, ',');
            distance += 4;
        }
        if (x < 0 && s.size() > 1 && s[1] == ',') s.erase(1, 1);
    }
    return Short(PadLeft(s, width));
}

std::string TrimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

std::string PadLeft(std::string_view s, int n) {
    std::string out(s);
    if (n > 0 && out.size() < static_cast<std::size_t>(n))
        out.insert(0, static_cast<std::size_t>(n) - out.size(), ' ');
    return out;
}

std::string FillChars(char c, int n) {
    return std::string(static_cast<std::size_t>(std::clamp(n, 0, 255)), c);
}

std::string ChangeExtension3(std::string_view name, std::string_view text) {
    const std::size_t keep = name.size() >= 3 ? name.size() - 3 : 0;
    return Short(std::string(name.substr(0, keep)) + std::string(text));
}

std::string SwapPasswordChars(std::string_view s) {
    std::string out(s);
    for (char& ch : out) {
        const int c = static_cast<unsigned char>(ch);
        if (c < 1 || c > 200) continue;
        // Bands of 25 swap in pairs: 1..25 <-> 26..50, 51..75 <-> 76..100, ...
        const bool firstOfPair = ((c - 1) / 25) % 2 == 0;
        ch = static_cast<char>(firstOfPair ? c + 25 : c - 25);
    }
    return out;
}

std::int32_t IntegerValue(std::string_view text) { return win::LeadingInteger(text, true); }

std::string CompanionFileName(const std::string& macroFile, const std::string& extension) {
    static constexpr std::string_view kQtm = ".QTM";
    if (macroFile.size() > kQtm.size()) {
        const std::string_view tail = std::string_view(macroFile).substr(macroFile.size() - kQtm.size());
        bool isQtm = true;
        for (std::size_t i = 0; i < kQtm.size(); ++i)
            isQtm = isQtm && std::toupper(static_cast<unsigned char>(tail[i])) == kQtm[i];
        if (isQtm) return macroFile.substr(0, macroFile.size() - kQtm.size()) + "." + extension;
    }
    return macroFile + "." + extension;
}

}  // namespace tessaro
