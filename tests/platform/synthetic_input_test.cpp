#include "platform/synthetic_input.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace win {
namespace {

class SyntheticInput : public ::testing::Test {
protected:
    void SetUp() override {
        // One namespace for the whole program: the mark is attached once per process.
        static const std::string ns = "synthtest-" + std::to_string(::getpid());
        ::setenv("TESSARO_NS", ns.c_str(), 1);
    }
    void TearDown() override { ::unsetenv("TESSARO_NS"); }
};

TEST_F(SyntheticInput, InjectedKeysAreRememberedByKeycodeForAWhile) {
    NoteSyntheticKey(201, 43);
    NoteSyntheticKey(38, 65);
    EXPECT_TRUE(RecentSyntheticInput(1000));
    EXPECT_EQ(SyntheticKeyVk(201, 1000), 43u);
    EXPECT_EQ(SyntheticKeyVk(38, 1000), 65u);
    EXPECT_EQ(SyntheticKeyVk(39, 1000), 0u);
    NoteSyntheticKey(201, 112);  // the spare keycode reused for another key
    EXPECT_EQ(SyntheticKeyVk(201, 1000), 112u);
    ::usleep(30 * 1000);
    EXPECT_FALSE(RecentSyntheticInput(10));
    EXPECT_EQ(SyntheticKeyVk(201, 10), 0u);
}

TEST_F(SyntheticInput, OnlyTheLatestKeysAreKept) {
    NoteSyntheticKey(150, 90);
    for (unsigned i = 0; i < 40; ++i) NoteSyntheticKey(10 + i, 48 + i % 10);
    EXPECT_EQ(SyntheticKeyVk(150, 1000), 0u);
    EXPECT_EQ(SyntheticKeyVk(49, 1000), 48u + 39 % 10);
}

}  // namespace
}  // namespace win
