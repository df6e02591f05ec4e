// The recipient list dialogs and the Send E-Mail command dialog against a temporary
// recipient file.
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "editor/commands/address_dialogs.h"
#include "editor/commands/email_dialog.h"
#include "fakes.h"
#include "mail/recipient_list.h"
#include "tests/support/sim_platform_test.h"
#include "tests/editor/commands/dialog_harness.h"
#include "tests/support/held_press.h"
#include "tests/support/temp_dir.h"
#include "widgets/page_control.h"
#include "widgets/recipient_delegate.h"

namespace tessaro {
namespace {

using testing::Click;
using testing::Named;
using testing::RecordedBoxes;
using testing::SaveScreen;
using testing::Type;

std::string Read(const std::string& path) {
    const auto bytes = testing::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

class EmailDialogs : public testing::SimPlatformTest {
protected:
    void SetUp() override {
        EnsureQtApplication();
        config_->EMailPath = path_;
        std::ofstream(path_, std::ios::binary) << "zed|z@x\r\nAnn|ann@x\r\nbare@x\r\n|nameless@x\r\n";
    }
    // Answers every box with `answer` and keeps it.
    std::vector<win::MessageBoxCall> boxes_;
    win::MbResult answer_ = win::MbResult::Yes;
    win::ScopedMessageBoxHandler handler_{[this](const win::MessageBoxCall& call) {
        boxes_.push_back(call);
        return call.buttons == win::MbButtons::Ok ? win::MbResult::Ok : answer_;
    }};
    testing::TempDir dir_;
    std::string path_ = dir_.file("TESMAIL.TXT");
    std::unique_ptr<TConfigRecord> config_ = std::make_unique<TConfigRecord>();
    testing::FakePathEditor pathEditor_{*config_};
    testing::FakeChooser chooser_;
};

TEST_F(EmailDialogs, ListIsSortedEditedAndSavedInItsOrder) {
    TMyAddress list(nullptr, *config_, pathEditor_);
    list.show();
    ASSERT_EQ(list.AddList->count(), 4);
    EXPECT_EQ(list.AddList->item(0)->text(), "Ann|ann@x");
    EXPECT_TRUE(list.AddList->item(0)->isSelected());
    SaveScreen(&list, "TMyAddress");
    // Add: the entry dialog shows, answers, and the entry goes to its sorted place.
    QTimer::singleShot(0, [] {
        auto* entry = qobject_cast<TDoAnAddress*>(QApplication::activeModalWidget());
        ASSERT_NE(entry, nullptr);
        entry->EMailName->setText("Bob");
        entry->EMailAddress->setText("bob@x");
        entry->OkButton->click();
    });
    Click(&list, "AddButton");
    EXPECT_EQ(list.AddList->item(2)->text(), "Bob|bob@x");
    EXPECT_TRUE(list.AddList->item(2)->isSelected());
    // Cancel in Modify leaves the entry.
    QTimer::singleShot(0, [] { qobject_cast<TDoAnAddress*>(QApplication::activeModalWidget())->reject(); });
    Click(&list, "ModifyButton");
    EXPECT_EQ(list.AddList->item(2)->text(), "Bob|bob@x");
    Click(&list, "DeleteButton");
    EXPECT_EQ(list.AddList->item(2)->text(), "zed|z@x");
    EXPECT_TRUE(list.AddList->item(2)->isSelected());
    Click(&list, "OkButton");
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(Read(path_), "Ann|ann@x\r\nbare@x\r\nzed|z@x\r\n|nameless@x\r\n");
}

TEST_F(EmailDialogs, ModifyWithoutSelectionAndTheCloseBox) {
    std::ofstream(path_, std::ios::trunc);
    TMyAddress list(nullptr, *config_, pathEditor_);
    list.show();
    EXPECT_EQ(list.AddList->count(), 0);
    Click(&list, "ModifyButton");
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "No category has been selected.");
    QTimer::singleShot(0, [] {
        auto* entry = qobject_cast<TDoAnAddress*>(QApplication::activeModalWidget());
        entry->EMailAddress->setText("new@x");
        entry->OkButton->click();
    });
    Click(&list, "AddButton");
    EXPECT_EQ(list.AddList->count(), 1);
    list.close();  // the close box saves nothing
    EXPECT_EQ(Read(path_), "");
}

TEST_F(EmailDialogs, UnwritablePathAsksAndYesLetsTheUserFixIt) {
    config_->EMailPath = dir_.file("no/such/folder/TESMAIL.TXT");
    pathEditor_.newPath = path_;
    TMyAddress list(nullptr, *config_, pathEditor_);
    list.show();
    EXPECT_EQ(list.AddList->count(), 0);
    QTimer::singleShot(0, [] {
        auto* entry = qobject_cast<TDoAnAddress*>(QApplication::activeModalWidget());
        entry->EMailName->setText("Kim");
        entry->EMailAddress->setText("kim@x");
        entry->OkButton->click();
    });
    Click(&list, "AddButton");
    answer_ = win::MbResult::Yes;
    Click(&list, "OkButton");
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].caption, "Error");
    EXPECT_EQ(boxes_[0].text, kSaveFailedQuestion);
    EXPECT_EQ(pathEditor_.asked, 1);
    EXPECT_TRUE(list.isVisible());  // nothing of the list is lost
    Click(&list, "OkButton");
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(Read(path_), "Kim|kim@x\r\n");
}

TEST_F(EmailDialogs, UnwritablePathAndNoClosesWithoutSaving) {
    config_->EMailPath = dir_.path();  // a folder
    TMyAddress list(nullptr, *config_, pathEditor_);
    list.show();
    answer_ = win::MbResult::No;
    Click(&list, "OkButton");
    EXPECT_EQ(pathEditor_.asked, 0);
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(list.result(), QDialog::Rejected);
}

TEST_F(EmailDialogs, EntryDialogChecks) {
    TDoAnAddress entry(nullptr);
    entry.EntryText = "|only@x";
    entry.show();
    EXPECT_EQ(entry.EMailName->text(), "");
    EXPECT_EQ(entry.EMailAddress->text(), "only@x");
    SaveScreen(&entry, "TDoAnAddress");
    entry.EMailAddress->setText("  ");
    entry.OkButton->click();
    EXPECT_EQ(boxes_.back().text, "No e-mail address specified.  Please correct.");
    EXPECT_TRUE(entry.isVisible());
    entry.EMailAddress->setText("no.at.sign");
    answer_ = win::MbResult::No;
    entry.OkButton->click();
    EXPECT_EQ(boxes_.back().caption, "Warning");
    EXPECT_TRUE(entry.isVisible());
    EXPECT_EQ(entry.EntryText, "|only@x");
    answer_ = win::MbResult::Yes;
    entry.OkButton->click();
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(entry.EntryText, "|no.at.sign");
}

// Entries of a stored command that no longer stand in the recipient list, beyond the one the
// typed fields take, are listed after the list's lines, selected: the user sees where the
// mail goes and drops one by a click.
TEST_F(EmailDialogs, RecipientsMissingFromTheListAreShownAndCanBeDropped) {
    const std::string token = std::string("<EMAIL:RNR1TO") +
                              "Ann|ann@x;Old|old@x;Gone|gone@x;Left|left@x;\x01" + "BL" +
                              "Far|far@x;|bare2@x;\x01" + "S1Hi\x01" + "Sub\x01" + "A1>";
    TDoTheEmailCommand dlg(nullptr, *config_, chooser_, pathEditor_);
    dlg.NewCommand = 0;
    dlg.Preset(token);
    dlg.show();
    // To: Ann from the list, Old in the typed fields, Gone and Left after the list's lines.
    QListWidget* to = dlg.Groups[0].List;
    EXPECT_EQ(dlg.Groups[0].Person->text(), "Old");
    ASSERT_EQ(to->count(), 6);
    EXPECT_EQ(to->item(4)->text(), "Gone");
    EXPECT_EQ(to->item(5)->text(), "Left");
    EXPECT_TRUE(to->item(4)->isSelected());
    EXPECT_TRUE(to->item(5)->isSelected());
    // Blind CC: Far in the typed fields; the nameless one is listed by its address, in the
    // names as in the addresses.
    QListWidget* blind = dlg.Groups[2].List;
    ASSERT_EQ(blind->count(), 5);
    EXPECT_EQ(blind->item(4)->text(), "bare2@x");
    testing::HeldClick(dlg.Groups[2].Add);
    EXPECT_EQ(blind->item(4)->text(), "bare2@x");
    EXPECT_TRUE(blind->item(4)->isSelected());
    testing::HeldClick(dlg.Groups[2].Name);
    EXPECT_EQ(blind->item(4)->text(), "bare2@x");
    EXPECT_EQ(blind->item(3)->text(), "") << "a line of the list file keeps its empty name";
    SaveScreen(&dlg, "TDoTheEmail-kept");

    // Gone is dropped by the user; everything else goes back as it was.
    testing::HeldClickRow(to, 4);
    EXPECT_FALSE(to->item(4)->isSelected());
    // Reloading the list (Modify Recipient List) keeps what is still selected.
    dlg.LoadRecipients();
    ASSERT_EQ(to->count(), 5);
    EXPECT_EQ(to->item(4)->text(), "Left");
    EXPECT_TRUE(to->item(4)->isSelected());
    to->item(1)->setSelected(true);  // Ann again, as the reload cleared the list's rows
    Click(&dlg, "OkButton");
    ASSERT_EQ(dlg.Accepted, 1);
    EXPECT_EQ(dlg.CommandText, std::string("<EMAIL:RNR1TO") + "Old|old@x;Ann|ann@x;Left|left@x;\x01" + "BL" +
                                   "Far|far@x;|bare2@x;\x01" + "S1Hi\x01" + "Sub\x01" + "A1>");
}

// Prompting for the recipients leaves only the groups' headings enabled.
TEST_F(EmailDialogs, PromptForRecipientsDisablesEverythingInTheGroupsLabelsToo) {
    TDoTheEmailCommand dlg(nullptr, *config_, chooser_, pathEditor_);
    dlg.show();
    const auto groupControls = [](const TDoTheEmailCommand::Group& g) {
        return std::vector<QWidget*>{g.Person, g.Address,     g.List,         g.Name,
                                     g.Add,    g.PersonLabel, g.AddressLabel, g.ListLabel};
    };
    testing::HeldClick(dlg.PromptRecip);
    ASSERT_TRUE(dlg.PromptRecip->isChecked());
    for (const auto& g : dlg.Groups) {
        for (QWidget* w : groupControls(g)) EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_TRUE(g.List->parentWidget()->isEnabled()) << "the group's heading";
    }
    EXPECT_EQ(dlg.Groups[1].ListLabel->text(), "Select from Recipient List");
    SaveScreen(&dlg, "TDoTheEmail-prompt");
    testing::HeldClick(dlg.ChooseRecip);
    for (const auto& g : dlg.Groups)
        for (QWidget* w : groupControls(g)) EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
}

TEST_F(EmailDialogs, CommandDialogShowsAStoredCommandAndGivesItBackUnchanged) {
    const std::vector<std::string> lines = mail::ReadRecipientFile(path_);
    EmailForm form;
    for (EmailGroup& g : form.groups) g.selected.assign(lines.size(), false);
    form.receipt = true;
    form.groups[0].selected[1] = true;  // Ann
    form.groups[0].name = "Typed";
    form.groups[0].address = "typed@x";
    form.groups[0].others = {"Gone|gone@x"};
    form.groups[2].selected[2] = true;  // bare@x
    form.textMode = 1;
    form.text = "Line one\r\nLine two";
    form.subject = "Hello";
    form.attachMode = 2;
    form.attachments = {"/a.zip", "/b.txt"};
    const std::string token = BuildEmailToken(form, lines);

    TDoTheEmailCommand dlg(nullptr, *config_, chooser_, pathEditor_);
    dlg.NewCommand = 0;
    dlg.Preset(token);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Send E-Mail");
    EXPECT_EQ(dlg.Groups[0].Person->text(), "Typed");
    EXPECT_TRUE(dlg.Groups[0].List->item(1)->isSelected());
    EXPECT_EQ(dlg.Groups[0].List->item(1)->text(), "Ann");
    EXPECT_EQ(dlg.Groups[2].List->item(2)->text(), "");  // no name: empty in the name list
    EXPECT_EQ(dlg.AttachBox->count(), 2);
    SaveScreen(&dlg, "TDoTheEmail");
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.Accepted, 1);
    EXPECT_EQ(dlg.CommandText, token);
    EXPECT_EQ(dlg.RecipientMode, 1);
    EXPECT_EQ(dlg.TextMode, 1);
    EXPECT_EQ(dlg.AttachMode, 2);
}

TEST_F(EmailDialogs, NameAddressSwitchKeepsSelectionsByPosition) {
    TDoTheEmailCommand dlg(nullptr, *config_, chooser_, pathEditor_);
    dlg.show();
    QListWidget* list = dlg.Groups[1].List;
    list->item(0)->setSelected(true);
    list->item(3)->setSelected(true);
    dlg.Groups[1].Add->setChecked(true);
    EXPECT_EQ(list->item(0)->text(), "z@x");
    EXPECT_EQ(list->item(2)->text(), "bare@x");
    EXPECT_TRUE(list->item(0)->isSelected());
    EXPECT_FALSE(list->item(1)->isSelected());
    EXPECT_TRUE(list->item(3)->isSelected());
    dlg.Groups[1].Name->setChecked(true);
    EXPECT_EQ(list->item(0)->text(), "zed");
    EXPECT_TRUE(list->item(3)->isSelected());
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText,
              "<EMAIL:RNR1CCzed|z@x;|nameless@x;\x01S1\x01\x01"
              "A1>");
}

TEST_F(EmailDialogs, CharactersThatBreakTheTokenAreRefusedOnTheirPage) {
    TDoTheEmailCommand dlg(nullptr, *config_, chooser_, pathEditor_);
    dlg.show();
    Type(&dlg, "ccPerson", "A;B");
    Type(&dlg, "ccAddress", "a@x");
    dlg.Pages->setCurrentIndex(2);
    Click(&dlg, "OkButton");
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "The character \";\" cannot be used in this entry.  Please correct.");
    EXPECT_EQ(dlg.Pages->currentIndex(), 0);
    EXPECT_EQ(dlg.Accepted, 0);
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(EmailDialogs, AttachmentsAddAndDeleteAndTheListIsReloaded) {
    TDoTheEmailCommand dlg(nullptr, *config_, chooser_, pathEditor_);
    dlg.show();
    dlg.ChooseAttach->setChecked(true);
    EXPECT_TRUE(dlg.AttachBox->isEnabled());
    for (const char* f : {"/1", "/2", "/3"}) {
        chooser_.file = f;
        Click(&dlg, "AddAttach");
    }
    dlg.AttachBox->setCurrentRow(2);
    Click(&dlg, "DeleteAttach");
    EXPECT_EQ(dlg.AttachBox->currentRow(), 1);  // the new last
    dlg.PromptText->setChecked(true);
    EXPECT_FALSE(dlg.Subject->isVisibleTo(&dlg));
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText, "<EMAIL:RNR1S2A2/1;/2;\x01>");
    // The list maintained from the dialog is loaded again.
    TDoTheEmailCommand again(nullptr, *config_, chooser_, pathEditor_);
    again.show();
    QTimer::singleShot(0, [] {
        auto* list = qobject_cast<TMyAddress*>(QApplication::activeModalWidget());
        ASSERT_NE(list, nullptr);
        list->DeleteButtonClick();
        list->OkButtonClick();
    });
    Click(&again, "Button1");
    EXPECT_EQ(again.RecipientLines.size(), 3u);
    EXPECT_EQ(again.Groups[0].List->count(), 3);
}

TEST(RecipientDrawing, NameIsCutToItsColumn) {
    EnsureQtApplication();
    QListWidget list;
    list.setItemDelegate(new RecipientItemDelegate(&list));
    list.addItem(QString(60, 'W') + "|");
    QImage image(200, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 200, 20);
    option.font = list.font();
    option.palette.setColor(QPalette::Base, Qt::white);
    option.palette.setColor(QPalette::Text, Qt::black);
    {
        QPainter painter(&image);
        list.itemDelegate()->paint(&painter, option, list.model()->index(0, 0));
    }
    auto dark = [&](int x0, int x1) {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            for (int y = 0; y < 18; ++y)
                if (qGray(image.pixel(x, y)) < 64) ++n;
        return n;
    };
    EXPECT_GT(dark(0, 100), 0);                  // the name is drawn
    EXPECT_EQ(dark(101, 200), 0);                // but not into the address column
    EXPECT_EQ(qGray(image.pixel(100, 5)), 128);  // the grey column line
    const QFontMetricsF metrics(list.font());
    const QString cut = FitTextToWidth(QString(60, 'W'), 98, metrics);
    EXPECT_LE(metrics.horizontalAdvance(cut), 98);
    EXPECT_GT(metrics.horizontalAdvance(cut + "W"), 98);
    EXPECT_EQ(FitTextToWidth("fits", 1000, metrics), "fits");
    EXPECT_EQ(FitTextToWidth("x", 0, metrics), "");
}

}  // namespace
}  // namespace tessaro
