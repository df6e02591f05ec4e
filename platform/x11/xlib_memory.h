#pragma once
// Memory that Xlib hands out, owned: freed with XFree however the owner's scope is left.
#include <X11/Xlib.h>

#include <memory>

namespace win::x11 {

struct XFreeDeleter {
    void operator()(void* memory) const {
        if (memory) XFree(memory);
    }
};

template <typename T>
using XMemory = std::unique_ptr<T, XFreeDeleter>;

// Takes what an Xlib call wrote to `out`: XOwned(data) after XGetWindowProperty(..., &data).
template <typename T>
XMemory<T> XOwned(T* memory) {
    return XMemory<T>(memory);
}

}  // namespace win::x11
