#include "editor/wizard/email_pages.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <fstream>

#include "editor/model/wizard/email_pages.h"
#include "editor/model/wizard/wizard_finish.h"
#include "editor/script/ui/command_editors.h"
#include "tests/editor/commands/families/fakes.h"
#include "tests/editor/wizard/page_host.h"
#include "tests/support/scripted_file_chooser.h"

namespace tessaro {
namespace {

using wizard::testing::PageHost;
using wizard::testing::Rig;

// Stands for the user editing the recipient list in its dialog: the list file changes.
class ListEditor final : public CommandDialogRunner {
public:
    std::string path, newContents;
    int shown = 0;
    void Run(QDialog& dlg) override {
        ++shown;
        std::ofstream(path, std::ios::binary) << newContents;
        dlg.reject();
    }
};

class EmailPagesTest : public ::testing::Test {
protected:
    Rig rig;
    tessaro::testing::FakePathEditor pathEditor{*rig.config};
    ListEditor editor;
    std::unique_ptr<WizardPageGroup> group = MakeEmailPages(pathEditor, editor);
    std::unique_ptr<PageHost> host;

    void SetUp() override {
        editor.path = rig.File("Address.txt", "Ann|ann@example.com\r\nBob|bob@example.com\r\n");
        rig.config->EMailPath = editor.path;
        host = std::make_unique<PageHost>(*group, rig, 29);
    }
    QListWidget* Box(const char* name) { return host->Get<QListWidget>(name); }
};

TEST_F(EmailPagesTest, ModifyRefillsOnlyItsOwnPage) {
    for (int page : {76, 81, 82}) host->Show(page);
    ASSERT_EQ(Box("P76AddressBox")->count(), 2);
    EXPECT_EQ(Box("P76AddressBox")->item(1)->text(), "Bob|bob@example.com");
    Box("P76AddressBox")->item(0)->setSelected(true);
    Box("P81AddressBox")->item(1)->setSelected(true);

    editor.newContents = "Ann|ann@example.com\r\nBob|bob@example.com\r\nCy|cy@example.com\r\n";
    host->Get<QPushButton>("P81Modify")->click();
    EXPECT_EQ(editor.shown, 1);
    EXPECT_EQ(Box("P81AddressBox")->count(), 3);
    EXPECT_TRUE(Box("P81AddressBox")->selectedItems().isEmpty()) << "refilled: selection lost";
    EXPECT_EQ(Box("P76AddressBox")->count(), 2) << "other pages keep theirs";
    EXPECT_TRUE(Box("P76AddressBox")->item(0)->isSelected());
    EXPECT_EQ(Box("P82AddressBox")->count(), 2);
}

TEST_F(EmailPagesTest, UnreadableListGivesEmptyBoxesAndTypedRecipientsStillWork) {
    rig.config->EMailPath = rig.dir.file("missing.txt");
    host->Show(76);
    EXPECT_EQ(Box("P76AddressBox")->count(), 0);
    host->Get<QLineEdit>("P76Person")->setText("Dee");
    host->Get<QLineEdit>("P76Address")->setText("dee@example.com");
    host->Show(83);
    host->Get<QPlainTextEdit>("P83Memo")->setPlainText("Hello\nagain");
    host->Get<QLineEdit>("P83Subject")->setText("News");
    wizard::Answers a = host->Snapshot();
    a.Set("P2None").checked = true;
    ASSERT_TRUE(std::holds_alternative<wizard::WizardOutcome>(wizard::FinishUp(29, a, rig.ctx)));
    EXPECT_EQ(GetMacroText(*rig.rec),
              "<EMAIL:RNR1TODee|dee@example.com;\x01S1Hello\r\nagain\x01News\x01"
              "A1>");
}

TEST_F(EmailPagesTest, ListRecipientsAndCopiesGoIntoTheMacro) {
    for (int page : {76, 81, 82}) host->Show(page);
    host->Get<QAbstractButton>("P75cc")->click();
    Box("P76AddressBox")->item(1)->setSelected(true);
    Box("P81AddressBox")->item(0)->setSelected(true);
    host->Show(83);
    host->Get<QAbstractButton>("P83Clip")->click();
    wizard::Answers a = host->Snapshot();
    a.Set("P2None").checked = true;
    ASSERT_TRUE(std::holds_alternative<wizard::WizardOutcome>(wizard::FinishUp(29, a, rig.ctx)));
    EXPECT_EQ(GetMacroText(*rig.rec),
              "<EMAIL:RNR1TOBob|bob@example.com;\x01"
              "CCAnn|ann@example.com;\x01S3No Subject\x01"
              "A1>");
}

TEST_F(EmailPagesTest, BodyChoicesShowTheirControls) {
    host->Show(83);
    auto shown = [&](const char* name) { return host->Get<QWidget>(name)->isVisibleTo(host->Panel(83)); };
    EXPECT_TRUE(shown("P83Memo"));
    EXPECT_FALSE(shown("P83FileName"));
    host->Get<QAbstractButton>("P83Prompt")->click();
    for (const char* name : {"P83Memo", "P83FileName", "P83Browse", "P83Subject", "P83Request"})
        EXPECT_FALSE(shown(name)) << name;
    host->Get<QAbstractButton>("P83File")->click();
    EXPECT_TRUE(shown("P83FileName"));
    EXPECT_TRUE(shown("P83Subject"));
    EXPECT_FALSE(shown("P83Memo"));

    tessaro::testing::ScriptedFileChooser chooser({rig.File("body.txt")});
    host->Get<QPushButton>("P83Browse")->click();
    EXPECT_EQ(host->Get<QLineEdit>("P83FileName")->text().toStdString(), rig.File("body.txt"));
}

TEST_F(EmailPagesTest, AttachmentsAreAddedAndDeleted) {
    host->Show(77);
    EXPECT_FALSE(host->Get<QWidget>("P77AttachBox")->isEnabled());
    host->Get<QAbstractButton>("P77ChooseAttach")->click();
    EXPECT_TRUE(host->Get<QWidget>("P77AttachBox")->isEnabled());
    // The fourth choice is cancelled: nothing added.
    tessaro::testing::ScriptedFileChooser chooser({rig.File("a.pdf"), rig.File("b.zip"), rig.File("c.txt")});
    for (int i = 0; i < 4; ++i) host->Get<QPushButton>("P77AddAttach")->click();
    QListWidget* box = Box("P77AttachBox");
    ASSERT_EQ(box->count(), 3);
    box->setCurrentRow(2);
    host->Get<QPushButton>("P77DeleteAttach")->click();
    EXPECT_EQ(box->currentRow(), 1) << "the new last one";
    box->setCurrentRow(0);
    host->Get<QPushButton>("P77DeleteAttach")->click();
    EXPECT_EQ(box->currentItem()->text().toStdString(), rig.dir.file("b.zip"));
    host->Get<QPushButton>("P77DeleteAttach")->click();
    EXPECT_EQ(box->count(), 0);
    EXPECT_EQ(box->currentRow(), -1) << "nothing left to select";
    EXPECT_EQ(wizard::SelectionAfterDelete(0, 0), -1);
}

}  // namespace
}  // namespace tessaro
