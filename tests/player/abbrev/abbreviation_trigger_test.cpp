// The abbreviation trigger around the machine: what it asks of the player, in order.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/config_record.h"
#include "macro/macro_record.h"
#include "player/abbrev/abbreviation_trigger.h"
#include "player/engine/trigger_dispatch.h"
#include "protocol/glob_data.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

class RecordingHost : public AbbreviationHost, public ForegroundInfo {
public:
    std::vector<std::string> calls;
    AbbrevActivity activity;
    bool readable = true;
    std::function<void()> duringErase;

    AbbrevActivity Activity() override { return activity; }
    ForegroundInfo& Foreground() override { return *this; }
    std::string Title() override { return "Target"; }
    std::string Program() override { return "TARGET"; }
    void Warning(const std::string& text) override { calls.push_back("warning " + text); }
    bool ReadMacro(int n, TMacroRecord& rec) override {
        if (!readable) return false;
        SetMacroText(rec, "text of " + std::to_string(n));
        return true;
    }
    void MarkInUse() override { calls.push_back("in use"); }
    void LetGoOfKey(std::uint8_t vk, int capMs) override {
        calls.push_back("let go " + std::to_string(vk) + " within " + std::to_string(capMs));
    }
    void EraseOneCharacter() override {
        calls.push_back("backspace");
        if (duringErase) duringErase();
    }
    void Wait(int ms) override { calls.push_back("wait " + std::to_string(ms)); }
    void PlayTyped(int n, const TMacroRecord& rec, const AbbrevDecision& how) override {
        calls.push_back("play " + std::to_string(n) + " " + GetMacroText(rec) +
                        (how.capitalise ? " capital" : "") +
                        (how.retype ? std::string(" retype '") + how.delimiter + "'" : ""));
    }
};

class AbbreviationTriggerTest : public ::testing::Test {
protected:
    void SetUp() override {
        config_->SnipraUseSuffix = true;
        config_->SnipraRetypeSuffix = true;
        for (int n : {1, 2}) {
            glob_->Enabled[n] = 1;
            glob_->ActivationCode[n] = acAbbreviation;
            glob_->Scope[n] = scGlobal;
            config_->MacroAbbrevCases[n] = 1;
            config_->MacroAbbrevErases[n] = 1;
        }
        config_->MacroAbbreviations[1] = "sig";
        config_->MacroAbbreviations[2] = "ad";
        glob_->MacroCount = 2;
        glob_->HasAbbreviations = 1;
    }
    // Each character as the library reports it: with the key that typed it.
    void Type(const std::string& text) {
        for (char c : text) {
            const auto ch = static_cast<unsigned char>(c);
            const std::uint16_t vk = ch == ' ' ? 32 : ch == '\r' ? 13 : std::toupper(ch);
            trigger_.WMAbbrevChar(0, AbbrevCharParam(ch, vk));
        }
    }

    std::unique_ptr<TConfigRecord> config_ = std::make_unique<TConfigRecord>();
    std::unique_ptr<TGlobData> glob_ = std::make_unique<TGlobData>();
    RecordingHost host_;
    AbbreviationTrigger trigger_{*config_, *glob_, host_};
};

TEST_F(AbbreviationTriggerTest, MarksInUseErasesWaitsThenPlaysThroughTheDispatch) {
    Type("Sig ");
    const std::vector<std::string> expected = {"in use",    "let go 32 within 1000",
                                               "backspace", "backspace",
                                               "backspace", "backspace",
                                               "wait 100",  "play 1 text of 1 capital retype ' '"};
    EXPECT_EQ(host_.calls, expected);
}

TEST_F(AbbreviationTriggerTest, TextThatStaysIsNeitherErasedNorWaitedFor) {
    config_->MacroAbbrevErases[1] = 2;
    Type("sig\r");
    const std::vector<std::string> expected = {"in use", "let go 13 within 1000",
                                               "play 1 text of 1 retype '\r'"};
    EXPECT_EQ(host_.calls, expected);
}

TEST_F(AbbreviationTriggerTest, AnUnreadableRecordErasesAndPlaysNothing) {
    host_.readable = false;
    Type("sig ");
    EXPECT_TRUE(host_.calls.empty());
}

TEST_F(AbbreviationTriggerTest, WhileAMacroPlaysNothingIsErased) {
    host_.activity.playing = true;
    Type("sig ");
    EXPECT_TRUE(host_.calls.empty());
    host_.activity = {false, false, true, false};
    Type("sig ");
    EXPECT_EQ(host_.calls, std::vector<std::string>{std::string("warning ") + kCaptureRunningWarning});
}

TEST_F(AbbreviationTriggerTest, AbbreviationsTypedWhileErasingDoNotStartASecondRun) {
    bool typed = false;
    host_.duringErase = [&] {
        if (typed) return;
        typed = true;
        Type("ad ");
    };
    Type("sig ");
    int plays = 0;
    for (const std::string& c : host_.calls) plays += c.rfind("play", 0) == 0;
    EXPECT_EQ(plays, 1);
    // Afterwards the stream works again.
    host_.calls.clear();
    Type("ad ");
    EXPECT_EQ(host_.calls.back(), "play 2 text of 2 retype ' '");
}

}  // namespace
}  // namespace tessaro
