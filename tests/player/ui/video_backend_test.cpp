// The video plugin's checks before a clip is played: a full framework plays a sound file, a
// hidden demuxer or an empty plug-in registry is named as missing, and a file of noise is
// left to the player. Each case runs in a child process, since the framework reads its
// environment once per process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>

#include "player/ui/video_plugin.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wav_file.h"

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
        ::unsetenv("QT_MEDIA_BACKEND");
        QString error;
        tessaro::VideoPlayerPlugin* plugin = tessaro::LoadVideoPlayerPlugin(error);
        QString missing = plugin ? plugin->MissingBackend() : error;
        if (missing.isEmpty()) missing = plugin->MissingForFile(QString::fromStdString(path));
        const std::string answer = missing.isEmpty() ? "none" : "missing: " + missing.toStdString();
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

class MediaSupport : public ::testing::Test {
protected:
    void SetUp() override {
        tessaro::testing::WriteToneWav(wav_, 1000);
        std::string registry = dir_.file("registry.bin");
        isolated_ = {{"GST_REGISTRY_1_0", registry}, {"GST_REGISTRY_FORK", "no"}};
    }
    TempDir dir_;
    std::string wav_ = dir_.file("sound.wav");
    std::vector<std::pair<std::string, std::string>> isolated_;
};

TEST_F(MediaSupport, AFullFrameworkCanPlayASoundFile) {
    const std::string answer = CheckInChild(wav_, isolated_);
    if (answer.find("missing: Video clips cannot be played") != std::string::npos)
        GTEST_SKIP() << "no media plug-ins installed";
    EXPECT_EQ(answer, "none");
}

TEST_F(MediaSupport, AHiddenDemuxerIsNamedAsMissing) {
    auto env = isolated_;
    env.emplace_back("GST_PLUGIN_FEATURE_RANK", "wavparse:NONE");
    const std::string answer = CheckInChild(wav_, env);
    if (answer.find("missing: Video clips cannot be played") != std::string::npos)
        GTEST_SKIP() << "no media plug-ins installed";
    EXPECT_TRUE(answer.starts_with("missing: ")) << answer;
}

TEST_F(MediaSupport, ARegistryWithoutPlugInsNamesEveryElementAndItsPackage) {
    std::filesystem::create_directory(dir_.file("no-plugins"));
    auto env = isolated_;
    env.emplace_back("GST_PLUGIN_SYSTEM_PATH_1_0", dir_.file("no-plugins"));
    env.emplace_back("GST_PLUGIN_PATH_1_0", dir_.file("no-plugins"));
    EXPECT_EQ(CheckInChild(wav_, env),
              "missing: Video clips cannot be played on this computer: the media elements playbin, queue, "
              "tee, identity, input-selector, uridecodebin, decodebin, videoconvert, videoscale, "
              "audioconvert, audioresample, volume, autoaudiosink are missing. Install "
              "gstreamer1.0-plugins-base libgstreamer1.0-0 gstreamer1.0-plugins-good.");
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
    if (answer.find("missing: Video clips cannot be played") != std::string::npos)
        GTEST_SKIP() << "no media plug-ins installed";
    EXPECT_EQ(answer, "none");
    EXPECT_EQ(CheckInChild(dir_.file("absent.avi"), isolated_), "none");
}

}  // namespace
