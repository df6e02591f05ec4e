// The printed macro list, printed to PDF and read back with pdftotext.
#include "editor/explorer/list_printer.h"

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPrinter>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "editor/model/explorer/macro_list.h"
#include "tests/support/qt_app.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

std::string Shell(const std::string& command) {
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return out;
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe.get()))
        out.append(buffer.data(), n);
    return out;
}

class ListPrint : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        if (Shell("command -v pdftotext").empty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        pdf_ = (fs::temp_directory_path() / ("teslist-" + std::to_string(::getpid()) + ".pdf")).string();
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(QString::fromStdString(pdf_));
        printer_->setPageSize(QPageSize(QPageSize::A4));
    }
    void TearDown() override { fs::remove(pdf_); }
    std::string Text() { return Shell("pdftotext -layout '" + pdf_ + "' -"); }
    int Pages() {
        const std::string text = Text();
        return static_cast<int>(std::count(text.begin(), text.end(), '\f'));
    }
    std::string pdf_;
    std::unique_ptr<QPrinter> printer_;
    QFont font_{"DejaVu Sans", 10};
};

TEST_F(ListPrint, HeaderAndThreeColumnsPerMacro) {
    const std::vector<PrintRow> rows = {
        {QString::fromStdString(PrintActivationText(20000, "sig")), "Signature",
         QString::fromStdString(PrintScopeText(1, "", false))},
        {QString::fromStdString(PrintActivationText(acScheduled, "")), "Backup",
         QString::fromStdString(PrintScopeText(3, "NOTEPAD", true))},
        {QString::fromStdString(PrintActivationText(acNone, "")), "Unused",
         QString::fromStdString(PrintScopeText(2, "Mail", false))},
        {QString::fromStdString(PrintActivationText(acWindowTitle, "")), "Greeting",
         QString::fromStdString(PrintScopeText(5, "1", false))},
    };
    ASSERT_TRUE(PrintMacroList(*printer_, font_, "/home/u/work.QTM", rows));
    const std::string text = Text();
    EXPECT_NE(text.find("Macro File: /home/u/work.QTM"), std::string::npos) << text;
    for (const char* s :
         {"Snipra: sig", "Signature", "GLOBAL", "Timed Macro", "Backup", "Program: NOTEPAD (Topmost Only)",
          "None", "Window: Mail (If Running)", "Window Title", "SYSTEM"})
        EXPECT_NE(text.find(s), std::string::npos) << s << "\n" << text;
    // The three texts of a macro stand on one line, in column order.
    const std::size_t line = text.find("Timed Macro");
    const std::string backup = text.substr(line, text.find('\n', line) - line);
    EXPECT_LT(backup.find("Backup"), backup.find("Program: NOTEPAD"));
    EXPECT_EQ(Pages(), 1);
}

TEST_F(ListPrint, LongListsBreakIntoPagesAndCopiesStartOnNewPages) {
    std::vector<PrintRow> rows;
    for (int i = 1; i <= 120; ++i)
        rows.push_back({"Ctrl+" + QString::number(i), "Macro number " + QString::number(i), "GLOBAL"});
    ASSERT_TRUE(PrintMacroList(*printer_, font_, "big.QTM", rows));
    const int pages = Pages();
    EXPECT_GE(pages, 2);
    const std::string text = Text();
    EXPECT_NE(text.find("Macro number 120"), std::string::npos);
    // The header is printed once per copy, not on every page.
    std::size_t headers = 0;
    for (std::size_t at = text.find("Macro File:"); at != std::string::npos;
         at = text.find("Macro File:", at + 1))
        ++headers;
    EXPECT_EQ(headers, 1u);

    printer_->setCopyCount(2);
    ASSERT_TRUE(PrintMacroList(*printer_, font_, "big.QTM", rows));
    EXPECT_EQ(Pages(), 2 * pages);
}

TEST_F(ListPrint, AnEmptyListPrintsTheHeaderOnly) {
    ASSERT_TRUE(PrintMacroList(*printer_, font_, "none.QTM", {}));
    EXPECT_NE(Text().find("Macro File: none.QTM"), std::string::npos);
    EXPECT_EQ(Pages(), 1);
}

TEST_F(ListPrint, MarginsComeFromThePageSize) {
    const PrintLayout l = LayOutPrint(*printer_, font_, {{"Ctrl+A", "Nick", "GLOBAL"}});
    EXPECT_EQ(l.leftMargin, printer_->width() / 17);
    EXPECT_EQ(l.topMargin, printer_->height() / 22);
    EXPECT_EQ(l.lastLine, printer_->height() - 2 * l.topMargin);
    EXPECT_GT(l.column1, 0);
    EXPECT_GT(l.lineHeight, 0);
}

}  // namespace
}  // namespace tessaro
