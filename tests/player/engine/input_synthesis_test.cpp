#include "player/engine/input_synthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/sim/sim_input.h"
#include "sim_events.h"
#include "platform/virtual_keys.h"

namespace tessaro {
namespace {

using Clock = SynthesisHooks::Clock;
using testing::Down;
using testing::InputEvent;
using testing::Mouse;
using testing::Up;

// A simulated desktop and a fake clock that only moves while the synthesis waits.
struct Rig {
    win::sim::SimInput input;
    Clock::time_point start = Clock::time_point{} + std::chrono::hours(1);
    Clock::time_point now = start;
    int64_t pumps = 0;
    Clock::duration step = std::chrono::milliseconds(7);  // longest idle turn
    bool abort = false;
    Clock::duration abort_after = Clock::duration::max();
    std::vector<std::pair<std::string, std::string>> messages;
    InputSynthesis synth{
        input,
        SynthesisHooks{[this] {
                           ++pumps;
                           if (now - start >= abort_after) abort = true;
                       },
                       [this] { return abort; },
                       [this](const std::string& c, const std::string& t) { messages.emplace_back(c, t); },
                       [this] { return now; },
                       [this](Clock::duration d) { now += std::min<Clock::duration>(d, step); }}};

    // Plays macro text the way the interpreter scans it.
    void Play(std::string_view text) {
        for (size_t p = 0; p < text.size();) {
            Step step = NextStep(text, p);
            if (step.token.kind == TokenKind::None)
                synth.TypeChar(static_cast<unsigned char>(step.ch));
            else
                EXPECT_TRUE(synth.PlayToken(step.token)) << text.substr(p, step.length);
            p += step.length;
        }
    }
    double Elapsed() const { return std::chrono::duration<double>(now - start).count(); }
};

TEST(InputSynthesis, CharactersAndTheirShiftStates) {
    Rig rig;
    rig.Play("aA1!");
    EXPECT_EQ(rig.input.log,
              (std::vector<InputEvent>{Down('A'), Up('A'), Down(win::VK_SHIFT), Down('A'), Up('A'),
                                       Up(win::VK_SHIFT), Down('1'), Up('1'), Down(win::VK_SHIFT), Down('1'),
                                       Up('1'), Up(win::VK_SHIFT)}));
    EXPECT_FALSE(rig.synth.pacing().held_shift);
}

TEST(InputSynthesis, LineEndsAndControlCharacters) {
    Rig rig;
    rig.Play("x\r\ny\n");
    EXPECT_EQ(rig.input.log,
              (std::vector<InputEvent>{Down('X'), Up('X'), Down(win::VK_RETURN), Up(win::VK_RETURN),
                                       Down('Y'), Up('Y'), Down(win::VK_CONTROL), Down(win::VK_RETURN),
                                       Up(win::VK_RETURN), Up(win::VK_CONTROL)}));
}

TEST(InputSynthesis, CharactersAbove127AndAltTokensUseTheKeypad) {
    Rig rig;
    const std::string text = "\xE9<ALT:065><ALT4:0128>";
    rig.Play(text);
    auto alt_code = [](std::string digits) {
        std::vector<InputEvent> v{Down(win::VK_MENU)};
        for (char d : digits) {
            auto key = static_cast<unsigned char>(win::VK_NUMPAD0 + (d - '0'));
            v.push_back(Down(key));
            v.push_back(Up(key));
        }
        v.push_back(Up(win::VK_MENU));
        return v;
    };
    std::vector<InputEvent> expected = alt_code("0233");
    for (auto part : {alt_code("065"), alt_code("0128")})
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(rig.input.log, expected);
}

// A layout with no key for '#': the character goes out as its keypad code.
struct NoHashLayout : win::sim::SimInput {
    short KeyScan(unsigned char ch) override { return ch == '#' ? -1 : SimInput::KeyScan(ch); }
};

TEST(InputSynthesis, CharacterWithoutAKeyFallsBackToItsCode) {
    NoHashLayout input;
    InputSynthesis synth(input, {[] {}, [] { return false; }, nullptr, nullptr, nullptr});
    synth.TypeChar('#');
    ASSERT_EQ(input.log.size(), 10u);
    EXPECT_EQ(input.log.front(), Down(win::VK_MENU));
    EXPECT_EQ(input.log[3], Down(win::VK_NUMPAD0 + 0));
    EXPECT_EQ(input.log[5], Down(win::VK_NUMPAD0 + 3));
    EXPECT_EQ(input.log[7], Down(win::VK_NUMPAD0 + 5));
}

TEST(InputSynthesis, KeyTokensHeldKeysAndRelease) {
    Rig rig;
    rig.synth.BeginMacro();
    rig.Play("<F10><CTLD>c<SHIFT><TEST><RIGHT MOUSE>");
    EXPECT_EQ(rig.input.log,
              (std::vector<InputEvent>{Down(win::VK_F10), Up(win::VK_F10), Down(win::VK_CONTROL), Down('C'),
                                       Up('C'), Down(win::VK_SHIFT), Up(win::VK_SHIFT), Down(win::VK_RBUTTON),
                                       Up(win::VK_RBUTTON)}));
    // The macro ended with Ctrl still down: ending it lets go.
    rig.input.log.clear();
    rig.synth.EndMacro();
    EXPECT_EQ(rig.input.log, (std::vector<InputEvent>{Up(win::VK_CONTROL)}));
}

TEST(InputSynthesis, KeystrokeDelayIsScaledBySpeed) {
    Rig rig;
    rig.synth.BeginMacro();
    rig.Play("<SPKEY:0050><SPEED:002.0>");
    EXPECT_EQ(rig.synth.pacing().key_delay_ms, 50u);
    EXPECT_TRUE(rig.synth.pacing().key_delay_on);
    rig.Play("ab<TAB>");
    EXPECT_NEAR(rig.Elapsed(), 0.300, 1e-9);  // 3 keys x 100 ms
    EXPECT_GT(rig.pumps, 3);

    // Speed 0 turns the scaled waits off, but not the timer wait.
    rig.Play("<SPEED:00000><DELAY:05.00>a<MSD:1000>");
    EXPECT_NEAR(rig.Elapsed(), 0.300, 1e-9);
    rig.Play("<WAITTIME:00000002>");
    EXPECT_NEAR(rig.Elapsed(), 2.300, 1e-9);

    // A speed that does not parse leaves the factor alone.
    rig.Play("<SPEED:1.x.0>");
    EXPECT_EQ(rig.synth.pacing().speed, 0.0);
    rig.synth.BeginMacro();
    EXPECT_EQ(rig.synth.pacing().speed, 1.0);
    EXPECT_FALSE(rig.synth.pacing().key_delay_on);
}

TEST(InputSynthesis, WaitsEndEarlyOnAbortAndNeverOverflow) {
    Rig rig;
    rig.abort_after = std::chrono::milliseconds(500);
    EXPECT_FALSE(rig.synth.PauseFor(3600));
    EXPECT_LT(rig.Elapsed(), 0.6);

    // Waits longer than a 32-bit millisecond count holds run their whole time.
    Rig longer;
    longer.step = Clock::duration::max();
    const int64_t ms = int64_t{5'000'000'000};
    EXPECT_TRUE(longer.synth.WaitForTimer(ms));
    EXPECT_NEAR(longer.Elapsed(), 5'000'000.0, 1e-3);
    Rig longest;
    longest.step = std::chrono::hours(1);
    longest.Play("<WAITTIME:99999999>");
    EXPECT_NEAR(longest.Elapsed(), 99'999'999.0, 1e-3);

    // Zero, negative and NaN lengths return at once.
    Rig none;
    EXPECT_TRUE(none.synth.PauseFor(-1));
    EXPECT_TRUE(none.synth.PauseForNoSpeed(std::nan("")));
    EXPECT_TRUE(none.synth.TimedPauseFor(0));
    EXPECT_EQ(none.Elapsed(), 0.0);
    none.synth.pacing().speed = 0.5;
    EXPECT_TRUE(none.synth.TimedPauseFor(3));
    EXPECT_NEAR(none.Elapsed(), 1.5, 1e-9);
    EXPECT_TRUE(none.synth.PauseForNoSpeed(1));
    EXPECT_NEAR(none.Elapsed(), 2.5, 1e-9);
}

TEST(InputSynthesis, MouseButtonsAndWheel) {
    Rig rig;
    rig.Play("<LDCLK><RDN><MCLK><WFW:003><WBW:002>");
    using namespace win;
    EXPECT_EQ(rig.input.log,
              (std::vector<InputEvent>{Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP),
                                       Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP),
                                       Mouse(MOUSEEVENTF_RIGHTDOWN), Mouse(MOUSEEVENTF_MIDDLEDOWN),
                                       Mouse(MOUSEEVENTF_MIDDLEUP), Mouse(MOUSEEVENTF_WHEEL, 0, 0, 360),
                                       Mouse(MOUSEEVENTF_WHEEL, 0, 0, -240)}));
    rig.input.log.clear();
    rig.synth.EndMacro();  // the right button is still down
    EXPECT_EQ(rig.input.log, (std::vector<InputEvent>{Mouse(MOUSEEVENTF_RIGHTUP)}));
}

TEST(InputSynthesis, MouseMovesInScreenWindowAndRelativeTerms) {
    Rig rig;
    rig.input.screen = {1280, 1024};
    rig.Play("<MMS:00640,00512>");
    ASSERT_EQ(rig.input.log.size(), 1u);
    EXPECT_EQ(rig.input.log[0].flags, win::MOUSEEVENTF_MOVE | win::MOUSEEVENTF_ABSOLUTE);
    EXPECT_EQ(rig.input.log[0].dx, 32768);  // 640 * 65535 / 1280, rounded
    EXPECT_EQ(rig.input.cursor, (win::Point{640, 512}));

    rig.Play("<MMP:-0010,00000>");
    EXPECT_EQ(rig.input.cursor, (win::Point{630, 512}));

    // The relative start is read before the mouse delay.
    rig.Play("<SPMSE:0100>");
    rig.input.cursor = {100, 100};
    rig.Play("<MMP:00005,-0005>");
    EXPECT_EQ(rig.input.cursor, (win::Point{105, 95}));
    EXPECT_NEAR(rig.Elapsed(), 0.1, 1e-9);

    rig.input.foreground = win::Rect{200, 150, 600, 450};
    rig.Play("<MMW:00010,00020>");
    EXPECT_EQ(rig.input.cursor, (win::Point{210, 170}));
}

TEST(InputSynthesis, MoveToCaretReportsAMissingCaret) {
    Rig rig;
    rig.input.cursor = {50, 60};
    rig.Play("<MMC>");
    ASSERT_EQ(rig.messages.size(), 1u);
    EXPECT_EQ(rig.messages[0].first, "Error");
    EXPECT_EQ(rig.messages[0].second, "Could not move the mouse to the location of the caret.");
    EXPECT_TRUE(rig.input.log.empty());
    EXPECT_EQ(rig.input.cursor, (win::Point{50, 60}));

    rig.input.caret = win::Point{300, 40};
    rig.Play("<MMC>");
    EXPECT_EQ(rig.input.cursor, (win::Point{300, 40}));
    EXPECT_EQ(rig.messages.size(), 1u);
}

TEST(InputSynthesis, NonInputTokensAreLeftToTheInterpreter) {
    Rig rig;
    for (std::string_view s : {"<HANG>", "<REM:x>", "<MM{Y}>", "<REPEAT:0002>"})
        EXPECT_FALSE(rig.synth.PlayToken(Recognise(s, 0))) << s;
    EXPECT_TRUE(rig.input.log.empty());
}

}  // namespace
}  // namespace tessaro
