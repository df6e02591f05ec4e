// The real player started among things it must not trust: another user's runtime folder,
// lock links and shared blocks, a FIFO as its macro or remap file, a read-only or huge
// settings file, a left-handed mouse.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <fstream>

#include "platform/paths.h"
#include "platform/shared_memory.h"
#include "player_process.h"
#include "protocol/glob_data.h"
#include "tests/support/key_target.h"
#include "tests/support/xvfb.h"

// Xlib last: its macros (None, Bool, Status) clash with the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr uid_t kOtherUser = 65534;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs `body` in a child process that has become another user; its exit code.
int AsOtherUser(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0) ::_exit(99);
        ::umask(0);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The title of a window, or "" (Qt sets the EWMH name in UTF-8).
std::string TitleOf(Display* d, Window w) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), 0, 1024, False, AnyPropertyType,
                           &type, &format, &count, &left, &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

// A shown top-level window with that title, or 0.
Window ShownBox(Display* d, const std::string& title) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < n && !found; ++i) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
            TitleOf(d, children[i]) == title)
            found = children[i];
    }
    if (children) XFree(children);
    return found;
}

// True once a shown top-level window has that title.
bool BoxShows(Display* d, const std::string& title, std::chrono::milliseconds limit) {
    return WaitFor([&] { return ShownBox(d, title) != 0; }, limit);
}

class HostileStart : public ::testing::Test {
protected:
    void SetUp() override {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        box_ = std::make_unique<PlayerSandbox>(xvfb_.name());
        display_ = xvfb_.Open();
        ASSERT_NE(display_, nullptr);
        victim_ = box_->file("victim.txt");
        std::ofstream(victim_) << "precious";
        ::chmod(victim_.c_str(), 0666);  // the other user could not write it anyway
    }
    void TearDown() override {
        if (display_) XCloseDisplay(display_);
        ::unsetenv("TMPDIR");
    }
    bool RunningAsRoot() const { return ::geteuid() == 0; }
    // A root whose own folders are closed to others (a private chroot) leaves the second
    // user nowhere to plant anything.
    static bool OtherUserCanReach(const std::string& dir) {
        return AsOtherUser([&] { return ::access(dir.c_str(), X_OK) == 0 ? 0 : 1; }) == 0;
    }

    Xvfb xvfb_;
    std::unique_ptr<PlayerSandbox> box_;
    Display* display_ = nullptr;
    std::string victim_;
};

TEST_F(HostileStart, AnotherUsersRuntimeFolderStopsTheStartAndHarmsNothing) {
    if (!RunningAsRoot()) GTEST_SKIP() << "needs root to act as a second user";
    ::chmod(box_->dir().c_str(), 0711);  // the other user may pass through, no more
    if (!OtherUserCanReach(box_->dir())) GTEST_SKIP() << "a second user cannot reach " << box_->dir();
    const std::string tmp = box_->file("tmp");
    ::mkdir(tmp.c_str(), 0777);
    ::chmod(tmp.c_str(), 01777);
    ::setenv("TMPDIR", tmp.c_str(), 1);
    ::unsetenv("XDG_RUNTIME_DIR");
    const std::string folder = tmp + "/tessaro-" + std::to_string(::getuid());
    const std::string lock = folder + "/" + win::NamespacedName("QTMRN321Z") + ".lock";
    ASSERT_EQ(AsOtherUser([&] {
                  return ::mkdir(folder.c_str(), 0777) == 0 && ::symlink(victim_.c_str(), lock.c_str()) == 0
                             ? 0
                             : 1;
              }),
              0);

    PlayerProcess player(*box_, {"/EN"}, "player.log");
    EXPECT_EQ(player.WaitExit(10s), 1) << player.Log();
    EXPECT_NE(player.Log().find(folder + " for Tessaro's lock files belongs to another user"),
              std::string::npos)
        << player.Log();
    EXPECT_EQ(Slurp(victim_), "precious");
    EXPECT_TRUE(box_->SharedObjects().empty());
}

TEST_F(HostileStart, LinkInPlaceOfTheLockFileIsNeverFollowed) {
    const std::string lock = win::SingleInstancePath(kPlayerInstanceName);
    ASSERT_FALSE(lock.empty());
    ASSERT_EQ(::symlink(victim_.c_str(), lock.c_str()), 0);
    PlayerProcess player(*box_, {"/EN"}, "player.log");
    EXPECT_EQ(player.WaitExit(10s), 1) << player.Log();
    EXPECT_NE(player.Log().find("symbolic link"), std::string::npos) << player.Log();
    EXPECT_EQ(Slurp(victim_), "precious");
    EXPECT_TRUE(box_->SharedObjects().empty());
}

TEST_F(HostileStart, SharedBlocksPlantedByAnotherUserAreRefusedAndLeftAlone) {
    if (!RunningAsRoot()) GTEST_SKIP() << "needs root to act as a second user";
    if (!OtherUserCanReach("/dev/shm")) GTEST_SKIP() << "a second user cannot reach /dev/shm";
    for (const std::string name : {"QTBA1KGR", "mutex-QT88aveR"}) {
        SCOPED_TRACE(name);
        constexpr std::size_t kSize = sizeof(TGlobData);
        const std::string shm = "/" + win::NamespacedName(name);
        ASSERT_EQ(AsOtherUser([&] {
                      const int fd = ::shm_open(shm.c_str(), O_RDWR | O_CREAT | O_EXCL, 0666);
                      if (fd < 0 || ::ftruncate(fd, kSize) != 0) return 1;
                      void* p = ::mmap(nullptr, kSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
                      std::memset(p, 0xAB, kSize);
                      return 0;
                  }),
                  0);

        PlayerProcess player(*box_, {"/EN"}, "player.log");
        EXPECT_TRUE(BoxShows(display_, "System Error", 15s)) << player.Log();
        // The box names the object and the cause, as its text is also logged.
        EXPECT_TRUE(WaitFor(
            [&] {
                return player.Log().find("/dev/shm" + shm + " is refused: it belongs to another user") !=
                       std::string::npos;
            },
            5s))
            << player.Log();
        EXPECT_EQ(win::RunningInstanceWindow(kPlayerInstanceName), 0u);
        EXPECT_GE(player.Stop(SIGTERM), 0) << "the box kept the player from ending";

        const int fd = ::shm_open(shm.c_str(), O_RDONLY, 0);
        ASSERT_GE(fd, 0) << "the planted block was removed";
        struct stat st {};
        ASSERT_EQ(::fstat(fd, &st), 0);
        EXPECT_EQ(st.st_uid, kOtherUser);
        EXPECT_EQ(st.st_mode & 0777, 0666u);
        const auto* bytes =
            static_cast<const unsigned char*>(::mmap(nullptr, kSize, PROT_READ, MAP_SHARED, fd, 0));
        EXPECT_EQ(std::count(bytes, bytes + kSize, 0xAB), static_cast<long>(kSize))
            << "the block was written";
        ::munmap(const_cast<unsigned char*>(bytes), kSize);
        ::close(fd);
        ::shm_unlink(shm.c_str());
        EXPECT_TRUE(box_->SharedObjects().empty()) << box_->SharedObjects().front();
    }
}

// Whether a process holds an exclusive flock of `path`.
bool LockedByAnother(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool locked = fd >= 0 && ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (fd >= 0) ::close(fd);
    return locked;
}

// Whether process `pid` has `path` open.
bool HasOpen(pid_t pid, const std::string& path) {
    struct stat want {};
    if (::stat(path.c_str(), &want) != 0) return false;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
        struct stat st {};
        if (::stat(e.path().c_str(), &st) == 0 && st.st_dev == want.st_dev && st.st_ino == want.st_ino)
            return true;
    }
    return false;
}

// A shared macro file in a folder another user can write: a link that user plants at the
// macro file's or its lock file's name is refused with a box, and the file it leads to is
// never touched.
TEST_F(HostileStart, ALinkPlantedBesideASharedMacroFileIsRefusedAndItsTargetKept) {
    if (!RunningAsRoot()) GTEST_SKIP() << "needs root to act as a second user";
    ::chmod(box_->dir().c_str(), 0711);
    if (!OtherUserCanReach(box_->dir())) GTEST_SKIP() << "a second user cannot reach " << box_->dir();
    const std::string shared = box_->file("shared");
    ::mkdir(shared.c_str(), 0777);
    ::chmod(shared.c_str(), 01777);
    for (const char* name : {"TEAM.QTM", "TEAM.MAS"}) {
        SCOPED_TRACE(name);
        for (const char* file : {"TEAM.QTM", "TEAM.MAS"}) std::filesystem::remove(shared + "/" + file);
        const std::string planted = shared + "/" + name;
        ASSERT_EQ(AsOtherUser([&] { return ::symlink(victim_.c_str(), planted.c_str()) == 0 ? 0 : 1; }), 0);
        if (!std::filesystem::exists(shared + "/TEAM.QTM")) std::ofstream(shared + "/TEAM.QTM").close();
        PlayerProcess player(*box_, {"/EN", "/N", "/F" + shared + "/TEAM.QTM"}, "player.log");
        EXPECT_TRUE(BoxShows(display_, "Error", 15s)) << player.Log();
        EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
        EXPECT_EQ(Slurp(victim_), "precious");
        EXPECT_TRUE(std::filesystem::is_symlink(planted));
    }
}

// Another user who holds the lock of the macro file or of its lock file keeps the player
// waiting, but not from ending: a signal ends it at once, and it says why it could not go on.
TEST_F(HostileStart, ALockAnotherUserKeepsGivesWayToASignal) {
    if (!RunningAsRoot()) GTEST_SKIP() << "needs root to act as a second user";
    ::chmod(box_->dir().c_str(), 0711);
    if (!OtherUserCanReach(box_->dir())) GTEST_SKIP() << "a second user cannot reach " << box_->dir();
    const std::string macros = box_->file("TEAM.QTM");
    for (const char* name : {"TEAM.QTM", "TEAM.MAS"}) {
        SCOPED_TRACE(name);
        std::ofstream(macros, std::ios::binary | std::ios::trunc).close();
        std::ofstream(box_->file("TEAM.MAS"), std::ios::binary)
            << std::string("\x01\0\0\0\x02\0", 6) << std::string(8, '\0');
        const std::string locked = box_->file(name);
        ::chmod(locked.c_str(), 0644);
        const PlayerProcess holder(
            *box_,
            {"--reuid=" + std::to_string(kOtherUser), "--regid=" + std::to_string(kOtherUser),
             "--clear-groups", "flock", "-F", "-x", locked, "sleep", "60"},
            "holder.log", "/usr/bin/setpriv");
        ASSERT_TRUE(WaitFor([&] { return LockedByAnother(locked); }, 10s)) << holder.Log();
        PlayerProcess player(*box_, {"/EN", "/N", "/F" + macros}, "player.log");
        ASSERT_TRUE(WaitFor([&] { return HasOpen(player.pid(), locked); }, 15s)) << player.Log();
        ::kill(player.pid(), SIGTERM);
        EXPECT_GE(player.WaitExit(1s), 0) << "deaf to the signal while it waits\n" << player.Log();
        EXPECT_NE(player.Log().find(locked), std::string::npos) << player.Log();
        EXPECT_NE(player.Log().find("another program keeps it locked"), std::string::npos) << player.Log();
    }
}

TEST_F(HostileStart, FifoAsMacroFileOrRemapFileShowsTheErrorAndIsKept) {
    for (const char* fifo : {"TESRO.QTM", "TESRO.QTS"}) {
        SCOPED_TRACE(fifo);
        for (const char* file : {"TESRO.QTM", "TESRO.QTS"}) std::filesystem::remove(box_->file(file));
        ASSERT_EQ(::mkfifo(box_->file(fifo).c_str(), 0600), 0);
        PlayerProcess player(*box_, {"/EN"}, "player.log");
        EXPECT_TRUE(BoxShows(display_, "Error", 15s)) << "the start hung on the FIFO\n" << player.Log();
        // The box is up while the player starts: a signal still ends it, and cleanly.
        EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
        struct stat st {};
        ASSERT_EQ(::stat(box_->file(fifo).c_str(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "replaced by a file";
        EXPECT_TRUE(box_->SharedObjects().empty());
    }
}

TEST_F(HostileStart, APartialRecordAtTheEndOfTheMacroFileIsSaidAndKept) {
    std::ofstream(box_->file("TESRO.QTM"), std::ios::binary)
        << std::string(100, '\x7f');  // less than a record
    PlayerProcess player(*box_, {"/EN"}, "player.log");
    EXPECT_TRUE(BoxShows(display_, "Warning", 15s)) << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    const std::string bytes = Slurp(box_->file("TESRO.QTM"));
    EXPECT_NE(bytes.find(std::string(100, '\x7f')), std::string::npos) << "the damaged bytes were lost";
}

TEST_F(HostileStart, ReadOnlySettingsFileIsReportedAndKeptAsItIs) {
    const std::string ini = box_->file("TESRO.INI");
    const std::string text = "[Misc]\r\nStart Editor=No\r\n[Network]\r\nSync Minutes=12\r\n";
    std::ofstream(ini, std::ios::binary) << text;
    ::chmod(ini.c_str(), 0444);
    struct stat before {};
    ASSERT_EQ(::stat(ini.c_str(), &before), 0);

    PlayerProcess player(*box_, {"/SM45"}, "player.log");
    EXPECT_TRUE(BoxShows(display_, "Error", 15s)) << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    struct stat after {};
    ASSERT_EQ(::stat(ini.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 0777, 0444u);
    EXPECT_EQ(Slurp(ini), text);
}

// A FIFO, or a link to /dev/null, in the settings file's place: the start saves its switches
// once, so the user sees one box (its text is the settings' own test), and the start goes
// on; the FIFO and the link stay as they are.
TEST_F(HostileStart, AFifoOrADeviceAsTheSettingsFileIsToldOnce) {
    const std::string ini = box_->file("TESRO.INI");
    for (const bool fifo : {true, false}) {
        SCOPED_TRACE(fifo ? "fifo" : "device");
        std::filesystem::remove(ini);
        if (fifo)
            ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0);
        else
            std::filesystem::create_symlink("/dev/null", ini);
        PlayerProcess player(*box_, {"/EN", "/SM45"}, "player.log");
        ASSERT_TRUE(BoxShows(display_, "Error", 15s)) << player.Log();
        // Each box is answered with Enter; the start has ended once the player's window is
        // published, which comes after every save of the start.
        int boxes = 0;
        const bool started = WaitFor(
            [&] {
                if (win::RunningInstanceWindow(kPlayerInstanceName) != 0) return true;
                const Window box = ShownBox(display_, "Error");
                if (box == 0) return false;
                ++boxes;
                XSetInputFocus(display_, box, RevertToParent, CurrentTime);
                PressWithModifiers(display_, XK_Return, {});
                WaitFor([&] { return ShownBox(display_, "Error") != box; }, 10s);
                return false;
            },
            30s);
        ASSERT_TRUE(started) << player.Log();
        EXPECT_EQ(boxes, 1) << player.Log();
        EXPECT_EQ(ShownBox(display_, "Error"), 0u);
        EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
        EXPECT_EQ(std::filesystem::symlink_status(ini).type(),
                  fifo ? std::filesystem::file_type::fifo : std::filesystem::file_type::symlink);
    }
}

TEST_F(HostileStart, SettingsFileIsReadOnceAtStartHoweverManyKeys) {
    std::string text = "[Misc]\r\nStart Editor=No\r\n[Junk]\r\n";
    for (int i = 0; i < 20000; ++i) text += "Key " + std::to_string(i) + "=" + std::string(200, 'v') + "\r\n";
    std::ofstream(box_->file("TESRO.INI"), std::ios::binary) << text;
    // Written well before the start reads it.
    std::filesystem::last_write_time(box_->file("TESRO.INI"),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::seconds(2));

    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // Closes are watched too: the kernel merges an event with an identical one still unread,
    // so back-to-back opens would count once.
    ::inotify_add_watch(watch, box_->dir().c_str(), IN_OPEN | IN_CLOSE);
    PlayerProcess player(*box_, {}, "player.log");
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    int opens = 0;
    alignas(inotify_event) char buf[65536];
    for (ssize_t n; (n = ::read(watch, buf, sizeof buf)) > 0;)
        for (char* p = buf; p < buf + n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(p);
            if ((e->mask & IN_OPEN) && e->len > 0 && std::string(e->name) == "TESRO.INI") ++opens;
            p += sizeof(inotify_event) + e->len;
        }
    ::close(watch);
    // One read for the loaders and one per section the start saves; nothing per key.
    EXPECT_LE(opens, 8);
    EXPECT_EQ(player.Stop(SIGTERM), 0);
    EXPECT_NE(Slurp(box_->file("TESRO.INI")).find("Key 19999=" + std::string(200, 'v')), std::string::npos);
}

TEST_F(HostileStart, SectionThatCannotBeSavedCostsNoOtherSection) {
    // A macro file whose name cannot stand on one line of the settings file.
    const std::string odd = box_->file("two\nlines.QTM");
    std::ofstream(odd).close();
    PlayerProcess player(*box_, {"/EN", "/F" + odd}, "player.log");
    EXPECT_TRUE(BoxShows(display_, "Error", 15s)) << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    const std::string saved = Slurp(box_->file("TESRO.INI"));
    for (const char* section : {"[Misc]", "[Capture]", "[Snipra]", "[Main Window]", "[Network]", "[EMail]"})
        EXPECT_NE(saved.find(section), std::string::npos) << section << "\n" << saved;
    EXPECT_EQ(saved.find("lines.QTM"), std::string::npos) << saved;
}

TEST_F(HostileStart, MouseSwappedFollowsThePointersButtonMapping) {
    unsigned char normal[32];
    const int buttons = XGetPointerMapping(display_, normal, sizeof normal);
    ASSERT_GE(buttons, 3);
    auto swappedInTable = [&](bool leftHanded) {
        unsigned char map[32];
        std::copy(normal, normal + buttons, map);
        if (leftHanded) std::swap(map[0], map[2]);
        EXPECT_EQ(XSetPointerMapping(display_, map, buttons), MappingSuccess);
        XSync(display_, False);
        PlayerProcess player(*box_, {"/EN"}, "player.log");
        EXPECT_NE(WaitForPlayerWindow(), 0u) << player.Log();
        auto master = win::SharedMemory::Open("QTBA1KGR", sizeof(TGlobData));
        EXPECT_TRUE(master);
        const int value =
            master ? static_cast<const unsigned char*>(master->data())[offsetof(TGlobData, MouseSwapped)]
                   : -1;
        master.reset();
        EXPECT_EQ(player.Stop(SIGTERM), 0);
        return value;
    };
    EXPECT_EQ(swappedInTable(true), 1);
    EXPECT_EQ(swappedInTable(false), 0);
}

}  // namespace
}  // namespace tessaro::testing
