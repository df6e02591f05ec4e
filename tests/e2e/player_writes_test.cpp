// Files a macro asks the player to write (clipboard text saved or added, files copied and
// moved) and the key-state trace: killed at any moment, the player leaves each file as it
// was or as it is after a whole write; on a full disk it says so and keeps the old file.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "kill_rig.h"
#include "platform/messages.h"
#include "protocol/window_messages.h"
#include "tray_host.h"
// Xlib's macros last.
#include "editor_desk.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kRounds = 10;

// `count` copies of `unit`, and whether `bytes` is such a run of at most `most` copies.
std::string Times(const std::string& unit, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += unit;
    return out;
}
bool RunOf(const std::string& bytes, const std::string& unit, int most) {
    return bytes.size() % unit.size() == 0 && bytes.size() / unit.size() <= std::size_t(most) &&
           bytes == Times(unit, int(bytes.size() / unit.size()));
}

// A text without line breaks that takes a while to write.
std::string LongText(char first, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; text.size() < size; ++i) text += char(first + i % 20);
    return text;
}

std::string Repeated(const std::string& body, int count) {
    char head[32];
    std::snprintf(head, sizeof head, "<REP:%04d:000001:000001>", count);
    return head + body + "<ENDREP>";
}

// The "Error" box (or another caption) the player shows, closed once seen.
class Boxes {
public:
    explicit Boxes(Display* d) : d_(d) {}
    bool Shown(const std::string& caption) {
        Window w = 0;
        if (!WaitFor([&] { return (w = FindTitled(d_, caption)) != 0; }, 20s)) return false;
        CloseWindow(d_, w);
        return WaitFor([&] { return FindTitled(d_, caption) != w; }, 10s);
    }

private:
    Display* d_;
};

class PlayerWrites : public PlayerWritesTest {
protected:
    void TearDown() override {
        if (display_) XCloseDisplay(display_);
    }
    Display* Screen() {
        if (!display_) display_ = xvfb_.Open();
        return display_;
    }
    Display* display_ = nullptr;
};

// A macro puts a long text on the clipboard, then adds it to one file and saves it as
// another, ten times: each kill leaves whole copies of the text in both.
TEST_F(PlayerWrites, KilledWhileClipboardTextIsSavedOrAddedLeavesWholeTexts) {
    const std::string text = LongText('a', 120000);
    const std::string line = text + "\r\n";
    const std::string added = box_->file("added.txt"), saved = box_->file("saved.txt");
    WriteFileBytes(box_->file("source.txt"), text);
    WriteRunMacro("<CLIPF:" + box_->file("source.txt") + ">" +
                  Repeated("<CLIPAT:" + added + "><CLIPST:" + saved + ">", kRounds));
    RandomKills kills(
        [&] {
            std::filesystem::remove(added);
            std::filesystem::remove(saved);
        },
        [&] { return StartRun(); }, added);
    kills.RunToTheEnd([&] { return ReadFileBytes(added) == Times(line, kRounds); });
    kills.KillAtRandomMoments(
        [&]() -> std::string {
            const std::string a = ReadFileBytes(added), s = ReadFileBytes(saved);
            if (!RunOf(a, line, kRounds))
                return "the added file holds " + std::to_string(a.size()) + " bytes";
            if (!s.empty() && s != line) return "the saved file holds " + std::to_string(s.size()) + " bytes";
            return {};
        },
        10, 2 * kRounds);
}

// Killed at the rename of each whole-file write of its start (the macro file its system
// macros are added to) and of its macro (saved text): once it starts again and writes them,
// nothing is left beside them.
TEST_F(PlayerWrites, KilledAtEachRenameLeavesNothingOnceTheFilesAreWrittenAgain) {
    if (::access("/usr/bin/strace", X_OK) != 0) GTEST_SKIP() << "no strace";
    const std::string saved = box_->file("saved.txt");
    WriteFileBytes(box_->file("source.txt"), "clipboard text");
    const std::vector<std::string> args{"/F" + macros_, "/EN", "/ARUN"};
    const auto prepare = [&] {
        // Without its system macros: each start adds them.
        WriteFileBytes(
            macros_, MacroFileBytes({TypingMacro(
                         "RUN", acNone, "<CLIPF:" + box_->file("source.txt") + "><CLIPST:" + saved + ">")}));
    };
    int kills = 0;
    std::vector<std::string> left;
    for (int nth = 1; nth <= 20; ++nth) {
        prepare();
        if (!KilledAtRename(*box_, args, nth, [&] { return ReadFileBytes(saved) == "clipboard text\r\n"; }))
            break;
        ++kills;
        for (const std::string& name : KilledWritesLeft(box_->dir())) left.push_back(name);
        prepare();
        const auto player = std::make_unique<PlayerProcess>(*box_, args, "player.log");
        ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(saved) == "clipboard text\r\n"; }, 30s))
            << "killed at rename " << nth << "\n"
            << player->Log();
        player->Stop(SIGKILL);
        EXPECT_EQ(KilledWritesLeft(box_->dir()), std::vector<std::string>{}) << "killed at rename " << nth;
        std::filesystem::remove(saved);
    }
    ::testing::Test::RecordProperty("renames_killed", kills);
    EXPECT_GE(kills, 2) << "the start and the macro rename fewer files than they write";
    EXPECT_FALSE(left.empty()) << "no kill left anything to clear";
}

// On a full disk the text is neither added nor saved: both files keep their bytes, and each
// failure is told in an Error box.
TEST_F(PlayerWrites, OnAFullDiskClipboardTextIsToldAndTheFilesKeepTheirBytes) {
    SmallFileSystem& small = Small();
    if (!small.mounted()) GTEST_SKIP() << "no small file system here (needs root): " << small.error();
    const std::string added = small.file("added.txt"), saved = small.file("saved.txt");
    WriteFileBytes(added, "first line\r\n");
    WriteFileBytes(saved, "saved before\r\n");
    WriteFileBytes(box_->file("source.txt"), LongText('k', 20000));
    WriteRunMacro("<CLIPF:" + box_->file("source.txt") + "><CLIPAT:" + added + "><CLIPST:" + saved + ">");
    ASSERT_TRUE(small.Fill());
    Display* d = Screen();
    ASSERT_NE(d, nullptr);
    Boxes boxes(d);
    const auto player = StartRun();
    ASSERT_TRUE(boxes.Shown("Error")) << "adding" << player->Log();
    EXPECT_EQ(ReadFileBytes(added), "first line\r\n");
    ASSERT_TRUE(boxes.Shown("Error")) << "saving" << player->Log();
    EXPECT_EQ(ReadFileBytes(saved), "saved before\r\n");
    EXPECT_EQ(Strays(small.path(), added), std::vector<std::string>{});
    EXPECT_EQ(Strays(small.path(), saved), std::vector<std::string>{});
}

// Two files copied in turn onto a third, eight times: each kill leaves one or the other,
// whole, or nothing.
TEST_F(PlayerWrites, KilledWhileFilesAreCopiedLeavesOneOfThemWhole) {
    const std::string a = LongText('A', 1 << 20), b = LongText('a', 1 << 20);
    const std::string target = box_->file("target.bin");
    WriteFileBytes(box_->file("a.bin"), a);
    WriteFileBytes(box_->file("b.bin"), b);
    WriteRunMacro(Repeated("<COPYFILE:" + box_->file("a.bin") + ";" + target +
                               "><COPYFILE:" + box_->file("b.bin") + ";" + target + ">",
                           8));
    RandomKills kills([&] { std::filesystem::remove(target); }, [&] { return StartRun(); }, target);
    Look last;
    auto since = KillClock::now();
    kills.RunToTheEnd([&] {
        if (const Look now = LookAt(target); !(now == last)) {
            last = now;
            since = KillClock::now();
        }
        return ReadFileBytes(target) == b && KillClock::now() - since > 1s;
    });
    kills.EndsEarlierBy(1s);
    kills.KillAtRandomMoments(
        [&]() -> std::string {
            const std::string left = ReadFileBytes(target);
            return left.empty() || left == a || left == b
                       ? std::string()
                       : "the copy holds " + std::to_string(left.size()) + " bytes";
        },
        10, 16);
}

// A copy and a move onto a full disk: each says why it failed, the old copy keeps its
// bytes, the moved file stays where it was and nothing is left beside them.
TEST_F(PlayerWrites, OnAFullDiskACopyOrAMoveIsToldAndNothingIsLost) {
    SmallFileSystem& small = Small();
    if (!small.mounted()) GTEST_SKIP() << "no small file system here (needs root): " << small.error();
    const std::string big = LongText('c', 300000), other = LongText('m', 300000);
    WriteFileBytes(box_->file("big.bin"), big);
    WriteFileBytes(box_->file("other.bin"), other);
    const std::string copy = small.file("copy.bin"), moved = small.file("moved.bin");
    WriteFileBytes(copy, "the old copy");
    WriteRunMacro("<COPYFILE:" + box_->file("big.bin") + ";" + copy + "><RENFILE:" + box_->file("other.bin") +
                  ";" + moved + ">");
    ASSERT_TRUE(small.Fill());
    Display* d = Screen();
    ASSERT_NE(d, nullptr);
    Boxes boxes(d);
    const auto player = StartRun();
    ASSERT_TRUE(boxes.Shown("Copy File Failed")) << player->Log();
    EXPECT_EQ(ReadFileBytes(copy), "the old copy");
    ASSERT_TRUE(boxes.Shown("Rename File Failed")) << player->Log();
    EXPECT_FALSE(std::filesystem::exists(moved));
    EXPECT_EQ(ReadFileBytes(box_->file("other.bin")), other);
    EXPECT_EQ(Strays(small.path(), copy), std::vector<std::string>{});
    EXPECT_EQ(Strays(small.path(), moved), std::vector<std::string>{});
}

// The key-state trace ("test" in the program folder) that another program asks for, line
// by line.
class KeyStateTrace : public PlayerWrites {
protected:
    static std::string Line(int value) { return "Hook Code: " + std::to_string(value) + "\r\n"; }
    // The player, once up, asked for `count` lines.
    std::unique_ptr<PlayerProcess> StartAsked(int count) {
        auto player = std::make_unique<PlayerProcess>(*box_, std::vector<std::string>{"/F" + macros_, "/EN"},
                                                      "player.log");
        const std::uint64_t window = WaitForPlayerWindow();
        for (int i = 0; window != 0 && i < count; ++i)
            box_->platform().messages().PostMessage(window, WM_KEYSTATE_DUMP, 7, 1000 + i);
        return player;
    }
};

TEST_F(KeyStateTrace, KilledWhileTracingLeavesWholeLinesInOrder) {
    constexpr int kLines = 150;
    std::string all;
    for (int i = 0; i < kLines; ++i) all += Line(1000 + i);
    WriteRunMacro("");
    const std::string trace = box_->file("test");
    RandomKills kills([&] { std::filesystem::remove(trace); }, [&] { return StartAsked(kLines); }, trace);
    kills.RunToTheEnd([&] { return ReadFileBytes(trace) == all; });
    kills.KillAtRandomMoments(
        [&]() -> std::string {
            const std::string left = ReadFileBytes(trace);
            return all.compare(0, left.size(), left) == 0 && (left.empty() || left.back() == '\n')
                       ? std::string()
                       : "the trace holds " + std::to_string(left.size()) + " bytes";
        },
        10, 50);
}

// The program folder on a full disk: a line that does not fit is not written in part, and
// standard error says why.
TEST_F(KeyStateTrace, OnAFullDiskALineIsToldAndTheTraceKeepsItsBytes) {
    SmallFileSystem& small = Small();
    if (!small.mounted()) GTEST_SKIP() << "no small file system here (needs root): " << small.error();
    ::setenv("TESSARO_HOME", small.path().c_str(), 1);
    // Nearly a block of whole lines: a longer one would have to go partly into a new block.
    std::string before;
    while (before.size() + Line(1).size() < 4090) before += Line(1);
    const std::string trace = small.file("test");
    WriteFileBytes(trace, before);
    WriteRunMacro("");
    // The macro file from the start: none is made in the full program folder.
    WriteFileBytes(box_->file("TESRO.INI"), "[Misc]\r\nFirst Use=No\r\nCurrent File=" + macros_ + "\r\n");
    ASSERT_TRUE(small.Fill());
    const auto player = StartAsked(1);
    EXPECT_TRUE(WaitFor([&] { return player->Log().find("key-state trace") != std::string::npos; }, 20s))
        << player->Log();
    const std::string left = ReadFileBytes(trace);
    EXPECT_TRUE(left == before) << left.size() << " bytes, not " << before.size();
    EXPECT_EQ(Strays(small.path(), trace), std::vector<std::string>{});
}

}  // namespace
}  // namespace tessaro::testing
