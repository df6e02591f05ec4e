#include "editor/model/tools/desktop_launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

QImage Picture() {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    return image;
}

TEST(DesktopLauncher, NicknamesMustBeGivenAndUniqueCaseSensitively) {
    const std::vector<std::string> names = {"   ", "Mail", "mail", "Copy", "Copy"};
    EXPECT_NE(CheckLauncherNickname(names, 0).find("has no nickname assigned."), std::string::npos);
    EXPECT_EQ(CheckLauncherNickname(names, 1), "");
    EXPECT_EQ(CheckLauncherNickname(names, 2), "");
    EXPECT_NE(CheckLauncherNickname(names, 3).find("You will  need to change"), std::string::npos);
}

TEST(DesktopLauncher, ExecArgumentsAreQuotedAndEscapedTwice) {
    EXPECT_EQ(QuoteExecArgument("/ATea time"), "\"/ATea time\"");
    EXPECT_EQ(QuoteExecArgument("a\"b`c$d"), "\"a\\\\\"b\\\\`c\\\\$d\"");
    EXPECT_EQ(QuoteExecArgument("a\\b"), "\"a\\\\\\\\b\"");
    EXPECT_EQ(QuoteExecArgument("100%"), "\"100%%\"");
}

TEST(DesktopLauncher, TheFileNameNeverLeavesTheFolder) {
    EXPECT_EQ(LauncherFileName("Tea time"), "Tea time.desktop");
    EXPECT_EQ(LauncherFileName("../../etc/x"), "_.._etc_x.desktop");
    EXPECT_EQ(LauncherFileName(".."), "macro.desktop");
    EXPECT_EQ(LauncherFileName("Caf\xe9"), "Caf\xc3\xa9.desktop");
}

// The real desktop tools read the launcher back: the validator accepts it, and gio runs
// the program with exactly the argument the player needs.
TEST(DesktopLauncher, TheDesktopRunsThePlayerWithTheNickname) {
    testing::TempDir dir;
    const std::string desk = dir.path() + "/Desktop";
    fs::create_directories(desk);
    // A stand-in player with a blank and a quote in its path records its arguments.
    const std::string player = dir.path() + "/my \"bin\"/tesrun";
    fs::create_directories(fs::path(player).parent_path());
    const std::string record = dir.path() + "/args.txt";
    std::ofstream(player) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << record << "'\n";
    fs::permissions(player, fs::perms::owner_all);

    const std::string nick = "Tea $time \"100%\" caf\xe9\\x";
    ASSERT_EQ(PlaceLauncher({desk, dir.path() + "/Icons", player}, nick, "TESRUN", Picture()), "");
    const std::string launcher = desk + "/" + LauncherFileName(nick);
    struct stat st {};
    ASSERT_EQ(::stat(launcher.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755u);
    EXPECT_TRUE(QImage(QString::fromStdString(dir.path() + "/Icons/TESRUN.png")).width() == 16);

    if (std::system("command -v desktop-file-validate >/dev/null") == 0) {
        EXPECT_EQ(std::system(("desktop-file-validate '" + launcher + "'").c_str()), 0) << ReadAll(launcher);
    }
    if (std::system("command -v gio >/dev/null") != 0) GTEST_SKIP() << "gio is not installed";
    ASSERT_EQ(std::system(("gio launch '" + launcher + "' 2>/dev/null").c_str()), 0) << ReadAll(launcher);
    for (int i = 0; i < 100 && ReadAll(record).empty(); ++i) std::system("sleep 0.05");
    EXPECT_EQ(ReadAll(record), "/ATea $time \"100%\" caf\xc3\xa9\\x\n") << ReadAll(launcher);
}

TEST(DesktopLauncher, AnUnwritablePlaceIsReportedNotIgnored) {
    testing::TempDir dir;
    EXPECT_FALSE(
        PlaceLauncher({dir.path() + "/none/Desktop", dir.path() + "/Icons", "/bin/true"}, "x", "X", Picture())
            .empty());
    EXPECT_FALSE(PlaceLauncher({dir.path(), dir.path() + "/Icons", "/bin/true"}, "x", "X", QImage()).empty());
}

}  // namespace
}  // namespace tessaro
