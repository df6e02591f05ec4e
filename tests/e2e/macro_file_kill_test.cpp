// The player killed at any moment while it writes its macro file, or stopped by a full
// disk: the file is the one before the write or the one after it, whole, never torn.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kill_rig.h"
#include "macro/macro_record.h"
#include "player_process.h"
#include "tests/support/xvfb.h"
#include "tray_host.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kRecords = 480;

TMacroRecord Numbered(const std::string& name, std::size_t n) {
    TMacroRecord rec = TestMacro(name, acNone);
    SetMacroText(rec, name + " number " + std::to_string(n));
    return rec;
}

class MacroFileKillTest : public PlayerWritesTest {
protected:
    void SetUp() override {
        PlayerWritesTest::SetUp();
        file_ = macros_;
    }

    // Kills runs of the player on `bytes`, starting `macro`.
    RandomKills Kills(const std::string& bytes, const std::string& macro) {
        return RandomKills([this, bytes] { WriteFileBytes(file_, bytes); },
                           [this, macro] {
                               std::vector<std::string> args{"/F" + file_, "/EN"};
                               if (!macro.empty()) args.push_back("/A" + macro);
                               return std::make_unique<PlayerProcess>(*box_, args, "player.log");
                           },
                           file_);
    }
    // What is wrong with the macro file, by `whole`.
    std::function<std::string()> Fault(const std::function<bool(const std::string&)>& whole) {
        return [this, whole] {
            const std::string left = ReadFileBytes(file_);
            return whole(left) ? std::string()
                               : std::to_string(left.size()) + " bytes (" +
                                     std::to_string(left.size() % sizeof(TMacroRecord)) +
                                     " past the last whole record)";
        };
    }
    // Whether the macro file holds what `done` wants.
    std::function<bool()> Holds(const std::function<bool(const std::string&)>& done) {
        return [this, done] { return done(ReadFileBytes(file_)); };
    }

    std::string file_;
};

// Record 1 deletes the 30 macros named V one after another (the first one found each
// time); the rest of the 480 records stay.
TEST_F(MacroFileKillTest, KilledDuringDeletesLeavesTheFileAsBeforeOrAfterOneDelete) {
    std::string text;
    for (int i = 0; i < 30; ++i) text += "<MACDEL:V>";
    std::vector<TMacroRecord> records{TypingMacro("DEL", acNone, text)};
    for (std::size_t n = 1; n <= 30; ++n) records.push_back(Numbered("V", n));
    const std::vector<TMacroRecord> system = SystemMacros();
    while (records.size() < kRecords - system.size()) records.push_back(Numbered("K", records.size()));
    records.insert(records.end(), system.begin(), system.end());
    const std::string original = MacroFileBytes(records);

    // After k deletes: records 2 .. k + 1 are gone, all else is as it was.
    const auto afterDeletes = [&](const std::string& bytes, std::size_t k) {
        std::string expected = original;
        expected.erase(sizeof(TMacroRecord), k * sizeof(TMacroRecord));
        return bytes == expected;
    };
    const auto whole = [&](const std::string& bytes) {
        for (std::size_t k = 0; k <= 30; ++k)
            if (afterDeletes(bytes, k)) return true;
        return false;
    };
    const auto allDeleted = [&](const std::string& bytes) { return afterDeletes(bytes, 30); };
    RandomKills kills = Kills(original, "DEL");
    kills.RunToTheEnd(Holds(allDeleted));
    kills.KillAtRandomMoments(Fault(whole), 16, 30);
    // What a killed write left beside the file goes with the next write.
    kills.RunToTheEnd(Holds(allDeleted));
    EXPECT_EQ(Strays(box_->dir(), file_), std::vector<std::string>{});
}

// Record 1 switches the macro named W off and on 15 times: each switch rewrites the file.
TEST_F(MacroFileKillTest, KilledDuringRewritesLeavesEveryRecordWhole) {
    std::string text;
    for (int i = 0; i < 15; ++i) text += "<MACDEACT:W><MACACT:W>";
    std::vector<TMacroRecord> records{TypingMacro("FLIP", acNone, text)};
    const std::vector<TMacroRecord> system = SystemMacros();
    while (records.size() < kRecords - system.size()) records.push_back(Numbered("K", records.size()));
    records[240] = Numbered("W", 240);
    records.insert(records.end(), system.begin(), system.end());
    const std::string original = MacroFileBytes(records);
    records[240].Enabled = 0;
    const std::string off = MacroFileBytes(records);
    const auto whole = [&](const std::string& bytes) { return bytes == original || bytes == off; };

    // The last switch turns it on again: the run is over once the file rests that way.
    Look last;
    auto since = KillClock::now();
    RandomKills kills = Kills(original, "FLIP");
    kills.RunToTheEnd(Holds([&](const std::string& bytes) {
        if (const Look now = LookAt(file_); !(now == last)) {
            last = now;
            since = KillClock::now();
        }
        return bytes == original && KillClock::now() - since > 1s;
    }));
    kills.EndsEarlierBy(1s);
    kills.KillAtRandomMoments(Fault(whole), 10, 30);
}

// A file without the system macros: the player adds all five at its start.
TEST_F(MacroFileKillTest, KilledWhileAddingTheSystemMacrosLeavesNoneOrAllFive) {
    std::vector<TMacroRecord> records;
    while (records.size() < kRecords - 5) records.push_back(Numbered("K", records.size()));
    const std::string original = MacroFileBytes(records);
    const auto all = [&](const std::string& bytes) {
        return bytes.size() == original.size() + 5 * sizeof(TMacroRecord) &&
               bytes.compare(0, original.size(), original) == 0;
    };
    const auto whole = [&](const std::string& bytes) { return bytes == original || all(bytes); };
    RandomKills kills = Kills(original, "");
    kills.RunToTheEnd(Holds(all));
    kills.KillAtRandomMoments(Fault(whole), 12, 1);
}

// A file system that is nearly full: adding the system macros fails, the player says so
// in an Error box, and the file is the one it was, byte for byte, with nothing beside it.
TEST_F(MacroFileKillTest, FullDiskLeavesTheOldFileWholeAndSaysSo) {
    SmallFileSystem& small = Small();
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount a small file system here (needs root): " << small.error();

    std::vector<TMacroRecord> records;
    while (records.size() < 36) records.push_back(Numbered("K", records.size()));
    const std::string original = MacroFileBytes(records);
    const std::string file = small.file("TESRO.QTM");
    WriteFileBytes(file, original);
    ASSERT_EQ(ReadFileBytes(file), original) << "the small file system does not hold the file";

    Display* d = xvfb_.Open();
    ASSERT_NE(d, nullptr);
    PlayerProcess player(*box_, {"/F" + file, "/EN"}, "player.log");
    EXPECT_TRUE(WaitFor([&] { return FindTitled(d, "Error") != 0; }, 20s)) << player.Log();
    EXPECT_EQ(ReadFileBytes(file), original);
    EXPECT_TRUE(Strays(small.path(), file).empty());
    player.Stop(SIGKILL);
    XCloseDisplay(d);
}

}  // namespace
}  // namespace tessaro::testing
