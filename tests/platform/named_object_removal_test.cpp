#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/named_mutex.h"
#include "platform/shared_memory.h"

namespace win {
namespace {

// An owner removes names that an earlier process created and left behind.
TEST(NamedObjectRemoval, NamesGoWhileOpenHandlesStayUsable) {
    const std::string ns = "removal-" + std::to_string(::getpid());
    ::setenv("TESSARO_NS", ns.c_str(), 1);
    {
        // Created, then opened by a later owner: the later one does not remove it on close.
        auto leftover = SharedMemory::Create("LEFT", 64);
        ASSERT_TRUE(leftover);
        auto reopened = SharedMemory::Create("LEFT", 64);
        ASSERT_TRUE(reopened && reopened->existed());
        std::memcpy(reopened->data(), "kept", 4);
        SharedMemory::Remove("LEFT");
        EXPECT_FALSE(SharedMemory::Exists("LEFT"));
        EXPECT_EQ(std::memcmp(leftover->data(), "kept", 4), 0);
        auto fresh = SharedMemory::Create("LEFT", 64);
        ASSERT_TRUE(fresh);
        EXPECT_FALSE(fresh->existed());
    }
    EXPECT_FALSE(SharedMemory::Exists("LEFT"));

    auto mutex = NamedMutex::Create("GUARD");
    ASSERT_TRUE(mutex);
    NamedMutex::Remove("GUARD");
    EXPECT_FALSE(NamedMutex::Open("GUARD"));
    EXPECT_EQ(mutex->Wait(0), WaitResult::Acquired);  // the open handle still works
    EXPECT_TRUE(mutex->Release());
    SharedMemory::Remove("NEVER-MADE");  // removing a missing name is harmless
    ::unsetenv("TESSARO_NS");
}

}  // namespace
}  // namespace win
