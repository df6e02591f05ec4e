#include "editor/model/tools/desktop_launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QColor>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/finishes_in_time.h"
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
    ASSERT_EQ(PlaceLauncher({desk, dir.path() + "/Icons", player}, nick, {"TESRUN", Picture()}), "");
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
    std::ofstream(dir.file("plain")) << "a file, not a folder";
    EXPECT_EQ(
        PlaceLauncher({dir.file("plain/Desktop"), dir.path() + "/Icons", "/bin/true"}, "x", {"X", Picture()}),
        "The desktop folder \"" + dir.file("plain/Desktop") + "\" cannot be created.");
    EXPECT_FALSE(
        PlaceLauncher({dir.path(), dir.path() + "/Icons", "/bin/true"}, "x", {"X", QImage()}).empty());
}

// A user without a desktop folder yet: it is made where the desktop's settings say, as the
// desktop itself would make it, and the launcher lands in it.
TEST(DesktopLauncher, AMissingDesktopFolderIsMade) {
    testing::TempDir dir;
    const std::string desk = dir.file("home/Bureau");
    EXPECT_EQ(PlaceLauncher({desk, dir.path() + "/Icons", "/bin/true"}, "Tea", {"TESRUN", Picture()}), "");
    EXPECT_TRUE(fs::is_regular_file(desk + "/Tea.desktop"));
}

// The launcher shows what the macro list shows: the macro's own icon file, or the player's
// picture for the default icons and for a file that is missing, unreadable or no file.
TEST(DesktopLauncher, TheLauncherPictureIsTheIconFileOrThePlayers) {
    testing::TempDir dir;
    const std::string icons = dir.path() + "/Icons";
    fs::create_directories(icons);
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(QString::fromStdString(icons + "/RED.ICO"), "ICO"));
    std::ofstream(icons + "/BROKEN.ICO") << "not a picture";
    ASSERT_EQ(::mkfifo((icons + "/PIPE.ICO").c_str(), 0600), 0);
    const QImage player = Picture();

    const LauncherPicture own = LauncherPictureFor("RED.ICO", icons, player);
    EXPECT_EQ(own.Name, "RED.ICO");
    EXPECT_EQ(own.Image.pixelColor(0, 0), QColor(Qt::red));
    for (const char* name : {"MAIN", "MENU", "GONE.ICO", "BROKEN.ICO", "PIPE.ICO"}) {
        const LauncherPicture p = LauncherPictureFor(name, icons, player);
        EXPECT_EQ(p.Name, "TESRUN") << name;
        EXPECT_EQ(p.Image, player) << name;
    }
    // The name comes from the macro file: the picture it names stays in its folder.
    fs::create_directories(dir.path() + "/up");
    ASSERT_TRUE(red.save(QString::fromStdString(dir.path() + "/up/X.ICO"), "ICO"));
    EXPECT_EQ(LauncherPictureFor("../up/X.ICO", icons, player).Name, "_up_X.ICO");
}

// A FIFO where the launcher's picture or the launcher goes: refused at once and left alone.
TEST(DesktopLauncher, AFifoInThePlaceOfThePictureOrTheLauncherIsRefusedWithoutWaiting) {
    testing::TempDir dir;
    const std::string desk = dir.path() + "/Desktop", icons = dir.path() + "/Launchers";
    fs::create_directories(desk);
    fs::create_directories(icons);
    ASSERT_EQ(::mkfifo((icons + "/TESRUN.png").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((desk + "/Tea.desktop").c_str(), 0600), 0);
    const int code = testing::ExitCodeWithin(
        [&] {
            const std::string picture =
                PlaceLauncher({desk, icons, "/bin/true"}, "Tea", {"TESRUN", Picture()});
            fs::remove(icons + "/TESRUN.png");
            const std::string launcher =
                PlaceLauncher({desk, icons, "/bin/true"}, "Tea", {"TESRUN", Picture()});
            return picture.find("it is a named pipe") != std::string::npos &&
                           launcher.find("it is a named pipe") != std::string::npos
                       ? 0
                       : 1;
        },
        std::chrono::seconds(10));
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(fs::is_fifo(desk + "/Tea.desktop"));
}

}  // namespace
}  // namespace tessaro
