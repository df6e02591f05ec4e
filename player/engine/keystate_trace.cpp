#include "player/engine/keystate_trace.h"

#include "foundation/whole_files.h"
#include "platform/cp1252.h"

namespace tessaro {

namespace {

struct TraceKind {
    std::uint32_t kind;
    const char* text;
    enum { Plain, Number, CharAndNumber } form;
};

constexpr TraceKind kTraceKinds[] = {
    {0, "SET IT - GetKeyState", TraceKind::Plain},
    {1, "SET IT - GetASyncKeyState", TraceKind::Plain},
    {2, "FIRST THING IN HOOK", TraceKind::Plain},
    {3, "WAIT - GetKeyState", TraceKind::Plain},
    {4, "WAIT - GetASyncKeyState", TraceKind::Plain},
    {5, "KeyCode: ", TraceKind::CharAndNumber},
    {6, "WParam: ", TraceKind::CharAndNumber},
    {7, "Hook Code: ", TraceKind::Number},
    {16, "VK_SHIFT: ", TraceKind::Number},
    {17, "VK_CONTROL: ", TraceKind::Number},
    {18, "VK_MENU: ", TraceKind::Number},
    {32, "", TraceKind::Plain},
    {91, "VK_LWIN: ", TraceKind::Number},
    {92, "VK_RWIN: ", TraceKind::Number},
};

}  // namespace

std::optional<std::string> KeyStateTraceLine(std::uint32_t kind, std::int32_t value) {
    for (const TraceKind& k : kTraceKinds) {
        if (k.kind != kind) continue;
        std::string line = k.text;
        // The value's low byte as the character it is.
        if (k.form == TraceKind::CharAndNumber)
            line += std::string(1, static_cast<char>(value & 0xFF)) + "  ";
        if (k.form != TraceKind::Plain) line += std::to_string(value);
        return line;
    }
    return std::nullopt;
}

bool AppendKeyStateTrace(const std::string& file, std::uint32_t kind, std::int32_t value, std::string& why) {
    const std::optional<std::string> line = KeyStateTraceLine(kind, value);
    return AppendWhole(win::Cp1252ToUtf8(file), line ? *line + "\r\n" : std::string(), why);
}

}  // namespace tessaro
