#pragma once
// A field of a packed record, read by value. The test macros take their arguments by
// reference, and a reference to a packed field may be misaligned.

namespace tessaro {

template <typename T>
T Unpacked(T value) {
    return value;
}

}  // namespace tessaro
