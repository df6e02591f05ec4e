#include "editor/script/text_util.h"

namespace tessaro {

std::string_view FileNamePart(std::string_view path) {
    const auto pos = path.find_last_of("\\/");
    return pos == std::string_view::npos ? path : path.substr(pos + 1);
}

}  // namespace tessaro
