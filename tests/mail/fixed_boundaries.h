#pragma once
#include <string>

#include "mail/message.h"

namespace tessaro::testing {

// Boundaries 11111111, 22222222, ... in the order they are drawn.
class FixedBoundaries : public mail::BoundarySource {
public:
    std::string NextBoundary() override { return std::string(8, static_cast<char>('1' + next_++ % 8)); }

private:
    int next_ = 0;
};

}  // namespace tessaro::testing
