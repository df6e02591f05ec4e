#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

#include "player/engine/qt_playback_services.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wait_for.h"

namespace tessaro {
namespace {

// A stand-in opener on PATH that writes the arguments it got to a file.
class FakeOpener {
public:
    FakeOpener() : oldPath_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        const std::string script = dir.file("xdg-open");
        // One line a start, each argument ended by "|".
        std::ofstream(script) << "#!/bin/sh\n{ printf '%s|' \"$@\"; echo; } >> \"" << dir.file("args")
                              << "\"\n";
        ::chmod(script.c_str(), 0755);
        ::setenv("PATH", (dir.path() + ":" + oldPath_).c_str(), 1);
    }
    ~FakeOpener() { ::setenv("PATH", oldPath_.c_str(), 1); }

    // What the opener got, a line a start, once the first start has written its line.
    std::string Arguments() {
        std::string got;
        testing::WaitFor(
            [&] {
                const auto bytes = testing::ReadBytes(dir.file("args"));
                got.assign(bytes.begin(), bytes.end());
                return !got.empty() && got.back() == '\n';
            },
            std::chrono::seconds(2));
        return got;
    }

    testing::TempDir dir;

private:
    std::string oldPath_;
};

TEST(OpenWithDesktop, HandsTheAddressToTheOpenerAsOneArgument) {
    FakeOpener opener;
    ASSERT_TRUE(OpenWithDesktop("http://example.org/a b?c=\xE9"));
    EXPECT_EQ(opener.Arguments(), "http://example.org/a b?c=\xC3\xA9|\n");
}

TEST(OpenWithDesktop, RefusesWhatTheOpenerWouldTakeForAnOption) {
    FakeOpener opener;
    EXPECT_FALSE(OpenWithDesktop("--help"));
    EXPECT_FALSE(OpenWithDesktop(""));
    // The opener started next is the only one the file ever heard of.
    ASSERT_TRUE(OpenWithDesktop("http://example.org/"));
    EXPECT_EQ(opener.Arguments(), "http://example.org/|\n");
}

}  // namespace
}  // namespace tessaro
