// The system mixer's library is mapped by the first Open, not by the programs that might
// use it, and an Open answers either a mixer or an error.
#include <gtest/gtest.h>

#include "platform/mixer.h"
#include "tests/support/mapped_libraries.h"

namespace {

using tessaro::testing::Mapped;

TEST(MixerLoader, TheSoundLibraryIsMappedOnlyByTheFirstOpen) {
    ASSERT_FALSE(Mapped("libasound")) << "the sound library is linked in, not loaded on use";
    const auto opener = win::SystemMixerOpener();
    EXPECT_FALSE(Mapped("libtesmixer.so"));
    int error = 0;
    const auto mixer = opener->Open(-1, error);
    EXPECT_TRUE(Mapped("libtesmixer.so"));
    EXPECT_TRUE(Mapped("libasound"));
    EXPECT_EQ(mixer != nullptr, error == 0) << error;
    EXPECT_LE(error, 0);
}

}  // namespace
