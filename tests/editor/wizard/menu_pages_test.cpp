#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "misc_form.h"
#include "tests/editor/commands/dialog_harness.h"
#include "tests/support/macro_fixtures.h"

namespace tessaro {
namespace {

using testing::MiscForm;
using testing::Named;
using testing::RecordedBoxes;
using testing::TestMacro;

struct MenuForm : MiscForm {
    MenuForm() : MiscForm(MakeMenuPages()) {
        TMacroRecord timed = TestMacro("Backup", acScheduled);
        timed.ScheduleType = 6;
        timed.IntervalMinutes = 15;
        rig.Add(TestMacro("Hello", 0));
        rig.Add(TestMacro("System", 1, scSystem));
        rig.Add(timed);
    }
    QListWidget* list() { return Named<QListWidget>(Window(), "P50Macros"); }
    QPoint RowCentre(int row) { return list()->visualItemRect(list()->item(row)).center(); }
};

TEST(WizardMenuPages, PageFiftyListsTheMacrosAndMakesTheMenuAGlobalHotKeyMacro) {
    MenuForm form;
    form.Show(50);
    QListWidget* list = form.list();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "Hello");
    EXPECT_EQ(list->item(1)->text(), "Backup");
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::MultiSelection);
    EXPECT_TRUE(Named<QRadioButton>(form.Window(), "P2HotKey")->isChecked());
    EXPECT_TRUE(Named<QRadioButton>(form.Window(), "P7Global")->isChecked());

    // Both rows can be chosen by clicking them in turn.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, form.RowCentre(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, form.RowCentre(1));
    EXPECT_EQ(list->selectedItems().size(), 2);
    // A later showing keeps the choice.
    form.Show(50, false);
    EXPECT_EQ(list->selectedItems().size(), 2);
}

TEST(WizardMenuPages, RightClickOnOneRowShowsItsQuickInfoAndNothingWhenReleasedElsewhere) {
    MenuForm form;
    form.Show(50);
    RecordedBoxes boxes;
    QWidget* viewport = form.list()->viewport();
    QTest::mousePress(viewport, Qt::RightButton, {}, form.RowCentre(1));
    QTest::mouseRelease(viewport, Qt::RightButton, {}, form.RowCentre(1));
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].caption, "Quick Info");
    EXPECT_EQ(boxes.calls[0].text,
              "Timed Macro\r\n\r\nName: Backup\r\n\r\nScope: GLOBAL\r\n\r\nActive: Yes\r\n\r\n"
              "Schdedule: every 15 minutes\r\n\r\nMacro: Backup text");
    EXPECT_TRUE(form.list()->selectedItems().empty());  // a right click chooses nothing

    QTest::mousePress(viewport, Qt::RightButton, {}, form.RowCentre(0));
    QTest::mouseRelease(viewport, Qt::RightButton, {}, form.RowCentre(1));
    EXPECT_EQ(boxes.calls.size(), 1u);
}

TEST(WizardMenuPages, IconSizeIsOfferedOnlyForTheIconDisplay) {
    MenuForm form;
    QWidget* w = form.Window();
    auto* size = Named<QComboBox>(w, "P51IconSize");
    EXPECT_TRUE(Named<QRadioButton>(w, "P51Text")->isChecked());
    EXPECT_TRUE(Named<QRadioButton>(w, "P52Yes")->isChecked());
    ASSERT_EQ(size->count(), 5);
    EXPECT_EQ(size->currentIndex(), 0);
    EXPECT_EQ(size->itemText(3), "48 x 48");
    EXPECT_FALSE(size->isEnabled());
    Named<QRadioButton>(w, "P51Icons")->click();
    EXPECT_TRUE(size->isEnabled());
    EXPECT_TRUE(Named<QLabel>(w, "P51IconSizeLabel")->isEnabled());
    Named<QRadioButton>(w, "P51Nick")->click();
    EXPECT_FALSE(size->isEnabled());
    EXPECT_FALSE(Named<QLabel>(w, "P51IconSizeLabel")->isEnabled());
}

}  // namespace
}  // namespace tessaro
