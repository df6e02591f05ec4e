// The check before a clip is played: a full framework plays a sound file, a hidden demuxer
// or an empty plug-in registry is named as missing, and a file of noise is left to the
// player. Each case runs in a child process, since the framework reads its environment
// once per process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/media_support.h"
#include "tests/support/temp_dir.h"

namespace {

using tessaro::testing::TempDir;

// "none", or "missing: " + what, from a child with `env` set.
std::string CheckInChild(const std::string& path,
                         const std::vector<std::pair<std::string, std::string>>& env) {
    int fds[2];
    if (::pipe(fds) != 0) return "pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        for (const auto& [k, v] : env) ::setenv(k.c_str(), v.c_str(), 1);
        const auto missing = win::MissingMediaPlugin(path);
        const std::string answer = missing ? "missing: " + *missing : "none";
        (void)!::write(fds[1], answer.data(), answer.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string out;
    char buf[256];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, std::size_t(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return out;
}

void WriteWav(const std::string& path) {
    const std::uint32_t samples = 8000;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + samples * 2);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(16000);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i) u16(std::uint16_t(i * 300));
}

class MediaSupport : public ::testing::Test {
protected:
    void SetUp() override {
        WriteWav(wav_);
        std::string registry = dir_.file("registry.bin");
        isolated_ = {{"GST_REGISTRY_1_0", registry}, {"GST_REGISTRY_FORK", "no"}};
    }
    TempDir dir_;
    std::string wav_ = dir_.file("sound.wav");
    std::vector<std::pair<std::string, std::string>> isolated_;
};

TEST_F(MediaSupport, AFullFrameworkCanPlayASoundFile) {
    const std::string answer = CheckInChild(wav_, isolated_);
    if (answer.find("missing: playbin") != std::string::npos) GTEST_SKIP() << "no media plug-ins installed";
    EXPECT_EQ(answer, "none");
}

TEST_F(MediaSupport, AHiddenDemuxerIsNamedAsMissing) {
    auto env = isolated_;
    env.emplace_back("GST_PLUGIN_FEATURE_RANK", "wavparse:NONE");
    const std::string answer = CheckInChild(wav_, env);
    if (answer.find("missing: playbin") != std::string::npos) GTEST_SKIP() << "no media plug-ins installed";
    EXPECT_TRUE(answer.starts_with("missing: ")) << answer;
}

TEST_F(MediaSupport, ARegistryWithoutPlugInsNamesThePlayersFirstElement) {
    std::filesystem::create_directory(dir_.file("no-plugins"));
    auto env = isolated_;
    env.emplace_back("GST_PLUGIN_SYSTEM_PATH_1_0", dir_.file("no-plugins"));
    env.emplace_back("GST_PLUGIN_PATH_1_0", dir_.file("no-plugins"));
    EXPECT_EQ(CheckInChild(wav_, env), "missing: playbin");
}

TEST_F(MediaSupport, NoiseAndMissingFilesAreLeftToThePlayer) {
    const std::string noise = dir_.file("noise.avi");
    {
        std::mt19937 random(3);
        std::string bytes(8192, '\0');
        for (char& c : bytes) c = char(random());
        std::ofstream(noise, std::ios::binary) << bytes;
    }
    const std::string answer = CheckInChild(noise, isolated_);
    if (answer.find("missing: playbin") != std::string::npos) GTEST_SKIP() << "no media plug-ins installed";
    EXPECT_EQ(answer, "none");
    EXPECT_EQ(CheckInChild(dir_.file("absent.avi"), isolated_), "none");
}

}  // namespace
