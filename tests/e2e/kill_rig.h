#pragma once
// The player killed at random moments while it writes a file, and a file system that is
// full: what the player left must be whole. Shared by the tests of every file it writes.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fcntl.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
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

namespace tessaro::testing {

using KillClock = std::chrono::steady_clock;

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::filesystem::remove(path);
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string MacroFileBytes(const std::vector<TMacroRecord>& records) {
    return {reinterpret_cast<const char*>(records.data()), records.size() * sizeof(TMacroRecord)};
}

// The five system macros as the player adds them, so that loading adds nothing.
inline std::vector<TMacroRecord> SystemMacros() {
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

inline Look LookAt(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {st.st_ino, st.st_size, st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec};
}

// Files beside `file` whose names begin with its name: what a write aside left.
inline std::vector<std::string> Strays(const std::string& dir, const std::string& file) {
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
    WriteWatch(const WriteWatch&) = delete;
    WriteWatch& operator=(const WriteWatch&) = delete;
    void Skip() { Count(); }
    // Waits until `n` writes began (one per new file beside, or per first change in place).
    bool WaitForWrites(int n, KillClock::duration limit) {
        const auto end = KillClock::now() + limit;
        int seen = 0;
        while (KillClock::now() < end) {
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

// Kills a player at random moments of its writes to one file. RunToTheEnd times a whole
// run; KillAtRandomMoments then kills runs within that span.
class RandomKills {
public:
    using Prepare = std::function<void()>;
    using Start = std::function<std::unique_ptr<PlayerProcess>()>;

    // `prepare` sets the files up before each run and `start` starts the player; `file` is
    // the file it writes.
    RandomKills(Prepare prepare, Start start, std::string file)
        : prepare_(std::move(prepare)), start_(std::move(start)), file_(std::move(file)) {}

    // Runs the player until `done` holds; notes, from the start, its first change of the
    // file and the moment `done` held.
    void RunToTheEnd(const std::function<bool()>& done) {
        using namespace std::chrono_literals;
        prepare_();
        const Look before = LookAt(file_);
        const auto started = KillClock::now();
        const auto player = start_();
        ASSERT_TRUE(WaitFor([&] { return !(LookAt(file_) == before); }, 20s)) << player->Log();
        firstWrite_ = KillClock::now() - started;
        ASSERT_TRUE(WaitFor(done, 60s)) << player->Log();
        lastWrite_ = KillClock::now() - started;
        player->Stop(SIGKILL);
        ::testing::Test::RecordProperty(
            "first_write_ms",
            int(std::chrono::duration_cast<std::chrono::milliseconds>(firstWrite_).count()));
        ::testing::Test::RecordProperty(
            "last_write_ms", int(std::chrono::duration_cast<std::chrono::milliseconds>(lastWrite_).count()));
    }
    // A run that ends by resting: its last moment lies this much before `done` held.
    void EndsEarlierBy(KillClock::duration rest) { lastWrite_ -= rest; }

    // Kills the player at `runs` random moments: every other run at a random time from a
    // little before its first write to its last, the others within a few milliseconds
    // after a write to the file began (a random one of the first `writes`), the moment a
    // write is under way. After each, `fault` must find nothing wrong (it says what is).
    void KillAtRandomMoments(const std::function<std::string()>& fault, int runs, int writes) {
        using namespace std::chrono_literals;
        using std::chrono::microseconds;
        const auto from = std::chrono::duration_cast<microseconds>(
            firstWrite_ - std::min(firstWrite_, KillClock::duration(200ms)));
        const auto to = std::chrono::duration_cast<microseconds>(lastWrite_ + 20ms);
        std::mt19937 random(20261210);
        std::uniform_int_distribution<long> moment(from.count(), std::max(from.count(), to.count()));
        std::uniform_int_distribution<int> write(1, std::max(writes, 1));
        std::uniform_int_distribution<long> soon(0, 3000);
        const std::string dir = std::filesystem::path(file_).parent_path().string();
        const std::string name = std::filesystem::path(file_).filename().string();
        for (int run = 0; run < runs; ++run) {
            prepare_();
            std::string when;
            if (run % 2 == 0) {
                const auto after = microseconds(moment(random));
                const auto started = KillClock::now();
                auto player = start_();
                std::this_thread::sleep_until(started + after);
                player->Stop(SIGKILL);
                when = std::to_string(after.count()) + " us after its start";
            } else {
                WriteWatch watch(dir, name);
                const int nth = write(random);
                const auto delay = microseconds(soon(random));
                auto player = start_();
                if (watch.WaitForWrites(nth, 10s)) {
                    const auto until = KillClock::now() + delay;
                    while (KillClock::now() < until) {
                    }
                }
                player->Stop(SIGKILL);
                when = std::to_string(delay.count()) + " us after write " + std::to_string(nth) + " began";
            }
            const std::string wrong = fault();
            ASSERT_EQ(wrong, "") << "run " << run << ", killed " << when;
        }
    }

private:
    Prepare prepare_;
    Start start_;
    std::string file_;
    KillClock::duration firstWrite_{};
    KillClock::duration lastWrite_{};
};

// Runs the player with `args` under strace, killed the moment it renames a new file over a
// name for the `nth` time: true when it was, false when it did all it does (`done` held)
// without renaming that often (it is then killed there).
inline bool KilledAtRename(const PlayerSandbox& box, const std::vector<std::string>& args, int nth,
                           const std::function<bool()>& done) {
    using namespace std::chrono_literals;
    std::vector<std::string> traced{
        "-f",         "-qq",          "-o", "/dev/null",
        "-e",         "trace=rename", "-e", "inject=rename:signal=KILL:when=" + std::to_string(nth),
        BuiltPlayer()};
    traced.insert(traced.end(), args.begin(), args.end());
    PlayerProcess player(box, traced, "traced.log", "/usr/bin/strace");
    bool killed = false;
    WaitFor([&] { return (killed = player.WaitExit(0ms) >= 0) || done(); }, 60s);
    player.Stop(SIGKILL);
    return killed;
}

// The new files that writes killed midway left beside the files of `dir`.
inline std::vector<std::string> KilledWritesLeft(const std::string& dir) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.path().filename().string().find(".~") != std::string::npos) out.push_back(e.path().filename());
    return out;
}

// A small file system of its own (root only), unmounted at the end; `Fill` takes every
// byte that is left, `Free` gives them back.
class SmallFileSystem {
public:
    SmallFileSystem(std::string at, const char* size) : at_(std::move(at)) {
        std::filesystem::create_directory(at_);
        mounted_ =
            ::mount("tessaro-small", at_.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) == 0;
        if (!mounted_) error_ = std::strerror(errno);
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& error() const { return error_; }
    const std::string& path() const { return at_; }
    std::string file(const std::string& name) const { return at_ + "/" + name; }

    // Writes a filler file until the file system takes no more; true when it is full.
    bool Fill() {
        std::FILE* f = std::fopen(file(".filler").c_str(), "ab");
        if (!f) return false;
        const std::vector<char> block(4096, 'f');
        while (std::fwrite(block.data(), 1, block.size(), f) == block.size() && std::fflush(f) == 0) {
        }
        std::fclose(f);
        // Bytes of a last part block are refused one by one.
        for (int fd = ::open(file(".filler").c_str(), O_WRONLY | O_APPEND); fd >= 0;) {
            if (::write(fd, "f", 1) != 1) {
                ::close(fd);
                return errno == ENOSPC;
            }
        }
        return false;
    }
    void Free() { std::filesystem::remove(file(".filler")); }

private:
    std::string at_;
    bool mounted_ = false;
    std::string error_;
};

// The player on a private X server, playing at its start a macro that writes files.
class PlayerWritesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        box_.emplace(xvfb_.name());
        macros_ = box_->file("FILES.QTM");
    }
    // A macro file of the system macros and "RUN", which plays `text`.
    void WriteRunMacro(const std::string& text) {
        std::vector<TMacroRecord> records{TypingMacro("RUN", acNone, text)};
        const std::vector<TMacroRecord> system = SystemMacros();
        records.insert(records.end(), system.begin(), system.end());
        WriteFileBytes(macros_, MacroFileBytes(records));
    }
    // The player, playing "RUN" once it is up.
    std::unique_ptr<PlayerProcess> StartRun() {
        return std::make_unique<PlayerProcess>(
            *box_, std::vector<std::string>{"/F" + macros_, "/EN", "/ARUN"}, "player.log");
    }
    // A small file system in the test's folder (not mounted where this is no root).
    SmallFileSystem& Small() {
        small_.emplace(box_->file("small"), "200k");
        return *small_;
    }

    // Stopped at exit: the connection this program's platform keeps (messages to the
    // player) is closed before it.
    static Xvfb& Server() {
        static Xvfb xvfb("320x240x24");
        return xvfb;
    }

    Xvfb& xvfb_ = Server();
    std::optional<PlayerSandbox> box_;
    std::optional<SmallFileSystem> small_;  // gone before the folder it is in
    std::string macros_;
};

}  // namespace tessaro::testing
