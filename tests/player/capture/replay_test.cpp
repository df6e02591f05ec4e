// What the recorder writes, played back on the simulated desktop, repeats what the user
// did: the same characters, keys with their modifiers, and clicks at the same places.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hook/capture_recorder.h"
#include "platform/sim/sim_input.h"
#include "platform/virtual_keys.h"
#include "player/engine/input_synthesis.h"
#include "protocol/hotkey_codes.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

using hook::InputEvent;

// One thing the user did, as the target sees it.
using Action = std::string;

bool IsModifier(unsigned vk) { return vk == 16 || vk == 17 || vk == 18 || vk == 91; }
std::uint8_t ModBit(unsigned vk) {
    return vk == 16 ? hook::kModShift : vk == 17 ? hook::kModCtrl : vk == 18 ? hook::kModAlt : hook::kModWin;
}

std::string Key(unsigned vk, std::uint8_t mods) {
    return "K" + std::to_string(vk) + "/" + std::to_string(mods);
}

// A user on a US keyboard, as the library's X source reports him.
class User {
public:
    void Type(const std::string& text) {
        for (unsigned char c : text) {
            const short scan = win::VkKeyScanUs(c);
            const bool shift = (scan >> 8) & win::kScanShift;
            if (shift) Down(16);
            Down(scan & 0xFF, c);
            Up(scan & 0xFF);
            if (shift) Up(16);
            expected.push_back(std::string("C") + static_cast<char>(c));
        }
    }
    // A character outside the layout, as a dead key or compose makes it.
    void Compose(unsigned char c) {
        Down(0xDE, c);
        Up(0xDE);
        expected.push_back(std::string("C") + static_cast<char>(c));
    }
    void Press(unsigned vk) {
        Down(vk);
        Up(vk);
        expected.push_back(Key(vk, mods_));
    }
    void Hold(unsigned vk) { Down(vk); }
    void Release(unsigned vk) { Up(vk); }
    void Click(std::uint8_t button, int x, int y, bool twice = false) {
        for (int i = 0; i < (twice ? 2 : 1); ++i) {
            Button(InputEvent::ButtonDown, button, x, y);
            Button(InputEvent::ButtonUp, button, x, y);
            expected.push_back("D" + std::to_string(button) + "@" + std::to_string(x) + "," +
                               std::to_string(y));
            expected.push_back("U" + std::to_string(button) + "@" + std::to_string(x) + "," +
                               std::to_string(y));
        }
        time_ += 900;
    }
    void Drag(int x0, int y0, int x1, int y1) {
        Button(InputEvent::ButtonDown, 1, x0, y0);
        Button(InputEvent::Motion, 0, (x0 + x1) / 2, (y0 + y1) / 2);
        Button(InputEvent::ButtonUp, 1, x1, y1);
        expected.push_back("D1@" + std::to_string(x0) + "," + std::to_string(y0));
        expected.push_back("U1@" + std::to_string(x1) + "," + std::to_string(y1));
    }

    std::vector<InputEvent> events;
    std::vector<Action> expected;

private:
    void Down(unsigned vk, std::uint8_t typed = 0) {
        if (IsModifier(vk)) mods_ |= ModBit(vk);
        Push(InputEvent::KeyDown, vk, typed);
    }
    void Up(unsigned vk) {
        if (IsModifier(vk)) mods_ &= static_cast<std::uint8_t>(~ModBit(vk));
        Push(InputEvent::KeyUp, vk, 0);
    }
    void Push(InputEvent::Kind kind, unsigned vk, std::uint8_t typed) {
        InputEvent e;
        e.kind = kind;
        e.vk = static_cast<std::uint16_t>(vk);
        e.typed = typed;
        e.mods = mods_;
        e.time = time_ += 30;
        events.push_back(e);
    }
    void Button(InputEvent::Kind kind, std::uint8_t b, int x, int y) {
        InputEvent e;
        e.kind = kind;
        e.button = b;
        e.mods = mods_;
        e.time = time_ += 30;
        e.hasPosition = true;
        e.x = x;
        e.y = y;
        events.push_back(e);
    }
    std::uint8_t mods_ = 0;
    std::uint32_t time_ = 1000;
};

// The same actions read back from the simulated desktop's input log.
std::vector<Action> Observed(const win::sim::SimInput& input) {
    std::map<unsigned, unsigned char> charOf;  // vk | shift << 8 -> character
    for (int c = 32; c < 127; ++c) {
        const short scan = win::VkKeyScanUs(static_cast<unsigned char>(c));
        if (scan != -1) charOf.emplace((scan & 0xFF) | (((scan >> 8) & win::kScanShift) << 8), c);
    }
    std::vector<Action> out;
    std::uint8_t mods = 0;
    std::string altDigits;
    int x = 0, y = 0;
    const auto& screen = input.screen;
    for (const auto& e : input.log) {
        if (e.type == win::sim::InputEvent::Mouse) {
            if (e.flags & win::MOUSEEVENTF_ABSOLUTE) {
                x = static_cast<int>(std::lround(e.dx * double(screen.x) / 65535.0));
                y = static_cast<int>(std::lround(e.dy * double(screen.y) / 65535.0));
            }
            const std::pair<unsigned, std::string> buttons[] = {
                {win::MOUSEEVENTF_LEFTDOWN, "D1"},   {win::MOUSEEVENTF_LEFTUP, "U1"},
                {win::MOUSEEVENTF_RIGHTDOWN, "D2"},  {win::MOUSEEVENTF_RIGHTUP, "U2"},
                {win::MOUSEEVENTF_MIDDLEDOWN, "D3"}, {win::MOUSEEVENTF_MIDDLEUP, "U3"}};
            for (const auto& [flag, name] : buttons)
                if (e.flags & flag) out.push_back(name + "@" + std::to_string(x) + "," + std::to_string(y));
            continue;
        }
        if (IsModifier(e.vk)) {
            if (e.up && e.vk == 18 && !altDigits.empty()) {
                out.push_back(std::string("C") + static_cast<char>(win::AltCodeToChar(altDigits) & 0xFF));
                altDigits.clear();
            }
            if (e.up)
                mods &= static_cast<std::uint8_t>(~ModBit(e.vk));
            else
                mods |= ModBit(e.vk);
            continue;
        }
        if (e.up) continue;
        if ((mods & hook::kModAlt) && e.vk >= 96 && e.vk <= 105) {
            altDigits += static_cast<char>('0' + e.vk - 96);
            continue;
        }
        const auto c = charOf.find(e.vk | ((mods & hook::kModShift) ? 0x100u : 0u));
        if (!(mods & (hook::kModCtrl | hook::kModAlt | hook::kModWin)) && c != charOf.end() && e.vk != 13 &&
            e.vk != 9 && e.vk != 8 && e.vk != 27)
            out.push_back(std::string("C") + static_cast<char>(c->second));
        else
            out.push_back(Key(e.vk, mods));
    }
    return out;
}

class Replay : public ::testing::Test {
protected:
    std::string Record(const User& user) {
        auto g = std::make_unique<TGlobData>();
        g->PlayerWnd = 1;
        g->CaptureOn = 1;
        g->CapKeys = g->CapMouse = g->CapClicksOnly = 1;
        g->CapRelativeTo = 1;
        hook::CaptureRecorder recorder;
        recorder.Start(*g);
        std::vector<hook::Post> posts;
        for (const InputEvent& e : user.events) recorder.OnEvent(e, *g, posts);
        recorder.FlushWaiting(*g, posts);
        std::string text;
        for (const hook::Post& p : posts)
            if (p.msg == WM_CAPTURE_CHAR) text += static_cast<char>(p.lParam);
        return text;
    }
    std::vector<Action> Play(const std::string& text) {
        win::sim::SimInput input;
        InputSynthesis synth(input, SynthesisHooks{[] {}, [] { return false; }, {}, {}, {}});
        for (size_t p = 0; p < text.size();) {
            const Step step = NextStep(text, p);
            if (step.token.kind == TokenKind::None)
                synth.TypeChar(static_cast<unsigned char>(step.ch));
            else
                EXPECT_TRUE(synth.PlayToken(step.token)) << text.substr(p, step.length);
            p += step.length;
        }
        return Observed(input);
    }
};

TEST_F(Replay, TypingWithSymbolsAndAccentsComesBackCharacterForCharacter) {
    User u;
    u.Type("Hello, <World> 5 > 3 ");
    u.Compose(0xE9);
    u.Press(8);
    u.Type("[a|b]~\"x\"!");
    const std::string text = Record(u);
    EXPECT_EQ(Play(text), u.expected) << text;
}

TEST_F(Replay, KeysAndCombinationsKeepTheirModifiers) {
    User u;
    u.Press(13);
    u.Press(112);
    u.Hold(17);
    u.Type("c");
    u.Release(17);
    u.Hold(16);
    u.Press(36);
    u.Release(16);
    u.Hold(18);
    u.Press(9);
    u.Release(18);
    const std::string text = Record(u);
    // Ctrl+C arrives as the key with Ctrl held, whatever it types.
    std::vector<Action> expected = u.expected;
    expected[2] = Key('C', hook::kModCtrl);
    EXPECT_EQ(Play(text), expected) << text;
}

TEST_F(Replay, ClicksDoubleClicksAndDragsLandWhereTheyWereMade) {
    User u;
    u.Click(1, 100, 200);
    u.Click(2, 300, 40);
    u.Click(1, 512, 384, /*twice=*/true);
    u.Drag(10, 10, 600, 500);
    u.Type("ok");
    const std::string text = Record(u);
    EXPECT_EQ(Play(text), u.expected) << text;
}

}  // namespace
}  // namespace tessaro
