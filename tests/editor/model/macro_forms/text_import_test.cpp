#include "editor/model/macro_forms/text_import.h"

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/support/finishes_in_time.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

class TextImport : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("mf_import_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Write(const std::string& name, const std::string& bytes) {
        const fs::path p = dir / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    fs::path dir;
};

TEST_F(TextImport, LongFileGivesItsFirst5000BytesAndSize) {
    std::string big;
    for (int i = 0; i < 6000; ++i) big += char('a' + i % 26);
    const ImportedFile f = ReadImportFile(Write("big.txt", big));
    ASSERT_EQ(f.status, ImportedFile::Status::Ok);
    EXPECT_EQ(f.size, 6000u);
    EXPECT_EQ(f.bytes, big.substr(0, 5000));
}

TEST_F(TextImport, TrailingEndOfFileMarkIsDroppedOnlyAtTheEnd) {
    EXPECT_EQ(ReadImportFile(Write("eof.txt", "abc\x1a")).bytes, "abc");
    EXPECT_EQ(ReadImportFile(Write("mid.txt",
                                   "a\x1a"
                                   "b"))
                  .bytes,
              "a\x1a"
              "b");
    std::string cut(4999, 'x');
    cut += '\x1a';
    cut += "tail";
    EXPECT_EQ(ReadImportFile(Write("cut.txt", cut)).bytes, std::string(4999, 'x'));
}

TEST_F(TextImport, RefusesBinaryFifosAndFoldersAndIsSilentOnMissingFiles) {
    const ImportedFile bin = ReadImportFile(Write("bin.txt", std::string("ab\0cd", 5)));
    EXPECT_EQ(bin.status, ImportedFile::Status::Binary);
    EXPECT_FALSE(bin.message.empty());
    EXPECT_TRUE(bin.bytes.empty());

    const fs::path fifo = dir / "pipe.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const ImportedFile f = ReadImportFile(fifo.string());  // must not wait for a writer
    EXPECT_EQ(f.status, ImportedFile::Status::NotAFile);
    EXPECT_FALSE(f.message.empty());

    EXPECT_EQ(ReadImportFile("/dev/zero").status, ImportedFile::Status::NotAFile);
    EXPECT_EQ(ReadImportFile(dir.string()).status, ImportedFile::Status::NotAFile);
    const ImportedFile missing = ReadImportFile((dir / "none.txt").string());
    EXPECT_EQ(missing.status, ImportedFile::Status::CannotOpen);
    EXPECT_TRUE(missing.message.empty());
}

TEST_F(TextImport, ExportReplacesTheFileAndFailsOnAFolder) {
    const std::string p = Write("out.txt", "old longer content");
    ASSERT_TRUE(ExportTextFile(p, "a\r\nb"));
    EXPECT_EQ(ReadImportFile(p).bytes, "a\r\nb");
    EXPECT_FALSE(ExportTextFile(dir.string(), "x"));
}

// "Export To Text File" onto a FIFO: refused at once, nothing written into the pipe.
TEST_F(TextImport, ExportToAFifoIsRefusedWithoutWaiting) {
    const fs::path fifo = dir / "pipe.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(testing::ExitCodeWithin([&] { return ExportTextFile(fifo.string(), "text") ? 1 : 0; },
                                      std::chrono::seconds(5)),
              0);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

}  // namespace
}  // namespace tessaro
