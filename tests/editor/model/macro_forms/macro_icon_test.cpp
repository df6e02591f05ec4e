#include "editor/model/macro_forms/macro_icon.h"

#include <QGuiApplication>
#include <QImageWriter>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "macro_icon_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

class MacroIcon : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureGuiApplication();
        root = fs::temp_directory_path() / ("mf_icon_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "pick");
        icons = (root / "Icons").string();
    }
    void TearDown() override { fs::remove_all(root); }
    std::string Icon(const std::string& name, QColor colour) {
        QImage img(32, 32, QImage::Format_ARGB32);
        img.fill(colour);
        const std::string p = (root / "pick" / name).string();
        QImageWriter w(QString::fromStdString(p), "ico");
        EXPECT_TRUE(w.write(img)) << w.errorString().toStdString();
        return p;
    }
    fs::path root;
    std::string icons;
};

TEST_F(MacroIcon, ShortNamesAreKeptAsTheyAre) {
    EXPECT_EQ(ShortName83("pen.ico"), "pen.ico");
    EXPECT_EQ(ShortName83("12345678.ICO"), "12345678.ICO");
    EXPECT_EQ(ShortName83("123456789.ico"), "");
    EXPECT_EQ(ShortName83("my pen.ico"), "");
    EXPECT_EQ(ShortName83("a.b.ico"), "");
    const IconChoice c = ChooseIconFile(Icon("pen.ico", Qt::red), icons);
    ASSERT_TRUE(c.ok) << c.error;
    EXPECT_EQ(c.iconName, "pen.ico");
    EXPECT_TRUE(fs::exists(fs::path(icons) / "pen.ico"));
    EXPECT_EQ(LoadIconGlyph(c.path)->size(), QSize(16, 16));
}

TEST_F(MacroIcon, AnIconOfTheFolderIsUsedAsItLies) {
    fs::create_directories(icons);
    fs::rename(Icon("blue.ico", Qt::blue), fs::path(icons) / "blue.ico");
    fs::rename(Icon("BLUE.ICO", Qt::red), fs::path(icons) / "BLUE.ICO");
    fs::rename(Icon("my pen.ico", Qt::green), fs::path(icons) / "my pen.ico");
    for (const char* name : {"blue.ico", "my pen.ico"}) {
        const IconChoice c = ChooseIconFile((fs::path(icons) / name).string(), icons);
        ASSERT_TRUE(c.ok) << c.error;
        EXPECT_EQ(c.iconName, name);
        EXPECT_EQ(c.path, (fs::path(icons) / name).string());
        EXPECT_TRUE(c.warning.empty()) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(icons), {}), 3) << "nothing copied";
}

TEST_F(MacroIcon, LongNamesGetAFreeGeneratedName) {
    const IconChoice a = ChooseIconFile(Icon("A long icon name.ico", Qt::red), icons);
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.iconName, "Alongi~1.ico");
    EXPECT_LE(a.iconName.size(), 12u);
    const IconChoice again = ChooseIconFile((root / "pick" / "A long icon name.ico").string(), icons);
    EXPECT_EQ(again.iconName, "Alongi~1.ico") << "the same bytes reuse their copy";
    const IconChoice b = ChooseIconFile(Icon("A long icon nameB.ico", Qt::blue), icons);
    EXPECT_EQ(b.iconName, "Alongi~2.ico");
    EXPECT_TRUE(b.warning.empty());
}

TEST_F(MacroIcon, ExistingNameIsNotOverwritten) {
    ASSERT_TRUE(ChooseIconFile(Icon("pen.ico", Qt::red), icons).ok);
    const auto before = fs::file_size(fs::path(icons) / "pen.ico");
    fs::create_directories(root / "other");
    const std::string green = Icon("x.ico", Qt::green);
    fs::rename(green, root / "other" / "pen.ico");
    const IconChoice c = ChooseIconFile((root / "other" / "pen.ico").string(), icons);
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.warning, kIconNameTaken);
    EXPECT_EQ(fs::file_size(fs::path(icons) / "pen.ico"), before);
    const QImage kept = LoadIconGlyph(c.path)->convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(QColor(kept.pixel(8, 8)), QColor(Qt::red));
}

TEST_F(MacroIcon, WrongTypeAndBrokenIconsAreRefusedUncopied) {
    EXPECT_EQ(ChooseIconFile((root / "pick" / "pic.png").string(), icons).error, kInvalidIconType);
    const std::string broken = (root / "pick" / "BROKEN.ICO").string();
    std::ofstream(broken) << "not an icon at all";
    const IconChoice c = ChooseIconFile(broken, icons);
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.error, kIconNotOpened);
    EXPECT_FALSE(fs::exists(fs::path(icons) / "BROKEN.ICO"));
}

}  // namespace
}  // namespace tessaro
