#include "editor/script/ui/script_print.h"

#include <gtest/gtest.h>

#include <QPrinter>
#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

std::string Shell(const std::string& command) {
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::array<char, 4096> buf{};
    while (pipe && std::fgets(buf.data(), buf.size(), pipe.get())) out += buf.data();
    return out;
}

struct PrintFixture : ::testing::Test {
    testing::TempDir dir;
    std::string pdf = dir.file("script.pdf");
    PrintFixture() { EnsureQtApplication(); }
    void Print(const std::vector<std::string>& lines, int copies) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        std::string error;
        ASSERT_TRUE(PrintScript(printer, QFont("DejaVu Sans", 10), "Tessaro Script for Mail  (Timed Macro)",
                                lines, copies, error))
            << error;
    }
    int Pages() {
        const std::string info = Shell("pdfinfo '" + pdf + "'");
        const auto at = info.find("Pages:");
        return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
    }
};

TEST_F(PrintFixture, TheHeadingThenTheLinesInOrder) {
    if (Shell("command -v pdftotext").empty()) GTEST_SKIP() << "poppler-utils is not installed";
    Print({"Text: Hello", "   Delay 2.00 Seconds", "Remark: the end"}, 1);
    // The text extractor folds runs of blanks into one.
    const std::string text = Shell("pdftotext '" + pdf + "' -");
    const auto heading = text.find("Tessaro Script for Mail (Timed Macro)");
    const auto first = text.find("Text: Hello");
    const auto last = text.find("Remark: the end");
    ASSERT_NE(heading, std::string::npos) << text;
    EXPECT_LT(heading, first);
    EXPECT_LT(first, last);
    EXPECT_NE(Shell("pdfinfo '" + pdf + "'").find("Tessaro 99"), std::string::npos);
    EXPECT_EQ(Pages(), 1);
}

TEST_F(PrintFixture, LongScriptsTakePagesLongLinesAreCutAndCopiesStartNewPages) {
    if (Shell("command -v pdftotext").empty()) GTEST_SKIP() << "poppler-utils is not installed";
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i) lines.push_back("Remark: line " + std::to_string(i));
    lines.push_back("Text: " + std::string(600, 'w') + "TAIL");
    Print(lines, 1);
    const int pages = Pages();
    EXPECT_GT(pages, 2);
    const std::string text = Shell("pdftotext '" + pdf + "' -");
    EXPECT_NE(text.find("line 199"), std::string::npos);
    EXPECT_EQ(text.find("TAIL"), std::string::npos);  // cut at the margin, never wrapped
    Print({"Remark: one"}, 2);
    EXPECT_EQ(Pages(), 2);
}

}  // namespace
}  // namespace tessaro
