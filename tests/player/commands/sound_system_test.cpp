// Sounds and the mixer on a real sound server (a private PulseAudio with a null sink):
// a waited sound lasts its length and reaches the sink, volume and mute commands move the
// sink, changes made elsewhere are reported, and a server that goes away is an error
// message, not a stuck macro. Without a server: the sound plugin is mapped only once a
// sound plays, and one that cannot be loaded is a message while the macro goes on.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <fstream>
#include <random>

#include "platform/mixer.h"
#include "player/commands/multimedia.h"
#include "platform/sim/sim_platform.h"
#include "player/commands/sound_output.h"
#include "player/engine/mixer.h"
#include "pulse_server.h"
#include "tests/player/engine/interpreter_doubles.h"
#include "tests/support/mapped_libraries.h"
#include "tests/support/temp_dir.h"
#include "tests/support/qt_core_app.h"

namespace tessaro {
namespace {

struct Changes : MixerChangeListener {
    std::vector<int> indexes;
    void OnControlChange(TMidiMixer&, int index) override { indexes.push_back(index); }
};

using testing::PulseServer;

class NoVideo : public VideoWindow {
public:
    void PlayVideo(const std::string&, int, const MacroPlayer&) override { ADD_FAILURE() << "no video here"; }
};

// The interpreter with the machine's sound output, mixer and CD drives behind it.
struct RealDevices {
    // `soundPlugin` empty: the sound plugin beside the program.
    explicit RealDevices(std::string soundPlugin = {}) : sound(platform, std::move(soundPlugin)) {
        rig.families.Register(
            CommandFamilyId::Multimedia,
            std::make_unique<MultimediaCommands>(MultimediaDevices{*opener, sound, video, *cds}));
    }
    win::sim::SimPlatform platform;
    std::unique_ptr<win::AudioMixerOpener> opener = win::SystemMixerOpener();
    std::unique_ptr<win::CdDrives> cds = win::SystemCdDrives();
    ServiceSoundOutput sound;
    NoVideo video;
    testing::Rig rig;
};

class SoundSystem : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureCoreApplication();
        if (!pulse_.ready()) GTEST_SKIP() << "no PulseAudio";
        ASSERT_NE(PulseServer::Pactl(std::string("set-sink-volume ") + PulseServer::kSink + " 32768"), "x");
        ASSERT_EQ(PulseServer::SinkVolume(), 32768);
    }
    PulseServer pulse_;
    testing::TempDir dir_;
};

TEST_F(SoundSystem, AWaitedSoundLastsItsLengthOnTheSinkAndABadFileIsSilent) {
    const std::string wav = dir_.file("tone.wav");
    testing::WriteToneWav(wav, 1000);
    win::sim::SimPlatform platform;
    ServiceSoundOutput sound(platform);
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(sound.Start(wav));
    int inputsSeen = 0;
    while (sound.Playing() && timer.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (timer.elapsed() > 300 && timer.elapsed() < 700)
            inputsSeen = std::max(inputsSeen, PulseServer::SinkInputs());
    }
    EXPECT_GE(timer.elapsed(), 900);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(inputsSeen, 1);

    const std::string noise = dir_.file("noise.wav");
    {
        std::mt19937 random(7);
        std::string bytes(4096, '\0');
        for (char& c : bytes) c = char(random());
        std::ofstream(noise, std::ios::binary) << bytes;
    }
    timer.restart();
    sound.Start(noise);
    while (sound.Playing() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_FALSE(sound.Start(dir_.file("missing.wav")));
}

TEST_F(SoundSystem, VolumeAndMuteCommandsMoveTheDefaultSink) {
    RealDevices devices;
    testing::Rig& rig = devices.rig;
    EXPECT_EQ(rig.Play("<AUDUP>a"), "a");
    EXPECT_TRUE(rig.windows.messages.empty()) << rig.windows.messages[0].text;
    EXPECT_EQ(PulseServer::SinkVolume(), 32768 + 3276);
    rig.Play("<AUDMUTE>");
    EXPECT_TRUE(PulseServer::SinkMuted());
    rig.Play("<AUDMUTE>");
    EXPECT_FALSE(PulseServer::SinkMuted());
}

TEST_F(SoundSystem, AChangeMadeWithPactlIsReported) {
    auto opener = win::SystemMixerOpener();
    TMidiMixer mixer(*opener);
    mixer.Loaded();
    ASSERT_TRUE(mixer.Available(kSpeakerVolume));
    EXPECT_EQ(mixer.GetValue(kSpeakerVolume, 0), 32768);
    Changes changes;
    mixer.SetOnControlChange(&changes);
    std::vector<int>& changed = changes.indexes;
    PulseServer::Pactl(std::string("set-sink-volume ") + PulseServer::kSink + " 20000");
    QElapsedTimer timer;
    timer.start();
    while (changed.empty() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed.front(), kSpeakerVolume);
    EXPECT_EQ(mixer.GetValue(kSpeakerVolume, 0), 20000);
}

TEST_F(SoundSystem, AServerThatGoesAwayIsAMacroErrorAndTheMacroGoesOn) {
    RealDevices devices;
    testing::Rig& rig = devices.rig;
    rig.Play("<AUDDOWN>");
    pulse_.Stop();
    EXPECT_EQ(rig.Play("<AUDDOWN>after"), "after");
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Macro Error");
    EXPECT_TRUE(rig.windows.messages[0].text.starts_with("Multimedia ")) << rig.windows.messages[0].text;
}

TEST(SoundOutput, ThePluginIsMappedOnlyOnceASoundPlays) {
    EnsureCoreApplication();
    testing::TempDir dir;
    const std::string wav = dir.file("tone.wav");
    testing::WriteToneWav(wav, 100);
    ASSERT_FALSE(testing::Mapped("libQt6Multimedia"))
        << "the sound libraries are linked in, not loaded on use";
    RealDevices commands;
    EXPECT_EQ(commands.rig.Play("<WAV2:" + dir.file("missing.wav") + ">a"), "a");
    EXPECT_FALSE(testing::Mapped("libtessound.so")) << "no file, no plugin";
    EXPECT_EQ(commands.rig.Play("<WAV2:" + wav + ">b"), "ab");
    EXPECT_TRUE(testing::Mapped("libtessound.so"));
    EXPECT_TRUE(commands.rig.windows.messages.empty()) << commands.rig.windows.messages[0].text;
    commands.sound.Stop();
}

TEST(SoundOutput, AnUnloadablePluginIsToldAndTheMacroGoesOn) {
    EnsureCoreApplication();
    testing::TempDir dir;
    const std::string wav = dir.file("tone.wav");
    testing::WriteToneWav(wav, 100);
    RealDevices commands(dir.file("libtessound.so"));
    EXPECT_EQ(commands.rig.Play("<WAV1:" + wav + ">after"), "after");
    ASSERT_EQ(commands.rig.windows.messages.size(), 1u);
    EXPECT_EQ(commands.rig.windows.messages[0].caption, "Multimedia Error");
    EXPECT_TRUE(commands.rig.windows.messages[0].text.starts_with(
        "Sounds cannot be played: the sound plugin " + dir.file("libtessound.so") + " cannot be loaded ("))
        << commands.rig.windows.messages[0].text;
    // Beeps need no plugin.
    commands.rig.Play("<BEEP>");
    EXPECT_EQ(commands.rig.windows.messages.size(), 1u);
}

}  // namespace
}  // namespace tessaro
