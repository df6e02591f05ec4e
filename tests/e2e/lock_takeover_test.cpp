// Two users share one macro file in network mode. B's editor holds the lock and then stops
// (a laptop that sleeps); A takes the stale lock over and changes the file. When B wakes,
// its heartbeat finds A's record: B writes nothing back, says the lock was taken over, and
// changes nothing more in the file. The change count never goes back.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/sync_record.h"
#include "tests/support/unpacked.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "lock_desk.h"

namespace tessaro::testing {
namespace {

// The process that owns window `w` (as it says in _NET_WM_PID), or 0.
pid_t WindowPid(Display* d, Window w) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    pid_t pid = 0;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL, &type,
                           &format, &n, &after, &data) == Success &&
        n == 1 && format == 32)
        pid = static_cast<pid_t>(*reinterpret_cast<const unsigned long*>(data));
    if (data) XFree(data);
    return pid;
}

TSyncRecord LockRecord(const std::string& path) {
    TSyncRecord rec{};
    rec.ChangeCount = -1;
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(&rec), sizeof rec);
    return rec;
}

TEST(LockTakeover, AStoppedHolderThatWakesWritesNothingBackAndChangesNothingMore) {
    Desk a, b;
    if (!a.Up() || !b.Up()) GTEST_SKIP() << "no Xvfb or window manager";
    const std::string shared = a.box->file("SHARED.QTM");
    const std::string lockFile = a.box->file("SHARED.MAS");
    ASSERT_TRUE(WriteHelloMacro(shared));
    const auto present = [&] { return CountMacroRecords(shared) >= 1; };
    const auto enabled = [&] {
        TMacroRecord r{};
        return ReadMacroRecordAt(shared, 1, r).ok() && r.Enabled == 1;
    };

    ASSERT_TRUE(a.Start(shared)) << a.player->Log();
    ASSERT_TRUE(b.Start(shared)) << b.player->Log();
    ASSERT_TRUE(WaitFor([&] { return a.Grabbed() && b.Grabbed(); }, 10s));
    const std::int32_t startCount = LockRecord(lockFile).ChangeCount;
    ASSERT_GE(startCount, 1);

    // B asks to remove the macro and leaves the question open: B holds the file, then stops.
    b.MacrosMenu(XK_r);
    ASSERT_TRUE(b.Box("Delete"));
    ASSERT_EQ(LockRecord(lockFile).State, kSyncInUse);
    const pid_t bEditor = WindowPid(b.keyboard, b.editor);
    ASSERT_NE(bEditor, 0);
    ASSERT_EQ(::kill(bEditor, SIGSTOP), 0);
    struct Wake {
        pid_t pid;
        ~Wake() { ::kill(pid, SIGCONT); }
    } wake{bEditor};

    // A is told the file is in use until B's heartbeat has been still for a minute; then A
    // takes the lock over and deactivates the macro.
    const auto started = std::chrono::steady_clock::now();
    bool inUseAtFirst = false;
    while (enabled() && std::chrono::steady_clock::now() - started < 120s) {
        a.MacrosMenu(XK_v);
        if (WaitFor([&] { return ClientTitled(a.keyboard, "Error") || !enabled(); }, 10s) &&
            ClientTitled(a.keyboard, "Error")) {
            inUseAtFirst = true;
            Press(a.keyboard, XK_Return);
            ASSERT_TRUE(WaitFor([&] { return !ClientTitled(a.keyboard, "Error"); }, 5s));
            std::this_thread::sleep_for(5s);  // the next try, as a user would
        }
    }
    EXPECT_TRUE(inUseAtFirst);
    ASSERT_FALSE(enabled()) << a.player->Log();
    ASSERT_TRUE(WaitFor([&] { return LockRecord(lockFile).State == kSyncReleased; }, 10s));
    const TSyncRecord afterA = LockRecord(lockFile);
    EXPECT_EQ(afterA.ChangeCount, startCount + 1);

    // B wakes: its heartbeat is due at once and finds A's record.
    ASSERT_EQ(::kill(bEditor, SIGCONT), 0);
    ASSERT_TRUE(WaitFor([&] { return ClientTitled(b.keyboard, "Notice"); }, 45s))
        << "B did not say the lock was taken over; the lock file holds count "
        << Unpacked(LockRecord(lockFile).ChangeCount) << ", state " << Unpacked(LockRecord(lockFile).State);
    const TSyncRecord seen = LockRecord(lockFile);
    EXPECT_EQ(seen.ChangeCount, afterA.ChangeCount);
    EXPECT_EQ(seen.State, kSyncReleased);
    EXPECT_EQ(std::memcmp(&seen, &afterA, sizeof seen), 0) << "B wrote its old lock record back";

    // B answers its notice and then Yes to its stale Delete question: nothing is removed,
    // for B no longer holds the file; nor does the lock record change.
    Press(b.keyboard, XK_Return);
    ASSERT_TRUE(WaitFor([&] { return !ClientTitled(b.keyboard, "Notice"); }, 5s));
    Press(b.keyboard, XK_y, {XK_Alt_L});
    ASSERT_TRUE(WaitFor([&] { return !ClientTitled(b.keyboard, "Delete"); }, 5s));
    EXPECT_TRUE(present());
    const TSyncRecord afterDelete = LockRecord(lockFile);
    EXPECT_EQ(std::memcmp(&seen, &afterDelete, sizeof seen), 0);
}

}  // namespace
}  // namespace tessaro::testing
