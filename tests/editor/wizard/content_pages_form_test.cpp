// The content pages inside the real wizard form: walked with Next and Back, checked by
// the form, read back through the control binding as Finish reads them.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableWidget>

#include "editor/model/wizard/content_pages.h"
#include "editor/wizard/t_quick_wiz.h"
#include "platform/sim/sim_system_settings.h"
#include "tests/editor/commands/dialog_harness.h"
#include "tests/editor/wizard/wizard_form_fixture.h"

namespace tessaro {
namespace {

class ContentPagesInForm : public testing::WizardFormTest {};

TEST_F(ContentPagesInForm, TheSymbolPageStartsOnItsPresetCellAndReportsTheChosenSymbol) {
    auto form = Open(3);
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 4);
    auto* grid = form->Control<QTableWidget>("P4SymbolGrid");
    EXPECT_EQ(grid->currentColumn(), 9);
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(wizard::SymbolIndexOfAnswer(form->Snapshot()), 75);
    testing::SaveScreen(form.get(), "WizardPage4");
    grid->setCurrentCell(3, 2);
    EXPECT_EQ(wizard::SymbolOfIndex(wizard::SymbolIndexOfAnswer(form->Snapshot())), 147);

    form->NextButtonClick();
    EXPECT_EQ(form->CurrentPage(), 2);
    form->BackButtonClick();  // the choice stands
    EXPECT_EQ(grid->currentColumn(), 2);
}

TEST_F(ContentPagesInForm, DisplayModesArePickedAndCheckedInTheSystemsOrder) {
    auto& settings = win::sim::TheSimSystemSettings();
    settings.modes = {{800, 600, 65536, 60}, {1024, 768, 16777216, 60}};
    auto form = Open(13);
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 16);
    auto* list = form->Control<QListWidget>("P16SettingBox");
    ASSERT_EQ(list->count(), 2);
    list->clearSelection();
    list->setCurrentRow(-1);
    form->NextButtonClick();
    EXPECT_EQ(LastText(), "No display setting has been selected. Please select one.");
    EXPECT_EQ(form->CurrentPage(), 16);
    list->setCurrentRow(1);
    form->NextButtonClick();
    EXPECT_EQ(form->CurrentPage(), 2);
    EXPECT_EQ(form->Snapshot().Index("P16SettingBox"), 1);
    settings.modes.clear();
}

TEST_F(ContentPagesInForm, TimeOnlySkipsTheDatePagesBothWays) {
    auto form = Open(6);
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 17);
    EXPECT_TRUE(form->Control<QRadioButton>("P17Both")->isChecked());
    form->Control<QRadioButton>("P17Time")->setChecked(true);
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 19);
    auto* formats = form->Control<QListWidget>("P19Format");
    EXPECT_EQ(formats->count(), 26);
    formats->setCurrentRow(0);
    form->BackButtonClick();
    EXPECT_EQ(form->CurrentPage(), 17);
}

TEST_F(ContentPagesInForm, EverySoundChoicePageStartsWithAChoice) {
    auto form = Open(17);
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 43);
    form->Control<QRadioButton>("P43MIDI")->setChecked(true);
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 45);
    EXPECT_EQ(
        wizard::CheckedOf(form->Snapshot(), {"P45MIDIOff", "P45MIDIOn", "P45MIDIUp", "P45MIDIDown",
                                             "P45MIDIMute", "P45MIDILeft", "P45MIDIRight", "P45MIDICenter"}),
        "P45MIDIOff");
    form->BackButtonClick();
    form->Control<QRadioButton>("P43Audio")->setChecked(true);
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 44);
    EXPECT_TRUE(form->Snapshot().Checked("P44AudioMute"));
}

TEST_F(ContentPagesInForm, TheReminderPageAlwaysSchedulesTheMacro) {
    auto form = Open(10);
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 26);
    auto* memo = form->Control<QPlainTextEdit>("P26MyMemo");
    memo->setPlainText("Call Anna");
    form->NextButtonClick();
    EXPECT_EQ(form->CurrentPage(), 3);
    EXPECT_TRUE(form->Snapshot().Checked("P2Timed"));
    EXPECT_EQ(form->Snapshot().Text("P26MyMemo"), "Call Anna");
}

}  // namespace
}  // namespace tessaro
