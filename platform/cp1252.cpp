#include "platform/cp1252.h"

#include <array>
#include <cstring>

#include <QList>
#include <QString>

namespace win {
namespace {

// 0x80..0x9F; the rest of the bytes are their own code points.
constexpr std::array<char32_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char c) {
    return (c >= 0x80 && c <= 0x9F) ? kHigh[c - 0x80] : static_cast<char32_t>(c);
}

bool UnicodeToCp1252(char32_t cp, unsigned char& out) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        out = static_cast<unsigned char>(cp);
        return true;
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp) {
            out = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

namespace {

// The code point of the UTF-8 sequence at text[i], advancing i past it; false (i advanced by
// one byte) when the bytes there are not a whole, shortest-form sequence.
bool NextCodePoint(std::string_view text, std::size_t& i, char32_t& cp) {
    const auto b = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    char32_t least = 0;
    if (b < 0x80) {
        cp = b;
        ++i;
        return true;
    } else if ((b & 0xE0) == 0xC0) {
        cp = b & 0x1F;
        extra = 1;
        least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        cp = b & 0x0F;
        extra = 2;
        least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        cp = b & 0x07;
        extra = 3;
        least = 0x10000;
    } else {
        ++i;
        return false;
    }
    bool ok = i + extra < text.size();  // the whole sequence is there
    for (std::size_t k = 1; ok && k <= extra; ++k) {
        const auto cb = static_cast<unsigned char>(text[i + k]);
        if ((cb & 0xC0) != 0x80)
            ok = false;
        else
            cp = (cp << 6) | (cb & 0x3F);
    }
    if (!ok || cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return false;
    }
    i += extra + 1;
    return true;
}

}  // namespace

std::string Utf8ToCp1252(std::string_view text, char replacement) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        unsigned char byte = 0;
        out +=
            NextCodePoint(text, i, cp) && UnicodeToCp1252(cp, byte) ? static_cast<char>(byte) : replacement;
    }
    return out;
}

bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    char32_t cp = 0;
    while (i < text.size())
        if (!NextCodePoint(text, i, cp)) return false;
    return true;
}

std::optional<std::string> Utf8TextToCp1252(std::string_view utf8, std::string* refused) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t at = i;
        char32_t cp = 0;
        unsigned char byte = 0;
        if (!NextCodePoint(utf8, i, cp) || !UnicodeToCp1252(cp, byte)) {
            if (refused) *refused = std::string(utf8.substr(at, i - at));
            return std::nullopt;
        }
        out += static_cast<char>(byte);
    }
    return out;
}

QString ToQt(std::string_view cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }

std::string FromQt(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

std::optional<std::string> EntryText(const QString& text, QString* refused) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t cp : text.toUcs4()) {
        unsigned char byte = 0;
        if (!UnicodeToCp1252(cp, byte)) {
            if (refused) *refused = QString::fromUcs4(&cp, 1);
            return std::nullopt;
        }
        out += static_cast<char>(byte);
    }
    return out;
}

QString RefusedCharacterText(const QString& character) {
    return QStringLiteral("The character \"") + character +
           QStringLiteral("\" cannot be used in this entry.  Please correct.");
}

std::string OsToCp1252(std::string_view os) { return Utf8ToCp1252(os); }

std::string ErrorText(int error) { return OsToCp1252(std::strerror(error)); }

}  // namespace win
