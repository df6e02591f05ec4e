// The command families played through the interpreter: what they type, which messages they
// show, and whether the macro goes on afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <filesystem>

#include "platform/sim/sim_mixer.h"
#include "player/commands/datetime.h"
#include "platform/sim/sim_network_shares.h"
#include "player/commands/files_drives_dialup.h"
#include "player/commands/multimedia.h"
#include "player/engine/mixer.h"
#include "tests/player/commands/recording_status.h"
#include "tests/player/engine/interpreter_doubles.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::Rig;
using testing::TempDir;
using testing::WriteBytes;

std::vector<char> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

class FixedClock : public LocalClock {
public:
    Reading reading{{2001, 3, 5}, {13, 7, 9}};
    int reads = 0;
    Reading Now() override {
        ++reads;
        Reading r = reading;
        reading.time.second = (reading.time.second + 1) % 60;  // time goes on between reads
        return r;
    }
};

TEST(DateTimeCommands, TypeTheTextOfOneMomentWithTheKeystrokeDelay) {
    Rig rig;
    FixedClock clock;
    rig.families.Register(CommandFamilyId::DateTime, std::make_unique<DateTimeCommands>(clock));
    EXPECT_EQ(rig.Play("<MM/DD/YY{N}>|<DD Mmmmm YYYY{YP005}>|<hh:mm:ss am{N}>|<Day of Week 2{Y}>"),
              "3/5/01|28 February 2001|1:07:11 pm|MON");
    EXPECT_EQ(clock.reads, 4);  // once per token

    Rig slow;
    slow.families.Register(CommandFamilyId::DateTime, std::make_unique<DateTimeCommands>(clock));
    const auto before = slow.clock.now;
    EXPECT_EQ(slow.Play("<SPKEY:0050><hhmm{Y}>"), "1307");
    EXPECT_GE(slow.clock.now - before, 4 * 50);
}

TEST(DateTimeCommands, UnknownPadAndDirectionLettersMeanNoPadAndFuture) {
    Rig rig;
    FixedClock clock;
    rig.families.Register(CommandFamilyId::DateTime, std::make_unique<DateTimeCommands>(clock));
    EXPECT_EQ(rig.Play("<MM-DD-YYYY{y}>;<MM-DD-YYYY{YX002}>;<MM-DD-YYYY{Np001}>"),
              "3-5-2001;03-07-2001;3-6-2001");
}

class FileCommands : public ::testing::Test {
protected:
    void SetUp() override {
        rig_.families.Register(CommandFamilyId::FilesDrivesDialUp,
                               std::make_unique<FilesDrivesDialUpCommands>(status_, shares_));
    }
    TempDir dir_;
    RecordingStatus status_;
    win::sim::SimNetworkShares shares_;
    Rig rig_;
};

TEST_F(FileCommands, MakeCopyMoveAndDeleteThenTypeOn) {
    WriteBytes(dir_.file("a.txt"), Bytes("alpha"));
    const std::string d = dir_.path();
    EXPECT_EQ(rig_.Play("<MKDIR:" + d + "/x/y/z><COPYFILE:" + d + "/a.txt;" + d +
                        "/x/y/z/b.txt>"
                        "<RENFILE:" +
                        d + "/a.txt;" + d + "/x/c.txt><DELFILE:" + d + "/x/y/z/b.txt>ok"),
              "ok");
    EXPECT_TRUE(rig_.windows.messages.empty());
    EXPECT_TRUE(fs::is_empty(d + "/x/y/z"));
    EXPECT_EQ(ReadBytes(d + "/x/c.txt"), Bytes("alpha"));
    EXPECT_FALSE(fs::exists(d + "/a.txt"));
}

TEST_F(FileCommands, AFolderThatCannotBeMadeIsNamedAndTheMacroGoesOn) {
    WriteBytes(dir_.file("file"), Bytes("f"));
    EXPECT_EQ(rig_.Play("<MKDIR:" + dir_.file("file/sub") + ">next"), "next");
    ASSERT_EQ(rig_.windows.messages.size(), 1u);
    EXPECT_EQ(rig_.windows.messages[0].caption, "Create Folder Failed");
    EXPECT_EQ(rig_.windows.messages[0].text, "Folder \"" + dir_.file("file") + "\" could not be created.");
}

TEST_F(FileCommands, BadArgumentsAndRefusedMovesAreSilent) {
    WriteBytes(dir_.file("a"), Bytes("A"));
    WriteBytes(dir_.file("b"), Bytes("B"));
    EXPECT_EQ(rig_.Play("<COPYFILE:" + dir_.file("a") + "><RENFILE:" + dir_.file("a") + ";" + dir_.file("b") +
                        "><DELFILE:" + dir_.file("missing") + ">go"),
              "go");
    EXPECT_TRUE(rig_.windows.messages.empty());
    EXPECT_EQ(ReadBytes(dir_.file("a")), Bytes("A"));
    EXPECT_EQ(ReadBytes(dir_.file("b")), Bytes("B"));
}

TEST_F(FileCommands, ChangeFolderMakesRelativePathsLandThere) {
    const auto here = fs::current_path();
    fs::create_directory(dir_.file("work"));
    rig_.Play("<CHDIR:" + dir_.file("work") + "><MKDIR:made><CHDIR:/no/such/folder><MKDIR:again>");
    fs::current_path(here);
    EXPECT_TRUE(fs::is_directory(dir_.file("work/made")));
    EXPECT_TRUE(fs::is_directory(dir_.file("work/again")));
}

// Sounds, video and the mixer through test doubles and the in-memory mixer.
class FakeSound : public SoundOutput {
public:
    std::vector<std::string> started;
    int playFor = 0;  // Playing() answers true this many times
    int stops = 0, beeps = 0;
    bool Start(const std::string& path) override {
        started.push_back(path);
        return path.find("missing") == std::string::npos;
    }
    bool Playing() override { return playFor-- > 0; }
    void Stop() override { ++stops; }
    void Beep() override { ++beeps; }
};

class FakeVideo : public VideoWindow {
public:
    std::vector<std::pair<std::string, int>> played;
    void PlayVideo(const std::string& path, int mode, const MacroPlayer&) override {
        played.emplace_back(path, mode);
    }
};

// A drive with a three-track disc: 3:00, 0:45 and 4:10.
class FakeCd : public win::CdAudio {
public:
    std::vector<std::string>& log;
    Position position;
    explicit FakeCd(std::vector<std::string>& l) : log(l) {}
    bool ReadToc(Toc& toc) override {
        toc.firstTrack = 1;
        toc.starts = {0, 13500, 16875, 35625};
        return true;
    }
    bool ReadPosition(Position& p) override {
        p = position;
        return true;
    }
    bool Play(long from, long to) override {
        log.push_back("play " + std::to_string(from) + "-" + std::to_string(to));
        return true;
    }
    bool Pause() override { return Note("pause"); }
    bool Resume() override { return Note("resume"); }
    bool Stop() override { return Note("stop"); }
    bool Eject() override { return Note("eject"); }
    bool CloseTray() override { return Note("close"); }

private:
    bool Note(const char* what) {
        log.push_back(what);
        return true;
    }
};

class FakeDrives : public win::CdDrives {
public:
    bool present = true;
    int opens = 0;
    std::vector<std::string> log;
    win::CdAudio::Position position{2, 13500 + 10 * 75, false};  // track 2 at 0:10
    std::unique_ptr<win::CdAudio> Open() override {
        ++opens;
        if (!present) return nullptr;
        auto cd = std::make_unique<FakeCd>(log);
        cd->position = position;
        return cd;
    }
};

class Multimedia : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "command_families_test";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
        rig_.families.Register(
            CommandFamilyId::Multimedia,
            std::make_unique<MultimediaCommands>(MultimediaDevices{opener_, sound_, video_, cds_}));
    }
    win::sim::SimMixer mixer_;
    win::sim::SimMixerOpener opener_{&mixer_};
    FakeSound sound_;
    FakeVideo video_;
    FakeDrives cds_;
    Rig rig_;
};

TEST_F(Multimedia, VolumeStepsFromHalfWayAndMuteToggles) {
    mixer_.Add("Master", {true, true, false, 0, 65536}, 32768, 32768);
    EXPECT_EQ(rig_.Play("<AUDUP><AUDMUTE>a<AUDMUTE>b<AUDMUTE>"), "ab");
    EXPECT_EQ(mixer_.state("Master")->volume[0], 36044);
    EXPECT_EQ(mixer_.state("Master")->volume[1], 36044);
    EXPECT_FALSE(mixer_.state("Master")->on[0]);  // first and third mute, second unmuted
    EXPECT_FALSE(mixer_.state("Master")->on[1]);
    rig_.Play("<AUDON><AUDUP><AUDLEFT>");
    EXPECT_EQ(mixer_.state("Master")->volume[0], 65536);
    EXPECT_EQ(mixer_.state("Master")->volume[1], 65536 - 3276);
    rig_.Play("<AUDCENTER><AUDOFF><AUDDOWN>");
    EXPECT_EQ(mixer_.state("Master")->volume[1], 0);
}

TEST_F(Multimedia, MissingControlsSayNotSupportedAndMuteStaysQuiet) {
    mixer_.Add("Master", {false, true, true, 0, 1}, 0, 0);  // a switch, no volume
    EXPECT_EQ(rig_.Play("<AUDUP><MIDIDOWN><TREBUP><BASSDOWN><MIDIMUTE>end"), "end");
    std::vector<std::string> texts;
    for (const auto& m : rig_.windows.messages) {
        EXPECT_EQ(m.caption, "Macro Error");
        texts.push_back(m.text);
    }
    EXPECT_EQ(texts,
              (std::vector<std::string>{"Audio volume control is not supported by your Audio Device.",
                                        "MIDI volume control is not supported by your Audio Device.",
                                        "Treble volume control is not supported by your Audio Device.",
                                        "Bass volume control is not supported by your Audio Device."}));
}

TEST_F(Multimedia, AMixerErrorIsShownAndTheMacroGoesOn) {
    mixer_.Add("Master", {true, true, false, 0, 100}, 50, 50);
    rig_.Play("<AUDUP>");
    mixer_.Remove("Master");
    EXPECT_EQ(rig_.Play("<AUDDOWN>still here"), "still here");
    ASSERT_EQ(rig_.windows.messages.size(), 1u);
    EXPECT_EQ(rig_.windows.messages[0].caption, "Macro Error");
    EXPECT_EQ(rig_.windows.messages[0].text,
              "Multimedia Mixer Error 1025 - Invalid Mixer Control in mixerSetControlDetails");
}

TEST_F(Multimedia, WaitingForASoundPumpsAndAnAbortStopsIt) {
    sound_.playFor = 5;
    EXPECT_EQ(rig_.Play("<WAV1:/s/one.wav>x"), "x");
    EXPECT_GE(rig_.clock.pumps, 5);
    EXPECT_EQ(sound_.stops, 0);

    sound_.playFor = 1000000;
    rig_.clock.onPump = [&](int n) {
        if (n == 20) rig_.player.RequestAbort();
    };
    rig_.Play("<WAV1:/s/long.wav>never");
    EXPECT_EQ(sound_.stops, 1);
    EXPECT_LT(sound_.playFor, 1000000);
    EXPECT_EQ(rig_.windows.messages.back().caption, "Macro Abort");
}

TEST_F(Multimedia, SoundsGoOnAtOnceBeepAndVideoModes) {
    sound_.playFor = 1000000;
    EXPECT_EQ(rig_.Play("<WAV2:/s/bg.wav><WAV1:/s/missing.wav><BEEP>"
                        "<AVI:/v/a.avi><AVII:/v/b.avi><AVIE:/v/c.avi>done"),
              "done");
    EXPECT_EQ(sound_.started, (std::vector<std::string>{"/s/bg.wav", "/s/missing.wav"}));
    EXPECT_EQ(sound_.beeps, 1);
    EXPECT_EQ(video_.played,
              (std::vector<std::pair<std::string, int>>{{"/v/a.avi", 3}, {"/v/b.avi", 1}, {"/v/c.avi", 2}}));
}

TEST_F(Multimedia, CdCommandsPlayTracksAndStepOverTheirLengths) {
    EXPECT_EQ(rig_.Play("<CDGOTO:01><CDGOTO:99><CDNEXT><CDPREV><CDSTEP:040><CDBACK:020><CDPAUSE><CDSTOP>x"),
              "x");
    EXPECT_EQ(cds_.log, (std::vector<std::string>{
                            "play 0-35625",      // track 1
                            "play 16875-35625",  // the next of track 2 is track 3
                            "play 0-35625",      // the one before track 2
                            "play " + std::to_string(16875 + 5 * 75) + "-35625",  // 0:10 + 40 s over 0:45
                            "play " + std::to_string(170 * 75) + "-35625",        // back into track 1
                            "pause", "stop"}));
    EXPECT_EQ(cds_.opens, 1);
    cds_.position.paused = true;
    rig_.Play("<CDPLAY><CDEJECT><CDCLOSE>");
    EXPECT_EQ(cds_.opens, 3);  // stop and eject close the device
    EXPECT_EQ(std::vector<std::string>(cds_.log.end() - 3, cds_.log.end()),
              (std::vector<std::string>{"resume", "eject", "close"}));
}

TEST_F(Multimedia, WithoutACdDriveTheCommandsDoNothing) {
    cds_.present = false;
    EXPECT_EQ(rig_.Play("<CDPLAY><CDGOTO:03><CDEJECT>on"), "on");
    EXPECT_EQ(cds_.opens, 3);  // looked for again each time
    EXPECT_TRUE(rig_.windows.messages.empty());
}

}  // namespace
}  // namespace tessaro
