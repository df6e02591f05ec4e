#include "editor/model/commands/command_form.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "foundation/strings.h"
#include "platform/cp1252.h"

namespace tessaro {

std::optional<FormError> WriteCommand(int code, const LineRecord& record, std::string& text) {
    ScriptTextResult written = CommandText(code, record);
    if (!written.ok) return FormError{written.error, ""};
    text = std::move(written.text);
    return std::nullopt;
}

const RadioChoice* ChoiceOfKind(std::span<const RadioChoice> table, std::int32_t kind) {
    for (const auto& c : table)
        if (c.kind == kind) return &c;
    return nullptr;
}

const RadioChoice* ChoiceOfControl(std::span<const RadioChoice> table, std::string_view control) {
    for (const auto& c : table)
        if (c.control == control) return &c;
    return nullptr;
}

const RadioChoice* ChoiceOfCode(std::span<const RadioChoice> table, int code) {
    for (const auto& c : table)
        if (c.code == code) return &c;
    return nullptr;
}

std::string FieldText(std::string_view typed) { return TrimBlanks(typed); }

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Sign, then the digits; false when nothing else follows and at least one digit stood.
bool SplitSign(std::string_view& text, bool& negative) {
    negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    return !text.empty();
}

}  // namespace

std::optional<std::int32_t> WholeNumber(std::string_view text) {
    bool negative = false;
    if (!SplitSign(text, negative)) return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > 2147483647LL || value < -2147483648LL) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> RealNumber(std::string_view text) {
    bool negative = false;
    if (!SplitSign(text, negative)) return std::nullopt;
    int digits = 0;
    bool point = false;
    for (char c : text) {
        if (IsDigit(c)) {
            ++digits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || digits > 30) return std::nullopt;
    // from_chars ignores the process locale (Qt sets it from the environment).
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int32_t> WholeInRange(std::string_view text, std::int32_t low, std::int32_t high) {
    const auto v = WholeNumber(text);
    if (!v || *v < low || *v > high) return std::nullopt;
    return v;
}

bool RegularFileExists(std::string_view path) {
    if (path.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(win::Cp1252ToUtf8(path)), ec);
}

bool ProgramExists(std::string_view path) {
    if (path.find('/') != std::string_view::npos) return RegularFileExists(path);
    if (path.empty()) return false;
    const char* env = std::getenv("PATH");
    std::string_view dirs = env ? env : "";
    while (true) {
        const auto colon = dirs.find(':');
        const std::string_view dir = dirs.substr(0, colon);
        if (!dir.empty() && RegularFileExists(std::string(dir) + "/" + std::string(path))) return true;
        if (colon == std::string_view::npos) return false;
        dirs.remove_prefix(colon + 1);
    }
}

std::string BadCharacterMessage(char c) {
    return std::string("The character \"") + c + "\" cannot be used in this entry.  Please correct.";
}

std::optional<FormError> CheckFreeText(std::string_view text, std::string_view focus,
                                       std::string_view stops) {
    const auto bad = text.find_first_of(stops);
    if (bad == std::string_view::npos) return std::nullopt;
    return FormError{BadCharacterMessage(text[bad]), std::string(focus)};
}

std::optional<FormError> CheckPassword(std::string_view password, std::string_view focus) {
    if (password.find('W') == std::string_view::npos) return std::nullopt;
    return FormError{BadCharacterMessage('W'), std::string(focus)};
}

}  // namespace tessaro
