#include "editor/script/text_util.h"

namespace tessaro {

std::string_view FileNamePart(std::string_view path) {
    const auto pos = path.find_last_of("\\/");
    return pos == std::string_view::npos ? path : path.substr(pos + 1);
}

TypedTextStyle StyleOfTypedText(std::string_view stored, const TypedTextStyle& fallback) {
    TypedTextStyle style = fallback;
    // The first line break sets the style.
    if (const std::size_t at = stored.find_first_of("\r\n"); at != std::string_view::npos) {
        if (stored[at] == '\n')
            style.LineBreak = "\n";
        else if (at + 1 == stored.size() || stored[at + 1] != '\n')
            style.LineBreak = "\r";
        else
            style.LineBreak = "\r\n";
    }
    if (stored.find('\t') != std::string_view::npos) style.TabBytes = true;
    return style;
}

}  // namespace tessaro
