// "Capture Complete" offscreen: its list, heights, the hot key pressed while the entry box
// has the focus, the checks of "&Ok" and what it writes into the new macro.
#include "player/ui/capture_complete.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "tests/support/sim_platform_test.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/support/qt_app.h"

namespace tessaro {
namespace {

struct Route : SecWindRoute {
    std::vector<std::pair<std::uint32_t, bool>> calls;
    void SetSecWind(std::uint32_t w, bool on) override { calls.emplace_back(w, on); }
};

class CapCompleteDialog : public testing::SimPlatformTest {
protected:
    void SetUp() override {
        EnsureQtApplication();
        glob->MacroCount = 2;
        glob->ActivationCode[1] = 9;
        glob->Scope[1] = scGlobal;
        glob->ActivationCode[2] = 9;
        glob->Scope[2] = scProgram;
        rec.Nickname = "Capture";
        rec.Scope = scGlobal;
        rec.ActivationCode = acAbbreviation;
        rec.Abbreviation = "capture";
        dialog = std::make_unique<TCapComplete>(platform.messages(), rec, *glob, route, true, "GEDIT",
                                                "/nonexistent");
    }
    void Ok() { dialog->OkButton->click(); }

    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    TMacroRecord rec;
    Route route;
    std::vector<win::MessageBoxCall> boxes;
    win::MbResult answer = win::MbResult::Ok;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& c) {
        boxes.push_back(c);
        return answer;
    }};
    std::unique_ptr<TCapComplete> dialog;
};

TEST_F(CapCompleteDialog, ListsEveryHotKeyWithItsUseInTwoColumns) {
    EXPECT_EQ(dialog->windowTitle(), "Capture Complete");
    ASSERT_EQ(dialog->HotKeyList->count(), 721);
    EXPECT_EQ(dialog->HotKeyList->item(9)->text().toStdString(), HotKeyNames(9) + "  (2 macros in use)");
    EXPECT_EQ(dialog->HotKeyList->item(0)->text().toStdString(), HotKeyNames(0) + "  (Not in Use)");
    EXPECT_EQ(dialog->NickName->text(), "Capture");
    EXPECT_TRUE(dialog->GlobalButton->isChecked());
    EXPECT_EQ(dialog->HotKeyList->sizeHintForRow(0), 18 * dialog->logicalDpiY() / 96);
}

TEST_F(CapCompleteDialog, TheHeightFollowsTheKindOfStart) {
    dialog->show();
    const int hot = dialog->height();
    EXPECT_GE(hot, CapCompleteHeight(CapType::HotKeys));
    EXPECT_TRUE(dialog->HotKeyList->isVisible());
    dialog->SnipraButton->setChecked(true);
    const int snipra = dialog->height();
    EXPECT_FALSE(dialog->HotKeyList->isVisible());
    EXPECT_TRUE(dialog->SnipraName->isVisible());
    dialog->NoneButton->setChecked(true);
    const int none = dialog->height();
    EXPECT_FALSE(dialog->SnipraName->isVisible());
    EXPECT_GT(hot, snipra);
    EXPECT_GT(snipra, none);
    EXPECT_GE(snipra, CapCompleteHeight(CapType::Snipra));
    EXPECT_GE(none, CapCompleteHeight(CapType::None));

    const std::filesystem::path dir = std::filesystem::path(TESSARO_TEST_BIN_DIR) / ".." / "screens";
    std::filesystem::create_directories(dir);
    dialog->HotKeysButton->setChecked(true);
    QApplication::processEvents();
    EXPECT_TRUE(dialog->grab().save(QString::fromStdString((dir / "TCapComplete.png").string())));
    for (auto* w : dialog->findChildren<QLabel*>())
        if (w->isVisible()) {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->text().toStdString();
        }
    for (auto* w : dialog->findChildren<QAbstractButton*>())
        if (w->isVisible()) {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->text().toStdString();
        }
}

TEST_F(CapCompleteDialog, APressedHotKeySelectsItsLineWhileTheBoxHasTheFocus) {
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(dialog->HotKeyEdit, &in);
    const auto self = static_cast<std::uint32_t>(dialog->winId());
    ASSERT_EQ(route.calls, (std::vector<std::pair<std::uint32_t, bool>>{{self, true}}));
    platform.messages().SendMessage(self, WM_HOTKEY_CHOSEN, 42, 0);
    EXPECT_EQ(dialog->HotKeyList->currentRow(), 42);
    EXPECT_EQ(dialog->HotKeyEdit->text().toStdString(), HotKeyNames(42));
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(dialog->HotKeyEdit, &out);
    EXPECT_EQ(route.calls.back(), std::make_pair(self, false));
    // A click on a line names it too.
    dialog->HotKeyList->setCurrentRow(7);
    EXPECT_EQ(dialog->HotKeyEdit->text().toStdString(), HotKeyNames(7));
}

TEST_F(CapCompleteDialog, OkRefusesWhatCannotWork) {
    Ok();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No hot key selected.  Please select one.");
    dialog->HotKeyList->setCurrentRow(9);
    Ok();
    EXPECT_NE(boxes.back().text.find("A Global Hot Key is already in use"), std::string::npos);
    // A nickname the macro file cannot store is refused naming the character, not cut to "?".
    dialog->NickName->setText(QString::fromUtf8("Gru\u00DF \u0416"));
    Ok();
    EXPECT_EQ(boxes.back().text, "The character \"\u0416\" cannot be used in this entry.  Please correct.");
    EXPECT_EQ(dialog->result(), 0);
    dialog->NickName->setText("Capture");
    // A key the desktop itself uses: No keeps the dialog open, Yes takes it.
    dialog->HotKeyList->setCurrentRow(kReservedHotKeys[0]);
    answer = win::MbResult::No;
    Ok();
    EXPECT_EQ(boxes.back().caption, "Warning");
    EXPECT_EQ(dialog->result(), 0);
    EXPECT_EQ(+rec.ActivationCode, acAbbreviation);
    answer = win::MbResult::Yes;
    Ok();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(+rec.ActivationCode, kReservedHotKeys[0]);
}

TEST_F(CapCompleteDialog, AnAbbreviationInTheProgramTheCaptureEndedIn) {
    dialog->SnipraButton->setChecked(true);
    dialog->ProgramButton->setChecked(true);
    Ok();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No Snipra name entered.");
    dialog->SnipraName->setText("  hello ");
    dialog->NickName->setText(" Greeting ");
    Ok();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(rec.Abbreviation.str(), "hello");
    EXPECT_EQ(rec.Nickname.str(), "Greeting");
    EXPECT_EQ(+rec.Scope, scProgram);
    EXPECT_EQ(rec.ScopeText.str(), "GEDIT");
}

// A nickname pasted from a text of two lines names the macro on one line, in the list and
// in the commands that name it.
TEST_F(CapCompleteDialog, ANicknamePastedOnTwoLinesNamesTheMacroOnOne) {
    dialog->NoneButton->setChecked(true);
    QApplication::clipboard()->setText("Hi\r\nthere\nfriend");
    dialog->NickName->setFocus();
    dialog->NickName->selectAll();
    QTest::keyClick(dialog->NickName, Qt::Key_V, Qt::ControlModifier);
    ASSERT_NE(dialog->NickName->text().indexOf('\n'), -1) << "the box took no line break";
    Ok();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(rec.Nickname.str(), "Hi there friend");
}

}  // namespace
}  // namespace tessaro
