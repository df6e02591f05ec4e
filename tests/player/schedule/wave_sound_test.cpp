// Sound files of timed macros: a missing or broken file plays nothing, and waiting for it
// ends within the start limit instead of holding the macro back.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "player/schedule/wave_sound.h"
#include "tests/support/qt_core_app.h"

namespace tessaro {
namespace {

void WriteWave(const std::string& path, std::uint32_t byteRate, std::uint32_t dataBytes) {
    auto le32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    std::ofstream out(path, std::ios::binary);
    out << "RIFF" << le32(36 + dataBytes) << "WAVE"
        << "fmt " << le32(16);
    out << std::string("\x01\x00\x01\x00", 4) << le32(byteRate / 2) << le32(byteRate)
        << std::string("\x02\x00\x10\x00", 4);
    out << "LIST" << le32(3) << "abc" << '\0';  // a chunk to skip, odd length
    out << "data" << le32(dataBytes) << std::string(dataBytes, '\0');
}

TEST(WavePlayer, LengthComesFromTheHeader) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("tessaro-wavelen-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string wave = (dir / "tone.wav").string();
    WriteWave(wave, 16000, 24000);
    ASSERT_TRUE(WaveDuration(wave));
    EXPECT_EQ(WaveDuration(wave)->count(), 1500);
    std::ofstream((dir / "text.wav").string()) << "not a sound";
    EXPECT_FALSE(WaveDuration((dir / "text.wav").string()));
    WriteWave(wave, 0, 10);
    EXPECT_FALSE(WaveDuration(wave));
    EXPECT_FALSE(WaveDuration((dir / "missing.wav").string()));
    std::filesystem::remove_all(dir);
}

TEST(WavePlayer, MissingAndBrokenFilesNeverHoldTheWaitingMacro) {
    EnsureCoreApplication();
    const auto dir = std::filesystem::temp_directory_path() / ("tessaro-wave-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string broken = (dir / "broken.wav").string();
    std::ofstream(broken) << "RIFF\x10\0\0\0WAVEfmt garbage that is no sound";
    win::SoundService sound;
    WavePlayer player(sound);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(player.DoWave((dir / "missing.wav").string(), true), "");
    EXPECT_LT(t.elapsed(), 100);
    t.restart();
    EXPECT_EQ(player.DoWave(broken, true), "");
    EXPECT_LE(t.elapsed(), WavePlayer::kStartLimit.count() + 1000);
    player.DoWave(broken, false);
    // A sound of 0.2 s is waited for at most its length and the start limit.
    const std::string tone = (dir / "tone.wav").string();
    WriteWave(tone, 16000, 3200);
    t.restart();
    player.DoWave(tone, true);
    EXPECT_LE(t.elapsed(), 200 + WavePlayer::kStartLimit.count() + 1000);
    std::filesystem::remove_all(dir);
}

TEST(WavePlayer, ASoundPluginThatCannotLoadIsToldNotWaitedFor) {
    EnsureCoreApplication();
    const auto dir =
        std::filesystem::temp_directory_path() / ("tessaro-noplug-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string tone = (dir / "tone.wav").string();
    WriteWave(tone, 16000, 32000);
    win::SoundService sound((dir / "libtessound.so").string());
    WavePlayer player(sound);
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(player.DoWave(tone, true).starts_with("Sounds cannot be played: the sound plugin "));
    EXPECT_LT(t.elapsed(), 1000);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tessaro
