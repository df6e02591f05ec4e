// Both programs bind the dial-up service when they start and let it go when they end, so
// the service is there for every macro and every dial-up dialog in between.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "foundation/start_gate.h"
#include "platform/paths.h"
#include "platform/single_instance.h"
#include "protocol/window_messages.h"
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

// The player started with the stand-in service library under the name it loads; the
// library notes each load and unload in `log`. The player hands its environment on to the
// editor it starts.
std::unique_ptr<PlayerProcess> StartWithStandInService(PlayerSandbox& box,
                                                       const std::vector<std::string>& args,
                                                       const std::string& log) {
    const std::string libraries = box.file("lib");
    std::filesystem::create_directory(libraries);
    const char* bin = std::getenv("TESSARO_BIN");
    std::filesystem::create_symlink(
        std::string(bin && *bin ? bin : win::ExecutableDirectory()) + "/libfake_nm.so",
        libraries + "/libnm.so.0");
    const ScopedEnv path("LD_LIBRARY_PATH", libraries);
    const ScopedEnv logged("FAKE_NM_LOG", log);
    return std::make_unique<PlayerProcess>(box, args, "player.log");
}

// The editor started with `log` in its environment (the player hands it on); 0 when none.
int EditorPid(const std::string& log) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        if (std::filesystem::read_symlink(entry.path() / "exe", ec).filename() != "tesdesk") continue;
        std::string environment = ReadFile((entry.path() / "environ").string());
        std::replace(environment.begin(), environment.end(), '\0', '\n');
        if (environment.find("FAKE_NM_LOG=" + log + "\n") != std::string::npos) return std::stoi(name);
    }
    return 0;
}

TEST(DialUpBinding, PlayerBindsTheServiceAtStartAndReleasesItAtItsEnd) {
    Xvfb xvfb;
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    const std::string log = box.file("nm.log");
    const std::unique_ptr<PlayerProcess> player = StartWithStandInService(box, {"/EN"}, log);
    ASSERT_TRUE(player->started());
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player->Log();
    EXPECT_EQ(ReadFile(log), "loaded\n");
    EXPECT_NE(ReadFile("/proc/" + std::to_string(player->pid()) + "/maps").find("libfake_nm.so"),
              std::string::npos);

    EXPECT_EQ(player->Stop(SIGTERM), 0) << player->Log();
    EXPECT_EQ(ReadFile(log), "loaded\nreleased\n");
}

TEST(DialUpBinding, TheEditorBindsTheServiceAtStartAndReleasesItAtItsEnd) {
    Xvfb xvfb;
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    const std::string log = box.file("nm.log");
    const std::unique_ptr<PlayerProcess> player = StartWithStandInService(box, {"/EY"}, log);
    ASSERT_TRUE(player->started());
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player->Log();
    std::uint64_t editor = 0;
    ASSERT_TRUE(WaitFor([&] { return (editor = win::RunningInstanceWindow(kEditorInstanceName)) != 0; }, 20s))
        << player->Log();
    int editorPid = 0;
    ASSERT_TRUE(WaitFor([&] { return (editorPid = EditorPid(log)) != 0; }, 10s));
    EXPECT_NE(ReadFile("/proc/" + std::to_string(editorPid) + "/maps").find("libfake_nm.so"),
              std::string::npos);
    EXPECT_EQ(ReadFile(log), "loaded\nloaded\n");

    // The editor closes as the player closes it; the player goes on with its own binding.
    Display* display = xvfb.Open();
    ASSERT_NE(display, nullptr);
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = static_cast<Window>(editor);
    close.xclient.message_type = XInternAtom(display, "_TESSARO_WINDOW_MESSAGE", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = WM_CLOSE;
    close.xclient.data.l[1] = kQuitFromPlayer;
    XSendEvent(display, static_cast<Window>(editor), False, NoEventMask, &close);
    XCloseDisplay(display);
    ASSERT_TRUE(WaitFor([] { return !win::InstanceRunning(kEditorInstanceName); }, 10s));
    WaitFor([&] { return ReadFile(log).size() > std::string("loaded\nloaded\n").size(); }, 10s);
    EXPECT_EQ(ReadFile(log), "loaded\nloaded\nreleased\n");
    EXPECT_EQ(player->Stop(SIGTERM), 0) << player->Log();
}

}  // namespace
}  // namespace tessaro::testing
