// The helpers outside the programs are found beside them, started with their parameters,
// and a missing one is said in one box.
#include "foundation/helper_programs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "tests/support/qt_core_app.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wait_for.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

void Script(const std::string& path, const std::string& body) {
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(path, fs::perms::owner_all);
}

// The first line of a file once the helper, which runs on its own, has written it whole.
std::string Awaited(const std::string& path) {
    std::string line;
    testing::WaitFor(
        [&] {
            std::ifstream in(path);
            const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            if (text.find('\n') == std::string::npos) return false;
            line = text.substr(0, text.find('\n'));
            return true;
        },
        std::chrono::seconds(3));
    return line;
}

struct HelperPrograms : ::testing::Test {
    HelperPrograms() { EnsureCoreApplication(); }
    testing::TempDir dir;
    std::vector<std::string> boxes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& c) {
        boxes.push_back(c.caption + ": " + c.text);
        return win::MbResult::Ok;
    }};
};

TEST_F(HelperPrograms, TheMouseLocatorStartsFromBesideTheProgramsWithItsParameter) {
    EXPECT_EQ(MouseLocatorPath(dir.path()), dir.file("ptrfind"));
    Script(dir.file("ptrfind"), "echo \"$@\" > '" + dir.file("args") + "'");
    EXPECT_TRUE(StartMouseLocator(dir.path()));
    EXPECT_EQ(Awaited(dir.file("args")), "QJX");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(HelperPrograms, AMissingOrUnrunnableLocatorIsSaidOnce) {
    EXPECT_FALSE(StartMouseLocator(dir.path()));
    std::ofstream(dir.file("ptrfind")) << "not a program\n";  // present but not executable
    fs::permissions(dir.file("ptrfind"), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(StartMouseLocator(dir.path()));
    const std::string said = "Error: The mouse locator " + dir.file("ptrfind") + " could not be found.";
    EXPECT_EQ(boxes, (std::vector<std::string>{said, said}));
}

TEST_F(HelperPrograms, TheHomePageIsTheReadmeBesideThePrograms) {
    const std::string programs = dir.file("my programs");
    fs::create_directories(programs);
    EXPECT_EQ(HomePageAddress(programs), "file://" + dir.path() + "/my%20programs/README.md");

    EXPECT_FALSE(OpenHomePage(programs));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Error: The home page " + programs + "/README.md could not be found.");

    std::ofstream(programs + "/README.md") << "# Tessaro\n";
    const std::string bin = dir.file("bin");
    fs::create_directories(bin);
    Script(bin + "/xdg-open", "echo \"$1\" > '" + dir.file("opened") + "'");
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (bin + ":" + oldPath).c_str(), 1);
    const bool opened = OpenHomePage(programs);
    ::setenv("PATH", oldPath.c_str(), 1);
    EXPECT_TRUE(opened);
    EXPECT_EQ(Awaited(dir.file("opened")), HomePageAddress(programs));
    EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
}  // namespace tessaro
