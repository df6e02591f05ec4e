#include "foundation/short_string.h"

#include <gtest/gtest.h>

#include <type_traits>

using tessaro::ShortString;

TEST(ShortString, CutsToCapacityAndKeepsBytes) {
    ShortString<5> s("abcdefgh");
    EXPECT_EQ(s.len, 5);
    EXPECT_EQ(s.view(), "abcde");
    s = std::string_view("\xe9\x00z", 3);  // accented byte and an embedded NUL survive
    EXPECT_EQ(s.size(), 3u);
    EXPECT_EQ(s.str(), std::string("\xe9\x00z", 3));
}

TEST(ShortString, DamagedLengthByteReadsAsCapacity) {
    ShortString<4> s;
    s.len = 200;  // as a corrupted record could hold
    EXPECT_EQ(s.size(), 4u);
    EXPECT_EQ(s.view().size(), 4u);
}

TEST(ShortString, IsARawRecordField) {
    static_assert(std::is_trivially_copyable_v<ShortString<30>>);
    EXPECT_EQ(sizeof(ShortString<30>), 31u);
}
