#include "tests/support/xkb_layout.h"

#include <vector>

#include "tests/support/child_process.h"

namespace tessaro::testing {

bool SetKeyboardLayout(const std::string& display, const std::string& layouts, const std::string& options) {
    std::vector<std::string> args{"setxkbmap", "-display", display, "-layout", layouts};
    if (!options.empty()) args.insert(args.end(), {"-option", "", "-option", options});
    return RunToEnd(std::move(args)) == 0;
}

}  // namespace tessaro::testing
