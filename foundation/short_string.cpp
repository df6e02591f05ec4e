#include "foundation/short_string.h"

namespace tessaro {
// The records rely on these layouts byte for byte.
static_assert(sizeof(ShortString<1>) == 2);
static_assert(sizeof(ShortString<255>) == 256);
static_assert(alignof(ShortString<30>) == 1);
}  // namespace tessaro
