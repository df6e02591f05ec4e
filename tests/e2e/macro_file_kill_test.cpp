// The player killed at any moment while it writes its macro file, or stopped by a full
// disk: the file is the one before the write or the one after it, whole, never torn.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cstring>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "macro/macro_record.h"
#include "player/engine/player_macro_file.h"
#include "player_process.h"
#include "tests/support/macro_fixtures.h"
#include "tests/support/xvfb.h"
#include "tray_host.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kRecords = 480;

std::string Bytes(const std::vector<TMacroRecord>& records) {
    return {reinterpret_cast<const char*>(records.data()), records.size() * sizeof(TMacroRecord)};
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::filesystem::remove(path);
    std::ofstream(path, std::ios::binary) << bytes;
}

TMacroRecord Numbered(const std::string& name, std::size_t n) {
    TMacroRecord rec = TestMacro(name, acNone);
    SetMacroText(rec, name + " number " + std::to_string(n));
    return rec;
}

// The five system macros as the player adds them, so that loading adds nothing.
std::vector<TMacroRecord> SystemMacros() {
    std::vector<TMacroRecord> out;
    for (const SystemMacro& m : kSystemMacros) {
        TMacroRecord rec = TestMacro(m.nickname, static_cast<std::uint16_t>(m.defaultHotKey), scSystem);
        rec.ScopeText = std::string(1, m.id);
        SetMacroText(rec, "");
        out.push_back(rec);
    }
    return out;
}

// What a file holds at a moment: its bytes and its identity, which a write changes.
struct Look {
    ino_t inode = 0;
    off_t size = -1;
    std::int64_t mtime = 0;
    bool operator==(const Look&) const = default;
};

Look LookAt(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {st.st_ino, st.st_size, st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec};
}

// Files beside the macro file that are neither it nor the player's own.
std::vector<std::string> Strays(const std::string& dir, const std::string& file) {
    std::vector<std::string> out;
    const std::string base = std::filesystem::path(file).filename().string();
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        const std::string n = e.path().filename().string();
        if (n != base && n.rfind(base, 0) == 0) out.push_back(n);
    }
    return out;
}

// Sees writes to a file begin: a change of its bytes in place, or a new file beside it.
class WriteWatch {
public:
    WriteWatch(const std::string& dir, std::string name)
        : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), name_(std::move(name)) {
        ::inotify_add_watch(fd_, dir.c_str(), IN_MODIFY | IN_CREATE | IN_CLOSE_WRITE);
    }
    ~WriteWatch() { ::close(fd_); }
    void Skip() { Count(); }
    // Waits until `n` writes began (one per new file beside, or per first change in place).
    bool WaitForWrites(int n, Clock::duration limit) {
        const auto end = Clock::now() + limit;
        int seen = 0;
        while (Clock::now() < end) {
            seen += Count();
            if (seen >= n) return true;
        }
        return false;
    }

private:
    int Count() {
        int writes = 0;
        alignas(inotify_event) char buf[8192];
        for (;;) {
            const ssize_t got = ::read(fd_, buf, sizeof buf);
            if (got <= 0) break;
            for (char* p = buf; p < buf + got;) {
                const auto* e = reinterpret_cast<const inotify_event*>(p);
                const std::string n = e->len ? e->name : "";
                if ((e->mask & IN_CREATE) && n.rfind(name_ + ".", 0) == 0) ++writes;
                if ((e->mask & IN_MODIFY) && n == name_ && !modifying_) ++writes;
                modifying_ = (e->mask & IN_MODIFY) && n == name_;
                p += sizeof(inotify_event) + e->len;
            }
        }
        return writes;
    }

    int fd_;
    std::string name_;
    bool modifying_ = false;  // one write in place comes as a run of changes, then its close
};

class MacroFileKillTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        box_.emplace(xvfb_.name());
        file_ = box_->file("KILL.QTM");
    }

    std::unique_ptr<PlayerProcess> Start(const std::string& bytes, const std::string& macro) {
        WriteBytes(file_, bytes);
        std::vector<std::string> args{"/F" + file_, "/EN"};
        if (!macro.empty()) args.push_back("/A" + macro);
        return std::make_unique<PlayerProcess>(*box_, args, "player.log");
    }

    // Runs the player on `bytes` (starting `macro`) until `done` holds for what the file
    // holds; sets the span, counted from the start, from its first write to the end.
    void RunToTheEnd(const std::string& bytes, const std::string& macro,
                     const std::function<bool(const std::string&)>& done) {
        const auto started = Clock::now();
        const auto player = Start(bytes, macro);
        const Look before = LookAt(file_);
        ASSERT_TRUE(WaitFor([&] { return !(LookAt(file_) == before); }, 20s)) << player->Log();
        firstWrite_ = Clock::now() - started;
        ASSERT_TRUE(WaitFor([&] { return done(ReadBytes(file_)); }, 60s)) << player->Log();
        lastWrite_ = Clock::now() - started;
        player->Stop(SIGKILL);
        RecordProperty("first_write_ms",
                       int(std::chrono::duration_cast<std::chrono::milliseconds>(firstWrite_).count()));
        RecordProperty("last_write_ms",
                       int(std::chrono::duration_cast<std::chrono::milliseconds>(lastWrite_).count()));
    }

    // Kills the player at `runs` random moments: every other run at a random time from a
    // little before its first write to its last (timed by RunToTheEnd), the others within
    // a few milliseconds after a write to the file began (a random one of the first
    // `writes`), the moment a write is under way. Each time the file must be one that
    // `whole` accepts.
    void KillAtRandomMoments(const std::string& bytes, const std::string& macro,
                             const std::function<bool(const std::string&)>& whole, int runs, int writes) {
        using std::chrono::microseconds;
        const auto from = std::chrono::duration_cast<microseconds>(
            firstWrite_ - std::min(firstWrite_, Clock::duration(200ms)));
        const auto to = std::chrono::duration_cast<microseconds>(lastWrite_ + 20ms);
        std::mt19937 random(20261210);
        std::uniform_int_distribution<long> moment(from.count(), to.count());
        std::uniform_int_distribution<int> write(1, std::max(writes, 1));
        std::uniform_int_distribution<long> soon(0, 3000);
        for (int run = 0; run < runs; ++run) {
            std::string when;
            if (run % 2 == 0) {
                const auto after = microseconds(moment(random));
                const auto started = Clock::now();
                auto player = Start(bytes, macro);
                std::this_thread::sleep_until(started + after);
                player->Stop(SIGKILL);
                when = std::to_string(after.count()) + " us after its start";
            } else {
                WriteWatch watch(box_->dir(), std::filesystem::path(file_).filename().string());
                const int nth = write(random);
                const auto delay = microseconds(soon(random));
                auto player = Start(bytes, macro);
                watch.Skip();  // the test's own writing of the file
                if (watch.WaitForWrites(nth, 10s)) {
                    const auto until = Clock::now() + delay;
                    while (Clock::now() < until) {
                    }
                }
                player->Stop(SIGKILL);
                when = std::to_string(delay.count()) + " us after write " + std::to_string(nth) + " began";
            }
            const std::string left = ReadBytes(file_);
            ASSERT_TRUE(whole(left)) << "run " << run << ", killed " << when << ": " << left.size()
                                     << " bytes (" << left.size() % sizeof(TMacroRecord)
                                     << " past the last whole record)";
        }
    }

    Xvfb xvfb_{"320x240x24"};
    std::optional<PlayerSandbox> box_;
    std::string file_;
    Clock::duration firstWrite_{};
    Clock::duration lastWrite_{};
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
    const std::string original = Bytes(records);

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
    RunToTheEnd(original, "DEL", allDeleted);
    KillAtRandomMoments(original, "DEL", whole, 16, 30);
    // What a killed write left beside the file goes with the next write.
    RunToTheEnd(original, "DEL", allDeleted);
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
    const std::string original = Bytes(records);
    records[240].Enabled = 0;
    const std::string off = Bytes(records);
    const auto whole = [&](const std::string& bytes) { return bytes == original || bytes == off; };

    // The last switch turns it on again: the run is over once the file rests that way.
    Look last;
    auto since = Clock::now();
    RunToTheEnd(original, "FLIP", [&](const std::string& bytes) {
        if (const Look now = LookAt(file_); !(now == last)) {
            last = now;
            since = Clock::now();
        }
        return bytes == original && Clock::now() - since > 1s;
    });
    lastWrite_ -= 1s;
    KillAtRandomMoments(original, "FLIP", whole, 10, 30);
}

// A file without the system macros: the player adds all five at its start.
TEST_F(MacroFileKillTest, KilledWhileAddingTheSystemMacrosLeavesNoneOrAllFive) {
    std::vector<TMacroRecord> records;
    while (records.size() < kRecords - 5) records.push_back(Numbered("K", records.size()));
    const std::string original = Bytes(records);
    const auto all = [&](const std::string& bytes) {
        return bytes.size() == original.size() + 5 * sizeof(TMacroRecord) &&
               bytes.compare(0, original.size(), original) == 0;
    };
    const auto whole = [&](const std::string& bytes) { return bytes == original || all(bytes); };
    RunToTheEnd(original, "", all);
    KillAtRandomMoments(original, "", whole, 12, 1);
}

// A file system that is nearly full: adding the system macros fails, the player says so
// in an Error box, and the file is the one it was, byte for byte, with nothing beside it.
TEST_F(MacroFileKillTest, FullDiskLeavesTheOldFileWholeAndSaysSo) {
    const std::string mount = box_->file("small");
    std::filesystem::create_directory(mount);
    if (::mount("tessaro-small", mount.c_str(), "tmpfs", 0, "size=200k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here (needs root): " << std::strerror(errno);
    struct Unmount {
        std::string at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{mount};

    std::vector<TMacroRecord> records;
    while (records.size() < 36) records.push_back(Numbered("K", records.size()));
    const std::string original = Bytes(records);
    const std::string file = mount + "/TESRO.QTM";
    WriteBytes(file, original);
    ASSERT_EQ(ReadBytes(file), original) << "the small file system does not hold the file";

    Display* d = xvfb_.Open();
    ASSERT_NE(d, nullptr);
    PlayerProcess player(*box_, {"/F" + file, "/EN"}, "player.log");
    EXPECT_TRUE(WaitFor([&] { return FindTitled(d, "Error") != 0; }, 20s)) << player.Log();
    EXPECT_EQ(ReadBytes(file), original);
    EXPECT_TRUE(Strays(mount, file).empty());
    player.Stop(SIGKILL);
    XCloseDisplay(d);
}

}  // namespace
}  // namespace tessaro::testing
