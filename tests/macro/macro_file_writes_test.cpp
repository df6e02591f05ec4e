// Every write to a macro file leaves it as it was before or as it is after, for readers
// and writers in other processes too, and a write the disk cannot take says so.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "macro/macro_file.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/macro_fixtures.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::ReadBytes;
using testing::TempDir;

std::vector<std::string> Beside(const TempDir& dir, const std::string& keep) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir.file("")))
        if (e.path().filename() != keep) out.push_back(e.path().filename().string());
    return out;
}

class MacroFileWritesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateEmptyMacroFile(path).ok());
        for (int n = 1; n <= 20; ++n)
            ASSERT_TRUE(
                WriteMacroRecordAt(path, -1, testing::TestMacro("M" + std::to_string(n), 30000)).ok());
    }
    TempDir dir;
    std::string path = dir.file("TESRO.QTM");
};

TEST_F(MacroFileWritesTest, AFullDiskFailsEveryWriteWithItsCauseAndLeavesTheFileByteForByte) {
    const std::vector<char> before = ReadBytes(path);
    TMacroRecord changed = testing::TestMacro("changed", 5);
    std::vector<TMacroRecord> out;
    int appended = -1;
    std::vector<MacroFileStatus> results;
    {
        // Room for less than the file: no new whole file fits beside the old one.
        testing::FileSizeLimit full(before.size() / 2);
        ASSERT_TRUE(full.set());
        results.push_back(WriteMacroRecordAt(path, -1, changed));
        results.push_back(WriteMacroRecordAt(path, 3, changed));
        results.push_back(DeleteMacroRecordAt(path, 1));
        results.push_back(SetMacroEnabledAt(path, 2, false));
        results.push_back(AppendMissingRecords(
            path, 500,
            [&](const std::vector<TMacroRecord>&) { return std::vector<TMacroRecord>(3, changed); }, out,
            appended));
    }
    for (const MacroFileStatus& st : results) {
        EXPECT_EQ(st.code, MacroFileStatus::IoError);
        EXPECT_NE(st.Describe(path).find(std::strerror(EFBIG)), std::string::npos) << st.Describe(path);
    }
    EXPECT_EQ(appended, 0);
    EXPECT_EQ(out.size(), 20u);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(Beside(dir, "TESRO.QTM"), std::vector<std::string>{});
}

TEST_F(MacroFileWritesTest, WritersInManyProcessesAtOnceLoseNoRecord) {
    // Each write puts a new file in place of the old: a writer that waited for the lock of
    // a file replaced meanwhile must work on the new one.
    constexpr int kProcesses = 6, kEach = 15;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool ok = true;
            for (int i = 0; i < kEach; ++i) {
                const std::string name = "P" + std::to_string(p) + "-" + std::to_string(i);
                ok = WriteMacroRecordAt(path, -1, testing::TestMacro(name, 30000)).ok() && ok;
                ok = SetMacroEnabledAt(path, 1 + (i % 20), (i % 2) == 0).ok() && ok;
            }
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::vector<TMacroRecord> records;
    ASSERT_TRUE(ReadMacroRecords(path, 1000, records).ok());
    ASSERT_EQ(records.size(), 20u + kProcesses * kEach);
    for (int p = 0; p < kProcesses; ++p)
        for (int i = 0; i < kEach; ++i) {
            const std::string name = "P" + std::to_string(p) + "-" + std::to_string(i);
            EXPECT_EQ(std::count_if(records.begin(), records.end(),
                                    [&](const TMacroRecord& r) { return r.Nickname.str() == name; }),
                      1)
                << name;
        }
    EXPECT_EQ(Beside(dir, "TESRO.QTM"), std::vector<std::string>{});
}

TEST_F(MacroFileWritesTest, AFileReachedThroughALinkStaysLinkedAndKeepsItsMode) {
    const std::string link = dir.file("LINKED.QTM");
    std::filesystem::create_symlink(path, link);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(DeleteMacroRecordAt(link, 1).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(CountMacroRecords(path), 19);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

}  // namespace
}  // namespace tessaro
