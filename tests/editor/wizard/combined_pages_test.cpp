#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "misc_form.h"
#include "tests/editor/commands/dialog_harness.h"
#include "tests/support/macro_fixtures.h"

namespace tessaro {
namespace {

using testing::Click;
using testing::MiscForm;
using testing::Named;
using testing::RecordedBoxes;
using testing::TestMacro;

struct CombinedForm : MiscForm {
    CombinedForm() : MiscForm(MakeCombinedPages()) {
        rig.Add(TestMacro("Sign off", 1));
        rig.Add(TestMacro("Address", 2));
        rig.Add(TestMacro("Core", 3, scSystem));
        Show(64);
    }
    QListWidget* avail() { return Named<QListWidget>(Window(), "P64AvailBox"); }
    QListWidget* newBox() { return Named<QListWidget>(Window(), "P64NewBox"); }
    void Choose(int row) { avail()->setCurrentRow(row); }
    QStringList Lines() {
        QStringList lines;
        for (int i = 0; i < newBox()->count(); ++i) lines << newBox()->item(i)->text();
        return lines;
    }
    bool Enabled(const char* button) { return Named<QPushButton>(Window(), button)->isEnabled(); }
};

TEST(WizardCombinedPages, MacrosAreAddedInsertedMovedAndDeletedWithTheirButtons) {
    CombinedForm form;
    ASSERT_EQ(form.avail()->count(), 2);
    EXPECT_EQ(form.avail()->item(0)->text(), "Address");
    EXPECT_FALSE(form.Enabled("P64DoDelete"));

    form.Choose(1);
    Click(form.Window(), "P64AddButton");
    form.Choose(0);
    Click(form.Window(), "P64InsertBefore");
    EXPECT_EQ(form.Lines(), (QStringList{"Address", "Sign off"}));
    EXPECT_EQ(form.newBox()->currentRow(), 0);
    EXPECT_FALSE(form.Enabled("P64DoUp"));
    EXPECT_TRUE(form.Enabled("P64DoDown"));

    Click(form.Window(), "P64InsertAfter");
    EXPECT_EQ(form.Lines(), (QStringList{"Address", "Address", "Sign off"}));
    form.newBox()->setCurrentRow(2);
    EXPECT_TRUE(form.Enabled("P64DoUp"));
    EXPECT_FALSE(form.Enabled("P64DoDown"));
    Click(form.Window(), "P64DoUp");
    EXPECT_EQ(form.Lines(), (QStringList{"Address", "Sign off", "Address"}));
    EXPECT_EQ(form.newBox()->currentRow(), 1);

    // A double click adds at the end; the line keeps its macro's number.
    const QPoint second = form.avail()->visualItemRect(form.avail()->item(1)).center();
    QTest::mouseClick(form.avail()->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(form.avail()->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(form.Lines(), (QStringList{"Address", "Sign off", "Address", "Sign off"}));
    EXPECT_EQ(form.newBox()->item(3)->data(Qt::UserRole).toInt(), 1);

    for (int i = 0; i < 4; ++i) Click(form.Window(), "P64DoDelete");
    EXPECT_TRUE(form.Lines().isEmpty());
    for (const char* b : {"P64DoUp", "P64DoDown", "P64DoDelete"}) EXPECT_FALSE(form.Enabled(b)) << b;
}

TEST(WizardCombinedPages, NothingChosenIsReportedAndChangesNothing) {
    CombinedForm form;
    RecordedBoxes boxes;
    Click(form.Window(), "P64AddButton");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "No macro selected.  Please select one.");
    EXPECT_EQ(boxes.calls[0].caption, "Error");
    EXPECT_TRUE(form.Lines().isEmpty());
}

}  // namespace
}  // namespace tessaro
