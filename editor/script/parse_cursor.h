#pragma once
// Reading one token of macro text at a fixed start. Every read is clipped to the text:
// a place past its end reads as nothing, so a truncated token can never be read beyond.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaro::parse {

// A number field as the language reads it, clamped to 32 bits.
std::int32_t ToInt(std::string_view field);

// A real field as the language reads it ("05.00", ".5", "-1.25"), independent of the
// locale; a field that is no number gives 0.
double ToReal(std::string_view field);

// A free-text field and the offset just past its delimiter.
struct FreeText {
    std::string_view text;
    std::size_t next = 0;
};

class Cursor {
public:
    Cursor(std::string_view source, std::size_t pos) : s_(source), p_(pos) {}

    std::string_view Rest() const { return s_.substr(p_); }
    std::size_t Remaining() const { return s_.size() - p_; }

    // The text from here starts with the literal, case-sensitively.
    bool StartsWith(std::string_view literal) const { return Rest().starts_with(literal); }
    // The character at offset k (none past the end).
    std::optional<char> At(std::size_t k) const;
    bool CharIs(std::size_t k, char c) const { return At(k) == c; }
    // A token of total length L has its ">" at offset L-1.
    bool ClosedAt(std::size_t length) const { return length > 0 && CharIs(length - 1, '>'); }

    // The w characters at offset k, cut where the text ends.
    std::string_view Field(std::size_t k, std::size_t w) const;
    std::int32_t Int(std::size_t k, std::size_t w) const { return ToInt(Field(k, w)); }
    double Real(std::size_t k, std::size_t w) const { return ToReal(Field(k, w)); }

    // Free text from offset k up to the delimiter, without it. Nothing when the text ends
    // first: a token missing its delimiter is not a token.
    std::optional<FreeText> Until(std::size_t k, char delimiter) const;

private:
    std::string_view s_;
    std::size_t p_;
};

}  // namespace tessaro::parse
