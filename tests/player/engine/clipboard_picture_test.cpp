#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "interpreter_doubles.h"
#include "player/engine/picture_files.h"
#include "player/engine/qt_playback_services.h"
#include "tests/support/finishes_in_time.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

// The desktop clipboard needs a GUI application; one serves the whole test program.
bool EnsureGuiApplication() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "player_tests";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

QImage Gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(200, 40 * y % 256, 10 * x));
    return image;
}

// A rig whose clipboard is the desktop's.
struct DesktopClipboardRig : testing::Rig {
    QtClipboard desktopClipboard;
    MacroPlayer real{PlayerServices{input, clock, windows, desktopClipboard, desktop, macros, families}};
    std::string Run(std::string_view text) {
        real.BeginMacro(false);
        real.DoMacro(text, 1, 1, 1, true);
        return testing::Typed(input.log);
    }
};

class ClipboardPictures : public ::testing::Test {
protected:
    void SetUp() override {
        if (!EnsureGuiApplication()) GTEST_SKIP() << "another kind of application runs";
    }
    testing::TempDir dir;
};

TEST_F(ClipboardPictures, TextRoundTripsThroughTheDesktopClipboard) {
    DesktopClipboardRig rig;
    EXPECT_EQ(rig.Run("<BEGCLIP>caf\xE9 <TAB> \x80<ENDCLIP><CLIPTYPE>"), "caf[A0233] \t [A0128]");
    EXPECT_EQ(rig.desktopClipboard.Text(), "caf\xE9 <TAB> \x80");
}

TEST_F(ClipboardPictures, JpegAndBitmapFilesGoToTheClipboardAndBack) {
    const QImage source = Gradient(8, 6);
    std::string why;
    ASSERT_TRUE(SaveJpeg(dir.file("pic.jpg"), source, 100, why)) << why;
    DesktopClipboardRig rig;
    rig.Run("<CLIPB:" + dir.file("pic.jpg") + ">");
    QImage onClipboard;
    ASSERT_TRUE(rig.desktopClipboard.Image(onClipboard));
    ASSERT_EQ(onClipboard.size(), source.size());
    const QRgb corner = onClipboard.pixel(7, 5);
    EXPECT_NEAR(qRed(corner), 200, 12);
    EXPECT_NEAR(qBlue(corner), 70, 12);

    rig.Run("<CLIPSG:" + dir.file("a.bmp") + "><CLIPSG:" + dir.file("b.JPG") + "><CLIPSG:" + dir.file("c") +
            ">");
    QImage bmp, jpg, appended;
    ASSERT_TRUE(LoadBitmap(dir.file("a.bmp"), bmp));
    ASSERT_TRUE(LoadJpeg(dir.file("b.JPG"), jpg));
    ASSERT_TRUE(LoadBitmap(dir.file("c.BMP"), appended));
    EXPECT_EQ(bmp.convertToFormat(QImage::Format_RGB32), onClipboard.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(jpg.size(), source.size());
    EXPECT_TRUE(rig.windows.messages.empty());

    // a bitmap file on the clipboard comes back pixel for pixel
    rig.Run("<CLIPB:" + dir.file("a.bmp") + ">");
    QImage again;
    ASSERT_TRUE(rig.desktopClipboard.Image(again));
    EXPECT_EQ(again.convertToFormat(QImage::Format_RGB32), bmp.convertToFormat(QImage::Format_RGB32));
}

TEST_F(ClipboardPictures, MissingDamagedAndMetafilePicturesAreReported) {
    testing::WriteBytes(dir.file("bad.jpg"), {'\xff', '\xd8', 'n', 'o', 't'});
    testing::WriteBytes(dir.file("pic.wmf"), {'\xd7', '\xcd', '\xc6', '\x9a'});
    testing::Rig rig;
    rig.Play("<CLIPB:" + dir.file("none.wmf") + "><CLIPB:" + dir.file("none.jpg") +
             "><CLIPB:" + dir.file("none.bmp") + "><CLIPB:" + dir.file("bad.jpg") +
             "><CLIPB:" + dir.file("pic.wmf") + "><CLIPSG:" + dir.file("out.bmp") + ">");
    ASSERT_EQ(rig.windows.messages.size(), 6u);
    EXPECT_EQ(rig.windows.messages[0].caption, "MetaFile Copy Error");
    EXPECT_EQ(rig.windows.messages[0].text, "Windows metafile file could not be located.");
    EXPECT_EQ(rig.windows.messages[1].caption, "JPEG Copy Error");
    EXPECT_EQ(rig.windows.messages[1].text, "JPEG file could not be located.");
    EXPECT_EQ(rig.windows.messages[2].caption, "Bitmap Copy Error");
    EXPECT_EQ(rig.windows.messages[2].text, "Bitmap file could not be located.");
    EXPECT_EQ(rig.windows.messages[3].caption, "JPEG Copy Error");
    EXPECT_EQ(rig.windows.messages[4].caption, "MetaFile Copy Error");
    EXPECT_EQ(rig.windows.messages[5].text,
              "There is no recognizable graphic in the clipboard. Saving clipboard graphic to a "
              "file will abort.");
    EXPECT_TRUE(rig.clipboard.image.isNull());
    EXPECT_TRUE(testing::ReadBytes(dir.file("out.bmp")).empty());
}

TEST_F(ClipboardPictures, FailedJpegSaveLeavesNoFileBehind) {
    std::string why;
    EXPECT_FALSE(SaveJpeg(dir.file("missing-dir/x.jpg"), Gradient(2, 2), 100, why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(SaveJpeg(dir.file("empty.jpg"), QImage(), 100, why));
    EXPECT_TRUE(testing::ReadBytes(dir.file("empty.jpg")).empty());
    EXPECT_TRUE(testing::ReadBytes(dir.file("empty.jpg.part")).empty());
}

// A FIFO as the picture's file, for either format: refused at once and left a FIFO, also
// when a FIFO lies where a temporary file would go.
TEST_F(ClipboardPictures, AFifoIsNeverWrittenAsAPicture) {
    for (const std::string name : {"pic.bmp", "pic.jpg", "pic.jpg.part"})
        ASSERT_EQ(::mkfifo(dir.file(name).c_str(), 0600), 0) << name;
    const int code = testing::ExitCodeWithin(
        [&] {
            std::string why;
            const bool bitmap = SaveBitmap(dir.file("pic.bmp"), Gradient(2, 2), why);
            const bool jpeg = SaveJpeg(dir.file("pic.jpg"), Gradient(2, 2), 100, why);
            std::filesystem::remove(dir.file("pic.jpg"));
            const bool beside = SaveJpeg(dir.file("pic.jpg"), Gradient(2, 2), 100, why);
            return !bitmap && !jpeg && (beside || !JpegUnavailable().empty()) ? 0 : 1;
        },
        std::chrono::seconds(10));
    EXPECT_EQ(code, 0) << "-1: the player hung on a FIFO";
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("pic.bmp")));
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("pic.jpg.part")));
}

// One side of the cross-process round trip; ClipboardOnX runs this program again under a
// private X server with TESSARO_CLIP_ROLE set.
TEST(ClipboardOnXChild, PlaysItsRole) {
    const char* role = std::getenv("TESSARO_CLIP_ROLE");
    if (!role) GTEST_SKIP() << "runs only as a child of ClipboardOnX";
    ASSERT_TRUE(EnsureGuiApplication());
    DesktopClipboardRig rig;
    if (std::string(role) == "owner") {
        rig.Run("<BEGCLIP>caf\xE9 <TAB> line<ENDCLIP>");
        std::cout << "READY" << std::endl;
        const std::filesystem::path stop = std::getenv("TESSARO_CLIP_STOP");
        for (int i = 0; i < 750 && !std::filesystem::exists(stop); ++i) {
            QCoreApplication::processEvents();  // serve the selection to the reader
            QThread::msleep(20);
        }
    } else {
        const std::string typed = rig.Run("<CLIPTYPE>");
        std::cout << "TYPED:" << QByteArray::fromStdString(typed).toHex().toStdString() << std::endl;
    }
}

TEST(ClipboardOnX, TextCrossesProcessesThroughTheXClipboard) {
    if (!EnsureGuiApplication()) GTEST_SKIP() << "another kind of application runs";
    testing::TempDir dir;
    QProcess server;
    server.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"});
    if (!server.waitForStarted(5000) || !server.waitForReadyRead(10000))
        GTEST_SKIP() << "Xvfb could not start";
    const QString display = ":" + QString::fromLatin1(server.readAllStandardOutput()).trimmed();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("TESSARO_CLIP_STOP", QString::fromStdString(dir.file("stop")));
    const QString self = QString::fromStdString(std::filesystem::read_symlink("/proc/self/exe"));
    const QStringList args{"--gtest_filter=ClipboardOnXChild.*"};

    QProcess owner;
    env.insert("TESSARO_CLIP_ROLE", "owner");
    owner.setProcessEnvironment(env);
    owner.start(self, args);
    QByteArray ownerOut;
    while (!ownerOut.contains("READY") && owner.waitForReadyRead(10000))
        ownerOut += owner.readAllStandardOutput();
    ASSERT_TRUE(ownerOut.contains("READY")) << ownerOut.toStdString();

    QProcess reader;
    env.insert("TESSARO_CLIP_ROLE", "reader");
    reader.setProcessEnvironment(env);
    reader.start(self, args);
    ASSERT_TRUE(reader.waitForFinished(20000));
    const QByteArray out = reader.readAllStandardOutput();

    testing::WriteBytes(dir.file("stop"), {'1'});
    owner.waitForFinished(20000);
    server.terminate();
    server.waitForFinished(5000);

    const qsizetype at = out.indexOf("TYPED:");
    ASSERT_GE(at, 0) << out.toStdString();
    const QByteArray hex = out.mid(at + 6, out.indexOf('\n', at) - at - 6);
    EXPECT_EQ(QByteArray::fromHex(hex).toStdString(), "caf[A0233] \t line");
}

}  // namespace
}  // namespace tessaro
