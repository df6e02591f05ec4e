// The Desktop dialog's Alt+O: "C&ontrol Panel" and "&Ok" share the letter, as their captions
// are given. Pressed again, Alt+O goes from one to the other and so reaches Ok, without
// changing the choice; Enter then presses Ok.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>

#include "editor/commands/desktop_dialogs.h"
#include "tests/support/held_key.h"
#include "tests/support/qt_app.h"

namespace tessaro {
namespace {

TEST(DesktopAltO, ReachesOkAndEnterPressesIt) {
    EnsureQtApplication();
    TDoRecycle dlg(nullptr, true);
    dlg.NewCommand = 1;
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    auto* cascade = dlg.findChild<QRadioButton*>("Cascade");
    ASSERT_TRUE(cascade->isChecked());
    bool reached = false;
    for (int press = 0; press < 2 && !reached; ++press) {
        testing::HeldKeyToFocus(Qt::Key_O, Qt::AltModifier);
        reached = QApplication::focusWidget() == dlg.OkButton;
    }
    ASSERT_TRUE(reached);
    EXPECT_TRUE(cascade->isChecked());
    testing::HeldKeyToFocus(Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.CommandText, "<CASCDESK>");
}

}  // namespace
}  // namespace tessaro
