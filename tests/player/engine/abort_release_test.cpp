// An aborted macro lets go of the keys and buttons it holds before its abort box shows:
// the box is modal, and a Shift left down under it would type capitals into the desktop.
#include <gtest/gtest.h>

#include "interpreter_doubles.h"

namespace tessaro::testing {
namespace {

// The windows double that notes which keys and buttons the macro held when a box showed.
class NotingWindows : public FakeWindows {
public:
    explicit NotingWindows(const win::sim::SimInput& input) : input_(input) {}
    void DoAMessage(const std::string& c, const std::string& t) override {
        FakeWindows::DoAMessage(c, t);
        heldAtBox.push_back(Held());
    }
    // Virtual keys and mouse flags pressed and not yet released, in the log so far.
    std::set<int> Held() const {
        std::set<int> held;
        for (const win::sim::InputEvent& e : input_.log) {
            if (e.type == win::sim::InputEvent::Key) {
                if (e.up)
                    held.erase(e.vk);
                else
                    held.insert(e.vk);
            } else {
                for (unsigned down :
                     {win::MOUSEEVENTF_LEFTDOWN, win::MOUSEEVENTF_RIGHTDOWN, win::MOUSEEVENTF_MIDDLEDOWN}) {
                    if (e.flags & down) held.insert(-static_cast<int>(down));
                    if (e.flags & (down << 1)) held.erase(-static_cast<int>(down));
                }
            }
        }
        return held;
    }
    std::vector<std::set<int>> heldAtBox;

private:
    const win::sim::SimInput& input_;
};

struct AbortRig {
    win::sim::SimInput input;
    FakeClock clock;
    NotingWindows windows{input};
    FakeClipboard clipboard;
    FakeDesktop desktop;
    FakeMacros macros;
    CommandFamilies families;
    MacroPlayer player{PlayerServices{input, clock, windows, clipboard, desktop, macros, families}};
};

TEST(AbortRelease, HeldModifiersAndButtonsGoUpBeforeTheAbortBox) {
    AbortRig rig;
    rig.clock.onPump = [&](int pumps) {
        if (pumps == 6) rig.player.RequestAbort();
    };
    rig.player.BeginMacro(false);
    rig.player.DoMacro("<SHFD><CTLD><ALTD><LDN>abcdefgh", 1, 1, 1, true);
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Macro Abort");
    ASSERT_EQ(rig.windows.heldAtBox.size(), 1u);
    EXPECT_TRUE(rig.windows.heldAtBox[0].empty());
    rig.player.EndMacro();
    EXPECT_TRUE(rig.windows.Held().empty());
}

TEST(AbortRelease, AMessageThatDoesNotAbortLeavesHeldKeysAsTheMacroWants) {
    AbortRig rig;
    // A missing end of repeat reports first, then aborts: only the abort box sees nothing held.
    rig.player.BeginMacro(false);
    rig.player.DoMacro("<SHFD><REPEAT:0002>a", 1, 1, 1, true);
    ASSERT_EQ(rig.windows.messages.size(), 2u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Repeat Error");
    EXPECT_EQ(rig.windows.heldAtBox[0], std::set<int>{win::VK_SHIFT});
    EXPECT_EQ(rig.windows.messages[1].caption, "Macro Abort");
    EXPECT_TRUE(rig.windows.heldAtBox[1].empty());
}

}  // namespace
}  // namespace tessaro::testing
