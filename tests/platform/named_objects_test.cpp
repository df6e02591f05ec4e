#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/named_mutex.h"
#include "platform/shared_memory.h"

namespace win {
namespace {

class NamedObjects : public ::testing::Test {
protected:
    void SetUp() override { UseNamespace("a"); }
    void TearDown() override { ::unsetenv("TESSARO_NS"); }
    void UseNamespace(const std::string& tag) {
        static int serial = 0;
        const std::string ns = "objtest-" + std::to_string(::getpid()) + "-" + tag +
                               std::to_string(tag == "a" ? ++serial : serial);
        ::setenv("TESSARO_NS", ns.c_str(), 1);
    }
};

TEST_F(NamedObjects, CreatedBlocksAreZeroAndSharedByName) {
    std::string error;
    auto a = SharedMemory::Create("BLOCK", 4096, &error);
    ASSERT_TRUE(a) << error;
    EXPECT_FALSE(a->existed());
    const auto* bytes = static_cast<const unsigned char*>(a->data());
    for (std::size_t i = 0; i < 4096; ++i) ASSERT_EQ(bytes[i], 0) << i;
    std::memcpy(a->data(), "hello", 5);

    auto b = SharedMemory::Open("BLOCK", 4096);
    ASSERT_TRUE(b);
    EXPECT_EQ(std::memcmp(b->data(), "hello", 5), 0);
    auto c = SharedMemory::Create("BLOCK", 4096);
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->existed());
    EXPECT_EQ(std::memcmp(c->data(), "hello", 5), 0);
}

TEST_F(NamedObjects, OpeningMissingOrTooSmallBlocksFailsClearly) {
    std::string error;
    EXPECT_FALSE(SharedMemory::Open("NOSUCH", 16, &error));
    EXPECT_FALSE(error.empty());
    auto small = SharedMemory::Create("SMALL", 16);
    ASSERT_TRUE(small);
    error.clear();
    EXPECT_FALSE(SharedMemory::Open("SMALL", 4096, &error));
    EXPECT_NE(error.find("smaller"), std::string::npos);
    EXPECT_FALSE(SharedMemory::Create("EMPTY", 0));
}

TEST_F(NamedObjects, SessionsNeverShareABlock) {
    auto mine = SharedMemory::Create("SESSION", 64);
    ASSERT_TRUE(mine);
    UseNamespace("b");
    EXPECT_FALSE(SharedMemory::Exists("SESSION"));
    auto theirs = SharedMemory::Create("SESSION", 64);
    ASSERT_TRUE(theirs);
    EXPECT_FALSE(theirs->existed());
}

TEST_F(NamedObjects, TheCreatorRemovesTheNameWhenItCloses) {
    {
        auto block = SharedMemory::Create("GONE", 64);
        ASSERT_TRUE(block);
    }
    EXPECT_FALSE(SharedMemory::Exists("GONE"));
}

TEST_F(NamedObjects, MutexTimesOutWhileAnotherProcessHoldsIt) {
    auto m = NamedMutex::Create("MUTEX");
    ASSERT_TRUE(m);
    int ready[2], go[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(go), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        ::close(go[1]);
        auto mine = NamedMutex::Open("MUTEX");
        const bool got = mine && mine->Wait(1000) == WaitResult::Acquired;
        char c = got ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        // Held until the parent has seen its wait time out (or has gone), however slow
        // the machine.
        (void)!::read(go[0], &c, 1);
        ::usleep(50 * 1000);  // lets the parent's next wait start before the release
        if (mine) mine->Release();
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(go[0]);
    // Whichever way the test ends, the holder is let go and reaped.
    struct Holder {
        pid_t pid;
        int ready, go;
        ~Holder() {
            ::close(go);
            ::close(ready);
            ::waitpid(pid, nullptr, 0);
        }
    } holder{child, ready[0], go[1]};

    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    EXPECT_EQ(m->Wait(50), WaitResult::Timeout);
    ASSERT_EQ(::write(go[1], "g", 1), 1);
    EXPECT_EQ(m->Wait(3000), WaitResult::Acquired);  // the holder's release wakes the waiter
    EXPECT_TRUE(m->Release());
}

TEST_F(NamedObjects, AMutexWhoseOwnerDiedIsHandedOn) {
    auto m = NamedMutex::Create("ORPHAN");
    ASSERT_TRUE(m);
    const pid_t child = ::fork();
    if (child == 0) {
        auto mine = NamedMutex::Open("ORPHAN");
        if (mine) mine->Wait(1000);
        ::_exit(0);  // dies holding it
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(m->Wait(1000), WaitResult::Abandoned);
    EXPECT_TRUE(m->Release());
    EXPECT_EQ(m->Wait(100), WaitResult::Acquired);  // usable again
    {
        MutexLock again(*m, 100);  // recursive in one thread
        EXPECT_TRUE(again.owns());
    }
    EXPECT_TRUE(m->Release());
    EXPECT_FALSE(NamedMutex::Open("NEVERMADE"));
}

}  // namespace
}  // namespace win
