#include "editor/model/commands/media_forms.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "form_round_trip.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::ExpectRefused;
using testing::ParsedBack;

TEST(AviForm, EveryChoiceParsesBackWithThePathAsTyped) {
    testing::TempDir dir;
    const std::string clip = dir.file("A Long Clip Name.avi");
    std::ofstream(clip) << "RIFF";
    for (const RadioChoice& choice : kAviChoices) {
        const auto built = BuildAvi(AviForm{choice.kind, " " + clip + " "});
        EXPECT_EQ(built.fields.AviPath, clip);
        EXPECT_EQ(built.fields.AviKind, choice.kind);
        const LineRecord rec = ParsedBack(built, choice.token);
        EXPECT_EQ(BuildAvi(AviPreset(std::get<TVideoRec>(rec))).CommandText, built.CommandText);
    }
    EXPECT_EQ(BuildAvi(AviForm{0, clip}).CommandText, "<AVI:" + clip + ">");  // none checked
    ExpectRefused(BuildAvi(AviForm{1, dir.file("gone.avi")}),
                  "Specified AVI File does not exist.  Please correct.", "ProgPath");
    ExpectRefused(BuildAvi(AviForm{1, dir.path()}), "Specified AVI File does not exist.  Please correct.",
                  "ProgPath");
}

TEST(CDForm, EveryChoiceParsesBackAndEditsUnchanged) {
    for (const RadioChoice& choice : kCDChoices) {
        const auto built = BuildCD(CDForm{choice.kind, "7"});
        EXPECT_EQ(built.fields.CDNumber, CDNumberLabel(choice.kind) ? 7 : 0) << choice.control;
        const LineRecord rec = ParsedBack(built, choice.token);
        EXPECT_EQ(BuildCD(CDPreset(std::get<TCDRec>(rec))).CommandText, built.CommandText);
    }
    EXPECT_EQ(BuildCD(CDForm{6, "5"}).CommandText, "<CDGOTO:05>");
    EXPECT_EQ(BuildCD(CDForm{7, "5"}).CommandText, "<CDSTEP:005>");
    EXPECT_EQ(BuildCD(CDForm{8, "99"}).CommandText, "<CDBACK:099>");
    EXPECT_EQ(BuildCD(CDDefaults()).CommandText, "<CDPLAY>");
    ExpectRefused(BuildCD(CDForm{6, "0"}), "Invalid track number specified.  Please correct.", "Track");
    ExpectRefused(BuildCD(CDForm{7, ""}), "Invalid seconds specified.  Please correct.", "Track");
    ExpectRefused(BuildCD(CDForm{8, "1.5"}), "Invalid seconds specified.  Please correct.", "Track");
    EXPECT_TRUE(BuildCD(CDForm{2, "x"}).ok());  // stop reads no number
    EXPECT_STREQ(CDNumberLabel(6), "Track Number");
    EXPECT_STREQ(CDNumberLabel(7), "Seconds");
    EXPECT_EQ(CDNumberLabel(1), nullptr);
}

TEST(VolumeForm, TwentyChoicesTwentyTokens) {
    std::set<std::string> texts;
    for (const RadioChoice& choice : kVolumeChoices) {
        const auto built = BuildVolume(choice.kind);
        EXPECT_EQ(built.fields.VolumeKind, choice.kind);
        const LineRecord rec = ParsedBack(built, choice.token);
        EXPECT_EQ(std::get<TVolumeRec>(rec).Kind, choice.kind) << choice.control;
        texts.insert(built.CommandText);
    }
    EXPECT_EQ(texts.size(), 20u);
    EXPECT_EQ(BuildVolume(19).CommandText, "<BASSUP>");
    const auto none = BuildVolume(0);
    EXPECT_TRUE(none.ok());
    EXPECT_TRUE(none.CommandText.empty());
}

class FakeMixer : public MixerControls {
public:
    explicit FakeMixer(std::set<int> present) : present_(std::move(present)) {}
    bool Available(int index) override {
        asked.push_back(index);
        return present_.count(index) > 0;
    }
    std::vector<int> asked;

private:
    std::set<int> present_;
};

TEST(VolumeForm, MixerLinesInTheirOrder) {
    FakeMixer none({});
    EXPECT_EQ(MixerCapabilitiesText(none),
              "Audio Volume and Balance Control NOT Supported.\n\rAudio Mute NOT Supported.\n\r"
              "Audio Treble NOT Supported.\n\rAudio Bass NOT Supported.\n\r"
              "MIDI Volume and Balance Control NOT Supported.\n\rMIDI Mute NOT Supported.\n\r");
    EXPECT_EQ(none.asked, (std::vector<int>{1, 3, 4, 5, 0, 2}));
    FakeMixer some({1, 3});
    const std::string head =
        "Audio Volume and Balance Control Supported.\n\rAudio Mute Supported.\n\rAudio Treble NOT";
    EXPECT_EQ(MixerCapabilitiesText(some).substr(0, head.size()), head);
}

}  // namespace
}  // namespace tessaro
