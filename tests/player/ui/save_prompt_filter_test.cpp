// The player's save prompt, shown: its filter reads as the command gives it, each pattern once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "player/ui/player_windows.h"
#include "tests/support/held_key.h"
#include "platform/sim/sim_platform.h"
#include "tests/support/qt_app.h"

namespace tessaro {
namespace {

TEST(SavePrompt, TheFilterShowsEachPatternOnce) {
    EnsureQtApplication();
    win::sim::SimPlatform platform;
    QtPlayerWindows windows(platform.desktop(), platform.windowControl());
    QStringList filters;
    bool seen = false;
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&] {
        QFileDialog* dialog = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) dialog = d;
        if (seen || !dialog || !dialog->isVisible()) return;
        seen = true;
        filters = dialog->nameFilters();
        testing::HeldKey(dialog, Qt::Key_Escape);
    });
    reader.start(20);
    const auto chosen = windows.PromptSavePath("Save Clipboard Text to Text File", "TXT",
                                               "Text Files (*.TXT)|*.TXT|Bitmap|*.BMP", false);
    reader.stop();
    ASSERT_TRUE(seen);
    EXPECT_FALSE(chosen.has_value());
    EXPECT_EQ(filters.join(";;").toStdString(), "Text Files (*.TXT);;Bitmap (*.BMP)");
}

}  // namespace
}  // namespace tessaro
