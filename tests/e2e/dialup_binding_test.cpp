// The player binds the dial-up service when it starts and lets it go when it ends, so
// the service is there for every macro in between.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/paths.h"
#include "player_process.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Sets a variable for the processes started meanwhile.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) { ::setenv(name, value.c_str(), 1); }
    ~ScopedEnv() { ::unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
};

TEST(DialUpBinding, PlayerBindsTheServiceAtStartAndReleasesItAtItsEnd) {
    Xvfb xvfb;
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    // The stand-in service library under the name the player loads.
    const std::string libraries = box.file("lib");
    std::filesystem::create_directory(libraries);
    const char* bin = std::getenv("TESSARO_BIN");
    std::filesystem::create_symlink(
        std::string(bin && *bin ? bin : win::ExecutableDirectory()) + "/libfake_nm.so",
        libraries + "/libnm.so.0");
    const std::string log = box.file("nm.log");

    std::unique_ptr<PlayerProcess> player;
    {
        const ScopedEnv path("LD_LIBRARY_PATH", libraries);
        const ScopedEnv logged("FAKE_NM_LOG", log);
        player = std::make_unique<PlayerProcess>(box, std::vector<std::string>{"/EN"}, "player.log");
    }
    ASSERT_TRUE(player->started());
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player->Log();
    EXPECT_EQ(ReadFile(log), "loaded\n");
    EXPECT_NE(ReadFile("/proc/" + std::to_string(player->pid()) + "/maps").find("libfake_nm.so"),
              std::string::npos);

    EXPECT_EQ(player->Stop(SIGTERM), 0) << player->Log();
    EXPECT_EQ(ReadFile(log), "loaded\nreleased\n");
}

}  // namespace
}  // namespace tessaro::testing
