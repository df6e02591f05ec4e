#include "platform/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("tessaro-paths-" + std::to_string(::getpid()));
        fs::remove_all(root_);
    }
    void TearDown() override {
        unsetenv("TESSARO_WINDIR");
        unsetenv("TESSARO_HOME");
        fs::remove_all(root_);
    }
    fs::path root_;
};

TEST_F(PathsTest, EnvironmentOverridesAndCreatesFolders) {
    const auto win = root_ / "win" / "deep";
    const auto home = root_ / "home";
    setenv("TESSARO_WINDIR", win.c_str(), 1);
    setenv("TESSARO_HOME", home.c_str(), 1);
    EXPECT_EQ(win::WindowsDirectory(), win.string());
    EXPECT_EQ(win::ProgramDirectory(), home.string());
    EXPECT_TRUE(fs::is_directory(win));
    EXPECT_TRUE(fs::is_directory(home));
    setenv("TESSARO_HOME", (home.string() + "/").c_str(), 1);
    EXPECT_EQ(win::ProgramDirectory(), home.string());
}

TEST_F(PathsTest, XdgDefaultsWhenUnset) {
    unsetenv("TESSARO_WINDIR");
    unsetenv("TESSARO_HOME");
    const std::string oldConfig = getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "";
    const std::string oldData = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
    setenv("XDG_CONFIG_HOME", (root_ / "cfg").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    EXPECT_EQ(win::WindowsDirectory(), (root_ / "cfg" / "tessaro").string());
    EXPECT_EQ(win::ProgramDirectory(), (root_ / "data" / "tessaro").string());
    oldConfig.empty() ? unsetenv("XDG_CONFIG_HOME") : setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
    oldData.empty() ? unsetenv("XDG_DATA_HOME") : setenv("XDG_DATA_HOME", oldData.c_str(), 1);
}

TEST(Paths, NamespaceKeepsSessionsApart) {
    setenv("TESSARO_NS", "test/ns", 1);
    EXPECT_EQ(win::SessionNamespace(), "test_ns");
    const std::string a = win::NamespacedName("QTBA1KGR");
    setenv("TESSARO_NS", "other", 1);
    EXPECT_NE(win::NamespacedName("QTBA1KGR"), a);
    EXPECT_EQ(win::NamespacedName("QTBA1KGR").find('/'), std::string::npos);
    unsetenv("TESSARO_NS");
}

TEST(Paths, JoinPathAddsOneSlash) {
    EXPECT_EQ(win::JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(win::JoinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(win::JoinPath("", "b"), "b");
}

TEST(DirectoryExistsTest, DirectoriesOnlyAndCurrentDirectoryStays) {
    const fs::path dir = fs::temp_directory_path() / ("tessaro-dirtest-" + std::to_string(::getpid()));
    fs::create_directories(dir / "sub");
    std::ofstream(dir / "file.txt") << "x";
    const fs::path before = fs::current_path();
    EXPECT_TRUE(win::DirectoryExists((dir / "sub").string()));
    EXPECT_FALSE(win::DirectoryExists((dir / "file.txt").string()));
    EXPECT_FALSE(win::DirectoryExists((dir / "none").string()));
    EXPECT_FALSE(win::DirectoryExists(""));
    EXPECT_EQ(fs::current_path(), before);
    fs::create_directories(dir / "caf\xC3\xA9");  // Windows-1252 name in, UTF-8 on disk
    EXPECT_TRUE(win::DirectoryExists((dir / "caf\xE9").string()));
    fs::remove_all(dir);
}

}  // namespace

TEST(TestEnvironment, ReachesEveryTest) {
    // The build passes these to every test; several tests rely on them.
    ASSERT_NE(std::getenv("TESSARO_BIN"), nullptr);
    EXPECT_TRUE(fs::is_directory(std::getenv("TESSARO_BIN")));
    ASSERT_NE(std::getenv("QT_QPA_PLATFORM"), nullptr);
    EXPECT_STREQ(std::getenv("QT_QPA_PLATFORM"), "offscreen");
}
