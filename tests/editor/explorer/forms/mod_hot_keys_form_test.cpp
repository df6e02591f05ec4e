// The macro properties editor, on screen.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QImageWriter>
#include <QTest>
#include <QToolButton>
#include <fstream>

#include "editor/explorer/forms/t_mod_hot_keys.h"
#include "forms_fixture.h"
#include "tests/support/unpacked.h"
#include "widgets/kept_text.h"

namespace tessaro {
namespace {

class ModHotKeysForm : public testing::FormsTest {
protected:
    std::unique_ptr<TModHotKeys> Open(int kind, bool modify = false) {
        auto form = std::make_unique<TModHotKeys>(*context);
        form->ActivationKind = kind;
        form->ModifyExisting = modify;
        form->show();
        QApplication::processEvents();
        return form;
    }
};

TEST_F(ModHotKeysForm, EachKindOnScreen) {
    for (auto [kind, name] : {std::pair{1, "hotkey"}, std::pair{2, "timed"}, std::pair{3, "snipra"},
                              std::pair{6, "none"}, std::pair{7, "title"}}) {
        core->CurrentMacro = {};
        auto form = Open(kind);
        Screenshot(*form, std::string("TModHotKeys-") + name);
        EXPECT_EQ(form->SnipraName->isVisibleTo(form.get()), kind == 3 || kind == 7) << name;
        EXPECT_EQ(form->SetSchedule->isVisibleTo(form.get()), kind == 2) << name;
    }
}

TEST_F(ModHotKeysForm, NewMacroUpdateStoresTabsAndDoesNotCount) {
    glob->MacroCount = 4;
    core->CurrentMacro.ActivationCode = 3;
    auto form = Open(1);
    EXPECT_EQ(form->windowTitle(), "Modify Hot Key  (GLOBAL)");
    EXPECT_EQ(Unpacked(core->CurrentMacro.ScheduleType), 3) << "a new macro gets the schedule defaults";
    form->NickName->setText("Greeting");
    form->NewFormat->setPlainText("Hello\tWorld\nBye");
    form->UpdateButton->click();
    EXPECT_TRUE(form->Updated);
    EXPECT_EQ(GetMacroText(core->CurrentMacro), "Hello<TAB>World\r\nBye");
    EXPECT_EQ(core->CurrentMacro.Nickname.view(), "Greeting");
    EXPECT_EQ(core->CurrentMacro.Enabled, 1);
    EXPECT_EQ(Unpacked(glob->MacroCount), 4) << "the caller's append counts the new macro";
}

TEST_F(ModHotKeysForm, DecliningTruncationStoresNothingThenUpdatesOnce) {
    auto form = Open(1);
    form->NewFormat->setPlainText(QString(5001, 'x'));
    answers = {win::MbResult::No};
    form->UpdateButton->click();
    EXPECT_EQ(LastText(), kTruncateQuestion);
    EXPECT_FALSE(form->Updated);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(GetMacroText(core->CurrentMacro), "");
    answers = {win::MbResult::Yes};
    form->UpdateButton->click();
    EXPECT_TRUE(form->Updated);
    EXPECT_EQ(GetMacroText(core->CurrentMacro).size(), 5000u);
}

TEST_F(ModHotKeysForm, GlobalKeyTakenAndWindowTitleKinds) {
    auto form = std::make_unique<TModHotKeys>(*context);
    form->GlobalKeyTaken = true;
    form->show();
    EXPECT_TRUE(form->Specific->isChecked());
    EXPECT_FALSE(form->Global->isEnabled());
    core->CurrentMacro = {};
    core->CurrentMacro.ScopeText = "Terminal";
    auto title = Open(7);
    EXPECT_EQ(title->SnipraName->text(), "Terminal");
    EXPECT_EQ(TypingLimit(*title->SnipraName), 20);
    EXPECT_FALSE(title->Specific->isEnabled());
    EXPECT_FALSE(title->ChooseWinProg->isEnabled());
    title->SnipraName->clear();
    title->UpdateButton->click();
    EXPECT_EQ(LastText(), kNoWindowTitle);
    EXPECT_EQ(title->focusWidget(), title->SnipraName);
}

// The 20 characters of a window title are a limit on typing: a stored title is shown and
// stored again whole, and typing never makes a text longer than 20 nor than it already is.
TEST_F(ModHotKeysForm, AStoredWindowTitleLongerThanWhatMayBeTypedIsKeptWhole) {
    const std::string title = "Document Editor Window Nr 12";
    core->CurrentMacro = {};
    core->CurrentMacro.ActivationCode = acWindowTitle;
    core->CurrentMacro.ScopeText = title;
    auto form = Open(7, true);
    EXPECT_EQ(form->SnipraName->text().toStdString(), title);
    form->UpdateButton->click();
    ASSERT_TRUE(form->Updated);
    EXPECT_EQ(core->CurrentMacro.ScopeText.str(), title);

    auto typed = Open(7, true);
    QLineEdit* box = typed->SnipraName;
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, "xyz");
    EXPECT_EQ(box->text().toStdString(), title) << "nothing is added to a text over the limit";
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, "9");
    EXPECT_EQ(box->text().toStdString(), title.substr(0, title.size() - 2))
        << "deleting works, regrowing not";
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, QString(25, 'a'));
    EXPECT_EQ(box->text(), QString(20, 'a'));
}

TEST_F(ModHotKeysForm, TokensInsertAtTheCaretWithinTheLimit) {
    auto form = Open(1);
    form->NewFormat->setPlainText("ab");
    QTextCursor c = form->NewFormat->textCursor();
    c.setPosition(1);
    c.setPosition(2, QTextCursor::KeepAnchor);
    form->NewFormat->setTextCursor(c);
    form->findChild<QPushButton*>("TabButton")->click();
    EXPECT_EQ(form->NewFormat->toPlainText(), "a<TAB>b")
        << "the token goes before the selection, which stays";
    EXPECT_EQ(form->NewFormat->textCursor().position(), 6);

    form->MiscBox->setCurrentIndex(41);
    form->OkButton->click();
    EXPECT_TRUE(form->NewFormat->toPlainText().contains("<NUMLOCK>"));

    form->NewFormat->setPlainText(QString(4995, 'x'));
    form->findChild<QPushButton*>("ShiftButton")->click();
    EXPECT_EQ(LastText(), kTextTooLong);
    EXPECT_EQ(form->NewFormat->toPlainText().size(), 4995);
    form->findChild<QPushButton*>("EndButton")->click();
    EXPECT_EQ(form->NewFormat->toPlainText().size(), 5000);
}

TEST_F(ModHotKeysForm, FindAgainReplaceAndImport) {
    auto form = Open(1);
    form->NewFormat->setPlainText("abab");
    form->FindText("AB");
    EXPECT_EQ(form->NewFormat->textCursor().selectionStart(), 0);
    form->DoSearchFor();
    EXPECT_EQ(form->NewFormat->textCursor().selectionStart(), 2) << "the second match is met";
    form->DoSearchFor();
    EXPECT_EQ(LastText(), "\"AB\" was not found.");
    form->ReplaceText("ab", "AB");
    EXPECT_EQ(form->NewFormat->toPlainText(), "ABAB");
    EXPECT_EQ(calls.back().caption, "Replaced");
    EXPECT_EQ(LastText(), "\"ab\" was replaced 2 times.");

    const std::string big = dir + "/big.txt";
    std::ofstream(big) << std::string(6000, 'q');
    answers = {win::MbResult::Yes};
    form->ImportFrom(big);
    EXPECT_EQ(form->NewFormat->toPlainText().size(), 5000);
    const std::string bin = dir + "/bin.txt";
    std::ofstream(bin, std::ios::binary) << std::string("x\0y", 3);
    form->ImportFrom(bin);
    EXPECT_EQ(form->NewFormat->toPlainText().size(), 5000) << "a binary file changes nothing";
    EXPECT_FALSE(LastText().empty());
}

TEST_F(ModHotKeysForm, IconIsCopiedUnderItsNameAndRightClickResetsIt) {
    auto form = Open(1);
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::red);
    const std::string chosen = dir + "/pen.ico";
    ASSERT_TRUE(QImageWriter(QString::fromStdString(chosen), "ico").write(img));
    form->LoadIconFrom(chosen);
    EXPECT_EQ(form->IconFile, "pen.ico");
    EXPECT_TRUE(std::filesystem::exists(dir + "/Icons/pen.ico"));
    std::ofstream(dir + "/broken.ico") << "junk";
    form->LoadIconFrom(dir + "/broken.ico");
    EXPECT_EQ(LastText(), "Icon could not be opened.");
    EXPECT_EQ(form->IconFile, "pen.ico");
    answers = {win::MbResult::Yes};
    QTest::mouseClick(form->MySpeed, Qt::RightButton);
    EXPECT_EQ(LastText(), "Reset icon to program default?");
    EXPECT_EQ(form->IconFile, "MAIN");
    form->UpdateButton->click();
    EXPECT_EQ(core->CurrentMacro.IconName.view(), "MAIN");
}

TEST_F(ModHotKeysForm, CancelLeavesTheRecordButFormShowRepairs) {
    core->CurrentMacro.Nickname = "Keep";
    SetMacroText(core->CurrentMacro, "text");
    core->CurrentMacro.AbbrevCase = 9;
    core->CurrentMacro.IconName = "MAIN";
    auto form = Open(1, true);
    form->NickName->setText("Changed");
    form->CancelButton->click();
    EXPECT_EQ(core->CurrentMacro.Nickname.view(), "Keep");
    EXPECT_EQ(Unpacked(core->CurrentMacro.AbbrevCase), 1);
    EXPECT_FALSE(form->Updated);
}

}  // namespace
}  // namespace tessaro
