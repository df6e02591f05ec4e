// A picture file that is there but is not a bitmap: the player says it could not be read,
// never that it could not be found.
#include <QImage>
#include <gtest/gtest.h>

#include "interpreter_doubles.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

TEST(ClipboardPng, AnExistingPngIsNotReportedMissing) {
    testing::TempDir dir;
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("shot.png")), "PNG"));
    testing::Rig rig;
    rig.Play("<CLIPB:" + dir.file("shot.png") + ">");
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Bitmap Copy Error");
    EXPECT_NE(rig.windows.messages[0].text, "Bitmap file could not be located.");
    EXPECT_NE(rig.windows.messages[0].text.find(dir.file("shot.png")), std::string::npos)
        << rig.windows.messages[0].text;
}

}  // namespace
}  // namespace tessaro
