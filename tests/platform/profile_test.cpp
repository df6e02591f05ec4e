#include "platform/profile.h"

#include "tests/support/file_size_limit.h"
#include "tests/support/finishes_in_time.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tessaro-profile-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        setenv("TESSARO_WINDIR", dir_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("TESSARO_WINDIR");
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    std::string Slurp(const std::string& name = "TEST.INI") const {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    void Put(const std::string& text, const std::string& name = "TEST.INI") const {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    std::string Get(const char* section, const char* key, const char* def = "", int size = 250) {
        return win::GetPrivateProfileString(section, key, def, size, "TEST.INI");
    }
    fs::path dir_;
};

TEST_F(ProfileTest, BareNameLiesInWindowsDirectoryAndFullPathStays) {
    EXPECT_EQ(win::ProfilePath("TESRO.INI"), (dir_ / "TESRO.INI").string());
    EXPECT_EQ(win::ProfilePath("/x/y/QTRAS.INI"), "/x/y/QTRAS.INI");
    // Names are Windows-1252 inside the system; the file system gets UTF-8.
    EXPECT_EQ(win::ProfilePath("\xE9.INI"), (dir_ / "\xC3\xA9.INI").string());
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesDefault) {
    EXPECT_EQ(Get("Misc", "Use Tray", "Yes"), "Yes");
    EXPECT_FALSE(fs::exists(dir_ / "TEST.INI"));  // reading never creates the file
    Put("[Misc]\r\nOther=1\r\n");
    EXPECT_EQ(Get("Misc", "Use Tray", "No  "), "No");  // trailing blanks of the default go
    EXPECT_EQ(Get("None", "Other", "d"), "d");
    EXPECT_EQ(win::GetPrivateProfileInt("Misc", "Absent", 42, "TEST.INI"), 42);
}

TEST_F(ProfileTest, ReadSizeKeepsSizeMinusOneCharacters) {
    Put("[S]\r\nk=abcdefghij\r\n");
    EXPECT_EQ(Get("S", "k", "", 5), "abcd");
    EXPECT_EQ(Get("S", "k", "", 11), "abcdefghij");
    EXPECT_EQ(Get("S", "k", "", 1), "");
    EXPECT_EQ(Get("S", "k", "", 0), "");
    EXPECT_EQ(Get("S", "missing", "0123456789", 3), "01");  // the default is cut too
}

TEST_F(ProfileTest, NamesCompareWithoutCaseAndBlanksAroundAreIgnored) {
    Put("  [ Main Window ]  \nWidth = 700 \n\tLeft=\t-5\n");
    EXPECT_EQ(Get("main window", "WIDTH"), "700");
    EXPECT_EQ(Get("MAIN WINDOW", "left"), "-5");
}

TEST_F(ProfileTest, LfAcceptedCommentsAndDamagedLinesSkipped) {
    Put("; comment=1\n[A]\ngarbage without equals\n=no key\nk=v\n[B\nk=hidden\n[C]\nk=c");
    EXPECT_EQ(Get("A", "k"), "v");
    EXPECT_EQ(Get("A", "; comment", "d"), "d");
    // Keys under a damaged header belong to no section, not to the one before it.
    EXPECT_EQ(Get("B", "k", "d"), "d");
    EXPECT_EQ(Get("C", "k"), "c");  // last line without a line break still counts
}

TEST_F(ProfileTest, FirstOccurrenceWins) {
    Put("[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
    EXPECT_EQ(Get("A", "k"), "1");
    EXPECT_EQ(Get("A", "j"), "4");  // a repeated section still counts
}

TEST_F(ProfileTest, IntegersReadLeadingDigits) {
    Put("[I]\na=  17\nb=-23x\nc=0x1F\nd=abc\ne=99999999999\nf=+8\ng=$10\n");
    EXPECT_EQ(win::GetPrivateProfileInt("I", "a", 5, "TEST.INI"), 17);
    EXPECT_EQ(win::GetPrivateProfileInt("I", "b", 5, "TEST.INI"), -23);
    EXPECT_EQ(win::GetPrivateProfileInt("I", "c", 5, "TEST.INI"), 31);
    EXPECT_EQ(win::GetPrivateProfileInt("I", "d", 5, "TEST.INI"), 0);
    EXPECT_EQ(win::GetPrivateProfileInt("I", "e", 5, "TEST.INI"), 999999999);  // the overflowing digit is bad
    EXPECT_EQ(win::GetPrivateProfileInt("I", "f", 5, "TEST.INI"), 8);
    EXPECT_EQ(win::GetPrivateProfileInt("I", "g", 5, "TEST.INI"), 0);  // "$" is no prefix here
    EXPECT_EQ(win::LeadingInteger("-2147483648"), INT_MIN);
    EXPECT_EQ(win::LeadingInteger("2147483648"), 214748364);
}

TEST_F(ProfileTest, FirstWriteCreatesFileWithCrLf) {
    ASSERT_TRUE(win::WritePrivateProfileString("Misc", "Use Tray", "Yes", "TEST.INI"));
    ASSERT_TRUE(win::WritePrivateProfileString("Misc", "Sound Off", "No", "TEST.INI"));
    ASSERT_TRUE(win::WritePrivateProfileString("EMail", "SMTP Port", "25", "TEST.INI"));
    EXPECT_EQ(Slurp(), "[Misc]\r\nUse Tray=Yes\r\nSound Off=No\r\n\r\n[EMail]\r\nSMTP Port=25\r\n");
    EXPECT_EQ(Get("misc", "use tray"), "Yes");
}

TEST_F(ProfileTest, WriteKeepsOrderReplacesInPlaceAndAppendsToItsSection) {
    Put("; keep me\n[A]\nx=1\nY=2\n\n[B]\nz=3\n");
    ASSERT_TRUE(win::WritePrivateProfileString("a", "y", "20", "TEST.INI"));
    ASSERT_TRUE(win::WritePrivateProfileString("A", "new", "n", "TEST.INI"));
    ASSERT_TRUE(win::WritePrivateProfileString("B", "w", "4", "TEST.INI"));
    // The stored key spelling stays; a new key goes after the section's last line. A file
    // edited by hand keeps its LF line ends, for the new lines too.
    EXPECT_EQ(Slurp(), "; keep me\n[A]\nx=1\nY=20\nnew=n\n\n[B]\nz=3\nw=4\n");
}

TEST_F(ProfileTest, EachLineKeepsItsOwnEndAndNewLinesTakeTheFilesFirst) {
    Put("[A]\r\nx=1\ny=2\r\n[B]\nz=3");
    ASSERT_TRUE(win::WritePrivateProfileString("A", "y", "5", "TEST.INI"));
    ASSERT_TRUE(win::WritePrivateProfileString("B", "w", "4", "TEST.INI"));
    EXPECT_EQ(Slurp(), "[A]\r\nx=1\ny=5\r\n[B]\nz=3\r\nw=4\r\n");
    // Nothing to change: not a byte is written.
    ASSERT_TRUE(win::WritePrivateProfileString("A", "x", "1", "TEST.INI"));
    EXPECT_EQ(Slurp(), "[A]\r\nx=1\ny=5\r\n[B]\nz=3\r\nw=4\r\n");
}

TEST_F(ProfileTest, DamagedLinesSurviveAWrite) {
    Put("[A]\nthis line is damaged\nk=1\n[B\nq=2\n");
    ASSERT_TRUE(win::WritePrivateProfileString("A", "k", "9", "TEST.INI"));
    EXPECT_EQ(Slurp(), "[A]\nthis line is damaged\nk=9\n[B\nq=2\n");
}

TEST_F(ProfileTest, AnUnchangedValueKeepsItsLineAndADefaultNeverReplacesAValue) {
    const std::string text = "[S]\r\nWidth = 901\r\nkeep=mine\r\n";
    Put(text);
    ASSERT_TRUE(
        win::WritePrivateProfileStrings("s", {{"width", "901"}, {"Keep", "theirs", true}}, "TEST.INI"));
    EXPECT_EQ(Slurp(), text);  // not even rewritten
    ASSERT_TRUE(
        win::WritePrivateProfileStrings("S", {{"Height", "460", true}, {"Width", "620"}}, "TEST.INI"));
    EXPECT_EQ(Slurp(), "[S]\r\nWidth=620\r\nkeep=mine\r\nHeight=460\r\n");
}

TEST_F(ProfileTest, BatchWriteEqualsSequentialWrites) {
    Put("[S]\nb=old\n");
    ASSERT_TRUE(win::WritePrivateProfileStrings("S", {{"a", "1"}, {"b", "2"}, {"a", "3"}}, "TEST.INI"));
    const std::string batch = Slurp();
    Put("[S]\nb=old\n");
    ASSERT_TRUE(win::WritePrivateProfileString("S", "a", "1", "TEST.INI"));
    ASSERT_TRUE(win::WritePrivateProfileString("S", "b", "2", "TEST.INI"));
    ASSERT_TRUE(win::WritePrivateProfileString("S", "a", "3", "TEST.INI"));
    EXPECT_EQ(Slurp(), batch);
    EXPECT_EQ(Get("S", "a"), "3");
}

TEST_F(ProfileTest, SectionsWrittenTogetherEqualSectionsWrittenInTurnAndBadOnesAreLeftOut) {
    Put("[B]\r\nb=0\r\n; note\r\n");
    const std::vector<win::ProfileSection> sections = {{"A", {{"x", "1"}, {"y", "2"}}},
                                                       {"B", {{"b", "9"}, {"c", "3"}}},
                                                       {"C", {{"bad", "a\nb"}}},
                                                       {"A", {{"x", "4"}}}};
    EXPECT_EQ(win::WritePrivateProfileSections(sections, "TEST.INI"),
              (std::vector<bool>{true, true, false, true}));
    const std::string together = Slurp();
    Put("[B]\r\nb=0\r\n; note\r\n");
    for (const auto& section : sections)
        win::WritePrivateProfileStrings(section.name, section.entries, "TEST.INI");
    EXPECT_EQ(Slurp(), together);
    EXPECT_EQ(together, "[B]\r\nb=9\r\n; note\r\nc=3\r\n\r\n[A]\r\nx=4\r\ny=2\r\n");

    ::chmod((dir_ / "TEST.INI").c_str(), 0444);
    EXPECT_EQ(win::WritePrivateProfileSections(sections, "TEST.INI"),
              (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(Slurp(), together);
}

TEST_F(ProfileTest, ValuesThatWouldBreakTheFileAreRefused) {
    Put("[A]\nk=1\n");
    const std::string before = Slurp();
    EXPECT_FALSE(win::WritePrivateProfileString("A", "k", "x\r\n[Evil]\r\ny=1", "TEST.INI"));
    EXPECT_FALSE(win::WritePrivateProfileString("A]", "k", "v", "TEST.INI"));
    EXPECT_FALSE(win::WritePrivateProfileString("A", "k=j", "v", "TEST.INI"));
    EXPECT_FALSE(win::WritePrivateProfileString("A", "  ", "v", "TEST.INI"));
    EXPECT_FALSE(win::WritePrivateProfileString("A", "[k", "v", "TEST.INI"));
    EXPECT_FALSE(win::WritePrivateProfileStrings("A", {{"ok", "1"}, {"bad", "\n"}}, "TEST.INI"));
    EXPECT_EQ(Slurp(), before);
}

TEST_F(ProfileTest, Windows1252BytesRoundTrip) {
    const std::string value = "Caf\xE9 \x80 \xFF";
    ASSERT_TRUE(win::WritePrivateProfileString("T", "k", value, "TEST.INI"));
    EXPECT_EQ(Get("T", "k"), value);
}

TEST_F(ProfileTest, UncreatableFileReportsFailure) {
    // Nobody, not even root, can create files here.
    EXPECT_FALSE(win::WritePrivateProfileString("A", "k", "2", "/proc/self/tessaro-test.ini"));
}

TEST_F(ProfileTest, UnwritableFileReportsFailureAndKeepsData) {
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores file permissions";
    Put("[A]\nk=1\n");
    fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(win::WritePrivateProfileString("A", "k", "2", "TEST.INI"));
    fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(Get("A", "k"), "1");
}

TEST_F(ProfileTest, FullDiskReportsFailureAndKeepsTheFileWhole) {
    Put("[A]\nk=1\n");
    {
        tessaro::testing::FileSizeLimit full(0);
        ASSERT_TRUE(full.set());
        EXPECT_FALSE(win::WritePrivateProfileString("A", "k", "2", "TEST.INI"));
    }
    EXPECT_EQ(Slurp(), "[A]\nk=1\n");
    int files = 0;  // the half-written temporary is gone
    for (const auto& e : fs::directory_iterator(dir_)) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST_F(ProfileTest, UnreadableFileIsNeverOverwritten) {
    // A directory where the file should be: reading fails, so writing must not proceed.
    fs::create_directories(dir_ / "TEST.INI");
    EXPECT_FALSE(win::WritePrivateProfileString("A", "k", "2", "TEST.INI"));
    EXPECT_TRUE(fs::is_directory(dir_ / "TEST.INI"));
}

TEST_F(ProfileTest, ReplaceLeavesNoTemporaryFilesAndKeepsMode) {
    Put("[A]\nk=1\n");
    ::chmod((dir_ / "TEST.INI").c_str(), 0600);
    ASSERT_TRUE(win::WritePrivateProfileString("A", "k", "2", "TEST.INI"));
    int files = 0;
    for (const auto& e : fs::directory_iterator(dir_)) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
    struct stat st {};
    ASSERT_EQ(::stat((dir_ / "TEST.INI").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(ProfileTest, ConcurrentWritersLoseNoKeys) {
    // Player and editor write the same file; each one's keys must survive the other's writes.
    constexpr int kWriters = 4, kKeys = 20;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            bool ok = true;
            for (int k = 0; k < kKeys; ++k)
                ok = win::WritePrivateProfileString("S", "w" + std::to_string(w) + "k" + std::to_string(k),
                                                    "v", "TEST.INI") &&
                     ok;
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int w = 0; w < kWriters; ++w)
        for (int k = 0; k < kKeys; ++k)
            EXPECT_EQ(Get("S", ("w" + std::to_string(w) + "k" + std::to_string(k)).c_str()), "v")
                << w << " " << k;
}

TEST_F(ProfileTest, SymlinkedFileStaysALink) {
    fs::create_directories(dir_ / "real");
    Put("[A]\nk=1\n", "real/target.ini");
    fs::create_symlink(dir_ / "real" / "target.ini", dir_ / "TEST.INI");
    ASSERT_TRUE(win::WritePrivateProfileString("A", "k", "2", "TEST.INI"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "TEST.INI"));
    EXPECT_EQ(Slurp("real/target.ini"), "[A]\nk=2\n");
}

TEST_F(ProfileTest, ReadOnlyFileIsNeitherReplacedNorChanged) {
    Put("[A]\nk=1\n");
    ::chmod((dir_ / "TEST.INI").c_str(), 0444);
    struct stat before {};
    ASSERT_EQ(::stat((dir_ / "TEST.INI").c_str(), &before), 0);
    // Even the superuser, who may write any file, leaves a file marked read-only alone.
    EXPECT_FALSE(win::WritePrivateProfileString("A", "k", "2", "TEST.INI"));
    EXPECT_FALSE(win::WritePrivateProfileString("B", "new", "x", "TEST.INI"));
    EXPECT_FALSE(win::WritePrivateProfileString("A", "k", "1", "TEST.INI"));  // refused though unchanged
    struct stat after {};
    ASSERT_EQ(::stat((dir_ / "TEST.INI").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 0777, 0444u);
    EXPECT_EQ(Slurp(), "[A]\nk=1\n");
    EXPECT_EQ(Get("A", "k"), "1");
}

TEST_F(ProfileTest, FifoInPlaceOfTheFileIsNeitherWaitedForNorReplaced) {
    ASSERT_EQ(::mkfifo((dir_ / "TEST.INI").c_str(), 0600), 0);
    const int code = tessaro::testing::ExitCodeWithin(
        [&] {
            const bool defaults =
                Get("A", "k", "def") == "def" && win::GetPrivateProfileInt("A", "k", 7, "TEST.INI") == 7;
            const bool refused = !win::WritePrivateProfileString("A", "k", "2", "TEST.INI");
            return defaults && refused ? 0 : 1;
        },
        std::chrono::seconds(10));
    EXPECT_EQ(code, 0) << "-1: the program waited on the FIFO";
    EXPECT_TRUE(fs::is_fifo(dir_ / "TEST.INI"));
}

// Counts how often files of a folder are opened.
class OpenCounter {
public:
    explicit OpenCounter(const fs::path& dir) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        // Closes are watched too: the kernel merges an event with an identical one still
        // unread, so back-to-back opens would count once.
        ::inotify_add_watch(fd_, dir.c_str(), IN_OPEN | IN_CLOSE);
    }
    ~OpenCounter() { ::close(fd_); }
    int Opens(const std::string& name) {
        alignas(inotify_event) char buf[16384];
        for (ssize_t n; (n = ::read(fd_, buf, sizeof buf)) > 0;)
            for (char* p = buf; p < buf + n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(p);
                if ((e->mask & IN_OPEN) && e->len > 0 && name == e->name) ++opens_;
                p += sizeof(inotify_event) + e->len;
            }
        return opens_;
    }

private:
    int fd_;
    int opens_ = 0;
};

TEST_F(ProfileTest, FileIsParsedOncePerChangeNotOncePerKey) {
    std::string text = "[A]\r\n";
    for (int i = 0; i < 200; ++i) text += "k" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    Put(text);
    ::sleep(1);  // a file changed in the same clock step as a read is read again
    OpenCounter counter(dir_);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(Get("A", ("k" + std::to_string(i)).c_str()), std::to_string(i));
    EXPECT_EQ(win::GetPrivateProfileInt("A", "k7", 0, "TEST.INI"), 7);
    EXPECT_EQ(Get("a", " K199 "), "199");  // the same rules of names
    EXPECT_EQ(counter.Opens("TEST.INI"), 1);

    // Every kind of change is seen by the next read: a write of ours, another program's file
    // renamed into place, and the same file rewritten in place at the same size.
    ASSERT_TRUE(win::WritePrivateProfileString("A", "k1", "one", "TEST.INI"));
    EXPECT_EQ(Get("A", "k1"), "one");
    Put("[A]\r\nk1=two\r\n", "other.ini");
    fs::rename(dir_ / "other.ini", dir_ / "TEST.INI");
    EXPECT_EQ(Get("A", "k1"), "two");
    Put("[A]\r\nk1=TWO\r\n");
    EXPECT_EQ(Get("A", "k1"), "TWO");
    Put("[A]\r\nk1=ToW\r\n");
    EXPECT_EQ(Get("A", "k1"), "ToW");
    fs::remove(dir_ / "TEST.INI");
    EXPECT_EQ(Get("A", "k1", "gone"), "gone");
}

}  // namespace
