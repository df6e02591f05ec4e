#include "platform/x11/display.h"

#include <memory>

namespace win::x11 {
namespace {

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};

}  // namespace

Display* SharedDisplay() {
    static const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    return display.get();
}

bool DisplayReachable() { return SharedDisplay() != nullptr; }

}  // namespace win::x11
