#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "player/engine/qt_playback_services.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

// A stand-in opener on PATH that writes the arguments it got to a file.
class FakeOpener {
public:
    FakeOpener() : oldPath_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        const std::string script = dir.file("xdg-open");
        std::ofstream(script) << "#!/bin/sh\nprintf '%s|' \"$@\" > \"" << dir.file("args.part") << "\"\nmv \""
                              << dir.file("args.part") << "\" \"" << dir.file("args") << "\"\n";
        ::chmod(script.c_str(), 0755);
        ::setenv("PATH", (dir.path() + ":" + oldPath_).c_str(), 1);
    }
    ~FakeOpener() { ::setenv("PATH", oldPath_.c_str(), 1); }

    std::string Arguments() {
        for (int i = 0; i < 200; ++i) {
            const auto bytes = testing::ReadBytes(dir.file("args"));
            if (!bytes.empty()) return {bytes.begin(), bytes.end()};
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {};
    }

    testing::TempDir dir;

private:
    std::string oldPath_;
};

TEST(OpenWithDesktop, HandsTheAddressToTheOpenerAsOneArgument) {
    FakeOpener opener;
    ASSERT_TRUE(OpenWithDesktop("http://example.org/a b?c=\xE9"));
    EXPECT_EQ(opener.Arguments(), "http://example.org/a b?c=\xC3\xA9|");
}

TEST(OpenWithDesktop, RefusesWhatTheOpenerWouldTakeForAnOption) {
    FakeOpener opener;
    EXPECT_FALSE(OpenWithDesktop("--help"));
    EXPECT_FALSE(OpenWithDesktop(""));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(testing::ReadBytes(opener.dir.file("args")).empty());
}

}  // namespace
}  // namespace tessaro
