#include "mail/encodings.h"

namespace tessaro::mail {
namespace {

constexpr std::size_t kPieceWidth = 65;
constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kHex[] = "0123456789ABCDEF";

// Paragraphs with their ends removed; `endsWithBreak` tells whether the text ended in one.
std::vector<std::string_view> Paragraphs(std::string_view text, bool& endsWithBreak) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    std::size_t i = 0;
    endsWithBreak = false;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        out.push_back(text.substr(start, i - start));
        const char pair = c == '\r' ? '\n' : '\r';
        i += (i + 1 < text.size() && text[i + 1] == pair) ? 2 : 1;
        start = i;
        endsWithBreak = i == text.size();
    }
    if (start < text.size()) out.push_back(text.substr(start));
    return out;
}

void EscapePiece(std::string_view piece, bool soft, std::vector<std::string>& out) {
    std::size_t escapes = 0;
    for (unsigned char c : piece) escapes += (c < 32 || c == '=' || c >= 128) ? 1 : 0;
    std::string line;
    line.reserve(piece.size() + escapes * 2 + 1);
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(piece[i]);
        // A blank that ends a line is escaped too: transports may strip it.
        const bool lastBlank = c == ' ' && !soft && i + 1 == piece.size();
        if (c < 32 || c == '=' || c >= 128 || lastBlank) {
            line.push_back('=');
            line.push_back(kHex[c >> 4]);
            line.push_back(kHex[c & 15]);
        } else {
            line.push_back(static_cast<char>(c));
        }
    }
    if (soft) line.push_back('=');
    out.push_back(std::move(line));
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

char UuChar(unsigned value) { return value == 0 ? '`' : static_cast<char>(value + 32); }

}  // namespace

std::vector<std::string> SplitTextLines(std::string_view text) {
    bool endsWithBreak = false;
    std::vector<std::string> out;
    for (std::string_view p : Paragraphs(text, endsWithBreak)) out.emplace_back(p);
    return out;
}

namespace {

// One paragraph in pieces of at most 65 characters, cut at the last blank; every piece but
// the last ends in a soft "=", and the last too when `softEnd` is set.
void EncodeParagraph(std::string_view paragraph, bool softEnd, std::vector<std::string>& out) {
    if (paragraph.empty()) {
        out.emplace_back(softEnd ? "=" : "");
        return;
    }
    while (!paragraph.empty()) {
        if (paragraph.size() <= kPieceWidth) {
            EscapePiece(paragraph, softEnd, out);
            break;
        }
        std::size_t cut = paragraph.substr(0, kPieceWidth).find_last_of(' ');
        if (cut == std::string_view::npos || cut == 0) cut = kPieceWidth;
        EscapePiece(paragraph.substr(0, cut), true, out);
        paragraph.remove_prefix(cut);
    }
}

}  // namespace

std::vector<std::string> EncodeQuotedPrintable(std::string_view source) {
    std::vector<std::string> out;
    out.reserve(source.size() / 60 + 1);
    bool endsWithBreak = false;
    for (std::string_view paragraph : Paragraphs(source, endsWithBreak))
        EncodeParagraph(paragraph, false, out);
    return out;
}

std::vector<std::string> EncodeQuotedPrintableExact(std::string_view source) {
    std::vector<std::string> out;
    out.reserve(source.size() / 60 + 1);
    while (!source.empty()) {
        const std::size_t end = source.find("\r\n");
        if (end == std::string_view::npos) {
            EncodeParagraph(source, true, out);
            break;
        }
        EncodeParagraph(source.substr(0, end), false, out);
        source.remove_prefix(end + 2);
    }
    return out;
}

std::string DecodeQuotedPrintable(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        bool soft = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '=' && i + 1 == line.size()) {
                soft = true;
                break;
            }
            if (line[i] == '=' && i + 2 < line.size() && HexValue(line[i + 1]) >= 0 &&
                HexValue(line[i + 2]) >= 0) {
                out.push_back(static_cast<char>(HexValue(line[i + 1]) * 16 + HexValue(line[i + 2])));
                i += 2;
            } else {
                out.push_back(line[i]);
            }
        }
        if (soft) continue;
        if (out.empty() || out.back() != '\x1A') out += "\r\n";
    }
    return out;
}

std::string Base64(std::string_view source) {
    std::string out;
    out.reserve((source.size() + 2) / 3 * 4);
    std::size_t i = 0;
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(source[k]); };
    for (; i + 3 <= source.size(); i += 3) {
        const unsigned v = (byte(i) << 16) | (byte(i + 1) << 8) | byte(i + 2);
        out.push_back(kBase64Alphabet[(v >> 18) & 63]);
        out.push_back(kBase64Alphabet[(v >> 12) & 63]);
        out.push_back(kBase64Alphabet[(v >> 6) & 63]);
        out.push_back(kBase64Alphabet[v & 63]);
    }
    const std::size_t rest = source.size() - i;
    if (rest > 0) {
        const unsigned v = (byte(i) << 16) | (rest == 2 ? byte(i + 1) << 8 : 0u);
        out.push_back(kBase64Alphabet[(v >> 18) & 63]);
        out.push_back(kBase64Alphabet[(v >> 12) & 63]);
        out.push_back(rest == 2 ? kBase64Alphabet[(v >> 6) & 63] : '=');
        out.push_back('=');
    }
    return out;
}

std::vector<std::string> EncodeBase64Lines(std::string_view source) {
    std::vector<std::string> out;
    for (std::size_t pos = 0;; pos += 57) {
        const std::string_view block = source.substr(std::min(pos, source.size()), 57);
        out.push_back(Base64(block));
        if (block.size() < 57) break;
    }
    return out;
}

std::vector<std::string> EncodeUuLines(std::string_view source) {
    std::vector<std::string> out;
    for (std::size_t pos = 0;; pos += 45) {
        const std::string_view block = source.substr(std::min(pos, source.size()), 45);
        std::string line(1, UuChar(static_cast<unsigned>(block.size())));
        std::string groups;
        for (std::size_t i = 0; i < block.size(); i += 3) {
            unsigned v = 0;
            for (std::size_t k = 0; k < 3; ++k)
                v = (v << 8) | (i + k < block.size() ? static_cast<unsigned char>(block[i + k]) : 0u);
            groups.push_back(UuChar((v >> 18) & 63));
            groups.push_back(UuChar((v >> 12) & 63));
            groups.push_back(UuChar((v >> 6) & 63));
            groups.push_back(UuChar(v & 63));
        }
        const std::size_t width = block.size() * 4 / 3 + (block.size() % 3 != 0 ? 1 : 0);
        line += groups.substr(0, width);
        out.push_back(std::move(line));
        if (block.size() < 45) break;
    }
    return out;
}

std::string EncodedHeaderWord(std::string_view text) {
    if (text.empty() || text[0] != '\x1B') return std::string(text);
    return "=?ISO-2022-JP?B?" + Base64(text) + "?=";
}

}  // namespace tessaro::mail
