// TMidiMixer over a mixer held in memory: which controls it finds, how it reads and writes
// them, its error texts, and changes made elsewhere arriving through its notifier.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cerrno>

#include "platform/sim/sim_mixer.h"
#include "player/engine/mixer.h"
#include "tests/support/qt_core_app.h"

namespace tessaro {
namespace {

struct Changes : MixerChangeListener {
    std::vector<int> indexes;
    void OnControlChange(TMidiMixer&, int index) override { indexes.push_back(index); }
};

using Element = win::AudioMixer::Element;

constexpr Element kStereo{true, true, false, 0, 65536};
constexpr Element kTone{true, false, true, -20, 20};

class Mixer : public ::testing::Test {
protected:
    void SetUp() override { EnsureCoreApplication(); }
    win::sim::SimMixer sim_;
    win::sim::SimMixerOpener opener_{&sim_};
};

TEST_F(Mixer, ASpeakerLineWithoutSynthesizerOffersVolumeMuteTrebleAndBass) {
    sim_.Add("Master", kStereo, 1000, 2000);
    sim_.Add("Treble", kTone, 5, 5);
    sim_.Add("Bass", kTone, -3, -3);
    TMidiMixer mixer(opener_);
    mixer.Loaded();
    EXPECT_TRUE(mixer.Active());
    EXPECT_EQ(opener_.lastDeviceId, -1);
    EXPECT_FALSE(mixer.Available(kSynthVolume));
    EXPECT_FALSE(mixer.Available(kSynthMute));
    for (int i : {kSpeakerVolume, kSpeakerMute, kTreble, kBass}) EXPECT_TRUE(mixer.Available(i)) << i;
    EXPECT_EQ(mixer.GetMaximum(kSpeakerVolume), 65536);
    EXPECT_EQ(mixer.GetValue(kSpeakerVolume, 0), 1000);
    EXPECT_EQ(mixer.GetValue(kSpeakerVolume, 1), 2000);
    EXPECT_EQ(mixer.GetMinimum(kSpeakerMute), 0);
    EXPECT_EQ(mixer.GetMaximum(kSpeakerMute), 1);
    EXPECT_EQ(mixer.GetValue(kSpeakerMute, 0), 0);  // switched on: not muted
    EXPECT_EQ(mixer.GetMinimum(kTreble), -20);
    EXPECT_EQ(mixer.GetValue(kBass, 1), -3);  // uniform: right reads as left
    EXPECT_EQ(mixer.GetValue(kSynthVolume, 0), 0);
}

TEST_F(Mixer, FallsBackToOtherSpeakerElementsAndFindsTheSynthesizer) {
    sim_.Add("PCM", kStereo, 7, 7);
    sim_.Add("Synth", Element{true, true, true, 0, 31}, 20, 0);
    TMidiMixer mixer(opener_);
    mixer.Loaded();
    EXPECT_TRUE(mixer.Available(kSpeakerVolume));
    EXPECT_EQ(mixer.GetValue(kSpeakerVolume, 0), 7);
    EXPECT_FALSE(mixer.Available(kTreble));
    ASSERT_TRUE(mixer.Available(kSynthVolume));
    EXPECT_EQ(mixer.GetValue(kSynthVolume, 1), 20);
    EXPECT_TRUE(mixer.Available(kSynthMute));
}

TEST_F(Mixer, NoMixerLeavesEveryControlUnavailable) {
    win::sim::SimMixerOpener none(nullptr);
    TMidiMixer mixer(none);
    mixer.SetMidiDeviceID(3);
    mixer.Loaded();
    EXPECT_EQ(none.lastDeviceId, 3);
    for (int i = 0; i < kMixerControlCount; ++i) EXPECT_FALSE(mixer.Available(i));
    mixer.SetValues(kSpeakerVolume, 1, 1);  // nothing to write to, nothing thrown
}

TEST_F(Mixer, WritesOnlyChangesAndMuteIsTheInverseOfTheSwitch) {
    sim_.Add("Master", kStereo, 100, 100);
    TMidiMixer mixer(opener_);
    mixer.Loaded();
    mixer.SetValue(kSpeakerVolume, 0, 100);
    EXPECT_EQ(sim_.writes, 0);
    mixer.SetValue(kSpeakerVolume, 1, 300);
    EXPECT_EQ(sim_.state("Master")->volume[1], 300);
    EXPECT_EQ(sim_.state("Master")->volume[0], 100);
    mixer.SetValues(kSpeakerMute, 1, 1);
    EXPECT_FALSE(sim_.state("Master")->on[0]);
    EXPECT_FALSE(sim_.state("Master")->on[1]);
    mixer.RefreshControl(kSpeakerMute);
    EXPECT_EQ(mixer.GetValue(kSpeakerMute, 0), 1);
}

TEST_F(Mixer, AVanishedElementOrADeadDeviceRaisesTheMixerErrors) {
    sim_.Add("Master", kStereo, 100, 100);
    TMidiMixer mixer(opener_);
    mixer.Loaded();
    sim_.Remove("Master");
    try {
        mixer.SetValues(kSpeakerVolume, 5, 5);
        FAIL() << "no error";
    } catch (const EMMError& e) {
        EXPECT_EQ(e.code(), 1025);
        EXPECT_STREQ(e.what(),
                     "Multimedia Mixer Error 1025 - Invalid Mixer Control in mixerSetControlDetails");
    }
    sim_.Add("Master", kStereo, 100, 100);
    sim_.failWith = -ENODEV;
    try {
        mixer.RefreshControl(kSpeakerVolume);
        FAIL() << "no error";
    } catch (const EMMError& e) {
        EXPECT_STREQ(e.what(),
                     "Multimedia System Error 6 - No device driver present in mixerGetControlDetails");
    }
}

TEST(MixerErrors, TextsAndCategoriesByCode) {
    EXPECT_EQ(MixerErrorMessage(1, "mixerGetLineControls"),
              "Multimedia System Error 1 - Unspecified error in mixerGetLineControls");
    EXPECT_EQ(
        MixerErrorMessage(12, "f"),
        "Multimedia System Error 12 - Handle being used simultaneously on another thread (eg callback) in f");
    EXPECT_EQ(MixerErrorMessage(20, "f"),
              "Multimedia System Error 20 - Driver does not call DriverCallback in f");
    EXPECT_EQ(MixerErrorMessage(1024, "f"), "Multimedia Mixer Error 1024 - Invalid Mixer Line in f");
    EXPECT_EQ(MixerErrorMessage(1026, "f"), "Multimedia Mixer Error 1026 - Invalid Mixer Value in f");
    EXPECT_EQ(MixerErrorMessage(21, "f"), "Multimedia Unknown Error 21 - Unknown error in f");
    EXPECT_EQ(MixerErrorMessage(0, "f"), "Multimedia Unknown Error 0 - Unknown error in f");
    EXPECT_EQ(MixerErrorCode(-ENOENT), 1025);
    EXPECT_EQ(MixerErrorCode(-EINVAL), 1026);
    EXPECT_EQ(MixerErrorCode(-EBUSY), 4);
    EXPECT_EQ(MixerErrorCode(-EIO), 1);
}

TEST_F(Mixer, AChangeMadeElsewhereIsReadAgainAndReported) {
    sim_.Add("Master", kStereo, 100, 100);
    TMidiMixer mixer(opener_);
    mixer.Loaded();
    Changes changes;
    mixer.SetOnControlChange(&changes);
    std::vector<int>& changed = changes.indexes;
    sim_.ChangeElsewhere("Master", 1, 4242);
    QElapsedTimer timer;
    timer.start();
    while (changed.empty() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(changed, std::vector<int>{kSpeakerVolume});
    EXPECT_EQ(mixer.GetValue(kSpeakerVolume, 1), 4242);
    EXPECT_EQ(mixer.GetValue(kSpeakerVolume, 0), 100);
}

}  // namespace
}  // namespace tessaro
