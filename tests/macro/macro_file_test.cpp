#include "macro/macro_file.h"
#include "macro/macro_record_reader.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "tests/support/finishes_in_time.h"
#include "tests/support/macro_fixtures.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TMacroRecord Named(const std::string& name, std::uint16_t code) { return testing::TestMacro(name, code); }

std::vector<char> Bytes(const TMacroRecord& rec) {
    std::vector<char> out(kMacroRecordSize);
    std::memcpy(out.data(), &rec, kMacroRecordSize);
    return out;
}

std::vector<std::string> Nicknames(const std::string& path) {
    std::vector<TMacroRecord> recs;
    EXPECT_TRUE(ReadMacroRecords(path, 1000, recs).ok());
    std::vector<std::string> names;
    for (const auto& r : recs) names.push_back(r.Nickname.str());
    return names;
}

class MacroFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("TESRO.QTM");
    void SetUp() override { ASSERT_TRUE(CreateEmptyMacroFile(path).ok()); }
};

TEST_F(MacroFileTest, AppendedRecordsAreTheFileByteForByte) {
    TMacroRecord a = Named("A", 1), b = Named("B", 2);
    b.Reserved5151[3] = 0x55;  // never reaches the file
    ASSERT_TRUE(WriteMacroRecordAt(path, -1, a).ok());
    ASSERT_TRUE(WriteMacroRecordAt(path, 2, b).ok());  // one past the end appends too

    b.Reserved5151[3] = 0;
    std::vector<char> want = Bytes(a);
    const auto bb = Bytes(b);
    want.insert(want.end(), bb.begin(), bb.end());
    EXPECT_EQ(ReadBytes(path), want);
    EXPECT_EQ(CountMacroRecords(path), 2);
}

TEST_F(MacroFileTest, ReadRewriteDeleteRoundTrip) {
    for (const char* n : {"one", "two", "three"}) ASSERT_TRUE(WriteMacroRecordAt(path, -1, Named(n, 5)).ok());

    TMacroRecord got;
    ASSERT_TRUE(ReadMacroRecordAt(path, 2, got).ok());
    EXPECT_EQ(got.Nickname, "two");
    EXPECT_EQ(GetMacroText(got), "two text");

    ASSERT_TRUE(WriteMacroRecordAt(path, 2, Named("TWO", 6)).ok());
    EXPECT_EQ(Nicknames(path), (std::vector<std::string>{"one", "TWO", "three"}));

    ASSERT_TRUE(DeleteMacroRecordAt(path, 1).ok());
    EXPECT_EQ(Nicknames(path), (std::vector<std::string>{"TWO", "three"}));
    ASSERT_TRUE(DeleteMacroRecordAt(path, 2).ok());  // the last one only truncates
    EXPECT_EQ(Nicknames(path), (std::vector<std::string>{"TWO"}));
    EXPECT_EQ(ReadBytes(path).size(), kMacroRecordSize);
}

TEST_F(MacroFileTest, EnabledFlagChangesOnlyItsByte) {
    ASSERT_TRUE(WriteMacroRecordAt(path, -1, Named("x", 1)).ok());
    ASSERT_TRUE(WriteMacroRecordAt(path, -1, Named("y", 2)).ok());
    auto before = ReadBytes(path);
    ASSERT_TRUE(SetMacroEnabledAt(path, 2, false).ok());
    auto after = ReadBytes(path);
    before[kMacroRecordSize + 97] = 0;
    EXPECT_EQ(after, before);
}

TEST_F(MacroFileTest, KeptReaderSeesEveryReplacementOfTheName) {
    for (const char* n : {"one", "two"}) ASSERT_TRUE(WriteMacroRecordAt(path, -1, Named(n, 5)).ok());
    MacroRecordReader reader;
    TMacroRecord got;
    ASSERT_TRUE(reader.Read(path, 2, got).ok());
    EXPECT_EQ(got.Nickname.str(), "two");

    ASSERT_TRUE(WriteMacroRecordAt(path, 2, Named("TWO", 5)).ok());
    ASSERT_TRUE(reader.Read(path, 2, got).ok());
    EXPECT_EQ(got.Nickname.str(), "TWO");

    // Another program's file of the same size and modification time put in its place.
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    const std::string other = dir.file("OTHER.QTM");
    auto bytes = Bytes(Named("uno", 5));
    const auto second = Bytes(Named("dos", 5));
    bytes.insert(bytes.end(), second.begin(), second.end());
    WriteBytes(other, bytes);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), times, 0), 0);
    ASSERT_EQ(std::rename(other.c_str(), path.c_str()), 0);
    ASSERT_TRUE(reader.Read(path, 1, got).ok());
    EXPECT_EQ(got.Nickname.str(), "uno");

    ASSERT_TRUE(DeleteMacroRecordAt(path, 2).ok());
    EXPECT_EQ(reader.Read(path, 2, got).code, MacroFileStatus::BadIndex);
    EXPECT_EQ(got.Nickname.str(), "uno");  // kept as it was
    ASSERT_EQ(std::remove(path.c_str()), 0);
    EXPECT_EQ(reader.Read(path, 1, got).code, MacroFileStatus::NotFound);
}

TEST_F(MacroFileTest, BadIndicesAreRefusedAndChangeNothing) {
    ASSERT_TRUE(WriteMacroRecordAt(path, -1, Named("x", 1)).ok());
    const auto before = ReadBytes(path);
    TMacroRecord untouched = Named("keep", 9);
    EXPECT_EQ(ReadMacroRecordAt(path, 2, untouched).code, MacroFileStatus::BadIndex);
    EXPECT_EQ(untouched.Nickname, "keep");
    EXPECT_EQ(ReadMacroRecordAt(path, 0, untouched).code, MacroFileStatus::BadIndex);
    EXPECT_EQ(WriteMacroRecordAt(path, 3, untouched).code, MacroFileStatus::BadIndex);  // would leave a hole
    EXPECT_EQ(DeleteMacroRecordAt(path, 2).code, MacroFileStatus::BadIndex);
    EXPECT_EQ(SetMacroEnabledAt(path, 0, false).code, MacroFileStatus::BadIndex);
    EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(MacroFileTest, TrailingPartialRecordIsKeptBehindTheRecords) {
    ASSERT_TRUE(WriteMacroRecordAt(path, -1, Named("x", 1)).ok());
    auto bytes = ReadBytes(path);
    const std::vector<char> tail = {'t', 'a', 'i', 'l'};
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    WriteBytes(path, bytes);
    EXPECT_EQ(CountMacroRecords(path), 1);

    ASSERT_TRUE(WriteMacroRecordAt(path, -1, Named("y", 2)).ok());
    EXPECT_EQ(Nicknames(path), (std::vector<std::string>{"x", "y"}));
    auto now = ReadBytes(path);
    ASSERT_EQ(now.size(), 2 * kMacroRecordSize + tail.size());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), now.end() - 4));

    ASSERT_TRUE(DeleteMacroRecordAt(path, 1).ok());
    now = ReadBytes(path);
    ASSERT_EQ(now.size(), kMacroRecordSize + tail.size());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), now.end() - 4));
    EXPECT_EQ(Nicknames(path), (std::vector<std::string>{"y"}));
}

TEST_F(MacroFileTest, ReadingStopsAtTheLimitAndReportsTheTotal) {
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(WriteMacroRecordAt(path, -1, Named(std::to_string(i), 1)).ok());
    std::vector<TMacroRecord> recs;
    MacroFileExtent extent;
    ASSERT_TRUE(ReadMacroRecords(path, 3, recs, &extent).ok());
    EXPECT_EQ(recs.size(), 3u);
    EXPECT_EQ(extent.records, 5u);
    EXPECT_EQ(extent.trailingBytes, 0u);
    EXPECT_EQ(recs[2].Nickname, "2");
}

TEST_F(MacroFileTest, MissingAndUnreadableFilesAreReportedNotCreated) {
    const std::string missing = dir.file("none.QTM");
    TMacroRecord rec;
    EXPECT_EQ(ReadMacroRecordAt(missing, 1, rec).code, MacroFileStatus::NotFound);
    EXPECT_EQ(WriteMacroRecordAt(missing, -1, rec).code, MacroFileStatus::NotFound);
    EXPECT_EQ(CountMacroRecords(missing), -1);
    EXPECT_FALSE(std::filesystem::exists(missing));

    // Creating never truncates a file that is already there.
    ASSERT_TRUE(WriteMacroRecordAt(path, -1, Named("x", 1)).ok());
    EXPECT_FALSE(CreateEmptyMacroFile(path).ok());
    EXPECT_EQ(CountMacroRecords(path), 1);

    if (::geteuid() != 0) {  // root reads anything
        ::chmod(path.c_str(), 0);
        std::vector<TMacroRecord> recs;
        const auto st = ReadMacroRecords(path, 500, recs);
        EXPECT_EQ(st.code, MacroFileStatus::OpenFailed);
        EXPECT_NE(st.Describe(path).find(path), std::string::npos);
        ::chmod(path.c_str(), 0644);
    }
}

TEST(MacroFileKindTest, FifoOrDeviceIsRefusedAtOnceAndNeverReplaced) {
    TempDir dir;
    const std::string fifo = dir.file("TESRO.QTM");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/null"), std::string("/dev/zero")}) {
        const int code = testing::ExitCodeWithin(
            [&] {
                std::vector<TMacroRecord> recs;
                TMacroRecord rec = Named("x", 1);
                const MacroFileStatus read = ReadMacroRecords(path, 500, recs);
                const bool refused = read.code == MacroFileStatus::OpenFailed &&
                                     read.Describe(path).find("not a regular file") != std::string::npos &&
                                     CountMacroRecords(path) == -1 &&
                                     ReadMacroRecordAt(path, 1, rec).code == MacroFileStatus::OpenFailed &&
                                     WriteMacroRecordAt(path, -1, rec).code == MacroFileStatus::OpenFailed &&
                                     SetMacroEnabledAt(path, 1, false).code == MacroFileStatus::OpenFailed &&
                                     !CreateEmptyMacroFile(path).ok();
                return refused ? 0 : 1;
            },
            std::chrono::seconds(10));
        EXPECT_EQ(code, 0) << path << (code < 0 ? ": waited" : ": not refused");
    }
    struct stat st {};
    ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(CompanionFileNameTest, ReplacesQtmInAnyCaseElseAppends) {
    EXPECT_EQ(CompanionFileName("/h/MACROS.QTM", "MAS"), "/h/MACROS.MAS");
    EXPECT_EQ(CompanionFileName("/h/macros.qtm", "QTS"), "/h/macros.QTS");
    EXPECT_EQ(CompanionFileName("/h/macros.Qtm", "QTC"), "/h/macros.QTC");
    // Names not ending in .QTM: the companion is never the macro file itself.
    for (const std::string name : {"/h/macros.QTS", "/h/macros", "/h/m.txt", "/h/QTM"}) {
        const std::string comp = CompanionFileName(name, "QTS");
        EXPECT_NE(comp, name);
        EXPECT_EQ(comp.rfind(name, 0), 0u) << comp;  // appended, the name kept whole
    }
}

}  // namespace
}  // namespace tessaro
