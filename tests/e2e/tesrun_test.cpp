#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "foundation/start_gate.h"
#include "protocol/window_messages.h"
#include "player_process.h"
#include "tests/support/x_windows.h"
#include "tests/support/xvfb.h"
#include "tray_host.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

// Whether a process runs whose command line names `program`.
bool Running(const std::string& program) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        const std::string line{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (line.find(program) != std::string::npos) return true;
    }
    return false;
}

class Tesrun : public ::testing::Test {
protected:
    void SetUp() override {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        box_ = std::make_unique<PlayerSandbox>(xvfb_.name());
    }
    void ExpectNothingLeft() {
        EXPECT_TRUE(box_->SharedObjects().empty()) << box_->SharedObjects().front();
        EXPECT_FALSE(win::InstanceRunning(kPlayerInstanceName));
        EXPECT_EQ(win::RunningInstanceWindow(kPlayerInstanceName), 0u);
    }
    std::string Settings() const {
        std::ifstream in(box_->file("TESRO.INI"));
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    Xvfb xvfb_;
    std::unique_ptr<PlayerSandbox> box_;
};

TEST_F(Tesrun, RunsInTheTrayTakesASecondStartsNicknameAndStopsCleanly) {
    MinimalTrayHost tray(xvfb_.Open());
    ASSERT_TRUE(tray.owning());
    PlayerProcess player(*box_, {"/T", "/EN"}, "player.log");
    ASSERT_TRUE(player.started());
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    EXPECT_TRUE(tray.WaitForDocked(1, 10s)) << "the tray icon never asked to dock\n" << player.Log();
    const auto objects = box_->SharedObjects();
    for (const char* name : {"QTBA1KGR", "QTTT1KGR", "QTKR1KGR", "QT88aveR", "QTKZaveR", "QTQJaveR"})
        EXPECT_EQ(std::count_if(objects.begin(), objects.end(),
                                [&](const std::string& o) { return o.ends_with(name); }),
                  1)
            << name;

    PlayerProcess second(*box_, {"/Axyz"}, "second.log");
    EXPECT_EQ(second.WaitExit(10s), 0);
    EXPECT_TRUE(second.Log().find("tesrun:") == std::string::npos) << second.Log();
    EXPECT_TRUE(
        WaitFor([&] { return player.Log().find("run by nickname \"XYZ\"") != std::string::npos; }, 5s))
        << player.Log();
    EXPECT_EQ(player.WaitExit(100ms), -1);  // still the one player

    EXPECT_EQ(player.Stop(SIGTERM), 0);
    ExpectNothingLeft();
}

TEST_F(Tesrun, StopStartAgainInOneNamespaceAndSwitchesAreSaved) {
    {
        PlayerProcess player(*box_, {"/SM45", "/EN", "/T", "/H"}, "first.log");
        ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
        EXPECT_EQ(player.Stop(SIGINT), 0);
    }
    ExpectNothingLeft();
    const std::string saved = Settings();
    EXPECT_NE(saved.find("Sync Minutes=45"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Use Tray=No"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Start Editor=No"), std::string::npos) << saved;

    PlayerProcess again(*box_, {"/SM99", "/AOne /X"}, "again.log");
    ASSERT_NE(WaitForPlayerWindow(), 0u) << again.Log();
    PlayerProcess second(*box_, {"/ANAME", "/X"}, "second.log");
    EXPECT_EQ(second.WaitExit(10s), 0);
    EXPECT_TRUE(
        WaitFor([&] { return again.Log().find("run by nickname \"NAME\"") != std::string::npos; }, 5s))
        << again.Log();
    EXPECT_EQ(again.Stop(SIGTERM), 0);
    ExpectNothingLeft();
    EXPECT_NE(Settings().find("Sync Minutes=45"), std::string::npos);  // /SM99 changed nothing
}

TEST_F(Tesrun, StartsTogetherGiveOnePlayerAndEveryOtherHandsOver) {
    std::vector<std::unique_ptr<PlayerProcess>> starts;
    for (int i = 0; i < 4; ++i)
        starts.push_back(
            std::make_unique<PlayerProcess>(*box_, std::vector<std::string>{"/EN", "/Ab" + std::to_string(i)},
                                            "start" + std::to_string(i) + ".log"));
    ASSERT_NE(WaitForPlayerWindow(), 0u);
    // Three of them end on their own; the one left is the player.
    ASSERT_TRUE(WaitFor(
        [&] {
            int ended = 0;
            for (auto& p : starts) ended += p->WaitExit(0ms) >= 0;
            return ended >= 3;
        },
        15s));
    PlayerProcess* player = nullptr;
    int ended = 0;
    for (auto& p : starts) {
        if (p->WaitExit(0ms) == 0)
            ++ended;
        else
            player = p.get();
    }
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(ended, 3);
    // Every handed-over nickname arrived whole, none mixed with another.
    EXPECT_TRUE(WaitFor(
        [&] {
            int seen = 0;
            for (int i = 0; i < 4; ++i)
                if (player->Log().find("run by nickname \"B" + std::to_string(i) + "\"") != std::string::npos)
                    ++seen;
            return seen == 3;
        },
        5s))
        << player->Log();
    EXPECT_EQ(player->Stop(SIGTERM), 0);
    ExpectNothingLeft();
}

TEST_F(Tesrun, DamagedSettingsDoNotStopTheStart) {
    {
        std::ofstream ini(box_->file("TESRO.INI"), std::ios::binary);
        ini << "[Misc\n\x01\x02garbage=\xff\xfe\n[Network]\nSync Minutes=abc\nNetwork Mode=";
    }
    PlayerProcess player(*box_, {"/EN"}, "player.log");
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0);
    ExpectNothingLeft();
}

TEST_F(Tesrun, StartsTheEditorBesideItselfWithItsWindowUnlessBrowsing) {
    // A copy of the player beside a stand-in editor that writes down its arguments.
    const std::string bin = box_->file("bin");
    std::filesystem::create_directory(bin);
    std::filesystem::copy_file(BuiltPlayer(), bin + "/tesrun");
    const std::string record = box_->file("editor-args");
    {
        std::ofstream editor(bin + "/tesdesk");
        editor << "#!/bin/sh\nprintf '%s\\n' \"$@\" > " << record << ".part && mv " << record << ".part "
               << record << "\n";
    }
    std::filesystem::permissions(bin + "/tesdesk", std::filesystem::perms::owner_all);
    auto read = [&] {
        std::ifstream in(record);
        return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    };
    {
        PlayerProcess player(*box_, {"/EY"}, "player.log", bin + "/tesrun");
        const std::uint64_t window = WaitForPlayerWindow();
        ASSERT_NE(window, 0u) << player.Log();
        ASSERT_TRUE(WaitFor([&] { return !read().empty(); }, 10s)) << player.Log();
        EXPECT_EQ(read(), "-PWV\n/RH" + std::to_string(window) + "\n");
        EXPECT_EQ(player.Stop(SIGTERM), 0);
    }
    std::filesystem::remove(record);
    {
        PlayerProcess browsing(*box_, {"/B", "/EY"}, "browse.log", bin + "/tesrun");
        const std::uint64_t window = WaitForPlayerWindow();
        ASSERT_NE(window, 0u) << browsing.Log();
        // The player starts its editor in its first turn after start: once it caught up, an
        // editor it started has written its arguments down, or is at it.
        const std::unique_ptr<Display, int (*)(Display*)> d(xvfb_.Open(), XCloseDisplay);
        ASSERT_TRUE(WindowOwnerCaughtUp(d.get(), window)) << browsing.Log();
        EXPECT_FALSE(std::filesystem::exists(record));
        EXPECT_FALSE(Running(bin + "/tesdesk"));
        EXPECT_EQ(browsing.Stop(SIGTERM), 0);
    }
    ExpectNothingLeft();
}

TEST_F(Tesrun, ClosingAsksTheRunningEditorToCloseItself) {
    // A stand-in editor: its guard and the window it records there.
    Display* d = xvfb_.Open();
    ASSERT_NE(d, nullptr);
    const Window editorWindow = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 10, 10, 0, 0, 0);
    XSync(d, False);
    win::SingleInstance editor(kEditorInstanceName);
    ASSERT_TRUE(editor.acquired());
    ASSERT_TRUE(editor.RecordWindow(editorWindow));

    PlayerProcess player(*box_, {"/EN"}, "player.log");
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0);

    const Atom messageAtom = XInternAtom(d, "_TESSARO_WINDOW_MESSAGE", False);
    std::vector<std::pair<long, long>> received;
    WaitFor(
        [&] {
            while (XPending(d) > 0) {
                XEvent e;
                XNextEvent(d, &e);
                if (e.type == ClientMessage && e.xclient.window == editorWindow &&
                    e.xclient.message_type == messageAtom)
                    received.emplace_back(e.xclient.data.l[0], e.xclient.data.l[1]);
            }
            return !received.empty() && received.back().first == static_cast<long>(WM_CLOSE);
        },
        5s);
    XCloseDisplay(d);
    // Peer notices come before; the close request comes once, last.
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back(),
              std::make_pair(static_cast<long>(WM_CLOSE), static_cast<long>(kQuitFromPlayer)));
    EXPECT_EQ(std::count_if(received.begin(), received.end(),
                            [](const auto& m) { return m.first == static_cast<long>(WM_CLOSE); }),
              1);
}

TEST_F(Tesrun, AfterACrashTheNextPlayerTakesOverAndLeavesNothingOfItsOwn) {
    {
        PlayerProcess crashed(*box_, {"/EN"}, "crashed.log");
        ASSERT_NE(WaitForPlayerWindow(), 0u) << crashed.Log();
        EXPECT_EQ(crashed.Stop(SIGKILL), 128 + SIGKILL);
    }
    EXPECT_FALSE(win::InstanceRunning(kPlayerInstanceName));
    EXPECT_FALSE(box_->SharedObjects().empty());  // a killed player cannot clean up

    PlayerProcess player(*box_, {"/EN"}, "player.log");
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    PlayerProcess second(*box_, {"/Aafter"}, "second.log");
    EXPECT_EQ(second.WaitExit(10s), 0);
    EXPECT_TRUE(
        WaitFor([&] { return player.Log().find("run by nickname \"AFTER\"") != std::string::npos; }, 5s))
        << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0);
    for (const std::string& left : box_->SharedObjects())
        for (const char* name : {"QTBA1KGR", "QTTT1KGR", "QTKR1KGR", "QT88aveR", "QTKZaveR", "QTQJaveR"})
            EXPECT_FALSE(left.ends_with(name)) << left;
}

}  // namespace
}  // namespace tessaro::testing
