#include "macro/command_numbers.h"

namespace tessaro {

bool FieldAllowsDecimals(TokenKind kind, std::size_t field) {
    return field == 0 && (kind == TokenKind::Delay || kind == TokenKind::TDelay || kind == TokenKind::Speed);
}

double CommandNumber(TokenKind kind, std::size_t field, std::string_view text) {
    if (FieldAllowsDecimals(kind, field)) return ArgReal(text).value_or(0.0);
    return static_cast<double>(ArgInt(text));
}

}  // namespace tessaro
