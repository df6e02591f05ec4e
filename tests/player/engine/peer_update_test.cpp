#include "player/engine/peer_update.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "player/engine/peer_link.h"
#include "player/engine/wait_text.h"

namespace tessaro {
namespace {

TEST(PeerUpdateTableTest, CoversEveryCodeOnceAndNothingElse) {
    std::set<std::uint32_t> seen;
    for (const auto& info : kPeerUpdateCodes) {
        EXPECT_TRUE(seen.insert(info.code).second) << info.code;
        EXPECT_EQ(FindPeerUpdate(info.code), &info);
    }
    for (std::uint32_t code = 1; code <= 21; ++code)
        EXPECT_EQ(FindPeerUpdate(code) != nullptr, code != 18 && code != 19) << code;
    for (std::uint32_t code : {0u, 22u, 1000u, 0xFFFFFFFFu}) EXPECT_EQ(FindPeerUpdate(code), nullptr);
    // The player never sends 2 or 4.
    EXPECT_FALSE(FindPeerUpdate(puMacroFile)->fromPlayer);
    EXPECT_FALSE(FindPeerUpdate(puEditorClosed)->fromPlayer);
}

TEST(PeerUpdateDispatcherTest, RunsRegisteredHandlersAndIgnoresTheRest) {
    PeerUpdateDispatcher d;
    std::vector<std::pair<int, std::int32_t>> ran;
    for (const auto& info : kPeerUpdateCodes) {
        const int code = info.code;
        d.On(info.code, [&ran, code](std::int32_t arg) { ran.emplace_back(code, arg); });
    }
    EXPECT_TRUE(d.Dispatch(puMacroChanged, 7));
    EXPECT_TRUE(d.Dispatch(puSettingsMainWindow, 0));
    for (std::uint32_t code : {0u, 18u, 19u, 22u, 0x80000000u}) EXPECT_FALSE(d.Dispatch(code, 1)) << code;
    EXPECT_EQ(ran,
              (std::vector<std::pair<int, std::int32_t>>{{puMacroChanged, 7}, {puSettingsMainWindow, 0}}));

    d.SetClosing(true);
    EXPECT_FALSE(d.Dispatch(puReloadAll, 0));
    EXPECT_EQ(ran.size(), 2u);
}

TEST(PeerUpdateDispatcherTest, CodesWithoutHandlerAreIgnored) {
    PeerUpdateDispatcher d;
    int calls = 0;
    d.On(puSwapKeys, [&](std::int32_t) { ++calls; });
    EXPECT_FALSE(d.Dispatch(puTrayIcon, 1));
    EXPECT_TRUE(d.Dispatch(puSwapKeys, 0));
    d.On(puSwapKeys, [&](std::int32_t) { calls += 10; });  // a later owner replaces it
    EXPECT_TRUE(d.Dispatch(puSwapKeys, 0));
    EXPECT_EQ(calls, 11);
}

TEST(EditorLocatorTest, SearchesUntilFoundThenKeepsTheWindowUntilForgotten) {
    std::uint64_t published = 0;
    int searches = 0;
    EditorLocator locator([&] {
        ++searches;
        return published;
    });
    EXPECT_EQ(locator.Window(), 0u);  // no editor yet: nothing to post to
    EXPECT_EQ(locator.Window(), 0u);
    EXPECT_EQ(searches, 2);  // and the next change looks again

    published = 0x2a00007;
    EXPECT_EQ(locator.Window(), 0x2a00007u);
    published = 0x999;  // a found window is kept
    EXPECT_EQ(locator.Window(), 0x2a00007u);
    EXPECT_EQ(searches, 3);

    locator.Forget();
    EXPECT_EQ(locator.Window(), 0x999u);
}

TEST(WaitTextStreamTest, KeepsTheLatestCharactersOfTheAwaitedLength) {
    WaitTextStream s;
    s.SetTargetLength(3);
    for (char c : std::string("abcde")) s.OnChar(0, static_cast<std::uint8_t>(c));
    EXPECT_EQ(s.text(), "cde");
    s.OnChar(0, 8);
    EXPECT_EQ(s.text(), "cd");
    s.OnChar(2, 'x');  // any wParam but 1 is a character
    EXPECT_EQ(s.text(), "cdx");
    s.OnChar(1, 'q');
    EXPECT_EQ(s.text(), "");
    s.OnChar(0, 8);  // backspace on nothing
    EXPECT_EQ(s.text(), "");

    s.SetTargetLength(1000);  // the buffer never grows past 255
    for (int i = 0; i < 300; ++i) s.OnChar(0, static_cast<std::uint8_t>('0' + i % 10));
    EXPECT_EQ(s.text().size(), WaitTextStream::kCapacity);
    EXPECT_EQ(s.text().back(), '9');
}

}  // namespace
}  // namespace tessaro
