#include "platform/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

// An unlinked scratch file: nothing is left behind however the test ends.
win::UniqueFd ScratchFile() {
    char name[] = "/tmp/tessaro-file-io-XXXXXX";
    win::UniqueFd fd(::mkstemp(name));
    ::unlink(name);
    return fd;
}

bool IsOpen(int fd) { return ::fcntl(fd, F_GETFD) != -1; }

TEST(FileIo, PositionedWritesAndReadsRoundTripAndReportTheEnd) {
    win::UniqueFd fd = ScratchFile();
    ASSERT_TRUE(fd.valid());
    ASSERT_TRUE(win::WriteFullAt(fd.get(), "abcdef", 6, 0));
    ASSERT_TRUE(win::WriteFullAt(fd.get(), "XY", 2, 2));  // overwrites in place

    char buf[16] = {};
    EXPECT_EQ(win::ReadAt(fd.get(), buf, 6, 0), 6);
    EXPECT_EQ(std::string(buf, 6), "abXYef");

    // Past the end: a plain read returns what is there, a full read fails with EIO.
    EXPECT_EQ(win::ReadAt(fd.get(), buf, sizeof buf, 4), 2);
    EXPECT_EQ(std::string(buf, 2), "ef");
    errno = 0;
    EXPECT_FALSE(win::ReadFullAt(fd.get(), buf, 4, 4));
    EXPECT_EQ(errno, EIO);
    EXPECT_TRUE(win::ReadFullAt(fd.get(), buf, 4, 2));
    EXPECT_EQ(std::string(buf, 4), "XYef");
}

TEST(FileIo, FailuresComeBackWithTheirErrno) {
    char buf[4];
    errno = 0;
    EXPECT_EQ(win::ReadAt(-1, buf, sizeof buf, 0), -1);
    EXPECT_EQ(errno, EBADF);

    win::UniqueFd full(::open("/dev/full", O_WRONLY | O_CLOEXEC));
    if (full.valid()) {  // a full device must not count as written
        errno = 0;
        EXPECT_FALSE(win::WriteFullAt(full.get(), "data", 4, 0));
        EXPECT_EQ(errno, ENOSPC);
    }
}

TEST(FileIo, DescriptorIsClosedOnceByItsLastOwner) {
    win::UniqueFd first = ScratchFile();
    const int raw = first.get();
    ASSERT_TRUE(IsOpen(raw));

    win::UniqueFd second(std::move(first));
    EXPECT_FALSE(first.valid());
    EXPECT_EQ(second.get(), raw);
    EXPECT_TRUE(IsOpen(raw));

    win::UniqueFd third = ScratchFile();
    const int other = third.get();
    third = std::move(second);  // the descriptor third held is closed, raw lives on
    EXPECT_FALSE(IsOpen(other));
    EXPECT_TRUE(IsOpen(raw));

    EXPECT_EQ(third.Close(), 0);
    EXPECT_FALSE(third.valid());
    EXPECT_FALSE(IsOpen(raw));
    EXPECT_EQ(third.Close(), 0);  // closing twice is harmless
}

}  // namespace
