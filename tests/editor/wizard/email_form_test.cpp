#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "editor/script/command_table.h"
#include "editor/script/parse_text.h"
#include "editor/wizard/t_quick_wiz.h"
#include "macro/macro_record.h"
#include "tests/editor/wizard/wizard_form_fixture.h"

namespace tessaro {
namespace {

using testing::WizardFormTest;

class EmailForm : public WizardFormTest {
protected:
    template <class W>
    W* Named(TQuickWiz& form, const char* name) {
        W* w = form.Control<W>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

TEST_F(EmailForm, RecipientsTypedNowMakeOneEmailLine) {
    TQuickWiz form(*ctx, Hosts(), 29);
    form.show();
    QApplication::processEvents();

    ASSERT_TRUE(NextTo(form, 78));
    Named<QAbstractButton>(form, "P78Connected")->setChecked(true);
    ASSERT_TRUE(NextTo(form, 75));
    Named<QAbstractButton>(form, "P75Now")->setChecked(true);
    ASSERT_TRUE(NextTo(form, 76));
    Named<QLineEdit>(form, "P76Person")->setText("Bob");
    Named<QLineEdit>(form, "P76Address")->setText("bob@example.com");
    ASSERT_TRUE(NextTo(form, 83)) << "no copies asked for: pages 81 and 82 are passed by";
    Named<QAbstractButton>(form, "P83Now")->click();
    Named<QPlainTextEdit>(form, "P83Memo")->setPlainText("See you at noon");
    Named<QLineEdit>(form, "P83Subject")->setText("Lunch");
    ASSERT_TRUE(NextTo(form, 77));
    Named<QAbstractButton>(form, "P77NoAttach")->click();
    ASSERT_TRUE(NextTo(form, 2));
    Named<QAbstractButton>(form, "P2None")->setChecked(true);
    ASSERT_TRUE(NextTo(form, 10));
    Named<QLineEdit>(form, "P10Nick")->setText("Lunch mail");
    form.NextButtonClick();  // Finish

    EXPECT_FALSE(form.isVisible()) << LastText();
    EXPECT_TRUE(form.Outcome().Finished);
    EXPECT_EQ(rec.Nickname.str(), "Lunch mail");
    const std::string text = GetMacroText(rec);
    const std::vector<ScriptLine> lines = ParseMacroText(text);
    ASSERT_EQ(lines.size(), 1u) << text;
    EXPECT_EQ(LineCommand(lines[0]), cmd::EmailSend) << text;
    for (const char* part : {"Bob", "bob@example.com", "Lunch", "See you at noon"})
        EXPECT_NE(text.find(part), std::string::npos) << part << " missing from " << text;
}

}  // namespace
}  // namespace tessaro
