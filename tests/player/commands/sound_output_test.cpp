// The sound commands on the player's sound service: its plugin is mapped only when a sound
// is first played, a missing file plays nothing, and a plugin that cannot be loaded is a
// message naming it while the macro goes on.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "player/commands/multimedia.h"
#include "player/commands/sound_output.h"
#include "tests/player/engine/interpreter_doubles.h"
#include "tests/support/mapped_libraries.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wav_file.h"

namespace tessaro {
namespace {

using testing::Mapped;

void EnsureApp() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "sound_output_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

class NoVideo : public VideoWindow {
public:
    void PlayVideo(const std::string&, int) override { ADD_FAILURE() << "no video here"; }
};

struct Commands {
    explicit Commands(std::string pluginPath = {}) : sound(std::move(pluginPath)) {
        rig.families.Register(
            CommandFamilyId::Multimedia,
            std::make_unique<MultimediaCommands>(MultimediaDevices{*opener, sound, video, *cds}));
    }
    std::unique_ptr<win::AudioMixerOpener> opener = win::SystemMixerOpener();
    std::unique_ptr<win::CdDrives> cds = win::SystemCdDrives();
    ServiceSoundOutput sound;
    NoVideo video;
    testing::Rig rig;
};

TEST(SoundOutput, ThePluginIsMappedOnlyOnceASoundPlays) {
    EnsureApp();
    testing::TempDir dir;
    const std::string wav = dir.file("tone.wav");
    testing::WriteToneWav(wav, 100);
    ASSERT_FALSE(Mapped("libQt6Multimedia")) << "the sound libraries are linked in, not loaded on use";
    Commands commands;
    EXPECT_EQ(commands.rig.Play("<WAV2:" + dir.file("missing.wav") + ">a"), "a");
    EXPECT_FALSE(Mapped("libtessound.so")) << "no file, no plugin";
    EXPECT_EQ(commands.rig.Play("<WAV2:" + wav + ">b"), "ab");
    EXPECT_TRUE(Mapped("libtessound.so"));
    EXPECT_TRUE(commands.rig.windows.messages.empty()) << commands.rig.windows.messages[0].text;
    commands.sound.Stop();
}

TEST(SoundOutput, AnUnloadablePluginIsToldAndTheMacroGoesOn) {
    EnsureApp();
    testing::TempDir dir;
    const std::string wav = dir.file("tone.wav");
    testing::WriteToneWav(wav, 100);
    Commands commands(dir.file("libtessound.so"));
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
