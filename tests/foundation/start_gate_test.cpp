#include "foundation/start_gate.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/message_box.h"
#include "platform/paths.h"

extern char** environ;
namespace fs = std::filesystem;

namespace {

std::string ProbePath() {
    const char* bin = std::getenv("TESSARO_BIN");
    return win::JoinPath(bin ? bin : win::ExecutableDirectory(), "start_gate_probe");
}

// One stand-in editor process with pipes on stdin and stdout.
class Probe {
public:
    Probe(const std::vector<std::string>& args, const std::string& window = "0") {
        int in[2], out[2];
        EXPECT_EQ(::pipe2(in, O_CLOEXEC), 0);
        EXPECT_EQ(::pipe2(out, O_CLOEXEC), 0);
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, in[0], 0);
        posix_spawn_file_actions_adddup2(&fa, out[1], 1);
        const std::string path = ProbePath();
        std::vector<std::string> storage = {path};
        storage.insert(storage.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& s : storage) argv.push_back(s.data());
        argv.push_back(nullptr);
        setenv("PROBE_WINDOW", window.c_str(), 1);
        const int rc = posix_spawn(&pid_, path.c_str(), &fa, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&fa);
        ::close(in[0]);
        ::close(out[1]);
        stdin_ = in[1];
        stdout_ = out[0];
        EXPECT_EQ(rc, 0) << path;
        if (rc != 0) pid_ = -1;
    }
    ~Probe() {
        if (stdin_ >= 0) ::close(stdin_);
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(stdout_);
    }

    // Reads one line, or returns what came before end of output or the deadline.
    std::string Line(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        std::string line;
        while (std::chrono::steady_clock::now() < end) {
            pollfd p{stdout_, POLLIN, 0};
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (::poll(&p, 1, static_cast<int>(std::max<long>(left.count(), 1))) <= 0) continue;
            char c;
            if (::read(stdout_, &c, 1) != 1) break;
            if (c == '\n') return line;
            line += c;
        }
        return line;
    }

    // Waits for the process to end by itself; its exit status, or -1 when it did not end.
    int Exit(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            ::usleep(5000);
        }
        return -1;
    }

    void Kill() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int stdin_ = -1;
    int stdout_ = -1;
};

class StartGateTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tessaro-gate-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        setenv("TESSARO_NS", ("gate-" + std::to_string(::getpid())).c_str(), 1);
    }
    void TearDown() override {
        unsetenv("TESSARO_NS");
        fs::remove_all(dir_);
    }
    fs::path dir_;
};

const std::string kRefusal = "BOX [] [Tessaro Editor can only be invoked via Tessaro]";

TEST_F(StartGateTest, StartsWithoutTheMarkerShowTheBoxAndEnd) {
    const std::vector<std::vector<std::string>> refused = {
        {}, {"-pwv", "/RH1"}, {"/RH1", "-PWV"}, {"-PWVX"}, {" -PWV"}};
    for (const auto& args : refused) {
        Probe p(args);
        EXPECT_EQ(p.Line(), kRefusal) << (args.empty() ? "(none)" : args[0]);
        EXPECT_EQ(p.Line(), "");  // nothing after the box: no initialisation, no guard
        EXPECT_EQ(p.Exit(), 0);
    }
    EXPECT_FALSE(win::InstanceRunning(tessaro::kEditorInstanceName));
}

TEST_F(StartGateTest, RuntimeFolderOthersMayWriteStopsTheEditorWithItsReason) {
    ::chmod(dir_.c_str(), 0777);
    const fs::path lock = dir_ / (win::NamespacedName(tessaro::kEditorInstanceName) + ".lock");
    Probe p({"-PWV", "/RH1"});
    EXPECT_EQ(
        p.Line(),
        "BOX [System Error] [The folder " + dir_.string() +
            " for Tessaro's lock files may be written by other users.  Tessaro Editor will terminate.]");
    EXPECT_EQ(p.Line(), "");  // it never runs
    EXPECT_EQ(p.Exit(), 1);
    EXPECT_FALSE(fs::exists(lock));
}

TEST_F(StartGateTest, SecondEditorEndsSilentlyAndTheGuardIsFreedWhenTheFirstDies) {
    Probe first({"-PWV", "/RH4242"}, "31457283");
    ASSERT_EQ(first.Line(), "RUNNING guarded");
    EXPECT_TRUE(win::InstanceRunning(tessaro::kEditorInstanceName));
    EXPECT_EQ(win::RunningInstanceWindow(tessaro::kEditorInstanceName), 31457283u);

    Probe second({"-PWV", "/RH4242"});
    EXPECT_EQ(second.Exit(), 0);
    EXPECT_EQ(second.Line(std::chrono::milliseconds(200)), "");  // no box, no window

    first.Kill();  // no clean shutdown: the kernel must drop the guard
    EXPECT_FALSE(win::InstanceRunning(tessaro::kEditorInstanceName));
    EXPECT_EQ(win::RunningInstanceWindow(tessaro::kEditorInstanceName), 0u);

    Probe third({"-PWV"}, "99");
    EXPECT_EQ(third.Line(), "RUNNING guarded");
    EXPECT_EQ(win::RunningInstanceWindow(tessaro::kEditorInstanceName), 99u);
}

TEST_F(StartGateTest, EditorsStartedTogetherLetExactlyOneThrough) {
    std::vector<std::unique_ptr<Probe>> probes;
    for (int i = 0; i < 8; ++i) probes.push_back(std::make_unique<Probe>(std::vector<std::string>{"-PWV"}));
    int running = 0, ended = 0;
    for (auto& p : probes) {
        const std::string line = p->Line(std::chrono::seconds(5));
        if (line == "RUNNING guarded")
            ++running;
        else if (line.empty() && p->Exit() == 0)
            ++ended;
    }
    EXPECT_EQ(running, 1);
    EXPECT_EQ(ended, 7);
}

TEST_F(StartGateTest, InProcessVerdicts) {
    std::vector<win::MessageBoxCall> boxes;
    win::ScopedMessageBoxHandler record([&](const win::MessageBoxCall& c) {
        boxes.push_back(c);
        return win::MbResult::Ok;
    });
    EXPECT_EQ(tessaro::CheckEditorStart({}).verdict, tessaro::StartGateVerdict::NotLaunchedByPlayer);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "");
    EXPECT_EQ(boxes[0].buttons, win::MbButtons::Ok);

    auto first = tessaro::CheckEditorStart({"-PWV", "/RH12"});
    EXPECT_EQ(first.verdict, tessaro::StartGateVerdict::Run);
    ASSERT_TRUE(first.guard.has_value());
    EXPECT_TRUE(first.guard->acquired());
    auto again = tessaro::CheckEditorStart({"-PWV", "/RH12"});
    EXPECT_EQ(again.verdict, tessaro::StartGateVerdict::AlreadyRunning);
    EXPECT_FALSE(again.guard.has_value());
    EXPECT_EQ(boxes.size(), 1u);

    // Without a usable runtime folder the editor runs on unguarded, without a message.
    first.guard.reset();
    { std::ofstream(dir_ / "plain") << "x"; }
    setenv("XDG_RUNTIME_DIR", (dir_ / "plain" / "sub").c_str(), 1);
    auto unguarded = tessaro::CheckEditorStart({"-PWV"});
    EXPECT_EQ(unguarded.verdict, tessaro::StartGateVerdict::Run);
    EXPECT_FALSE(unguarded.guard.has_value());
    EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
