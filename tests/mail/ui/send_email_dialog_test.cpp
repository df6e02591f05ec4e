// The Send E-Mail dialog in each mode and the status window, offscreen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "mail/send_dialog_model.h"
#include "mail/ui/send_email_dialog.h"
#include "tests/support/held_press.h"
#include "tests/support/modal_window.h"
#include "tests/support/qt_app.h"
#include "tests/support/scripted_file_chooser.h"
#include "tests/support/visible_form.h"

namespace tessaro::mail {
namespace {

class SendDialog : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        list_ = (std::filesystem::temp_directory_path() / ("tesmail-" + std::to_string(::getpid()) + ".txt"))
                    .string();
        std::ofstream(list_, std::ios::binary) << "Ann|ann@x\r\nBob|bob@x\r\nCy|cy@x\r\n";
    }
    void TearDown() override { std::filesystem::remove(list_); }
    std::string list_;
};

const std::string kEnd(1, '\x01');

TEST_F(SendDialog, RecipientsNothingChosenGivesThreeBareEnds) {
    TDoTheEmail d(EMailPromptMode::Recipients, list_);
    EXPECT_EQ(d.windowTitle(), "Send E-Mail");
    EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(d.TextPanel->isVisibleTo(&d));
    EXPECT_EQ(d.Blocks[0].List->count(), 3);
    EXPECT_EQ(d.Blocks[0].List->item(1)->text(), "Bob");
    d.Blocks[1].NameEdit->setText("Only A Name");
    d.ContinueButtonClick();
    EXPECT_EQ(d.Results, (std::array<std::string, 3>{kEnd, kEnd, kEnd}));
    EXPECT_FALSE(d.Canceled);
}

TEST_F(SendDialog, RecipientsTypedAndSelectedAndTheSwitchKeepsSelection) {
    TDoTheEmail d(EMailPromptMode::Recipients, list_);
    d.Blocks[0].NameEdit->setText("  Zed ");
    d.Blocks[0].AddressEdit->setText(" zed@x ");
    d.Blocks[0].List->item(0)->setSelected(true);
    d.Blocks[0].List->item(2)->setSelected(true);
    d.Blocks[2].List->item(1)->setSelected(true);
    d.Blocks[0].AddressRadio->setChecked(true);
    EXPECT_EQ(d.Blocks[0].List->item(0)->text(), "ann@x");
    EXPECT_TRUE(d.Blocks[0].List->item(0)->isSelected());
    EXPECT_FALSE(d.Blocks[0].List->item(1)->isSelected());
    EXPECT_TRUE(d.Blocks[0].List->item(2)->isSelected());
    d.Blocks[0].NameRadio->setChecked(true);
    EXPECT_EQ(d.Blocks[0].List->item(2)->text(), "Cy");
    EXPECT_TRUE(d.Blocks[0].List->item(2)->isSelected());
    d.ContinueButtonClick();
    EXPECT_EQ(d.Results[0], "Zed|zed@x;Ann|ann@x;Cy|cy@x;" + kEnd);
    EXPECT_EQ(d.Results[1], kEnd);
    EXPECT_EQ(d.Results[2], "Bob|bob@x;" + kEnd);
}

TEST_F(SendDialog, MissingRecipientFileLeavesEmptyLists) {
    TDoTheEmail d(EMailPromptMode::Recipients, list_ + ".none");
    EXPECT_EQ(d.Blocks[0].List->count(), 0);
    d.Blocks[2].AddressEdit->setText("x@y");
    d.ContinueButtonClick();
    EXPECT_EQ(d.Results[2], "|x@y;" + kEnd);
}

TEST_F(SendDialog, SubjectAndText) {
    TDoTheEmail d(EMailPromptMode::SubjectAndText, list_);
    EXPECT_TRUE(d.TextPanel->isVisibleTo(&d));
    EXPECT_FALSE(d.RecipientPanel->isVisibleTo(&d));
    d.SubjectEdit->setText("   ");
    d.TextMemo->setPlainText("one\ntwo");
    d.ContinueButtonClick();
    EXPECT_EQ(d.Results, (std::array<std::string, 3>{"one\r\ntwo", "No Subject", "NO"}));
    TDoTheEmail e(EMailPromptMode::SubjectAndText, list_);
    e.SubjectEdit->setText(" Caf\u00e9 ");
    e.ReceiptCheck->setChecked(true);
    e.ContinueButtonClick();
    EXPECT_EQ(e.Results[1], "Caf\xe9");
    EXPECT_EQ(e.Results[2], "YES");
}

// The shown dialog in its own loop: several files are added (one choice cancelled), one is
// deleted, and only "Continue" ends the question.
TEST_F(SendDialog, AttachmentsStayOpenWhileFilesAreAddedAndDeleted) {
    testing::ScriptedFileChooser files({"/a/1", "", "/a/2", "/a/3"});
    MailDialogs dialogs([this] { return list_; });
    std::vector<std::string> seen;
    testing::WhenShown<TDoTheEmail>("Send E-Mail", [&](TDoTheEmail& d) {
        for (int i = 0; i < 4; ++i) {
            testing::HeldClick(d.AddButton);
            QApplication::processEvents();
            seen.push_back(d.isVisible() ? "shown" : "hidden");
        }
        seen.push_back(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? "on top" : "not on top");
        testing::HeldClick(d.DeleteButton);  // nothing selected: nothing deleted
        seen.push_back(std::to_string(d.AttachmentList->count()));
        d.AttachmentList->setCurrentRow(2);
        testing::HeldClick(d.DeleteButton);
        seen.push_back("row " + std::to_string(d.AttachmentList->currentRow()));  // the new last one
        d.AttachmentList->setCurrentRow(0);
        testing::HeldClick(d.DeleteButton);
        seen.push_back("row " + std::to_string(d.AttachmentList->currentRow()));
        testing::HeldClick(d.ContinueButton);
    });
    const auto result = dialogs.GetTheEMail(EMailPromptMode::Attachments);
    EXPECT_EQ(seen, (std::vector<std::string>{"shown", "shown", "shown", "shown", "on top", "3", "row 1",
                                              "row 0"}));
    EXPECT_TRUE(files.answers.empty());
    ASSERT_EQ(files.asked.size(), 4u);
    for (std::size_t i = 0; i < files.asked.size(); ++i) {
        EXPECT_TRUE(files.owners[i].shown) << i;
        EXPECT_FALSE(files.owners[i].onTop) << i;
        EXPECT_EQ(files.asked[i].title, "Select File For Attachment");
        EXPECT_TRUE(files.asked[i].mustExist);
        EXPECT_FALSE(files.asked[i].save);
        EXPECT_EQ(
            files.asked[i].filter,
            "All Files (*);;Zip Files (*.zip *.ZIP);;Text Files (*.txt *.TXT);;Word Files (*.doc *.DOC)");
    }
    ASSERT_TRUE(result);
    EXPECT_EQ((*result)[0], "/a/2;" + kEnd);
    EXPECT_EQ(SelectionAfterDelete(0, 0), -1);
}

TEST_F(SendDialog, AbortAndTheModalRoundTrip) {
    MailDialogs dialogs([this] { return list_; });
    testing::WhenShown<TDoTheEmail>("Send E-Mail", [](TDoTheEmail& d) { d.AbortButton->click(); });
    EXPECT_EQ(dialogs.GetTheEMail(EMailPromptMode::SubjectAndText), std::nullopt);
    testing::WhenShown<TDoTheEmail>("Send E-Mail", [](TDoTheEmail& d) {
        d.SubjectEdit->setText("Subj");
        d.ContinueButton->click();
    });
    const auto r = dialogs.GetTheEMail(EMailPromptMode::SubjectAndText);
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[1], "Subj");

    dialogs.ShowStatus("Connecting");
    ASSERT_NE(dialogs.Status(), nullptr);
    EXPECT_EQ(dialogs.Status()->windowTitle(), "Tessaro E-Mail Send");
    EXPECT_TRUE(dialogs.Status()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(dialogs.Status()->Text(), "Connecting");
    dialogs.SetStatus("37% Transferred");
    EXPECT_EQ(dialogs.Status()->Text(), "37% Transferred");
    dialogs.CloseStatus();
    EXPECT_EQ(dialogs.Status(), nullptr);
    dialogs.SetStatus("after close is harmless");
}

}  // namespace
}  // namespace tessaro::mail

namespace tessaro::mail {
namespace {

// Every mode and the status window, drawn into build/screens/: a person sees every caption
// whole and every control inside the window.
TEST_F(SendDialog, FormsRenderWithoutClippedCaptions) {
    const std::filesystem::path dir = std::filesystem::path(TESSARO_TEST_BIN_DIR) / ".." / "screens";
    std::filesystem::create_directories(dir);
    auto check = [&](QWidget& w, const std::string& name) {
        w.show();
        QApplication::processEvents();
        EXPECT_TRUE(w.grab().save(QString::fromStdString((dir / (name + ".png")).string())));
        for (const std::string& fault : testing::VisibleFaults(w)) ADD_FAILURE() << name << ": " << fault;
        w.hide();
    };
    for (auto [mode, name] : {std::pair{EMailPromptMode::Recipients, "TDoTheEmail-recipients"},
                              std::pair{EMailPromptMode::SubjectAndText, "TDoTheEmail-text"},
                              std::pair{EMailPromptMode::Attachments, "TDoTheEmail-attachments"}}) {
        TDoTheEmail d(mode, list_);
        check(d, name);
    }
    TEMailStatus status;
    status.SetText("100% Transferred");
    check(status, "TEMailStatus");
}

}  // namespace
}  // namespace tessaro::mail
