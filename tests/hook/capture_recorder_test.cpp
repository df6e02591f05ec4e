#include "hook/capture_recorder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hook_fixture.h"
#include "protocol/hotkey_codes.h"
#include "protocol/window_messages.h"

namespace tessaro::hook {
namespace {

constexpr std::uint32_t kPlayerWnd = 0x100, kCapWnd = 0x200;
constexpr std::uint16_t kMacro = 7;

// Events as a user makes them; times advance 5 ms per event unless given.
class Script {
public:
    Script& Down(std::uint16_t vk, std::uint8_t typed = 0) { return Key(InputEvent::KeyDown, vk, typed); }
    Script& Up(std::uint16_t vk) { return Key(InputEvent::KeyUp, vk, 0); }
    Script& Tap(std::uint16_t vk, std::uint8_t typed = 0) { return Down(vk, typed).Up(vk); }
    Script& Type(const std::string& text) {
        for (unsigned char c : text) {
            const bool upper = (c >= 'A' && c <= 'Z') || c == '<' || c == '>';
            const std::uint16_t vk = c >= 'a' && c <= 'z' ? c - 32 : c;
            if (upper) Down(16);
            Tap(vk, c);
            if (upper) Up(16);
        }
        return *this;
    }
    Script& Press(std::uint8_t b, int x, int y) { return Button(InputEvent::ButtonDown, b, x, y); }
    Script& Release(std::uint8_t b, int x, int y) { return Button(InputEvent::ButtonUp, b, x, y); }
    Script& Click(std::uint8_t b, int x, int y) { return Press(b, x, y).Release(b, x, y); }
    Script& Move(int x, int y) {
        InputEvent e = At(InputEvent::Motion, x, y);
        events.push_back(e);
        return *this;
    }
    Script& Wheel(std::uint8_t b, int x, int y) {
        InputEvent e = At(InputEvent::Wheel, x, y);
        e.button = b;
        events.push_back(e);
        return *this;
    }
    Script& Wait(std::uint32_t ms) {
        time += ms;
        return *this;
    }
    Script& Synthetic() {
        events.back().synthetic = true;
        return *this;
    }

    std::vector<InputEvent> events;
    std::uint32_t time = 1000;
    std::uint8_t mods = 0;

private:
    static std::uint8_t Bit(std::uint16_t vk) {
        switch (vk) {
            case 16: return kModShift;
            case 17: return kModCtrl;
            case 18: return kModAlt;
            case 91: return kModWin;
            default: return 0;
        }
    }
    Script& Key(InputEvent::Kind kind, std::uint16_t vk, std::uint8_t typed) {
        if (kind == InputEvent::KeyDown) mods |= Bit(vk);
        if (kind == InputEvent::KeyUp) mods &= static_cast<std::uint8_t>(~Bit(vk));
        InputEvent e;
        e.kind = kind;
        e.vk = vk;
        e.typed = typed;
        e.mods = mods;
        e.time = time += 5;
        events.push_back(e);
        return *this;
    }
    InputEvent At(InputEvent::Kind kind, int x, int y) {
        InputEvent e;
        e.kind = kind;
        e.mods = mods;
        e.time = time += 5;
        e.hasPosition = true;
        e.x = x;
        e.y = y;
        e.hasFrame = true;
        e.frameLeft = 100;
        e.frameTop = 50;
        e.frameWidth = 640;
        e.frameHeight = 480;
        return e;
    }
    Script& Button(InputEvent::Kind kind, std::uint8_t b, int x, int y) {
        InputEvent e = At(kind, x, y);
        e.button = b;
        events.push_back(e);
        return *this;
    }
};

struct Recording {
    std::string text;
    int done = 0;
    std::vector<Post> posts;
};

class Recorder : public ::testing::Test {
protected:
    void SetUp() override {
        g = std::make_unique<TGlobData>();
        g->PlayerWnd = kPlayerWnd;
        g->CapWnd = kCapWnd;
        g->CaptureMacro = kMacro;
        g->CaptureOn = 1;
        g->CapKeys = 1;
        g->CapMouse = 1;
        g->CapClicksOnly = 1;
        g->CapRelativeTo = 1;
        // Stop key Ctrl+Shift+F12.
        g->StopKeyVK = 123;
        g->StopKeyCtrl = g->StopKeyShift = 1;
    }

    Recording Run(const Script& s, bool flush = true) {
        recorder.Start(*g);
        Recording r;
        for (const InputEvent& e : s.events) recorder.OnEvent(e, *g, r.posts);
        if (flush) recorder.FlushWaiting(*g, r.posts);
        for (const Post& p : r.posts) {
            if (p.msg == WM_CAPTURE_CHAR) {
                EXPECT_EQ(p.wParam, kMacro);
                r.text += static_cast<char>(p.lParam);
            }
            if (p.msg == WM_CAPTURE_DONE) ++r.done;
        }
        return r;
    }
    std::string Text(const Script& s) { return Run(s).text; }

    std::unique_ptr<TGlobData> g;
    CaptureRecorder recorder;
};

TEST_F(Recorder, TypedCharactersAreWindows1252AndLessThanNeverStartsAToken) {
    EXPECT_EQ(Text(Script().Type("Hello, <World> 5 > 3")), "Hello, <ALT:060>World> 5 > 3");
    EXPECT_EQ(Text(Script().Tap(0xDE, 0xE9)), "\xE9");
    // Enter, Tab, Backspace and Escape are keys, not their control characters.
    EXPECT_EQ(Text(Script().Tap(13, 13).Tap(9, 9).Tap(8, 8).Tap(27, 27)), "<ENTER><TAB><BACKSPACE><ESC>");
    EXPECT_EQ(Text(Script().Tap(112).Tap(135).Tap(36).Tap(46).Tap(37).Tap(34)),
              "<F1><F24><HOME><DELETE><LEFT ARROW><PAGE DOWN>");
    // The keypad types its digit when NumLock makes it one, else it is the keypad key.
    EXPECT_EQ(Text(Script().Tap(101, '5').Tap(101)), "5<KEYP5>");
}

TEST_F(Recorder, LockKeysAndLoneModifiersAreNotRecorded) {
    EXPECT_EQ(Text(Script().Tap(20).Tap(144).Tap(145).Type("a").Tap(16).Tap(17)), "a");
    EXPECT_EQ(Text(Script().Tap(18)), "");
    g->CapDoubleAlt = 1;
    EXPECT_EQ(Text(Script().Tap(18).Type("x").Tap(18)), "<ALT>x<ALT>");
    EXPECT_EQ(Text(Script().Tap(91)), "<LEFTWIN>");
}

TEST_F(Recorder, CombinationsAreWrappedInHeldModifiers) {
    EXPECT_EQ(Text(Script().Down(17).Tap('C', 'c').Up(17)), "<CTLD>c<CTLU>");
    EXPECT_EQ(Text(Script().Down(17).Down(18).Tap(46).Up(18).Up(17)), "<CTLD><ALTD><DELETE><ALTU><CTLU>");
    // Shift is part of a typed character, but is held for a key token.
    EXPECT_EQ(Text(Script().Down(16).Tap(36).Tap('A', 'A').Up(16)), "<SHFD><HOME>A<SHFU>");
    EXPECT_EQ(Text(Script().Down(91).Tap('E', 'e').Up(91)), "<WIND>e<WINU>");
    EXPECT_EQ(Text(Script().Down(18).Tap(9, 9).Tap(9, 9).Up(18)), "<ALTD><TAB><TAB><ALTU>");
}

TEST_F(Recorder, StopKeysEndTheCaptureAndLeaveNoTrace) {
    Recording r = Run(Script().Type("ab").Down(17).Down(16).Tap(123).Up(16).Up(17).Type("c"));
    EXPECT_EQ(r.text, "ab");
    EXPECT_EQ(r.done, 1);
    EXPECT_EQ(r.posts.back(), (Post{kPlayerWnd, WM_CAPTURE_DONE, kMacro, 0}));
    EXPECT_FALSE(recorder.recording());

    // A combination still open is closed before the end, so playback lets go of it.
    r = Run(Script().Down(17).Tap('V', 'v').Down(16).Tap(123));
    EXPECT_EQ(r.text, "<CTLD>v<CTLU>");
    EXPECT_EQ(r.done, 1);

    // The own hot key ends it too, with the captured macro's number; mouse stop keys work.
    g->OwnKeyOn = 1;
    g->OwnKeyMouse = 3;
    g->OwnKeyVK = 1000;
    g->OwnKeyAlt = 1;
    r = Run(Script().Type("q").Down(18).Press(3, 5, 5).Release(3, 5, 5).Up(18));
    EXPECT_EQ(r.text, "q");
    EXPECT_EQ(r.done, 1);

    // Both zero: no stop key at all (the wizard's recording).
    g->StopKeyVK = 0;
    g->StopKeyCtrl = g->StopKeyShift = 0;
    g->OwnKeyOn = 0;
    r = Run(Script().Tap(0).Type("z"));
    EXPECT_EQ(r.done, 0);
    EXPECT_EQ(r.text, "z");
}

TEST_F(Recorder, KeysHeldAtTheStartAndThePlayersOwnInputAreIgnored) {
    // Ctrl+Shift+F12 started the capture; its keys come up during it.
    std::vector<Post> ignored;
    const Script start = Script().Down(17).Down(16).Down(123);
    for (const InputEvent& e : start.events) recorder.OnEvent(e, *g, ignored);
    EXPECT_TRUE(ignored.empty());
    Recording r = Run(Script().Up(123).Up(16).Up(17).Type("x").Down('Y', 'y').Synthetic());
    EXPECT_EQ(r.text, "x");
    EXPECT_EQ(r.done, 0);
}

TEST_F(Recorder, InputTheServerStampedBeforeTheStartIsNotRecordedHoweverLateItIsRead) {
    // Ctrl held and Enter pressed before the capture began (the Enter that started it),
    // both read only after the start; then the keys typed during the capture.
    g->CapStartTime = 1100;
    Script s;
    s.Down(17).Tap(13, 13).Press(1, 5, 5).Release(1, 5, 5).Wait(100).Up(17).Type("xy");
    EXPECT_EQ(Text(s), "xy");
    // Nothing stamped: everything counts, as before.
    g->CapStartTime = 0;
    EXPECT_EQ(Text(Script().Tap(13, 13).Type("x")), "<ENTER>x");
}

TEST_F(Recorder, TheStartTimeHoldsAcrossTheServersClockWrapping) {
    g->CapStartTime = 0xFFFFFFF0u;
    Script s;
    s.time = 0xFFFFFFE0u;
    s.Tap(13, 13);  // before the start
    s.time = 0x10u;
    s.Type("z");  // after it, the clock past zero
    EXPECT_EQ(Text(s), "z");
}

TEST_F(Recorder, CaptureMessagesGoToTheCaptureWindowWhenItIsNamed) {
    g->CapWndOn = 1;
    const Recording r = Run(Script().Type("k").Down(17).Down(16).Tap(123));
    ASSERT_EQ(r.posts.size(), 2u);
    EXPECT_EQ(r.posts[0], (Post{kCapWnd, WM_CAPTURE_CHAR, kMacro, 'k'}));
    EXPECT_EQ(r.posts[1], (Post{kCapWnd, WM_CAPTURE_DONE, kMacro, 0}));
}

TEST_F(Recorder, ClicksDoubleClicksDragsAndTheWheel) {
    EXPECT_EQ(Text(Script().Click(1, 10, 20)), "<MMS:00010,00020><LCLK>");
    EXPECT_EQ(Text(Script().Click(2, 10, 20).Wait(600).Click(2, 10, 20)),
              "<MMS:00010,00020><RCLK><MMS:00010,00020><RCLK>");
    EXPECT_EQ(Text(Script().Click(3, 7, 8).Wait(100).Click(3, 8, 8)), "<MMS:00007,00008><MDCLK>");
    EXPECT_EQ(Text(Script().Press(1, 10, 10).Move(30, 10).Move(60, 40).Release(1, 80, 90)),
              "<MMS:00010,00010><LDN><MMS:00080,00090><LUP>");
    EXPECT_EQ(Text(Script().Wheel(4, 5, 5).Wheel(4, 5, 5).Wheel(5, 5, 5).Type("a")),
              "<MMS:00005,00005><WFW:002><MMS:00005,00005><WBW:001>a");
    // A modifier held for a click is held in playback too.
    EXPECT_EQ(Text(Script().Down(17).Click(1, 1, 2).Up(17)), "<CTLD><MMS:00001,00002><LCLK><CTLU>");
    // Sideways wheels have no token.
    EXPECT_EQ(Text(Script().Wheel(6, 5, 5).Wheel(7, 5, 5)), "");
}

TEST_F(Recorder, AClickWaitsForTheDoubleClickTimeUnlessSomethingElseComes) {
    Recording r = Run(Script().Click(1, 3, 4), /*flush=*/false);
    EXPECT_EQ(r.text, "");
    EXPECT_TRUE(recorder.waiting());
    recorder.FlushWaiting(*g, r.posts);
    EXPECT_FALSE(recorder.waiting());
    EXPECT_EQ(r.posts.size(), std::string("<MMS:00003,00004><LCLK>").size());

    // Ending from the player's own icon drops the click that did it.
    r = Run(Script().Type("a").Click(2, 900, 700), /*flush=*/false);
    recorder.DropClickAndEnd();
    recorder.FlushWaiting(*g, r.posts);
    EXPECT_EQ(r.posts.size(), 1u);
    EXPECT_FALSE(recorder.recording());
}

TEST_F(Recorder, PositionsFollowTheChosenReference) {
    g->CapRelativeTo = 2;
    EXPECT_EQ(Text(Script().Click(1, 110, 60)), "<MMW:00010,00010><LCLK>");
    g->CapWindowSize2 = 1;
    EXPECT_EQ(Text(Script().Click(1, 110, 60).Wait(600).Click(1, 90, 40)),
              "<WSIZE:0640,0480\"CURRENT\"><MMW:00010,00010><LCLK><MMW:-0010,-0010><LCLK>");
    g->CapRelativeTo = 3;
    g->CapWindowSize2 = 0;
    EXPECT_EQ(Text(Script().Click(1, 50, 50).Wait(600).Click(1, 40, 70)),
              "<MMP:00000,00000><LCLK><MMP:-0010,00020><LCLK>");
}

TEST_F(Recorder, MovesAreThinnedUnlessOnlyClicksAreWanted) {
    Script s;
    s.Move(1, 1).Move(2, 2).Wait(50).Move(3, 3).Move(3, 3).Wait(50).Move(3, 3).Wait(50).Move(9, 9);
    EXPECT_EQ(Text(s), "");
    g->CapClicksOnly = 0;
    EXPECT_EQ(Text(s), "<MMS:00001,00001><MMS:00003,00003><MMS:00009,00009>");
}

TEST_F(Recorder, PausesAreRecordedOnlyWithTiming) {
    Script s;
    s.Type("a").Wait(250).Type("b").Wait(12000).Type("c").Wait(5).Type("d");
    EXPECT_EQ(Text(s), "abcd");
    g->CapTime = 1;
    EXPECT_EQ(Text(s), "a<MSD:0260>b<DELAY:012.0>cd");
}

TEST_F(Recorder, OptionsSwitchKeysAndMouseOff) {
    Script s;
    s.Type("a").Click(1, 2, 3);
    g->CapKeys = 0;
    EXPECT_EQ(Text(s), "<MMS:00002,00003><LCLK>");
    g->CapKeys = 1;
    g->CapMouse = 0;
    EXPECT_EQ(Text(s), "a");
}

// Through the library: arming by CapStarting, the end by a program, the stop key kept from
// the hot-key logic.
using RecorderInLibrary = SimHookTest;

TEST_F(RecorderInLibrary, ArmedByTheStartFlagAndStoppedWithTheCapture) {
    InstallInputHooks();
    const int stop = HotKeyCodeForKey(123, kModCtrl | kModShift);
    g->HotKeyUsed[stop] = 1;
    QtmUpKeys(g.get());
    g->CaptureMacro = 4;
    g->CapKeys = 1;
    g->StopKeyVK = 123;
    g->StopKeyCtrl = g->StopKeyShift = 1;
    g->CapStarting = 1;
    QtmUpCapture(g.get());
    sim->Feed(Key('A', 0, 'a'));
    EXPECT_TRUE(Sent(WM_CAPTURE_CHAR).empty()) << "not recording before CaptureOn";
    g->CaptureOn = 1;
    QtmUpCaptureOn(g.get());
    EXPECT_EQ(Master().CapStarting, 0) << "the start is taken once";
    sim->Feed(Key('B', 0, 'b'));
    ASSERT_EQ(Sent(WM_CAPTURE_CHAR).size(), 1u);
    EXPECT_EQ(Sent(WM_CAPTURE_CHAR)[0], (Post{kPlayer, WM_CAPTURE_CHAR, 4, 'b'}));

    sim->Feed(Key(123, kModCtrl | kModShift));
    EXPECT_EQ(Sent(WM_CAPTURE_DONE).size(), 1u);
    EXPECT_TRUE(Sent(WM_HOTKEY_FIRED).empty()) << "the stop key starts no capture";

    // A program ending the capture stops the recording at once.
    g->CapStarting = 1;
    QtmUpCapture(g.get());
    QtmUpCaptureOn(g.get());
    g->CaptureOn = 0;
    QtmUpCaptureOn(g.get());
    sim->Feed(Key('C', 0, 'c'));
    EXPECT_EQ(Sent(WM_CAPTURE_CHAR).size(), 1u);
    // Ended from the player's icon: the click is dropped.
    g->CaptureOn = 1;
    QtmUpCaptureOn(g.get());
    QtmUpCapture(g.get());
    QtmDropCaptureClick();
    sim->Feed(Key('D', 0, 'd'));
    EXPECT_EQ(Sent(WM_CAPTURE_CHAR).size(), 1u);
}

}  // namespace
}  // namespace tessaro::hook
